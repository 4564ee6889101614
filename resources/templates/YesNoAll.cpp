// The question with Yes to All (139): asked before each of several files is overwritten or,
// read-only, deleted; a caller may give it a caption of its own.
#include "platform/Product.h"
#include "resources/FileDialogIds.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/templates/ControlTemplates.h"
#include "ui/ModalService.h"

const TDialogTemplate& YesNoAllTemplate()
{
    using enum TControlKind;
    static const TDialogTemplate question = [] {
        TDialogTemplate dialog;
        dialog.id = kYesNoAllTemplate;
        dialog.caption = ProductCaption("overwrite confirmation");
        dialog.cx = 209;
        dialog.cy = 66;
        dialog.controls = {
            Control(IdQuestionIcon, Static, "", At(8, 8, 20, 21), kStyleHidden),
            // The question names a file: an '&' in it is no mnemonic.
            Control(IdQuestionText, Static, "", At(36, 8, 164, 24), kStyleCenter | kStyleNoPrefix),
            Control(kIdOk, Button, "&Yes", At(20, 44, 50, 14), kStyleDefault),
            Control(IdYesToAll, Button, "Yes to &All", At(80, 44, 50, 14)),
            Control(kIdCancel, Button, "&No", At(140, 44, 50, 14)),
        };
        return dialog;
    }();
    return question;
}
