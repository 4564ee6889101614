// The about box (155).
#include "platform/Product.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/templates/ControlTemplates.h"

const TDialogTemplate& AboutTemplate()
{
    using enum TControlKind;
    static const TDialogTemplate about = [] {
        TDialogTemplate dialog;
        dialog.id = kAboutTemplate;
        dialog.caption = ProductCaption("about");
        dialog.cx = 180;
        dialog.cy = 86;
        dialog.controls = {
            Control(IdAboutVersion, Static, "", At(10, 10, 160, 10), kStyleCenter | kStyleNoPrefix),
            Control(kNoControlId, Static,
                "An image browser and viewer for BMP, GIF, JPEG, PCX and Targa files.",
                At(10, 28, 160, 26), kStyleCenter | kStyleNoPrefix),
            Control(1, Button, "&OK", At(65, 64, 50, 14), kStyleDefault),
        };
        return dialog;
    }();
    return about;
}
