#include "browser/MyButton.h"

#include <QGuiApplication>

TMyButton::TMyButton(TWindow* parent, int id, int command, int shiftCommand)
    : TButton(parent, id)
    , m_command(command)
    , m_shiftCommand(shiftCommand)
{
}

void TMyButton::Clicked()
{
    const bool shift = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
    if (TWindow* browser = ParentWindow())
        browser->PostCommand(shift ? m_shiftCommand : m_command);
}
