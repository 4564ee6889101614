#include "resources/Templates.h"

#include "resources/BrowserIds.h"
#include "resources/ResourceIds.h"
#include "resources/ViewIds.h"

#include <QIcon>

#include <map>

namespace {

// Where the controls of one browser size sit (dialog units).
struct TBrowserLayout {
    int cx, cy;
    TControlTemplate fileList, typeCombo, folderList, driveCombo, preview, info;
    int fileNameWidth;
    int typeLabelY;
    int folderX;
    int drivesLabelY;
    int buttonX, buttonWidth;
    std::array<int, 6> buttonY;
};

TControlTemplate At(int x, int y, int cx, int cy)
{
    TControlTemplate control;
    control.x = x;
    control.y = y;
    control.cx = cx;
    control.cy = cy;
    return control;
}

const std::array<TBrowserLayout, 4>& Layouts()
{
    static const std::array<TBrowserLayout, 4> layouts = { {
        { 292, 206, At(7, 40, 136, 129), At(7, 187, 136, 62), At(152, 40, 75, 129),
            At(152, 186, 75, 62), At(237, 4, 50, 50), At(236, 56, 52, 30), 110, 175, 152, 175, 235,
            53, { 90, 109, 128, 147, 166, 186 } },
        { 384, 269, At(7, 40, 204, 186), At(7, 248, 204, 62), At(220, 40, 75, 185),
            At(220, 248, 75, 62), At(304, 4, 75, 75), At(312, 83, 60, 30), 152, 232, 220, 232, 308,
            68, { 119, 145, 170, 196, 222, 248 } },
        { 491, 343, At(7, 40, 289, 252), At(7, 320, 289, 62), At(308, 40, 75, 252),
            At(308, 319, 75, 62), At(392, 4, 90, 90), At(408, 101, 60, 30), 152, 304, 308, 304, 404,
            68, { 143, 178, 213, 248, 283, 318 } },
        { 614, 429, At(7, 40, 385, 336), At(7, 400, 385, 62), At(408, 40, 75, 336),
            At(408, 399, 75, 62), At(500, 4, 100, 100), At(516, 112, 68, 30), 152, 384, 408, 384,
            516, 68, { 165, 212, 258, 305, 351, 398 } },
    } };
    return layouts;
}

TControlTemplate Control(int id, TControlKind kind, std::string text, TControlTemplate place,
    uint32_t style = kStyleNone)
{
    place.id = id;
    place.kind = kind;
    place.text = std::move(text);
    place.style = style;
    return place;
}

TDialogTemplate MakeBrowserTemplate(int id, const TBrowserLayout& layout, bool extended)
{
    using enum TControlKind;
    TDialogTemplate browser;
    browser.id = id;
    browser.cx = layout.cx;
    browser.cy = layout.cy;
    browser.child = true;
    const uint32_t selection = extended ? kStyleExtendedSel : kStyleMultipleSel;
    const int folderX = layout.folderX;
    const int buttonX = layout.buttonX;
    const int buttonW = layout.buttonWidth;
    const auto& buttonY = layout.buttonY;
    browser.controls = {
        Control(IdFileNameLabel, Static, "File &Name:", At(7, 4, 37, 13)),
        Control(IdFileName, Edit, "", At(7, 18, layout.fileNameWidth, 12),
            kStyleAutoHScroll | kStyleNoHideSel),
        Control(IdFileList, ListBox, "", layout.fileList,
            kStyleSort | kStyleMultiColumn | kStyleHScroll | kStyleNoIntegralHeight | selection),
        Control(IdFileTypeLabel, Static, "List Files of &Type:", At(7, layout.typeLabelY, 73, 12)),
        Control(IdTypeCombo, ComboBox, "", layout.typeCombo, kStyleDropDownList),
        Control(IdFoldersLabel, Static, "&Folders:", At(folderX, 4, 33, 12)),
        Control(
            IdFolderText, Static, "", At(folderX, 18, 74, 12), kStyleNoWordWrap | kStyleNoPrefix),
        Control(IdFolderList, ListBox, "", layout.folderList,
            kStyleOwnerDrawFixed | kStyleHasStrings | kStyleVScroll | kStyleNoIntegralHeight),
        Control(IdDrivesLabel, Static, "&Drives:", At(folderX, layout.drivesLabelY, 65, 12)),
        Control(IdDriveCombo, ComboBox, "", layout.driveCombo,
            kStyleDropDownList | kStyleOwnerDrawFixed | kStyleHasStrings),
        Control(IdPreviewBox, Static, "", layout.preview, kStyleHidden),
        Control(IdInfoText, Static, "", layout.info, kStyleCenter | kStyleSunken | kStyleBorder),
        Control(IdShowButton, Button, "&Show", At(buttonX, buttonY[0], buttonW, 14), kStyleDefault),
        Control(IdDeleteButton, Button, "D&elete", At(buttonX, buttonY[1], buttonW, 14)),
        Control(IdCopyButton, Button, "Co&py", At(buttonX, buttonY[2], buttonW, 14)),
        Control(IdOptionsButton, Button, "&Options", At(buttonX, buttonY[3], buttonW, 14)),
        Control(IdHelpButton, Button, "&Help", At(buttonX, buttonY[4], buttonW, 14)),
        Control(IdExitButton, Button, "E&xit", At(buttonX, buttonY[5], buttonW, 14)),
    };
    return browser;
}

const std::map<int, TDialogTemplate>& BrowserTemplates()
{
    static const std::map<int, TDialogTemplate> templates = [] {
        const std::array<int, 4> multiple = { kBrowserMultiple640, kBrowserMultiple800,
            kBrowserMultiple1024, kBrowserMultiple1280 };
        const std::array<int, 4> extended = { kBrowserExtended640, kBrowserExtended800,
            kBrowserExtended1024, kBrowserExtended1280 };
        std::map<int, TDialogTemplate> made;
        for (size_t size = 0; size < 4; ++size) {
            made[multiple[size]] = MakeBrowserTemplate(multiple[size], Layouts()[size], false);
            made[extended[size]] = MakeBrowserTemplate(extended[size], Layouts()[size], true);
        }
        return made;
    }();
    return templates;
}

} // namespace

const TDialogTemplate& BrowserTemplate(int templateId)
{
    const auto& templates = BrowserTemplates();
    const auto found = templates.find(templateId);
    return found != templates.end() ? found->second : templates.at(kBrowserMultiple640);
}

const std::vector<int>& BrowserTemplateIds()
{
    static const std::vector<int> ids = { kBrowserMultiple640, kBrowserMultiple800,
        kBrowserMultiple1024, kBrowserMultiple1280, kBrowserExtended640, kBrowserExtended800,
        kBrowserExtended1024, kBrowserExtended1280 };
    return ids;
}

const TDialogTemplate& AboutTemplate()
{
    using enum TControlKind;
    static const TDialogTemplate about = [] {
        TDialogTemplate dialog;
        dialog.id = kAboutTemplate;
        dialog.caption = "Pelorin - about";
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

const TAccelTable& ViewAccelerators()
{
    // The letter entries are characters and come twice, once for each case of the letter.
    static const TAccelTable table(kViewAccelerators,
        {
            { Qt::Key_Return, Qt::NoModifier, CmNextFile },
            { Qt::Key_F, Qt::ControlModifier, CmFocusBrowser, true },
            { Qt::Key_F, Qt::ControlModifier, CmFocusBrowser, true },
            { Qt::Key_S, Qt::ControlModifier, CmSaveAsBmp, true },
            { Qt::Key_S, Qt::ControlModifier, CmSaveAsBmp, true },
            { Qt::Key_G, Qt::ControlModifier, CmNextFrameNow, true },
            { Qt::Key_G, Qt::ControlModifier, CmNextFrameNow, true },
            { Qt::Key_T, Qt::ControlModifier, CmReloadTransparency, true },
            { Qt::Key_T, Qt::ControlModifier, CmReloadTransparency, true },
            { Qt::Key_X, Qt::AltModifier, CmCloseAndExit, true },
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

QIcon ProgramIcon() { return QIcon(":/pelorin/Pelorin.png"); }
