// The colour warning (197): the exclamation icon, the warning, the box that turns it off.
#include "platform/Product.h"
#include "resources/ColorWarnIds.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/templates/ControlTemplates.h"
#include "ui/ModalService.h"

const TDialogTemplate& ColorWarnTemplate()
{
    using enum TControlKind;
    static const TDialogTemplate warning = [] {
        TDialogTemplate dialog;
        dialog.id = kColorWarnTemplate;
        // The caption has two spaces after the dash.
        dialog.caption = ProductCaption(" display warning");
        dialog.cx = 240;
        dialog.cy = 102;
        dialog.controls = {
            Control(IdWarningIcon, Static, "", At(10, 10, 20, 20), kStyleHidden),
            Control(kNoControlId, Static,
                "Images with more than 256 colors will not display correctly on this display. "
                "In order to display full color images correctly, please increase the number of "
                "available colors by changing the display settings.",
                At(40, 10, 190, 48), kStyleNoPrefix),
            Control(IdWarningOff, CheckBox, "Do not show this &warning again", At(40, 62, 190, 10)),
            Control(kIdOk, Button, "&OK", At(65, 80, 50, 14), kStyleDefault),
            Control(IdWarningHelp, Button, "&Help", At(125, 80, 50, 14)),
        };
        return dialog;
    }();
    return warning;
}
