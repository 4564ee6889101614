#pragma once

#include "ui/FrameWindow.h"

#include <QPoint>

#include <memory>

class TMountWatch;

// The screen the main window is laid out for: measured at each creation of the main window,
// updated when the display resolution changes.
struct TScreenExtent {
    int width = 0;
    int height = 0;
    QPoint origin;
};

// The main window: a fixed-size frame titled with the product name around the file
// browser, kept at the same relative place on the screen (FileLeft and FileTop percent)
// across moves, runs and display changes.
class TViewFrameWindow : public TFrameWindow {
public:
    TViewFrameWindow(const std::string& title, TWindow* browser, const TScreenExtent& screen);
    ~TViewFrameWindow() override;

    // Refuses while a decode runs: asks it to stop, asks again through the queue, and
    // closes once nothing runs; then writes the frame position and quits the help.
    bool CanClose() override;
    void EvSysCommand(int id) override;
    bool EvMenuChar(QChar letter) override;
    void EvDisplayChange(int width, int height) override;
    void EvDeviceChange(uint32_t event, uint32_t deviceType) override;

protected:
    void SetupWindow() override;
    void EvMove() override;
    void EvClose() override;

private:
    void OpenAbout();
    void MoveToPercentages();

    TScreenExtent m_screen;
    QPoint m_normalPosition;
    std::unique_ptr<TMountWatch> m_mountWatch;
};
