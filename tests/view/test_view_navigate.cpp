#include "tests/view/ViewFixture.h"

#include <set>

namespace {

struct TWalkStep {
    int command;
    int shown; // the index of the file shown afterwards
    std::set<int> selected; // the browser's selection afterwards
};

std::set<int> Selection(const TListBox& list)
{
    const std::vector<int> indices = list.GetSelIndices();
    return { indices.begin(), indices.end() };
}

} // namespace

// Enter and Backspace wrap at both ends, Space toggles the file it leaves, and over the
// selected files only the walk skips the others once two are selected; the browser's caret
// follows the shown file.
TEST_F(ViewTest, StepsWalkTheBrowsersListAndItsSelection)
{
    const std::vector<std::string> names = { WritePicture("a.bmp", 8, 8),
        WritePicture("b.bmp", 9, 8), WritePicture("c.bmp", 10, 8), WritePicture("d.bmp", 11, 8) };
    Show(names, 3);
    const TWalkStep steps[] = {
        { CmNextFile, 0, {} }, { CmPreviousFile, 3, {} }, { CmToggleAndNext, 0, { 3 } },
        { CmToggleAndNext, 1, { 0, 3 } }, { CmShowSelectedFiles, 3, { 0, 3 } },
        { CmNextFile, 0, { 0, 3 } }, { CmPreviousFile, 3, { 0, 3 } },
        { CmToggleAndNext, 0, { 0, 3 } }, // no toggling over the selected files
    };
    for (const TWalkStep& step : steps) {
        SCOPED_TRACE(step.command);
        view->PostCommand(step.command);
        Flush();
        EXPECT_EQ(view->FileName(), PathOf(names[size_t(step.shown)]));
        EXPECT_EQ(browser.list->GetCaretIndex(), step.shown);
        EXPECT_EQ(Selection(*browser.list), step.selected);
    }
    // One selected file does not hold the walk: it goes through the whole list.
    browser.list->SetSel(0, false);
    view->PostCommand(CmNextFile);
    Flush();
    EXPECT_EQ(view->CurrentIndex(), 1);
    EXPECT_TRUE(modal.MessageBoxes().empty());
}

// A command arriving during a decode stops it and runs once it has returned: Enter pressed
// twice on a long file shows the file after it, and Ctrl+T toggles transparency once and
// shows the same file again.
TEST_F(ViewTest, CommandsDuringADecodeStopItAndRunAfterwards)
{
    const std::vector<std::string> names = { WritePicture("a.bmp", 8, 8),
        WritePicture("long.bmp", 40, 3000), WritePicture("c.bmp", 10, 8) };
    for (const int second : { CmNextFile, CmReloadTransparency }) {
        SCOPED_TRACE(second);
        ProcessFlags().useTransparency = true;
        Show(names, 0);
        view->commands.clear();
        // The second key comes once the first has started its decode.
        view->onCommand = [this, second](int) {
            if (view->commands.size() == 1)
                view->PostCommand(second);
        };
        view->PostCommand(CmNextFile);
        Flush();
        Flush();
        const bool reload = second == CmReloadTransparency;
        EXPECT_EQ(view->FileName(), PathOf(names[reload ? 1 : 2]));
        EXPECT_EQ(view->commands, (std::vector<int> { CmNextFile, second, second }));
        EXPECT_EQ(ProcessFlags().useTransparency, !reload);
        EXPECT_TRUE(modal.MessageBoxes().empty());
    }
}

// The browser changes folder under the window: the walk goes on from within the new list
// (the reload of a file no longer listed shows the last one), and a list left empty closes the
// window without a word.
TEST_F(ViewTest, AListChangedUnderTheWindowIsWalkedFromWithinIt)
{
    const std::vector<std::string> names = { WritePicture("a.bmp", 8, 8),
        WritePicture("b.bmp", 9, 8), WritePicture("c.bmp", 10, 8) };
    Show(names, 2);
    browser.list->DeleteString(2);
    view->PostCommand(CmReloadTransparency);
    Flush();
    EXPECT_EQ(view->FileName(), PathOf(names[1]));
    browser.list->ClearList();
    browser.commands.clear();
    view->PostCommand(CmNextFile);
    Flush();
    EXPECT_EQ(view.data(), nullptr);
    EXPECT_EQ(browser.commands, std::vector<int> { CmRefreshPreview });
    EXPECT_TRUE(modal.MessageBoxes().empty());
}
