#include "view/ViewLayout.h"

#include "platform/Format.h"
#include "settings/ViewSettings.h"
#include "ui/WaitCursor.h"
#include "ui/Window.h"
#include "view/MyScroller.h"
#include "view/ShownImage.h"
#include "view/ViewPaint.h"
#include "view/ViewPlacement.h"

#include <algorithm>

namespace {

// A shrunken extent never drops below one pixel, however thin the image.
int ScaledExtent(int extent, float factor) { return std::max(1, RoundPos(float(extent) * factor)); }

// The edge a window of this extent starts at: centred in the available span, or kept where
// it is unless that puts its far edge beyond the span's.
int PlaceSpan(int current, int extent, int availableStart, int availableExtent, bool center)
{
    if (center)
        return extent < availableExtent ? (availableExtent - extent) / 2 + availableStart
                                        : availableStart;
    if (current + extent > availableStart + availableExtent)
        return std::max(availableStart, availableStart + availableExtent - extent);
    return current;
}

} // namespace

QRect AutoSizeWindow(const TAutoSizeInput& input)
{
    const QSize image = input.image;
    const QRect& available = input.available;
    const QSize outer = image + input.decoration;
    int decorationWidth = input.decoration.width();
    int decorationHeight = input.decoration.height();
    int width = std::min(outer.width(), available.width());
    int height = std::min(outer.height(), available.height());
    const bool fits
        = image.width() <= width - decorationWidth && image.height() <= height - decorationHeight;
    if (!input.fit || fits) {
        if (image.width() > width - decorationWidth) {
            decorationHeight += input.horizontalBarHeight;
            height = std::min(outer.height() + input.horizontalBarHeight, available.height());
        }
        if (image.height() > height - decorationHeight) {
            decorationWidth += input.verticalBarWidth;
            width = std::min(outer.width() + input.verticalBarWidth, available.width());
            if (image.width() > width - decorationWidth)
                height = std::min(outer.height() + input.horizontalBarHeight, available.height());
        }
    } else {
        const float horizontal = float(width - decorationWidth) / float(image.width());
        const float vertical = float(height - decorationHeight) / float(image.height());
        if (vertical <= horizontal)
            width = decorationWidth + ScaledExtent(image.width(), vertical);
        else
            height = decorationHeight + ScaledExtent(image.height(), horizontal);
    }
    const int left
        = PlaceSpan(input.topLeft.x(), width, available.left(), available.width(), input.center);
    const int top
        = PlaceSpan(input.topLeft.y(), height, available.top(), available.height(), input.center);
    return QRect(left, top, width, height);
}

std::optional<QSize> FitSize(QSize image, QSize target)
{
    if (image.width() <= target.width() && image.height() <= target.height())
        return std::nullopt;
    const float horizontal = float(target.width()) / float(image.width());
    const float vertical = float(target.height()) / float(image.height());
    if (vertical <= horizontal)
        return QSize(std::min(ScaledExtent(image.width(), vertical), std::max(target.width(), 1)),
            std::max(target.height(), 1));
    return QSize(std::max(target.width(), 1),
        std::min(ScaledExtent(image.height(), horizontal), std::max(target.height(), 1)));
}

TScrollNeed ScrollNeed(QSize image, QSize client, int verticalBarWidth, int horizontalBarHeight)
{
    const bool wider = image.width() > client.width();
    if (wider)
        client.rheight() -= horizontalBarHeight;
    if (image.height() > client.height()) {
        client.rwidth() -= verticalBarWidth;
        if (!wider && image.width() > client.width())
            client.rheight() -= horizontalBarHeight;
    }
    TScrollNeed need;
    need.excess = QSize(
        std::max(0, image.width() - client.width()), std::max(0, image.height() - client.height()));
    need.horizontal = need.excess.width() > 0;
    need.vertical = need.excess.height() > 0;
    return need;
}

TViewLayout::TViewLayout(TWindow& window, TViewPlacement& placement, TMyScroller& scroller,
    TShownImage& image, TViewPainter& painter, TFitBitmapMaker makeFitBitmap)
    : m_window(window)
    , m_placement(placement)
    , m_scroller(scroller)
    , m_image(image)
    , m_painter(painter)
    , m_makeFitBitmap(std::move(makeFitBitmap))
{
}

bool TViewLayout::LayoutImage(bool newImage)
{
    if (!m_image.HasImage())
        return true;
    const TViewSettings& settings = Settings();
    const bool wasInLayout = m_inLayout;
    m_inLayout = true;
    if (!m_placement.FullScreen() && settings.AutoSizeView && newImage) {
        TAutoSizeInput input;
        input.image = m_image.Size();
        input.available = m_placement.Screen().workArea;
        input.decoration = m_placement.Decoration();
        input.verticalBarWidth = m_scroller.VerticalBarWidth();
        input.horizontalBarHeight = m_scroller.HorizontalBarHeight();
        input.fit = settings.Fit;
        input.center = settings.CenterImage;
        input.topLeft = m_window.frameGeometry().topLeft();
        m_placement.PlaceForImage(AutoSizeWindow(input));
        if (settings.Fit)
            m_window.update();
    }
    bool ok = true;
    if (settings.Fit) {
        const std::optional<QSize> scaled
            = FitSize(m_image.Size(), m_placement.ClientRect().size());
        m_image.DropFitBitmap();
        if (scaled) {
            TWaitCursor wait;
            if (newImage)
                SetTitle(m_image.CaptionName(), true);
            ok = m_makeFitBitmap(*scaled);
        }
    }
    m_inLayout = wasInLayout;
    if (newImage)
        SetTitle(ok ? m_image.CaptionName() : std::string(), false);
    return ok;
}

void TViewLayout::SetupScroller()
{
    m_scroller.RemoveBars();
    if (!Settings().Fit && !m_placement.FullScreen() && m_image.HasImage()) {
        const QSize image = m_image.Size();
        const TScrollNeed need = ScrollNeed(image, m_scroller.ClientSize(),
            m_scroller.VerticalBarWidth(), m_scroller.HorizontalBarHeight());
        if (need.horizontal || need.vertical)
            m_scroller.SetImageExtents(image, need.horizontal, need.vertical);
    }
    m_window.update();
}

void TViewLayout::SetTitle(const std::string& name, bool scaling)
{
    std::string text;
    if (name.empty())
        text = "no file loaded";
    else if (!scaling)
        text
            = Format("%s (%d x %d)", name.c_str(), m_image.Size().width(), m_image.Size().height());
    else
        text = Format("%s - scaling image ...", name.c_str());
    if (!m_placement.FullScreen())
        m_window.SetCaption(text);
    else
        m_painter.ShowScreenText(scaling && !name.empty() ? text : std::string());
}

void TViewLayout::ShowNothing()
{
    SetTitle("", false);
    SetupScroller();
}

bool TViewLayout::FollowsWorkArea() const
{
    const TViewSettings& settings = Settings();
    return m_scroller.HasHorizontalBar() || m_scroller.HasVerticalBar()
        || (settings.AutoSizeView && settings.CenterImage);
}
