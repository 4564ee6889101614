#include "ui/FrameWindow.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace {

Qt::WindowFlags FrameFlags(bool shrinkToClient)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (!shrinkToClient)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

} // namespace

TFrameWindow::TFrameWindow(
    TWindow* parent, const std::string& title, TWindow* client, bool shrinkToClient)
    : TWindow(parent, FrameFlags(shrinkToClient))
    , m_client(client)
    , m_shrinkToClient(shrinkToClient)
{
    SetCaption(title);
    if (m_client)
        m_client->setParent(this);
    m_menuItems = { { kScMinimize, "Mi&nimize" }, { kScClose, "&Close" } };
}

void TFrameWindow::SetupWindow()
{
    TWindow::SetupWindow();
    if (!m_client)
        return;
    m_client->move(0, 0);
    m_client->show();
    if (m_shrinkToClient)
        setFixedSize(m_client->size());
}

void TFrameWindow::AppendSystemMenuSeparator() { m_menuItems.emplace_back(0, std::string()); }

void TFrameWindow::AppendSystemMenuItem(int id, const std::string& text)
{
    m_menuItems.emplace_back(id, text);
}

void TFrameWindow::ShowSystemMenu() { PopUpSystemMenu(mapToGlobal(QPoint(0, 0))); }

void TFrameWindow::contextMenuEvent(QContextMenuEvent* event)
{
    PopUpSystemMenu(event->globalPos());
}

void TFrameWindow::PopUpSystemMenu(const QPoint& at)
{
    QMenu menu(this);
    for (const auto& [id, text] : m_menuItems) {
        if (id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(text));
        action->setData(id);
    }
    if (QAction* chosen = menu.exec(at))
        EvSysCommand(chosen->data().toInt());
}

void TFrameWindow::EvSysCommand(int id)
{
    switch (id) {
    case kScMinimize:
        return showMinimized();
    case kScClose:
        CloseWindow();
        return;
    default:
        return;
    }
}
