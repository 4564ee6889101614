#include "ui/DialogTemplate.h"

#include <QApplication>
#include <QFontMetrics>

#include <cstdlib>

const TControlTemplate* TDialogTemplate::Find(int controlId) const
{
    for (const TControlTemplate& control : controls) {
        if (control.id == controlId)
            return &control;
    }
    return nullptr;
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = (long long)a * b;
    const long long half = std::llabs((long long)c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs((long long)c);
    return int(negative ? -magnitude : magnitude);
}

TDialogUnits TDialogUnits::FromFont(const QFont& font)
{
    // The average width is that of the 52 letters, rounded, as dialog managers measure it.
    const QFontMetrics metrics(font);
    const int letters
        = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    TDialogUnits units;
    units.baseX = std::max(1, (letters / 26 + 1) / 2);
    units.baseY = std::max(1, metrics.height());
    return units;
}

int TDialogUnits::X(int units) const { return MulDiv(units, baseX, 4); }

int TDialogUnits::Y(int units) const { return MulDiv(units, baseY, 8); }

QRect TDialogUnits::ToPixels(int x, int y, int cx, int cy) const
{
    return QRect(X(x), Y(y), X(cx), Y(cy));
}

QFont DialogFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(11);
    return font;
}
