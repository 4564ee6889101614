#include "browser/BitmapItem.h"

#include "resources/BrowserBitmaps.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

int BitmapItemHeight(const QFontMetrics& metrics)
{
    return std::max(metrics.height(), kBrowserBitmapSize);
}

void DrawBitmapItem(const TDrawItem& item, int bitmapId, int bitmapLeft, int textLeft)
{
    if (item.index < 0)
        return;
    QPainter& painter = item.painter;
    const QPalette::ColorRole background = item.selected ? QPalette::Highlight : QPalette::Base;
    const QPalette::ColorRole text = item.selected ? QPalette::HighlightedText : QPalette::Text;
    painter.fillRect(item.rect, item.palette.color(background));
    // A closed combo box's face is taller than an item: the line sits in its middle.
    const int height = BitmapItemHeight(painter.fontMetrics());
    const int top = item.rect.top() + std::max(0, (item.rect.height() - height) / 2);
    painter.drawPixmap(item.rect.left() + bitmapLeft, top, BrowserBitmap(bitmapId));
    painter.setPen(item.palette.color(text));
    painter.drawText(QRect(item.rect.left() + textLeft, top, item.rect.width() - textLeft, height),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.text);
    if (item.focused) {
        painter.setPen(QPen(item.palette.color(text), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(item.rect.adjusted(0, 0, -1, -1));
    }
}
