#include "browser/BrowserPreview.h"

#include "browser/ViewerLink.h"
#include "dialogs/ImageInfoDlg.h"
#include "image/FileTypes.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/ProcessFlags.h"
#include "preview/PreviewDib.h"
#include "preview/PreviewInfo.h"
#include "resources/BrowserIds.h"
#include "settings/ViewSettings.h"
#include "ui/DibDraw.h"
#include "ui/ListBox.h"
#include "ui/Static.h"
#include "view/ReaderOptions.h"
#include "view/ViewWindow.h"

namespace {

// A preview decode or animation step runs while it lives.
class TPreviewBusy {
public:
    TPreviewBusy() { ProcessFlags().previewBusy = true; }
    ~TPreviewBusy() { ProcessFlags().previewBusy = false; }
    TPreviewBusy(const TPreviewBusy&) = delete;
    TPreviewBusy& operator=(const TPreviewBusy&) = delete;
};

// Inside a control's rectangle less its last column and row.
bool Inside(const QRect& rect, QPoint point)
{
    return point.x() >= rect.left() && point.x() < rect.left() + rect.width() - 1
        && point.y() >= rect.top() && point.y() < rect.top() + rect.height() - 1;
}

} // namespace

TFrameSchedule NextFrameSchedule(
    bool useSlideShowTimer, int32_t slideShowSeconds, int32_t frameDelayHundredths)
{
    using enum TFrameSchedule::TKind;
    if (useSlideShowTimer) {
        if (slideShowSeconds == 0)
            return {};
        return { Timer, slideShowSeconds * 1000 };
    }
    if (frameDelayHundredths == 0)
        return { Post, 0 };
    return { Timer, frameDelayHundredths * 10 };
}

std::string PreviewInfoLine(const std::string& name, const TPreviewDib& preview)
{
    return Format("%s\n%d x %d\n%s - %d bpp", name.c_str(), preview.ImageWidth(),
        preview.ImageHeight(), std::string(FileTypeShortName(preview.FileType())).c_str(),
        preview.BitsPerPixel());
}

TBrowserPreview::TBrowserPreview(TWindow& browser, TViewerLink& viewer, TListBox& files,
    TStatic& info, QRect box, const std::string& fullFolder)
    : m_browser(browser)
    , m_viewer(viewer)
    , m_files(files)
    , m_info(info)
    , m_box(box)
    , m_fullFolder(fullFolder)
    , m_preview(std::make_unique<TPreviewDib>(
          box.width(), box.height(), [this](const TPreviewDib&, int32_t row) { PaintRow(row); },
          [this](int32_t command) { m_browser.PostCommand(command); },
          PreviewOptionsFrom(Settings())))
{
}

TBrowserPreview::~TBrowserPreview() = default;

void TBrowserPreview::RequestRefresh()
{
    // Each key that moves the cursor during a decode asks for a refresh; one in the queue
    // serves them all, where several would each start the last file and stop it again.
    if (m_refreshPosted)
        return;
    m_refreshPosted = true;
    m_browser.PostCommand(CmRefreshPreview);
}

void TBrowserPreview::Refresh()
{
    m_refreshPosted = false;
    const int caret = m_files.GetCaretIndex();
    const std::string name = caret >= 0 ? m_files.GetString(caret) : std::string();
    if (!Settings().PreviewOn) {
        m_info.SetText(name);
        return;
    }
    if (m_files.GetCount() == 0) {
        StopAnimation();
        m_info.SetText("");
        m_preview->ClearPreview();
        return;
    }
    if (m_viewer.Loading())
        return;
    StopAnimation();
    TProcessFlags& flags = ProcessFlags();
    if (flags.previewBusy) {
        // The decode under way stops at its next row; this request comes after it.
        flags.previewAbort = true;
        RequestRefresh();
        return;
    }
    TPreviewBusy busy;
    flags.previewAbort = false;
    m_name = name;
    m_info.SetText(name);
    const std::optional<std::string> path = FileSystem().NativePath(m_fullFolder + name);
    if (!path) {
        m_preview->ClearPreview();
        return;
    }
    if (!m_preview->Load(*path))
        return;
    m_info.SetText(PreviewInfoLine(name, *m_preview));
    if (!flags.previewAbort && m_preview->MoreImages() && !m_viewer.Window())
        ScheduleNextFrame();
}

void TBrowserPreview::RewriteInfo() { m_info.SetText(PreviewInfoLine(m_name, *m_preview)); }

void TBrowserPreview::ScheduleNextFrame()
{
    const TViewSettings& settings = Settings();
    const TFrameSchedule next
        = NextFrameSchedule(settings.UseSSTimer, settings.SlideShowTimer, m_preview->FrameDelay());
    switch (next.kind) {
    case TFrameSchedule::TKind::None:
        return;
    case TFrameSchedule::TKind::Post:
        ++m_framesPosted;
        return m_browser.PostCommand(CmNextPreviewFrame);
    case TFrameSchedule::TKind::Timer:
        return m_browser.SetTimer(kPreviewAnimationTimer, next.milliseconds);
    }
}

void TBrowserPreview::StopAnimation()
{
    m_browser.KillTimer(kPreviewAnimationTimer);
    // A frame already posted cannot be taken back out of the queue: it is dropped when it
    // comes, or an animation started meanwhile would run twice as fast, once per chain.
    m_framesDropped = m_framesPosted;
}

void TBrowserPreview::FrameDue(bool posted)
{
    if (posted && m_framesPosted > 0) {
        --m_framesPosted;
        // The queue keeps its order: the frames of stopped animations come first.
        if (m_framesDropped > 0) {
            --m_framesDropped;
            return;
        }
    }
    AnimationStep();
}

void TBrowserPreview::AnimationStep()
{
    StopAnimation();
    const TProcessFlags& flags = ProcessFlags();
    if (m_viewer.Window() || flags.previewBusy || flags.previewAbort || !m_preview->MoreImages())
        return;
    TPreviewBusy busy;
    if (m_preview->NextGifFrame() && !flags.previewAbort && m_preview->MoreImages())
        ScheduleNextFrame();
}

void TBrowserPreview::ToggleTransparency()
{
    ProcessFlags().useTransparency = !ProcessFlags().useTransparency;
    if (m_preview->FileType() == FileTypeGif)
        RequestRefresh();
}

void TBrowserPreview::ShowInformation()
{
    if (m_files.GetCount() == 0)
        return;
    StopAnimation();
    TImageInfoDlg(&m_browser, ImageInformationOf(*m_preview, m_fullFolder)).Execute();
    const TViewSettings& settings = Settings();
    if (!m_preview->MoreImages())
        RequestRefresh();
    else if (!settings.UseSSTimer || settings.SlideShowTimer != 0)
        m_browser.PostCommand(CmAnimationStep);
}

bool TBrowserPreview::DoubleClicked(QPoint point)
{
    if (!Settings().PreviewOn)
        return false;
    if (Inside(m_box, point)) {
        if (m_preview->FileType() != FileTypeNone)
            m_browser.PostCommand(CmShow);
        return true;
    }
    if (Inside(m_info.geometry(), point)) {
        ShowInformation();
        return true;
    }
    return false;
}

void TBrowserPreview::OptionsChanged()
{
    m_preview->SetOptions(PreviewOptionsFrom(Settings()));
    if (!Settings().PreviewOn)
        m_preview->ClearPreview();
}

void TBrowserPreview::PaintRow(int32_t row)
{
    // The thumbnail grows on the screen row by row while it decodes.
    m_browser.UpdateSoon(
        QRect(m_box.left(), m_box.top() + m_box.height() - 1 - row, m_box.width(), 1));
}

void TBrowserPreview::Paint(QPainter& painter, const QRect& clip) const
{
    const TPreviewDib& preview = *m_preview;
    if (!preview.IsOk() || !clip.intersects(m_box))
        return;
    SetDibBitsToDevice(painter,
        QRect(m_box.topLeft(), QSize(preview.BoxWidth(), preview.BoxHeight())), QPoint(0, 0),
        preview.Block().first(preview.BitsOffset()), preview.Bits(), clip);
}
