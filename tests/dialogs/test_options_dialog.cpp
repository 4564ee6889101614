#include "dialogs/ViewOptionsDlg.h"
#include "resources/OptionsIds.h"
#include "tests/dialogs/DialogFixture.h"
#include "ui/ColorRef.h"
#include "ui/ScrollBar.h"
#include "ui/Static.h"

#include <QAbstractButton>

namespace {

QAbstractButton* Button(TDialog& dialog, int id)
{
    return dynamic_cast<QAbstractButton*>(dialog.Control(id)->Widget());
}

void Click(TDialog& dialog, int id) { Button(dialog, id)->click(); }

bool Enabled(TDialog& dialog, int id) { return dialog.Control(id)->Widget()->isEnabled(); }

void Scroll(TDialog& dialog, int id, QAbstractSlider::SliderAction action)
{
    dialog.ControlAs<TScrollBar>(id)->triggerAction(action);
}

} // namespace

using OptionsDialog = DialogTest;

TEST_F(OptionsDialog, SaveWritesTheDialogsStateAndCancelKeepsTheProgramsValues)
{
    Settings().CustomColor[0] = 0x123456;
    Settings().AutoSizeMain = false;
    Settings().PrevBKColor = 0x00FF00;
    const TViewSettings before = Settings();
    modal.QueueColor(std::nullopt);
    modal.QueueColor(0x2040C0);
    TViewOptionsDlg dialog(nullptr, Settings());
    Run<TViewOptionsDlg>(dialog, [&](TViewOptionsDlg& shown) {
        // The swatch shows the colour; a grab may keep fewer bits of each channel.
        const auto swatchIs = [&](uint32_t colorRef) {
            const QColor pixel = shown.grab().toImage().pixelColor(shown.SwatchRect().center());
            const QColor color = ColorFromRef(colorRef);
            return std::abs(pixel.red() - color.red()) < 8
                && std::abs(pixel.green() - color.green()) < 8
                && std::abs(pixel.blue() - color.blue()) < 8;
        };
        EXPECT_TRUE(swatchIs(0x00FF00));
        Click(shown, IdChangeColor); // cancelled: nothing changes
        EXPECT_FALSE(Enabled(shown, IdSaveOptions));
        Click(shown, IdChangeColor);
        EXPECT_TRUE(swatchIs(0x2040C0));
        Click(shown, IdSize1280);
        Scroll(shown, IdTimerBar, QAbstractSlider::SliderToMaximum);
        Scroll(shown, IdIntensityBar, QAbstractSlider::SliderToMinimum);
        Click(shown, IdSaveOptions);
        EXPECT_FALSE(Enabled(shown, IdSaveOptions));
        EXPECT_FALSE(ProcessFlags().optionsUnsaved);
        Click(shown, IdOptionsHelp);
        return kIdCancel;
    });
    for (const auto& [key, value] : { std::pair { "SizeMain", "3" }, { "SlideShowTimer", "1800" },
             { "IntensityOffset", "-128" }, { "PrevBKColor", "2113728" },
             { "CustomColor1", "1193046" } })
        EXPECT_EQ(IniValue(key), value) << key;
    EXPECT_EQ(Settings(), before);
    EXPECT_EQ(help.opened.at(0).second, 1);
}

// The rules of the set-up mark changes, yet opening the dialog marks none: Save starts disabled
// unless a change was left unsaved, by this dialog or an earlier one.
TEST_F(OptionsDialog, SaveStartsEnabledOnlyWithUnsavedChanges)
{
    for (const bool unsaved : { false, true, true }) {
        TViewOptionsDlg dialog(nullptr, Settings());
        Run<TViewOptionsDlg>(dialog, [&](TViewOptionsDlg& shown) {
            EXPECT_EQ(Enabled(shown, IdSaveOptions), unsaved);
            EXPECT_EQ(ProcessFlags().optionsUnsaved, unsaved);
            Click(shown, IdUseBkColor);
            return kIdCancel;
        });
    }
}

TEST_F(OptionsDialog, ScrollBarsLabelTheirPositions)
{
    struct TCase {
        int bar;
        int start;
        QAbstractSlider::SliderAction action;
        std::string text;
    };
    for (const TCase& test : {
             TCase { IdTimerBar, 1, QAbstractSlider::SliderSingleStepSub, "off" },
             TCase { IdTimerBar, 60, QAbstractSlider::SliderSingleStepAdd, "1m 1s" },
             TCase { IdTimerBar, 0, QAbstractSlider::SliderToMaximum, "30m 0s" }, // 1800
             TCase { IdIntensityBar, 10, QAbstractSlider::SliderPageStepSub, "-128" }, // 0
             TCase { IdIntensityBar, 127, QAbstractSlider::SliderSingleStepAdd, "0" }, // 128
             TCase { IdIntensityBar, 0, QAbstractSlider::SliderToMaximum, "127" }, // 255
         }) {
        const bool timer = test.bar == IdTimerBar;
        Settings().SlideShowTimer = timer ? test.start : 0;
        Settings().IntensityOffset = timer ? 0 : test.start - 128;
        ProcessFlags().optionsUnsaved = false;
        TViewOptionsDlg dialog(nullptr, Settings());
        Run<TViewOptionsDlg>(dialog, [&](TViewOptionsDlg& shown) {
            Scroll(shown, test.bar, test.action);
            const int label = timer ? IdTimerLabel : IdIntensityLabel;
            EXPECT_EQ(shown.ControlAs<TStatic>(label)->GetText(), test.text);
            EXPECT_TRUE(Enabled(shown, IdSaveOptions));
            return kIdCancel;
        });
    }
}

TEST_F(OptionsDialog, FullScreenAndAutoSizeDecideTheViewingWindowBoxesAndTheCentreLabel)
{
    // Full screen enables the status box and disables auto size; the centre box speaks of the
    // window only without full screen and with auto size.
    const auto expect = [](TDialog& shown, bool fullScreen, bool autoSize) {
        EXPECT_EQ(Enabled(shown, IdShowStatus), fullScreen);
        EXPECT_EQ(Enabled(shown, IdAutoSizeView), !fullScreen);
        EXPECT_EQ(Button(shown, IdCenterImage)->text().toStdString(),
            !fullScreen && autoSize ? "C&enter window in screen" : "C&enter image in window")
            << fullScreen << autoSize;
    };
    for (const bool fullScreen : { false, true }) {
        for (const bool autoSize : { false, true }) {
            Settings().FullScreen = fullScreen;
            Settings().AutoSizeView = autoSize;
            TViewOptionsDlg dialog(nullptr, Settings());
            Run<TViewOptionsDlg>(dialog, [&](TViewOptionsDlg& shown) {
                expect(shown, fullScreen, autoSize);
                Click(shown, IdFullScreen);
                expect(shown, !fullScreen, autoSize);
                Click(shown, IdFullScreen);
                Click(shown, IdAutoSizeView); // nothing while it is disabled
                expect(shown, fullScreen, fullScreen ? autoSize : !autoSize);
                return kIdCancel;
            });
        }
    }
}

TEST_F(OptionsDialog, AutoSizeDisablesTheSizesButKeepsTheStoredOneAndOkKeepsTheChoice)
{
    const std::array<int, 4> sizes = { IdSize640, IdSize800, IdSize1024, IdSize1280 };
    for (const auto& [autoSize, sizeMain, checked] :
        { std::tuple { true, 2, IdSize1024 }, { false, 3, IdSize1280 }, { false, 7, IdSize640 } }) {
        Settings().AutoSizeMain = autoSize;
        Settings().SizeMain = sizeMain;
        TViewOptionsDlg dialog(nullptr, Settings());
        Run<TViewOptionsDlg>(dialog, [&](TViewOptionsDlg& shown) {
            EXPECT_EQ(Enabled(shown, IdMainSizes), !autoSize);
            for (int id : sizes) {
                EXPECT_EQ(Enabled(shown, id), !autoSize) << id;
                EXPECT_EQ(Button(shown, id)->isChecked(), id == checked) << sizeMain;
            }
            // Without the automatic size a click on a size unchecks the others.
            if (autoSize)
                Click(shown, IdAutoSizeMain);
            Click(shown, IdSize800);
            for (int id : sizes)
                EXPECT_EQ(Button(shown, id)->isChecked(), id == IdSize800) << sizeMain;
            shown.EvCommand(kIdOk);
            return shown.Result();
        });
        // OK keeps the dialog's state in memory and writes nothing.
        EXPECT_FALSE(Settings().AutoSizeMain);
        EXPECT_EQ(Settings().SizeMain, 1);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("Pelorin.ini")));
}
