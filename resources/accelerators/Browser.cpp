// The file browser's accelerator table (144).
#include "resources/BrowserIds.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"

const TAccelTable& BrowserAccelerators()
{
    static const TAccelTable table(kBrowserAccelerators,
        {
            { Qt::Key_Delete, Qt::NoModifier, CmDeleteKey },
            { Qt::Key_Delete, Qt::ShiftModifier, CmDeleteSelectedKey },
            { Qt::Key_Insert, Qt::NoModifier, CmCopyKey },
            { Qt::Key_Insert, Qt::ShiftModifier, CmCopySelectedKey },
            { Qt::Key_Escape, Qt::NoModifier, CmEscape },
            { Qt::Key_Return, Qt::NoModifier, CmEnter },
            { Qt::Key_Return, Qt::ShiftModifier, CmShowSelected },
            { Qt::Key_F1, Qt::NoModifier, CmHelpKey },
            { Qt::Key_A, Qt::ControlModifier, CmSelectAll },
            { Qt::Key_N, Qt::ControlModifier, CmDeselectAll },
            { Qt::Key_G, Qt::ControlModifier, CmAnimationStep },
            { Qt::Key_I, Qt::ControlModifier, CmImageInfo },
            { Qt::Key_T, Qt::ControlModifier, CmToggleTransparency },
        });
    return table;
}
