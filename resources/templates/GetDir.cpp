// The destination folder dialog of a copy (137): a folder tree and a drive list of their own
// over the browser's file system, OK and Cancel.
#include "platform/Product.h"
#include "resources/FileDialogIds.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/templates/ControlTemplates.h"
#include "ui/ModalService.h"

const TDialogTemplate& GetDirTemplate()
{
    using enum TControlKind;
    static const TDialogTemplate destination = [] {
        TDialogTemplate dialog;
        dialog.id = kGetDirTemplate;
        dialog.caption = ProductCaption("destination folder for files");
        dialog.cx = 182;
        dialog.cy = 210;
        dialog.controls = {
            Control(kNoControlId, Static, "&Folders:", At(11, 4, 96, 12)),
            // The folder shown, as a path: an '&' in it is no mnemonic.
            Control(IdDestFolderText, Static, "", At(11, 18, 96, 12),
                kStyleNoWordWrap | kStyleNoPrefix),
            Control(IdDestFolderList, ListBox, "", At(11, 33, 96, 135),
                kStyleOwnerDrawFixed | kStyleHasStrings | kStyleVScroll | kStyleNoIntegralHeight),
            Control(kNoControlId, Static, "&Drives:", At(11, 171, 96, 12)),
            Control(IdDestDriveCombo, ComboBox, "", At(11, 184, 96, 62),
                kStyleDropDownList | kStyleOwnerDrawFixed | kStyleHasStrings),
            Control(kIdOk, Button, "&OK", At(120, 72, 50, 14), kStyleDefault),
            Control(kIdCancel, Button, "&Cancel", At(120, 108, 50, 14)),
        };
        return dialog;
    }();
    return destination;
}
