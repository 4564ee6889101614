#pragma once

#include "ui/Button.h"

// A push button with two commands: a click posts the first to the browser, a click with
// Shift held down the second (Show: 126 or 143, Delete: 161 or 111, Copy: 160 or 125).
class TMyButton : public TButton {
public:
    TMyButton(TWindow* parent, int id, int command, int shiftCommand);

protected:
    void Clicked() override;

private:
    int m_command;
    int m_shiftCommand;
};
