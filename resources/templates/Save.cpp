// The save command's progress window (164) and confirmation window (166): one centred line of
// text, the file's name, over one button.
#include "platform/Product.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/templates/ControlTemplates.h"

namespace {

TDialogTemplate SaveTemplate(int id, const char* matter, int buttonId, const char* buttonText)
{
    using enum TControlKind;
    TDialogTemplate dialog;
    dialog.id = id;
    dialog.caption = ProductCaption(matter);
    dialog.cx = 260;
    dialog.cy = 52;
    dialog.controls = {
        // A name is shown as it is: an '&' in it is no mnemonic.
        Control(IdSaveText, Static, "", At(6, 8, 248, 18), kStyleCenter | kStyleNoPrefix),
        Control(buttonId, Button, buttonText, At(105, 32, 50, 14), kStyleDefault),
    };
    return dialog;
}

} // namespace

const TDialogTemplate& SaveCancelTemplate()
{
    static const TDialogTemplate dialog
        = SaveTemplate(kSaveCancelTemplate, "saving image as ...", 2, "Cancel");
    return dialog;
}

const TDialogTemplate& SaveOKTemplate()
{
    static const TDialogTemplate dialog
        = SaveTemplate(kSaveOKTemplate, "image saved as ...", 1, "OK");
    return dialog;
}
