#include "view/ViewLayout.h"

#include "settings/ViewSettings.h"

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

QRect PlaceImage(const QRect& target, QSize source, bool center)
{
    QRect image(target.topLeft(),
        QSize(
            std::min(source.width(), target.width()), std::min(source.height(), target.height())));
    if (center) {
        if (target.width() > source.width())
            image.moveLeft(target.left() + (target.width() - source.width()) / 2);
        if (target.height() > source.height())
            image.moveTop(target.top() + (target.height() - source.height()) / 2);
    }
    return image;
}

std::array<QRect, 4> Margins(const QRect& target, const QRect& image)
{
    const int left = image.left() - target.left();
    const int right = target.right() - image.right();
    return {
        QRect(target.left(), target.top(), left, target.height()),
        QRect(image.left(), target.top(), image.width(), image.top() - target.top()),
        QRect(image.left(), image.bottom() + 1, image.width(), target.bottom() - image.bottom()),
        QRect(image.right() + 1, target.top(), right, target.height()),
    };
}

bool TPan::PanTo(QPoint point, bool step, QSize image, QSize screen)
{
    const QPoint before = m_offset;
    // One direction: towards the low edge (to 0) or the high edge (to the excess).
    const auto pan = [step](int& offset, int at, int screenExtent, int imageExtent) {
        const int excess = imageExtent - screenExtent;
        if (excess <= 0)
            return;
        if (at < 3)
            offset = step ? std::max(0, offset - kStep) : 0;
        else if (at > screenExtent - 2)
            offset = step ? std::min(excess, offset + kStep) : excess;
    };
    pan(m_offset.rx(), point.x(), screen.width(), image.width());
    pan(m_offset.ry(), point.y(), screen.height(), image.height());
    return m_offset != before;
}

TDibSource UnscaledSource(QSize image, QSize visible, QPoint position, bool quick)
{
    // A position beyond the last one that fills the visible part comes back to it.
    const int x = std::clamp(position.x(), 0, std::max(0, image.width() - visible.width()));
    const int y = std::clamp(position.y(), 0, std::max(0, image.height() - visible.height()));
    TDibSource source;
    if (quick && image.height() > visible.height()) {
        source.firstRow = int64_t(image.height()) - visible.height() - y;
        source.rows = visible.height();
        source.source = QPoint(x, 0);
        return source;
    }
    source.rows = image.height();
    source.source
        = QPoint(x, visible.height() < image.height() ? image.height() - visible.height() - y : 0);
    return source;
}
