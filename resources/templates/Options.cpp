// The options dialog (101): the main window's options and sizes on the left, the viewing
// window's and the GIF options on the right, the buttons under the sizes.
#include "platform/Product.h"
#include "resources/OptionsIds.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/templates/ControlTemplates.h"
#include "ui/ModalService.h"

const TDialogTemplate& OptionsTemplate()
{
    using enum TControlKind;
    static const TDialogTemplate options = [] {
        TDialogTemplate dialog;
        dialog.id = kOptionsTemplate;
        dialog.caption = ProductCaption("options");
        dialog.cx = 321;
        dialog.cy = 214;
        constexpr int left = 13; // the left column's controls
        constexpr int right = 170; // the right column's
        constexpr int width = 138;
        dialog.controls = {
            Control(kNoControlId, GroupBox, "Main window options:", At(7, 4, 150, 116)),
            Control(IdPreviewOn, CheckBox, "&Preview on", At(left, 15, width, 10)),
            Control(kNoControlId, Static, "Preview background color:", At(left, 30, 88, 9)),
            Control(IdPreviewColor, Static, "", At(102, 28, 16, 12), kStyleHidden),
            Control(IdChangeColor, Button, "Chan&ge", At(121, 27, 32, 14)),
            Control(IdConfirmOn, CheckBox, "Co&nfirmations on", At(left, 45, width, 10)),
            Control(IdShowHidden, CheckBox, "Show hidden &files/folders", At(left, 57, width, 10)),
            Control(IdAutoSizeMain, CheckBox, "&Auto size window", At(left, 69, width, 10)),
            Control(IdAltFileSel, CheckBox, "Alternate file se&lection", At(left, 81, width, 10)),
            Control(IdShiftForSelected, CheckBox, "&Use shift for selected files",
                At(left, 93, width, 10)),
            Control(
                IdSavePath, CheckBox, "Save drive/folder when e&xiting", At(left, 105, width, 10)),
            Control(IdMainSizes, GroupBox, "&Main window sizes:", At(7, 124, 150, 64)),
            // Each size starts a group of its own: the dialog unchecks the other three.
            Control(IdSize640, RadioButton, "for 640x480 screen", At(left, 136, width, 10),
                kStyleGroup),
            Control(IdSize800, RadioButton, "for 800x600 screen", At(left, 148, width, 10),
                kStyleGroup),
            Control(IdSize1024, RadioButton, "for 1024x768 screen", At(left, 160, width, 10),
                kStyleGroup),
            Control(IdSize1280, RadioButton, "for 1280x1024 screen", At(left, 172, width, 10),
                kStyleGroup),
            Control(kNoControlId, GroupBox, "Viewing window options:", At(164, 4, 150, 148)),
            Control(IdFullScreen, CheckBox, "&View full screen", At(right, 15, width, 10)),
            Control(IdShowStatus, CheckBox, "Show status while loa&ding", At(right, 27, width, 10)),
            Control(IdAutoSizeView, CheckBox, "Auto si&ze window", At(right, 39, width, 10)),
            Control(IdFit, CheckBox, "Shrin&k image to fit window", At(right, 51, width, 10)),
            Control(IdCenterImage, CheckBox, "C&enter image or window", At(right, 63, width, 10)),
            Control(IdShowWarnings, CheckBox, "Show image &warnings", At(right, 75, width, 10)),
            Control(IdUseFastDibs, CheckBox, "Use &quick DIB display", At(right, 87, width, 10)),
            Control(kNoControlId, Static, "Slideshow &Timer:", At(right, 101, 80, 9)),
            Control(
                IdTimerLabel, Static, "60m 59s", At(258, 101, 50, 9), kStyleRight | kStyleNoPrefix),
            Control(IdTimerBar, ScrollBar, "", At(right, 111, width, 10)),
            Control(kNoControlId, Static, "Intensit&y offset :", At(right, 125, 80, 9)),
            Control(
                IdIntensityLabel, Static, "0", At(258, 125, 50, 9), kStyleRight | kStyleNoPrefix),
            Control(IdIntensityBar, ScrollBar, "", At(right, 135, width, 10)),
            Control(kNoControlId, GroupBox, "GIF Options:", At(164, 156, 150, 52)),
            Control(IdShowAnimatedGif, CheckBox, "Show animated G&IF's", At(right, 167, width, 10)),
            Control(IdUseSSTimer, CheckBox, "Use slideshow time&r for animation",
                At(right, 179, width, 10)),
            Control(
                IdUseBkColor, CheckBox, "Use preview &background color", At(right, 191, width, 10)),
            Control(kIdOk, Button, "&OK", At(7, 194, 35, 14), kStyleDefault),
            Control(IdSaveOptions, Button, "&Save", At(45, 194, 35, 14)),
            Control(IdOptionsHelp, Button, "&Help", At(84, 194, 35, 14)),
            Control(kIdCancel, Button, "&Cancel", At(122, 194, 35, 14)),
        };
        return dialog;
    }();
    return options;
}
