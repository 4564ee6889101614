#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/Edit.h"
#include "ui/ListBox.h"
#include "ui/ModalService.h"
#include "ui/Static.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TDialogTemplate SampleTemplate(bool child)
{
    using enum TControlKind;
    TDialogTemplate sample;
    sample.id = 900;
    sample.caption = "Pelorin - sample";
    sample.cx = 200;
    sample.cy = 120;
    sample.child = child;
    sample.controls = {
        { 10, Static, "&Name:", 7, 4, 37, 13 },
        { kNoControlId, Static, "fixed text", 50, 4, 60, 10 },
        { kNoControlId, Static, "more text", 50, 14, 60, 10 },
        { 11, Edit, "start", 7, 18, 110, 12 },
        { 12, ListBox, "", 7, 40, 80, 60, kStyleMultipleSel | kStyleSort },
        { 13, ComboBox, "", 100, 40, 75, 62, kStyleDropDownList },
        { 14, Static, "", 100, 60, 20, 20, kStyleHidden },
        { 1, Button, "&OK", 130, 100, 50, 14, kStyleDefault },
        { 2, Button, "Cancel", 70, 100, 50, 14 },
    };
    return sample;
}

// A dialog that brings its own list box class for one id.
class TOwnList : public TListBox {
public:
    using TListBox::TListBox;
};

class TSampleDialog : public TDialog {
public:
    explicit TSampleDialog(bool child, bool ownList = false)
        : TDialog(nullptr, SampleTemplate(child))
    {
        if (ownList)
            new TOwnList(this, 12);
    }
};

} // namespace

TEST(DialogUnits, QuarterCharacterWidthAndEighthHeightRoundedToNearest)
{
    const TDialogUnits units { 6, 13 };
    EXPECT_EQ(units.ToPixels(7, 40, 136, 129), QRect(11, 65, 204, 210)); // 10.5 and 209.6
    EXPECT_EQ(units.X(614), 921);
    EXPECT_EQ(units.Y(429), 697); // 697.125
    EXPECT_EQ(MulDiv(-3, 6, 4), -5); // halves round away from zero
    EXPECT_EQ(MulDiv(5, 6, 4), 8);
    const TDialogUnits font = TDialogUnits::FromFont(DialogFont());
    EXPECT_EQ(font.baseY, QFontMetrics(DialogFont()).height());
    EXPECT_GT(font.baseX, QFontMetrics(DialogFont()).horizontalAdvance('i'));
    EXPECT_LT(font.baseX, QFontMetrics(DialogFont()).horizontalAdvance('W'));
}

TEST(DialogTemplate, ControlsTakeTheTemplatesPlacesTextsAndStyles)
{
    TSampleDialog dialog(true);
    dialog.Create();
    const TDialogUnits& units = dialog.Units();
    EXPECT_EQ(dialog.size(), QSize(units.X(200), units.Y(120)));
    auto* edit = dialog.ControlAs<TEdit>(11);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), units.ToPixels(7, 18, 110, 12));
    EXPECT_EQ(edit->GetText(), "start");
    EXPECT_FALSE(edit->IsModified());
    auto* list = dialog.ControlAs<TListBox>(12);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->SelStyle(), TListBox::TSelStyle::Multiple);
    EXPECT_TRUE(list->IsSorted());
    // A combo box is as high as its font; the template's height is the dropped list's.
    auto* combo = dialog.ControlAs<TComboBox>(13);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->geometry().topLeft(), units.ToPixels(100, 40, 75, 62).topLeft());
    EXPECT_EQ(combo->width(), units.X(75));
    EXPECT_LT(combo->height(), units.Y(62));
    EXPECT_FALSE(dialog.Control(14)->Widget()->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.ControlAs<TButton>(1)->IsDefault());
    EXPECT_FALSE(dialog.ControlAs<TButton>(2)->IsDefault());
    // Labels without an id are all there; a mnemonic label leads to the next control.
    EXPECT_EQ(dialog.findChildren<TStatic*>().size(), 4);
    EXPECT_EQ(dialog.ControlAs<TStatic>(10)->buddy(), edit);
}

TEST(DialogTemplate, AControlTheDialogMadeItselfIsKeptAndPlaced)
{
    TSampleDialog dialog(true, true);
    dialog.Create();
    auto* list = dialog.ControlAs<TOwnList>(12);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(dialog.findChildren<TListBox*>().size(), 1);
    EXPECT_EQ(list->geometry(), dialog.Units().ToPixels(7, 40, 80, 60));
}

TEST(ModalDialog, EnterPressesTheDefaultButtonEscAndTheCloseBoxCancel)
{
    {
        TSampleDialog dialog(false);
        QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Return); });
        EXPECT_EQ(dialog.RunModal(), kIdOk);
        EXPECT_EQ(dialog.Caption(), "Pelorin - sample");
    }
    {
        TSampleDialog dialog(false);
        QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        EXPECT_EQ(dialog.RunModal(), kIdCancel);
    }
    {
        TSampleDialog dialog(false);
        QTimer::singleShot(0, [&] { dialog.close(); });
        EXPECT_EQ(dialog.RunModal(), kIdCancel);
    }
    {
        TSampleDialog dialog(false);
        QTimer::singleShot(0, [&] { dialog.ControlAs<TButton>(2)->click(); });
        EXPECT_EQ(dialog.RunModal(), kIdCancel);
    }
}
