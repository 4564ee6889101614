#pragma once

#include "ui/Application.h"

#include <QPoint>

// The screen the main window was laid out for: measured at each creation of the main
// window, updated when the display resolution changes.
struct TScreenExtent {
    int width = 0;
    int height = 0;
    QPoint origin;
};
TScreenExtent& MainScreen();

// One run of the program: measures the screen, chooses the browser's layout and template,
// and builds the browser inside the main frame.
class TViewApp : public TApplication {
public:
    TViewApp();

protected:
    void InitMainWindow() override;
};
