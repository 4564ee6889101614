#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/FilterValidator.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class TNotifyRecorder : public TWindow {
public:
    void EvNotify(int controlId, TNotify code) override { notes.emplace_back(controlId, code); }
    int Count(TNotify code) const
    {
        return int(std::count_if(
            notes.begin(), notes.end(), [code](const auto& note) { return note.second == code; }));
    }
    std::vector<std::pair<int, TNotify>> notes;
};

class ListBoxTest : public ::testing::Test {
protected:
    void Make(TListBox::TSelStyle style)
    {
        list = new TListBox(&window, 123);
        list->SetSelStyle(style);
        list->setGeometry(0, 0, 200, 200);
        for (const char* name : { "a.bmp", "b.gif", "c.jpg", "d.pcx", "e.tga" })
            list->AddString(name);
        window.resize(200, 200);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.notes.clear();
    }
    void Click(int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPoint at = list->visualItemRect(list->item(index)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, at);
    }

    TNotifyRecorder window;
    TListBox* list = nullptr;
};

} // namespace

TEST_F(ListBoxTest, MultipleSelectionClickAndSpaceToggleOneItemEach)
{
    Make(TListBox::TSelStyle::Multiple);
    Click(1);
    Click(3);
    Click(1);
    EXPECT_EQ(list->GetSelIndices(), std::vector<int> { 3 });
    EXPECT_EQ(list->GetCaretIndex(), 1);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(list->GetSelIndices(), (std::vector<int> { 1, 3 }));
    // Moving the caret with the keys leaves the selection alone.
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->GetCaretIndex(), 2);
    EXPECT_EQ(list->GetSelCount(), 2);
}

TEST_F(ListBoxTest, ExtendedSelectionClickSelectsOneShiftExtendsCtrlToggles)
{
    Make(TListBox::TSelStyle::Extended);
    // The caret of a list filled again starts on the first item, so that Down goes to the
    // second.
    list->setFocus();
    list->ClearList();
    list->AddStrings({ "a.bmp", "b.gif", "c.jpg", "d.pcx", "e.tga" });
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->GetSelIndices(), std::vector<int> { 1 });
    Click(1);
    EXPECT_EQ(list->GetSelIndices(), std::vector<int> { 1 });
    Click(3, Qt::ShiftModifier);
    EXPECT_EQ(list->GetSelIndices(), (std::vector<int> { 1, 2, 3 }));
    Click(2, Qt::ControlModifier);
    EXPECT_EQ(list->GetSelIndices(), (std::vector<int> { 1, 3 }));
    EXPECT_EQ(list->GetCaretIndex(), 2);
    Click(4);
    EXPECT_EQ(list->GetSelIndices(), std::vector<int> { 4 });
}

TEST_F(ListBoxTest, CaretAndSelectionSetThroughTheListAreIndependentAndSilent)
{
    Make(TListBox::TSelStyle::Extended);
    list->SetSel(0, true);
    list->SetSel(4, true);
    list->SetCaretIndex(3);
    EXPECT_EQ(list->GetCaretIndex(), 3);
    EXPECT_EQ(list->GetSelIndices(), (std::vector<int> { 0, 4 }));
    list->SetSel(-1, false);
    EXPECT_EQ(list->GetSelCount(), 0);
    EXPECT_EQ(window.Count(TNotify::SelChange), 0);
    // One click is one change, however many signals the view gives for it.
    Click(2);
    EXPECT_EQ(window.Count(TNotify::SelChange), 1);
    QTest::mouseDClick(
        list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(window.Count(TNotify::DblClk), 1);
}

TEST(ListBoxItems, SortedListPlacesItemsInOrderRegardlessOfCase)
{
    TWindow window;
    TListBox list(&window, 123);
    list.SetSorted(true);
    EXPECT_EQ(list.AddString("beach.jpg"), 0);
    EXPECT_EQ(list.AddString("Alps.gif"), 0);
    EXPECT_EQ(list.AddString("canal.bmp"), 2);
    EXPECT_EQ(list.AddString("alps.gif"), 1); // after its equal
    list.SetItemData(2, 0x01930002u);
    EXPECT_EQ(list.GetString(0), "Alps.gif");
    EXPECT_EQ(list.GetString(1), "alps.gif");
    EXPECT_EQ(list.GetItemData(2), 0x01930002u);
    EXPECT_EQ(list.DeleteString(0), 3);
    EXPECT_EQ(list.DeleteString(7), -1);
    EXPECT_EQ(list.GetItemData(1), 0x01930002u);
}

TEST(ComboBox, ExtendedInterfaceOpensTheListOnDownAndClosingNotifies)
{
    TNotifyRecorder window;
    auto* combo = new TComboBox(&window, 121);
    combo->AddString("drive c:");
    combo->AddString("drive d:");
    combo->SetSelIndex(0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->GetSelIndex(), 1); // the standard interface moves the selection
    combo->SetExtendedUI(true);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_TRUE(combo->GetDroppedState());
    EXPECT_EQ(combo->GetSelIndex(), 1);
    combo->ShowDropDown(false);
    EXPECT_FALSE(combo->GetDroppedState());
    EXPECT_EQ(window.Count(TNotify::CloseUp), 1);
}

TEST(ScrollBar, PageSizeLimitsTheLargestPositionTheUserReaches)
{
    TNotifyRecorder window;
    TScrollBar bar(&window, 177);
    bar.SetRange(0, 1859);
    bar.SetPageSize(60);
    bar.SetLineMagnitude(1);
    bar.SetPosition(1799);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar.GetPosition(), 1800);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar.GetPosition(), 1800);
    // Each user move notifies the parent after the bar has moved.
    EXPECT_EQ(window.Count(TNotify::Scroll), 2);
}

TEST(FilterValidator, CharacterSetRangesAcceptExactlyTheirCharacters)
{
    const TCharSet set("!#-*.0-9:;?-{}~");
    for (char c : std::string("!#$%&'()*.0123456789:;?@AZ[\\]^_`az{}~"))
        EXPECT_TRUE(set.Contains(char32_t(c))) << c;
    for (char c : std::string(" \"+,-/<=>|"))
        EXPECT_FALSE(set.Contains(char32_t(c))) << c;
    EXPECT_FALSE(set.Contains(U'\u00e9'));
    // A dash at either end stands for itself.
    EXPECT_TRUE(TCharSet("-a").Contains(U'-'));
    EXPECT_TRUE(TCharSet("a-").Contains(U'-'));
    EXPECT_FALSE(TCharSet("a-c").Contains(U'-'));
}

TEST(FilterValidator, EditFieldRefusesCharactersOutsideTheSet)
{
    TWindow window;
    TEdit edit(&window, 124);
    edit.SetValidator(new TFilterValidator("!#-*.0-9:;?-{}~"));
    QTest::keyClicks(&edit, "my photo+1.gif");
    EXPECT_EQ(edit.text().toStdString(), "myphoto1.gif");
}
