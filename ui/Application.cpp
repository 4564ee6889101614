#include "ui/Application.h"

#include "platform/MessagePump.h"
#include "ui/Accelerators.h"
#include "ui/Window.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScreen>

namespace {

constexpr const char* kKeyRouterName = "TKeyRouter";

// The window an event for this widget belongs to: the top-level window, passing through
// pop-up lists (a combo box's list belongs to the combo box's window).
TWindow* OwningTopLevel(QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget->isWindow() && widget->windowType() != Qt::Popup)
            return dynamic_cast<TWindow*>(widget);
    }
    return nullptr;
}

// Keys go to the accelerator tables of the windows around the widget that has them, the
// innermost first, before the widget sees them; the search stops at the widget's own
// top-level window, so a key in the viewing window never reaches the browser's table.
// An Alt+letter that no table and no mnemonic took is the top-level window's menu
// character, and Alt+Space opens its window menu.
class TKeyRouter : public QObject {
protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(target);
        if (!widget)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        for (QWidget* scan = widget; scan; scan = scan->parentWidget()) {
            if (auto* window = dynamic_cast<TWindow*>(scan); window && window->Accelerators()) {
                if (auto command
                    = window->Accelerators()->Translate(key->key(), key->modifiers())) {
                    window->SendCommand(*command);
                    return true;
                }
            }
            if (scan->isWindow() && scan->windowType() != Qt::Popup)
                break;
        }
        const Qt::KeyboardModifiers held
            = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        if (!(held & Qt::AltModifier) || (held & Qt::ControlModifier))
            return false;
        TWindow* topLevel = OwningTopLevel(widget);
        if (!topLevel)
            return false;
        if (key->key() == Qt::Key_Space) {
            topLevel->ShowSystemMenu();
            return true;
        }
        if (key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) {
            const QChar letter(char16_t(key->key()));
            return topLevel->EvMenuChar(held & Qt::ShiftModifier ? letter : letter.toLower());
        }
        return false;
    }
};

void ConnectScreen(QScreen* screen)
{
    if (!screen)
        return;
    QObject::connect(screen, &QScreen::geometryChanged, qApp,
        [](const QRect& geometry) { BroadcastDisplayChange(geometry.width(), geometry.height()); });
    QObject::connect(screen, &QScreen::availableGeometryChanged, qApp,
        [](const QRect&) { BroadcastWorkAreaChange(); });
}

} // namespace

void InstallWindowLayer()
{
    // The router belongs to the application object and goes with it; while it is there, the
    // layer is installed.
    if (!qApp || qApp->findChild<QObject*>(kKeyRouterName, Qt::FindDirectChildrenOnly))
        return;
    QApplication::setQuitOnLastWindowClosed(false);
    auto* router = new TKeyRouter;
    router->setObjectName(kKeyRouterName);
    router->setParent(qApp);
    qApp->installEventFilter(router);
    // One pass over the events pending now; an event posted during the pass (a request
    // that defers itself) waits for the next step.
    SetPumpOneMessage([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    ConnectScreen(QGuiApplication::primaryScreen());
}

void BroadcastDisplayChange(int width, int height)
{
    for (TWindow* window : TopLevelWindows())
        window->EvDisplayChange(width, height);
}

void BroadcastWorkAreaChange()
{
    for (TWindow* window : TopLevelWindows())
        window->EvWorkAreaChange();
}

TApplication::TApplication(std::string name)
    : m_name(std::move(name))
{
    InstallWindowLayer();
}

TApplication::~TApplication() { delete m_mainWindow.data(); }

void TApplication::SetMainWindow(TWindow* window)
{
    m_mainWindow = window;
    if (window)
        window->SetClosedHook([this] { MainWindowClosed(); });
}

int TApplication::Run()
{
    m_mainClosed = false;
    InitMainWindow();
    if (!m_mainWindow)
        return 1;
    m_mainWindow->Create();
    m_mainWindow->show();
    if (!m_mainClosed) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    return 0;
}

void TApplication::MainWindowClosed()
{
    m_mainClosed = true;
    if (m_loop)
        m_loop->quit();
}
