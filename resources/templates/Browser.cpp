// The file browser's eight templates (130, 131, 146, 147, 173 to 176): the same 18 controls at
// four sizes, each size with a multiple-selection and an extended-selection file list.
#include "resources/BrowserIds.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "resources/templates/ControlTemplates.h"

#include <array>
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
