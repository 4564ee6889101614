#include "tests/view/ViewFixture.h"
#include "view/ReaderOptions.h"

#include <tuple>

// Every preference the readers take is changed from its default, so one read from the wrong
// key, or not handed over at all, shows.
TEST_F(ViewTest, ReadersTakeTheirPreferencesFromTheSettings)
{
    TViewSettings& settings = Settings();
    settings.IntensityOffset = -40;
    settings.ShowStatus = false;
    settings.ShowAnimatedGIF = false;
    settings.UseBKColor = true;
    settings.PrevBKColor = 0x123456;

    const TPreviewOptions preview = PreviewOptionsFrom(settings);
    EXPECT_EQ(std::tuple(preview.showAnimatedGif, preview.useBkColor, preview.prevBkColor),
        std::tuple(false, true, 0x123456u));

    Show({ WritePicture("shown.bmp", 4, 4) });
    ASSERT_NE(view->Image(), nullptr);
    const TDecodeOptions& shown = view->Image()->Options();
    EXPECT_EQ(std::tuple(shown.intensityOffset, shown.showStatus, shown.showAnimatedGif,
                  shown.useBkColor, shown.prevBkColor),
        std::tuple(-40, false, false, true, 0x123456u));
}
