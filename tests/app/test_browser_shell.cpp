#include "resources/BrowserIds.h"
#include "resources/ResourceIds.h"
#include "resources/Templates.h"
#include "tests/app/AppFixture.h"
#include "ui/ListBox.h"

#include <map>

namespace {

const std::vector<int> kControlOrder
    = { IdFileNameLabel, IdFileName, IdFileList, IdFileTypeLabel, IdTypeCombo, IdFoldersLabel,
          IdFolderText, IdFolderList, IdDrivesLabel, IdDriveCombo, IdPreviewBox, IdInfoText,
          IdShowButton, IdDeleteButton, IdCopyButton, IdOptionsButton, IdHelpButton, IdExitButton };

// The rectangle a control takes in a browser: a combo box shows closed, one line high.
QRect Occupied(const TControlTemplate& control)
{
    const int height = control.kind == TControlKind::ComboBox ? 12 : control.cy;
    return QRect(control.x, control.y, control.cx, height);
}

} // namespace

TEST(BrowserTemplates, EightTemplatesHoldTheSameControlsAtFourSizes)
{
    const std::map<int, std::pair<QSize, bool>> expected = {
        { 130, { QSize(292, 206), false } },
        { 173, { QSize(292, 206), true } },
        { 131, { QSize(384, 269), false } },
        { 174, { QSize(384, 269), true } },
        { 146, { QSize(491, 343), false } },
        { 175, { QSize(491, 343), true } },
        { 147, { QSize(614, 429), false } },
        { 176, { QSize(614, 429), true } },
    };
    for (const auto& [id, shape] : expected) {
        const TDialogTemplate& browser = BrowserTemplate(id);
        EXPECT_EQ(browser.id, id);
        EXPECT_EQ(QSize(browser.cx, browser.cy), shape.first) << id;
        std::vector<int> order;
        for (const TControlTemplate& control : browser.controls)
            order.push_back(control.id);
        EXPECT_EQ(order, kControlOrder) << id;
        const TControlTemplate* fileList = browser.Find(IdFileList);
        EXPECT_EQ(fileList->Has(kStyleExtendedSel), shape.second) << id;
        EXPECT_EQ(fileList->Has(kStyleMultipleSel), !shape.second) << id;
    }
}

// The smallest templates let the drives label reach one unit into the drive box below it.
TEST(BrowserTemplates, EveryControlLiesInsideItsTemplateWithoutOverlapping)
{
    for (int id : BrowserTemplateIds()) {
        const TDialogTemplate& browser = BrowserTemplate(id);
        const QRect bounds(0, 0, browser.cx, browser.cy);
        for (size_t i = 0; i < browser.controls.size(); ++i) {
            const QRect a = Occupied(browser.controls[i]);
            EXPECT_TRUE(bounds.contains(a)) << id << " control " << browser.controls[i].id;
            for (size_t j = i + 1; j < browser.controls.size(); ++j) {
                EXPECT_LE(a.intersected(Occupied(browser.controls[j])).height(), 1)
                    << id << ": " << browser.controls[i].id << " and " << browser.controls[j].id;
            }
        }
    }
}

TEST_F(MainWindowTest, BrowserLaysOutItsTemplateInPixelsOfTheDialogFont)
{
    Settings().CurrentLayout = 3;
    TViewFileDlg browser(nullptr, 176);
    browser.Create();
    const TDialogUnits& units = browser.Units();
    EXPECT_EQ(browser.size(), QSize(units.X(614), units.Y(429)));
    auto* fileList = browser.ControlAs<TListBox>(IdFileList);
    ASSERT_NE(fileList, nullptr);
    EXPECT_EQ(fileList->geometry(), units.ToPixels(7, 40, 385, 336));
    EXPECT_EQ(fileList->SelStyle(), TListBox::TSelStyle::Extended);
    EXPECT_TRUE(fileList->IsSorted() && fileList->IsMultiColumn());
    EXPECT_TRUE(browser.ControlAs<TListBox>(IdFolderList)->IsOwnerDraw());
    EXPECT_EQ(
        browser.Control(IdExitButton)->Widget()->geometry(), units.ToPixels(516, 398, 68, 14));
    EXPECT_FALSE(browser.Control(IdPreviewBox)->Widget()->isVisibleTo(&browser));
}

TEST_F(MainWindowTest, FirstBrowserLoadsTheBrowserSettingsAndLaterOnesKeepMemory)
{
    WriteIni("ConfirmOn=0\nFileType=4\n");
    Settings().CurrentLayout = 2;
    {
        TViewFileDlg browser(nullptr, 175);
        EXPECT_FALSE(Settings().ConfirmOn);
        EXPECT_EQ(Settings().FileType, 4);
        EXPECT_EQ(Settings().SizeMain, 2);
    }
    Settings().ConfirmOn = true;
    Settings().CurrentLayout = 1;
    ProcessFlags().restart = true;
    TViewFileDlg again(nullptr, 174);
    EXPECT_TRUE(Settings().ConfirmOn);
    EXPECT_EQ(Settings().SizeMain, 1);
    // The set-up of the new browser completes the restart.
    EXPECT_TRUE(ProcessFlags().restart);
    again.Create();
    EXPECT_FALSE(ProcessFlags().restart);
}
