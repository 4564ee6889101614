#include "view/ViewLoader.h"

#include "image/DisplayDib.h"
#include "platform/ProcessFlags.h"
#include "platform/Product.h"
#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "view/FileWalk.h"
#include "view/ReaderOptions.h"
#include "view/ShownImage.h"
#include "view/ViewLayout.h"
#include "view/ViewPaint.h"
#include "view/ViewPlayback.h"
#include "view/ViewWindow.h"

#include <memory>
#include <new>

TViewerLoading::TViewerLoading() { ProcessFlags().viewerLoading = true; }

TViewerLoading::~TViewerLoading() { ProcessFlags().viewerLoading = false; }

TViewLoader::TViewLoader(TViewWindow& window, TFileWalk& walk, TShownImage& image,
    TViewLayout& layout, TViewPainter& painter, TViewPlayback& playback)
    : m_window(window)
    , m_walk(walk)
    , m_image(image)
    , m_layout(layout)
    , m_painter(painter)
    , m_playback(playback)
{
}

bool TViewLoader::InterruptDecode()
{
    m_window.KillTimer(kSlideShowTimer);
    m_window.KillTimer(kAnimationTimer);
    if (!ProcessFlags().viewerLoading)
        return false;
    ProcessFlags().loadAbort = true;
    return true;
}

void TViewLoader::LoadFor(int command, TDirection direction, const std::function<bool()>& pick)
{
    if (InterruptDecode()) {
        m_window.PostCommand(command);
        return;
    }
    if (!pick())
        return;
    TViewerLoading loading;
    Load(direction);
}

void TViewLoader::Load(TDirection direction)
{
    TProcessFlags& flags = ProcessFlags();
    const std::string path = m_walk.CurrentPath();
    m_window.ReleaseImage();
    flags.loadAbort = false;
    // A list without the file asked for shows nothing and asks nothing.
    if (path.empty())
        return m_layout.ShowNothing();
    std::unique_ptr<TDisplayDib> image;
    try {
        image = std::make_unique<TDisplayDib>(
            [this](const std::string& text, bool inClient) { ShowProgressText(text, inClient); },
            m_window.IsFullScreen());
        image->SetOptions(DisplayOptionsFrom(Settings()));
    } catch (const std::bad_alloc&) {
    }
    // The image is decoded apart and kept only once decoded, so that nothing a pumped
    // message does can release it mid-decode.
    const bool decoded = image && image->Load(path);
    if (decoded && !flags.loadAbort) {
        m_image.Take(std::move(image), path);
        if (m_layout.LayoutImage(true))
            return FinishLoad();
        m_window.ReleaseImage();
    }
    if (!m_window.ExitsAfterClose() && !flags.loadAbort)
        ReportLoadFailure(direction, image.get());
    m_window.ReleaseImage();
    flags.loadAbort = false;
    m_layout.ShowNothing();
}

void TViewLoader::FinishLoad()
{
    const std::string warning = m_image.Image()->Message();
    if (!ProcessFlags().loadAbort && !warning.empty()) {
        if (!Settings().ShowWarnings) {
            m_image.MarkWarnings();
            m_layout.SetTitle(m_image.CaptionName(), false);
        } else {
            m_window.Ask(
                warning, ProductCaption("image warning"), TMsgIcon::Information, TMsgButtons::Ok);
        }
    }
    m_walk.MoveCaret();
    m_layout.SetupScroller();
    if (!m_window.IsFullScreen() && !m_window.ExitsAfterClose())
        m_window.RefreshBrowserPreview();
    m_playback.StartAfterLoad();
}

void TViewLoader::ReportLoadFailure(TDirection direction, const TDisplayDib* image)
{
    m_walk.MoveCaret();
    m_layout.SetTitle("", false);
    // Without a display image there was no memory for it, or for its Fit bitmap.
    std::string text = image ? image->Message() : "Insufficient memory to load image";
    const std::string caption = ProductCaption(image ? "image error" : "memory error");
    const bool forwards = direction == TDirection::Forwards;
    text += forwards ? "\nLoad next file?" : "\nLoad previous file?";
    if (m_window.Ask(text, caption, TMsgIcon::Exclamation, TMsgButtons::OkCancel) == kIdOk) {
        m_window.PostCommand(forwards ? CmNextFile : CmPreviousFile);
        return;
    }
    m_window.PostCommand(CmCloseView);
    m_window.RefreshBrowserPreview();
}

void TViewLoader::ShowProgressText(const std::string& text, bool inClient)
{
    if (inClient)
        m_painter.ShowScreenText(text);
    else
        m_window.SetCaption(text);
}
