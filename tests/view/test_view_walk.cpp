#include "platform/FileSystem.h"
#include "support/TestFiles.h"
#include "ui/ListBox.h"
#include "ui/Window.h"
#include "view/FileWalk.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct TStart {
    int caret;
    std::set<int> selected;
    bool selectedOnly;
    int index;
};

} // namespace

// Over the selected files only, the walk starts at the first selected file from the caret
// on, wrapping to the list's start; with none selected, or over all files, at the caret.
TEST(FileWalk, StartsAtTheCaretOrTheNextSelectedFile)
{
    TWindow browser;
    auto* list = new TListBox(&browser, 1);
    list->SetSelStyle(TListBox::TSelStyle::Multiple);
    for (const char* name : { "a.bmp", "b.gif", "c.jpg", "d.pcx" })
        list->AddString(name);
    // Paths come in this system's form: c: is a fresh folder here.
    TTempFolder root;
    setenv(kDrivesVariable, ("c=" + root.Path().string()).c_str(), 1);
    FileSystem().Reset();
    const std::string drive = "c:";
    const std::string folder = "\\pictures\\";
    TFileWalk walk;
    walk.SetFiles({ list, &drive, &folder });
    const TStart starts[] = {
        { 1, {}, true, 1 },
        { 1, { 1 }, true, 1 },
        { 1, { 0, 3 }, true, 3 },
        { 2, { 0 }, true, 0 },
        { 2, { 0 }, false, 2 },
    };
    for (const TStart& start : starts) {
        SCOPED_TRACE(start.caret * 10 + int(start.selected.size()));
        for (int i = 0; i < list->GetCount(); ++i)
            list->SetSel(i, start.selected.count(i) != 0);
        list->SetCaretIndex(start.caret);
        walk.StartAtCaret(start.selectedOnly);
        EXPECT_EQ(walk.Index(), start.index);
        EXPECT_EQ(walk.CurrentPath(), root.File("pictures/" + list->GetString(start.index)));
    }

    // The browser's list changes under the walk: a file no longer listed has no path, and
    // the caret stays where it is.
    list->SetCaretIndex(3);
    walk.StartAtCaret(false);
    list->DeleteString(3);
    list->SetCaretIndex(1);
    EXPECT_EQ(walk.CurrentPath(), "");
    walk.MoveCaret();
    EXPECT_EQ(list->GetCaretIndex(), 1);
    unsetenv(kDrivesVariable);
    FileSystem().Reset();
}

namespace {

struct TStepCase {
    int index;
    int count;
    int step;
    std::set<int> accepted; // empty: every item
    int expected;
};

} // namespace

// Steps wrap at both ends, skip the items not accepted, and from an index that a shrunken
// list no longer reaches, lead to its first item forwards and its last backwards.
TEST(FileWalk, StepsWrapSkipAndStayInsideTheList)
{
    const TStepCase cases[] = {
        { 2, 3, 1, {}, 0 },
        { 0, 3, -1, {}, 2 },
        { 1, 3, 1, {}, 2 },
        { 0, 4, 1, { 0, 3 }, 3 },
        { 3, 4, 1, { 0, 3 }, 0 },
        { 0, 4, -1, { 0, 3 }, 3 },
        { 7, 3, 1, {}, 0 },
        { 7, 3, -1, {}, 2 },
        { 7, 3, -1, { 0, 1 }, 1 },
        { 0, 0, 1, {}, -1 },
    };
    for (const TStepCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << " of " << c.count << " by " << c.step);
        std::function<bool(int)> accept;
        if (!c.accepted.empty())
            accept = [&c](int index) { return c.accepted.count(index) != 0; };
        EXPECT_EQ(StepIndex(c.index, c.count, c.step, accept), c.expected);
    }
}
