#include "view/MyScroller.h"

TMyScroller::TMyScroller(TWindow* window)
    : TScroller(window, 1, 1)
{
}

void TMyScroller::RemoveBars()
{
    SetLines(0, 0);
    SetRange(0, 0);
    SetPageSize();
    ScrollTo(0, 0);
}

void TMyScroller::SetImageExtents(QSize image, bool horizontal, bool vertical)
{
    SetLines(horizontal ? kLineStep : 0, vertical ? kLineStep : 0);
    SetRange(horizontal ? image.width() - 1 : 0, vertical ? image.height() - 1 : 0);
    SetPageSize();
    ScrollTo(0, 0);
}
