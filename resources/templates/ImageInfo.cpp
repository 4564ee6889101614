// The image information dialog (190): the file's name and type, then its header lines beside
// the numbers the thumbnail was made with.
#include "platform/Product.h"
#include "resources/ImageInfoIds.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/templates/ControlTemplates.h"
#include "ui/ModalService.h"

const TDialogTemplate& ImageInfoTemplate()
{
    using enum TControlKind;
    static const TDialogTemplate info = [] {
        TDialogTemplate dialog;
        dialog.id = kImageInfoTemplate;
        dialog.caption = ProductCaption("image information");
        dialog.cx = 315;
        dialog.cy = 236;
        constexpr uint32_t list = kStyleVScroll | kStyleNoIntegralHeight;
        dialog.controls = {
            Control(kNoControlId, Static, "Filename:", At(7, 6, 40, 9)),
            Control(IdInfoFileName, Static, "", At(50, 6, 258, 18), kStyleNoPrefix),
            Control(kNoControlId, Static, "File type:", At(7, 26, 40, 9)),
            Control(IdInfoFileType, Static, "", At(50, 26, 60, 9), kStyleNoPrefix),
            Control(kNoControlId, Static, "&Image information:", At(7, 40, 100, 9)),
            Control(IdImageLines, ListBox, "", At(7, 50, 165, 160), list),
            Control(kNoControlId, Static, "&Preview information:", At(178, 40, 100, 9)),
            Control(IdPreviewLines, ListBox, "", At(178, 50, 130, 160), list),
            Control(kIdOk, Button, "&OK", At(133, 216, 50, 14), kStyleDefault),
        };
        return dialog;
    }();
    return info;
}
