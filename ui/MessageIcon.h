#pragma once

#include <QPainter>
#include <QStyle>
#include <QWidget>

// Draws the style's own message-box icon (the exclamation mark, the question mark ...) at its
// message-box size, its top-left corner at the point given, as a dialog draws it over the
// placeholder control its template keeps for it.
inline void DrawMessageIcon(
    QPainter& painter, QWidget& widget, QStyle::StandardPixmap icon, const QPoint& topLeft)
{
    const int size = widget.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &widget);
    painter.drawPixmap(
        topLeft, widget.style()->standardIcon(icon, nullptr, &widget).pixmap(size, size));
}
