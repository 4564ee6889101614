#include "view/ViewPaint.h"

#include "image/DisplayDib.h"
#include "platform/ProcessFlags.h"
#include "settings/ViewSettings.h"
#include "ui/DibDraw.h"
#include "ui/Screen.h"
#include "ui/Window.h"
#include "view/ShownImage.h"
#include "view/ViewPlacement.h"
#include "view/ViewScroll.h"

#include <QPainter>
#include <QRgb>

#include <algorithm>
#include <vector>

namespace {

const QColor kBackground = Qt::black;

// The colours a palette display holds at present: the palette realised last.
std::vector<QRgb>& SystemPalette()
{
    static std::vector<QRgb> palette;
    return palette;
}

} // namespace

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

TViewPainter::TViewPainter(
    TWindow& window, const TViewPlacement& placement, TShownImage& image, const TViewScroll& scroll)
    : m_window(window)
    , m_placement(placement)
    , m_image(image)
    , m_scroll(scroll)
{
}

void TViewPainter::Paint(QPainter& painter, const QRect& exposed)
{
    const QRect client = m_placement.ClientRect();
    // Where both scroll bars meet, the window shows its own colour.
    if (!m_placement.FullScreen()) {
        for (const QRect& rest : QRegion(m_window.rect()) - QRegion(client))
            painter.fillRect(rest, m_window.palette().color(QPalette::Window));
    }
    if (ProcessFlags().viewerLoading || !m_image.HasImage()) {
        painter.fillRect(client, kBackground);
        DrawScreenText(painter);
        return;
    }
    if (m_window.isMinimized())
        return;
    const QImage& fitBitmap = m_image.FitBitmap();
    const bool scaled = !fitBitmap.isNull();
    const QRect imageRect
        = PlaceImage(client, scaled ? fitBitmap.size() : m_image.Size(), Settings().CenterImage);
    if (scaled)
        painter.drawImage(imageRect.topLeft(), fitBitmap, QRect(QPoint(), imageRect.size()));
    else
        DrawUnscaled(painter, imageRect, exposed);
    for (const QRect& margin : Margins(client, imageRect)) {
        if (!margin.isEmpty())
            painter.fillRect(margin, kBackground);
    }
    DrawScreenText(painter);
}

void TViewPainter::DrawUnscaled(QPainter& painter, const QRect& imageRect, const QRect& exposed)
{
    const QSize size = m_image.Size();
    const bool quick = Settings().UseFastDibs && size.height() > imageRect.height();
    const TDibSource source = UnscaledSource(size, imageRect.size(), m_scroll.Position(), quick);
    const TDib& dib = *m_image.Image();
    if (!quick) {
        SetDibBitsToDevice(painter, imageRect, source.source, dib.Block().first(dib.BitsOffset()),
            dib.Bits(), exposed);
        return;
    }
    // The band header describes the visible rows alone, and only they are handed over.
    const size_t bandBytes = dib.Stride() * size_t(source.rows);
    SetDibBitsToDevice(painter, imageRect, source.source,
        m_image.BandHeader(source.rows, uint32_t(bandBytes)),
        dib.Bits().subspan(dib.Stride() * size_t(source.firstRow), bandBytes), exposed);
}

QRect TViewPainter::ScreenTextBox() const
{
    const QFontMetrics metrics(m_window.font());
    const int width
        = int(QString::fromStdString(m_screenText).size() + 2) * metrics.averageCharWidth();
    const QRect client = m_placement.ClientRect();
    return QRect(client.left() + (client.width() - width) / 2,
        client.bottom() + 1 - 2 * metrics.height(), width, metrics.height());
}

void TViewPainter::DrawScreenText(QPainter& painter)
{
    if (m_screenText.empty())
        return;
    const QRect box = ScreenTextBox();
    painter.fillRect(box, kBackground);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, QString::fromStdString(m_screenText));
}

void TViewPainter::ShowScreenText(const std::string& text)
{
    QRect dirty = m_screenText.empty() ? QRect() : ScreenTextBox();
    m_screenText = text;
    if (!m_screenText.empty())
        dirty |= ScreenTextBox();
    if (!dirty.isEmpty() && m_window.isVisible())
        m_window.repaint(dirty);
}

bool TViewPainter::RealizeImagePalette()
{
    // A display of more than 8 bits a pixel has no palette to realise: every bitmap is drawn
    // through its own colour table.
    const std::vector<QRgb>& palette = m_image.Palette();
    if (palette.empty() || ScreenInfo().colorDepth > 8)
        return false;
    if (SystemPalette() == palette)
        return false;
    SystemPalette() = palette;
    m_window.update();
    return true;
}
