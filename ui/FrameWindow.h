#pragma once

#include "ui/Window.h"

#include <QPoint>

#include <string>
#include <vector>

class QMenu;

// Commands of the window menu that every frame has.
inline constexpr int kScMinimize = 0xF020;
inline constexpr int kScClose = 0xF060;

// A top-level window around one client window, sized to the client when it shrinks to it
// (then it cannot be resized or maximized). The window menu holds Minimize and Close and
// whatever the program appends; window systems that offer no such menu of their own get it
// as the frame's pop-up menu, on Alt+Space and on a right click on the frame's client.
class TFrameWindow : public TWindow {
public:
    TFrameWindow(TWindow* parent, const std::string& title, TWindow* client, bool shrinkToClient);

    TWindow* Client() const { return m_client; }
    void AppendSystemMenuSeparator();
    void AppendSystemMenuItem(int id, const std::string& text);
    // The window menu's entries: (id, text); a separator has id 0.
    const std::vector<std::pair<int, std::string>>& SystemMenuItems() const { return m_menuItems; }
    void ShowSystemMenu() override;

    // A command of the window menu; the frame's own are Minimize and Close.
    virtual void EvSysCommand(int id);

protected:
    void SetupWindow() override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void PopUpSystemMenu(const QPoint& at);

    TWindow* m_client;
    bool m_shrinkToClient;
    std::vector<std::pair<int, std::string>> m_menuItems;
};
