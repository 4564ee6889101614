// The viewing window's accelerator table (128).
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/ViewIds.h"

const TAccelTable& ViewAccelerators()
{
    // The Ctrl and Alt letters are character entries: one entry takes its letter in either case,
    // so each letter is listed once (a second entry for the other case could never match).
    static const TAccelTable table(kViewAccelerators,
        {
            { Qt::Key_Return, Qt::NoModifier, CmNextFile },
            { Qt::Key_F, Qt::ControlModifier, CmFocusBrowser, true },
            { Qt::Key_S, Qt::ControlModifier, CmSaveAsBmp, true },
            { Qt::Key_G, Qt::ControlModifier, CmNextFrameNow, true },
            { Qt::Key_T, Qt::ControlModifier, CmReloadTransparency, true },
            { Qt::Key_X, Qt::AltModifier, CmCloseAndExit, true },
            { Qt::Key_PageUp, Qt::NoModifier, CmPageUp },
            { Qt::Key_Space, Qt::NoModifier, CmToggleAndNext },
            { Qt::Key_PageDown, Qt::NoModifier, CmPageDown },
            { Qt::Key_Home, Qt::NoModifier, CmLeftEnd },
            { Qt::Key_Escape, Qt::NoModifier, CmCloseView },
            { Qt::Key_End, Qt::NoModifier, CmRightEnd },
            { Qt::Key_Backspace, Qt::NoModifier, CmPreviousFile },
            { Qt::Key_Up, Qt::NoModifier, CmLineUp },
            { Qt::Key_Down, Qt::NoModifier, CmLineDown },
            { Qt::Key_Left, Qt::NoModifier, CmLineLeft },
            { Qt::Key_Right, Qt::NoModifier, CmLineRight },
            { Qt::Key_F1, Qt::NoModifier, CmViewHelp },
        });
    return table;
}
