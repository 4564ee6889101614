#include "ui/Window.h"

#include "ui/Control.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QResizeEvent>
#include <QTimerEvent>

#include <algorithm>

TPostedMessage::TPostedMessage(TKind kind, int id, TNotify code)
    : QEvent(EventType())
    , kind(kind)
    , id(id)
    , code(code)
{
}

QEvent::Type TPostedMessage::EventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

namespace {

std::vector<TWindow*>& AllWindows()
{
    static std::vector<TWindow*> windows;
    return windows;
}

} // namespace

std::vector<TWindow*> TopLevelWindows()
{
    std::vector<TWindow*> windows;
    for (TWindow* window : AllWindows()) {
        if (window->isWindow())
            windows.push_back(window);
    }
    return windows;
}

TWindow::TWindow(TWindow* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    AllWindows().push_back(this);
}

TWindow::~TWindow()
{
    for (QObject* child : children()) {
        if (auto* control = dynamic_cast<TControl*>(child))
            control->DetachFromParent();
    }
    auto& windows = AllWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

TWindow* TWindow::ParentWindow() const
{
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto* window = dynamic_cast<TWindow*>(widget))
            return window;
    }
    return nullptr;
}

void TWindow::Create()
{
    if (m_created)
        return;
    m_created = true;
    SetupWindow();
}

void TWindow::SetupWindow()
{
    for (QObject* child : children()) {
        if (auto* window = dynamic_cast<TWindow*>(child); window && !window->isWindow())
            window->Create();
    }
}

void TWindow::PostCommand(int id)
{
    QCoreApplication::postEvent(
        this, new TPostedMessage(TPostedMessage::TKind::Command, id, TNotify::Clicked));
}

void TWindow::PostNotify(int controlId, TNotify code)
{
    QCoreApplication::postEvent(
        this, new TPostedMessage(TPostedMessage::TKind::Notify, controlId, code));
}

bool TWindow::CloseWindow() { return close(); }

void TWindow::PostCloseRequest()
{
    QCoreApplication::postEvent(
        this, new TPostedMessage(TPostedMessage::TKind::Close, 0, TNotify::Clicked));
}

bool TWindow::CanClose()
{
    // A window may close when every child window may.
    for (QObject* child : children()) {
        if (auto* window = dynamic_cast<TWindow*>(child); window && !window->isWindow()) {
            if (!window->CanClose())
                return false;
        }
    }
    return true;
}

void TWindow::SetTimer(int id, int milliseconds)
{
    KillTimer(id);
    milliseconds = std::max(milliseconds, 0);
    const int timerId = startTimer(milliseconds, Qt::PreciseTimer);
    if (timerId != 0)
        m_timers[id] = { timerId, milliseconds };
}

void TWindow::KillTimer(int id)
{
    if (auto found = m_timers.find(id); found != m_timers.end()) {
        killTimer(found->second.toolkitId);
        m_timers.erase(found);
    }
}

int TWindow::TimerInterval(int id) const
{
    const auto found = m_timers.find(id);
    return found != m_timers.end() ? found->second.milliseconds : 0;
}

TControl* TWindow::Control(int id) const
{
    for (QObject* child : children()) {
        if (auto* control = dynamic_cast<TControl*>(child); control && control->Id() == id)
            return control;
    }
    return nullptr;
}

void TWindow::UpdateSoon(const QRect& rect)
{
    static const auto wake = QEvent::Type(QEvent::registerEventType());
    update(rect);
    QCoreApplication::postEvent(this, new QEvent(wake));
}

void TWindow::SetCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

std::string TWindow::Caption() const { return windowTitle().toStdString(); }

void TWindow::EvCommand(int) { }

void TWindow::EvNotify(int controlId, TNotify code)
{
    if (code == TNotify::Clicked)
        EvCommand(controlId);
}

void TWindow::EvDeviceChange(uint32_t, uint32_t) { }

void TWindow::EvDisplayChange(int, int) { }

bool TWindow::EvMenuChar(QChar) { return false; }

void TWindow::EvTimer(int) { }

bool TWindow::event(QEvent* event)
{
    if (event->type() == TPostedMessage::EventType()) {
        auto* message = static_cast<TPostedMessage*>(event);
        switch (message->kind) {
        case TPostedMessage::TKind::Command:
            EvCommand(message->id);
            break;
        case TPostedMessage::TKind::Notify:
            EvNotify(message->id, message->code);
            break;
        case TPostedMessage::TKind::Close:
            CloseWindow();
            break;
        }
        return true;
    }
    return QWidget::event(event);
}

void TWindow::closeEvent(QCloseEvent* event)
{
    if (!CanClose()) {
        event->ignore();
        return;
    }
    event->accept();
    for (const auto& [id, timer] : m_timers)
        killTimer(timer.toolkitId);
    m_timers.clear();
    EvClose();
    if (m_closed)
        m_closed();
}

void TWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    EvMove();
}

void TWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    EvSize();
}

void TWindow::timerEvent(QTimerEvent* event)
{
    for (const auto& [id, timer] : m_timers) {
        if (timer.toolkitId == event->timerId()) {
            EvTimer(id);
            return;
        }
    }
    QWidget::timerEvent(event);
}
