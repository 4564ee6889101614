#include "tests/image/GifBuilder.h"
#include "tests/view/ViewFixture.h"

#include <filesystem>

namespace {

constexpr int kProbe = 9000;

} // namespace

class ViewPlaybackTest : public ViewTest {
protected:
    // A GIF whose frames each fill the picture with one colour of their own palette.
    std::string WriteAnimation(const std::string& name, const std::vector<uint32_t>& colors,
        int delayHundredths = 10, int height = 8)
    {
        TGifBuilder gif;
        gif.width = 16;
        gif.height = height;
        for (const uint32_t color : colors) {
            TGifFrame frame;
            frame.width = gif.width;
            frame.height = height;
            frame.localPalette = { 0x000000, color };
            frame.control = TGifControl();
            frame.control->delay = delayHundredths;
            frame.pixels.assign(size_t(gif.width * height), 1);
            gif.frames.push_back(frame);
        }
        folder.Write(name, gif.Build());
        return name;
    }
    // The colour in the middle of the window, as 0xRRGGBB.
    uint32_t MiddleColor() const
    {
        const QImage image = Rendered();
        return image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF;
    }
};

namespace {

struct TTimerCase {
    bool animated;
    int delayHundredths;
    bool useSlideShowTimer;
    int slideShowSeconds;
    int slideShowMs; // 0: not running
    int animationMs;
};

} // namespace

// A still image starts the slideshow; an animation plays at its frame delay beside it, or with
// UseSSTimer shows each frame for the slideshow's time and holds the slideshow.
TEST_F(ViewPlaybackTest, TimersStartedByALoadFollowTheImageAndTheSlideshow)
{
    const TTimerCase cases[] = {
        { false, 0, false, 5, 5000, 0 },
        { false, 0, false, 0, 0, 0 },
        { true, 0, false, 0, 0, 50 },
        { true, 10, false, 0, 0, 100 },
        { true, 100, false, 3, 3000, 1000 },
        { true, 10, true, 3, 0, 3000 },
        { true, 10, true, 0, 0, 0 },
    };
    for (const TTimerCase& c : cases) {
        SCOPED_TRACE(testing::Message()
            << c.animated << c.delayHundredths << c.useSlideShowTimer << c.slideShowSeconds);
        Settings().UseSSTimer = c.useSlideShowTimer;
        Settings().SlideShowTimer = c.slideShowSeconds;
        Show({ c.animated ? WriteAnimation("anim.gif", { 0xFF0000, 0x00FF00 }, c.delayHundredths)
                          : WritePicture("still.bmp", 8, 8) });
        EXPECT_EQ(view->TimerInterval(kSlideShowTimer), c.slideShowMs);
        EXPECT_EQ(view->TimerInterval(kAnimationTimer), c.animationMs);
    }
    // Without ShowAnimatedGIF the first image is all there is.
    Settings().ShowAnimatedGIF = false;
    Settings().UseSSTimer = false;
    Settings().SlideShowTimer = 3;
    Show({ "anim.gif" });
    EXPECT_EQ(view->TimerInterval(kSlideShowTimer), 3000);
    EXPECT_FALSE(view->HasTimer(kAnimationTimer));
}

// Frames come on the animation timer, Ctrl+G and command 183, loop to the first, bring their
// colours to the quick drawing path, and restart the frame timer; a slideshow started at the
// load runs on and moves to the next file.
TEST_F(ViewPlaybackTest, FramesStepInTurnAndTheSlideshowLeavesTheAnimation)
{
    Settings().UseFastDibs = true; // the picture is taller than the window: a band is drawn
    const std::string anim = WriteAnimation("anim.gif", { 0xFF0000, 0x00FF00, 0x0000FF }, 10, 1000);
    const std::string next = WritePicture("next.bmp", 8, 8);
    for (const bool useSlideShowTimer : { false, true }) {
        SCOPED_TRACE(useSlideShowTimer);
        Settings().UseSSTimer = useSlideShowTimer;
        Settings().SlideShowTimer = useSlideShowTimer ? 0 : 3;
        Show({ anim, next });
        ASSERT_EQ(MiddleColor(), 0xFF0000u);
        const std::pair<int, uint32_t> steps[]
            = { { 0, 0x00FF00 }, { CmNextFrameNow, 0x0000FF }, { CmAnimationFrame, 0xFF0000 } };
        for (const auto& [command, color] : steps) {
            if (command == 0)
                view->Tick(kAnimationTimer);
            else
                view->SendCommand(command);
            Flush();
            EXPECT_EQ(MiddleColor(), color);
            EXPECT_EQ(view->TimerInterval(kAnimationTimer), useSlideShowTimer ? 0 : 100);
            EXPECT_EQ(view->HasTimer(kSlideShowTimer), !useSlideShowTimer);
        }
    }
    Settings().UseSSTimer = false;
    Settings().SlideShowTimer = 3;
    Show({ anim, next });
    view->Tick(kSlideShowTimer);
    Flush();
    EXPECT_EQ(view->FileName(), PathOf(next));
    EXPECT_FALSE(view->HasTimer(kAnimationTimer));
}

// A damaged file stops the slideshow at its box; OK walks on and the slideshow with it.
TEST_F(ViewPlaybackTest, SlideshowStopsAtADamagedFileUntilOkIsPressed)
{
    Settings().SlideShowTimer = 5;
    folder.WriteText("bad.bmp", "BM");
    Show({ WritePicture("a.bmp", 8, 8), "bad.bmp", WritePicture("c.bmp", 8, 8) });
    modal.QueueAnswer(kIdOk);
    view->Tick(kSlideShowTimer);
    EXPECT_FALSE(view->HasTimer(kSlideShowTimer));
    Flush();
    ASSERT_EQ(modal.MessageBoxes().size(), 1u);
    EXPECT_TRUE(modal.MessageBoxes()[0].text.ends_with("\nLoad next file?"));
    EXPECT_FALSE(view->HasTimer(kSlideShowTimer));
    Flush();
    EXPECT_EQ(view->FileName(), PathOf("c.bmp"));
    EXPECT_EQ(view->TimerInterval(kSlideShowTimer), 5000);
}

// A frame that cannot be read ends the animation and the image without a word; a slideshow
// moves on to the next file.
TEST_F(ViewPlaybackTest, AFailingFrameEndsTheAnimation)
{
    const std::string next = WritePicture("next.bmp", 8, 8);
    for (const int slideShowSeconds : { 0, 3 }) {
        Settings().SlideShowTimer = slideShowSeconds;
        const std::string anim = WriteAnimation("anim.gif", { 0xFF0000, 0x00FF00 });
        Show({ anim, next });
        std::filesystem::remove(folder.File(anim));
        view->SendCommand(CmNextFrameNow);
        EXPECT_FALSE(view->HasImage());
        EXPECT_EQ(view->Caption(), "no file loaded");
        EXPECT_FALSE(view->HasTimer(kAnimationTimer));
        Flush();
        EXPECT_EQ(view->FileName(), slideShowSeconds != 0 ? PathOf(next) : "");
        EXPECT_TRUE(modal.MessageBoxes().empty());
    }
}

// A slideshow tick during a frame moves on, stopping the frame; during a file's decode it is
// dropped.
TEST_F(ViewPlaybackTest, SlideshowTickStopsAFrameButNotALoad)
{
    const std::vector<std::string> names
        = { WriteAnimation("anim.gif", { 1, 2 }, 10, 2000), WritePicture("long.bmp", 40, 3000) };
    for (const int command : { CmNextFrameNow, CmNextFile }) {
        SCOPED_TRACE(command);
        Show(names);
        std::vector<bool> loadingAtTick;
        view->onCommand = [&](int id) {
            if (id == command && loadingAtTick.empty())
                view->PostCommand(kProbe);
            if (id == kProbe) {
                loadingAtTick.push_back(ProcessFlags().viewerLoading);
                view->Tick(kSlideShowTimer);
            }
        };
        view->commands.clear();
        view->PostCommand(command);
        Flush();
        Flush();
        view->onCommand = nullptr;
        EXPECT_EQ(loadingAtTick, std::vector<bool> { true });
        EXPECT_EQ(view->FileName(), PathOf(names[1]));
        // The tick's 301 reaches the window during the frame, stops it and comes back.
        const std::vector<int> frameStopped = { CmNextFrameNow, kProbe, CmNextFile, CmNextFile };
        const std::vector<int> tickDropped = { CmNextFile, kProbe };
        EXPECT_EQ(view->commands, command == CmNextFrameNow ? frameStopped : tickDropped);
    }
}

// A resize during a frame that finds no memory for the Fit bitmap lets the image go: the frame
// decoding into it still has it, and ends with it.
TEST_F(ViewPlaybackTest, ImageLetGoDuringAFrameOutlivesTheFrame)
{
    Settings().AutoSizeView = false;
    Settings().Fit = true;
    const std::string next = WritePicture("next.bmp", 8, 8);
    Show({ WriteAnimation("anim.gif", { 1, 2 }, 10, 3000), next });
    ASSERT_FALSE(view->ScaledBitmap().isNull());
    view->onCommand = [this](int id) {
        if (id == CmNextFrameNow)
            view->PostCommand(kProbe);
        if (id == kProbe) {
            view->refuseScaling = true;
            view->resize(view->size() - QSize(20, 20));
        }
    };
    modal.QueueAnswer(kIdOk);
    view->PostCommand(CmNextFrameNow);
    Flush();
    Flush();
    ASSERT_EQ(modal.MessageBoxes().size(), 1u);
    EXPECT_EQ(modal.MessageBoxes()[0].caption, "Pelorin - rescale error");
    EXPECT_EQ(view->FileName(), PathOf(next));
}
