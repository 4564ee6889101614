#pragma once

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class TAccelTable;
class TControl;

// What a control tells its parent window about itself.
enum class TNotify {
    Clicked, // a button was pressed: the parent receives the control's id as a command
    SelChange, // the user moved the selection or the caret of a list
    DblClk,
    SetFocus,
    KillFocus,
    CloseUp, // a combo box closed its drop-down list
    Change, // the user changed the text of an edit field
    Scroll, // a scroll bar moved
};

// Device-change events and the device type of a volume, as the browser expects them.
inline constexpr uint32_t kDeviceArrival = 32768;
inline constexpr uint32_t kDeviceRemoveComplete = 32772;
inline constexpr uint32_t kDeviceTypeVolume = 2;

// The base of every window of the program. A window answers numbered commands through
// EvCommand, which each class overrides with a switch over its own ids (its response table)
// and hands the rest to its base class. Commands are sent (handled at once) or posted (queued
// behind the events already waiting), timers are addressed by the window's own ids, and a
// window may carry an accelerator table that turns keys pressed in it or in its controls
// into commands.
class TWindow : public QWidget {
public:
    explicit TWindow(TWindow* parent = nullptr, Qt::WindowFlags flags = {});
    ~TWindow() override;

    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    // The owning window: the parent widget for a child window, the owner for a window of its
    // own (a top-level window created with a parent).
    TWindow* ParentWindow() const;

    // Runs SetupWindow once; the first call wins, later calls do nothing.
    void Create();
    bool IsCreated() const { return m_created; }

    void SendCommand(int id) { EvCommand(id); }
    void PostCommand(int id);
    // Queues a control notification, as a handler that has to wait for running work does.
    void PostNotify(int controlId, TNotify code);
    // Asks the window to close now: CanClose decides. Returns whether it closed.
    bool CloseWindow();
    // Queues a close request; CanClose decides when it arrives.
    void PostCloseRequest();
    virtual bool CanClose();
    // Runs each time the window has closed, after EvClose: how its owner (the application, for
    // its main window) learns of it.
    void SetClosedHook(std::function<void()> hook) { m_closed = std::move(hook); }

    // Starting a timer again under the same id replaces it, as window timers do.
    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);
    bool HasTimer(int id) const { return m_timers.count(id) != 0; }
    // The interval a running timer was started with; 0 when it is not running.
    int TimerInterval(int id) const;

    void SetAccelerators(const TAccelTable* table) { m_accelerators = table; }
    const TAccelTable* Accelerators() const { return m_accelerators; }

    // The control with this id among the window's own controls, or none.
    TControl* Control(int id) const;
    template <class T> T* ControlAs(int id) const { return dynamic_cast<T*>(Control(id)); }

    // Marks the rectangle for painting, which happens at the next message step even when a
    // decode runs inside the handling of a posted request: there the toolkit delivers a paint
    // request that was already waiting only once something new is posted, and a window marked
    // for painting posts no second request, so something new is posted here.
    void UpdateSoon(const QRect& rect);

    void SetCaption(const std::string& caption);
    std::string Caption() const;

    // Messages the window layer delivers. Device changes and display changes come from the
    // platform watchers; a window passes them on as it sees fit.
    virtual void EvCommand(int id);
    virtual void EvNotify(int controlId, TNotify code);
    virtual void EvDeviceChange(uint32_t event, uint32_t deviceType);
    virtual void EvDisplayChange(int width, int height);
    // The desktop's work area (the screen less its panels) has changed.
    virtual void EvWorkAreaChange() { }
    // An Alt+letter that no accelerator and no control took. Returns whether it was used.
    virtual bool EvMenuChar(QChar letter);
    // Alt+Space: the window's own menu, where it has one.
    virtual void ShowSystemMenu() { }

protected:
    // Runs once, when the window is created: by default creates the child windows.
    virtual void SetupWindow();
    virtual void EvTimer(int id);
    // The window has moved; its position is frameGeometry().topLeft().
    virtual void EvMove() { }
    // The window has a new size; its outer rectangle is frameGeometry().
    virtual void EvSize() { }
    // The window has been closed (CanClose allowed it).
    virtual void EvClose() { }

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    bool m_created = false;
    const TAccelTable* m_accelerators = nullptr;
    struct TTimer {
        int toolkitId;
        int milliseconds;
    };
    std::map<int, TTimer> m_timers; // by our id
    std::function<void()> m_closed;
};

// The event through which commands, notifications and close requests are queued.
class TPostedMessage : public QEvent {
public:
    enum class TKind { Command, Notify, Close };
    TPostedMessage(TKind kind, int id, TNotify code);
    static QEvent::Type EventType();

    TKind kind;
    int id;
    TNotify code;
};

// Every top-level window of the program, in creation order.
std::vector<TWindow*> TopLevelWindows();
