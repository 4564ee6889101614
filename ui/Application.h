#pragma once

#include "ui/Window.h"

#include <QPointer>

#include <string>

class QEventLoop;

// One run of the program's main window: InitMainWindow makes it, Run shows it and returns
// when it has closed. The toolkit's application object outlives every run, so that the
// program can build a new run when its main window closes for a restart.
class TApplication {
public:
    explicit TApplication(std::string name);
    virtual ~TApplication();

    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    const std::string& Name() const { return m_name; }
    TWindow* MainWindow() const { return m_mainWindow; }
    int Run();

protected:
    virtual void InitMainWindow() = 0;
    // The application deletes the main window when it is destroyed; the window tells the
    // application when it has closed.
    void SetMainWindow(TWindow* window);

private:
    void MainWindowClosed();

    std::string m_name;
    QPointer<TWindow> m_mainWindow;
    QEventLoop* m_loop = nullptr;
    bool m_mainClosed = false;
};

// Prepares the toolkit's application object for the window layer, once: keys go through
// the windows' accelerator tables, Alt+letters no control takes become menu characters,
// the core's one-message step processes the pending events, display changes reach every
// top-level window, and closing the last window does not end the toolkit's loop (the
// program decides whether to run again).
void InstallWindowLayer();

// Tells every top-level window that the display now has this size.
void BroadcastDisplayChange(int width, int height);
// Tells every top-level window that the desktop's work area has changed.
void BroadcastWorkAreaChange();
