// The progress window of a delete or a copy (159): the file at hand over Cancel. The caller
// gives the caption.
#include "platform/Product.h"
#include "resources/FileDialogIds.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/templates/ControlTemplates.h"
#include "ui/ModalService.h"

const TDialogTemplate& CancelTemplate()
{
    using enum TControlKind;
    static const TDialogTemplate progress = [] {
        TDialogTemplate dialog;
        dialog.id = kCancelTemplate;
        dialog.caption = std::string(kProductName);
        dialog.cx = 160;
        dialog.cy = 73;
        dialog.controls = {
            // A name is shown as it is: an '&' in it is no mnemonic.
            Control(IdProgressText, Static, "", At(6, 16, 148, 20), kStyleCenter | kStyleNoPrefix),
            Control(kIdCancel, Button, "Cancel", At(55, 48, 50, 14), kStyleDefault),
        };
        return dialog;
    }();
    return progress;
}
