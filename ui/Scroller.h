#pragma once

#include "ui/ScrollBar.h"

#include <QObject>
#include <QSize>

class QScrollBar;
class TWindow;

// Scrolls a window's contents. Per direction it keeps a unit (pixels per scroll step; 0
// means the direction does not scroll), a range (the largest position plus the page), a
// line step, a page and a position. The window gets its own scroll bars at its right and
// bottom edges while a direction can scroll; its client area is what the bars leave.
class TScroller : public QObject {
public:
    TScroller(TWindow* window, int xUnit, int yUnit, int xRange = 0, int yRange = 0);
    ~TScroller() override;

    void SetUnits(int xUnit, int yUnit);
    void SetRange(int xRange, int yRange);
    void SetLines(int xLine, int yLine);
    // Pages from the client size: (client extent + 1) / unit - 1, at least 1, with the client
    // less the bars the new pages call for; a position beyond the new largest one comes back
    // to it.
    virtual void SetPageSize();
    // Clamps each position to 0 .. range - page + 1 and moves the contents by the change.
    virtual void ScrollTo(int x, int y);
    void ScrollBy(int dx, int dy) { ScrollTo(m_xPos + dx, m_yPos + dy); }
    // What a scroll bar asks for: a line, a page, an end, or the thumb's position.
    void HScroll(TScrollCode code, int thumbPosition = 0);
    void VScroll(TScrollCode code, int thumbPosition = 0);

    int XPos() const { return m_xPos; }
    int YPos() const { return m_yPos; }
    int XRange() const { return m_xRange; }
    int YRange() const { return m_yRange; }
    int XPage() const { return m_xPage; }
    int YPage() const { return m_yPage; }
    int XUnit() const { return m_xUnit; }
    int YUnit() const { return m_yUnit; }
    bool HasHorizontalBar() const;
    bool HasVerticalBar() const;
    // The window's size less its visible scroll bars.
    QSize ClientSize() const;
    // How much of the client a vertical bar takes in width, a horizontal one in height.
    int VerticalBarWidth() const;
    int HorizontalBarHeight() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int ClampX(int x) const;
    int ClampY(int y) const;
    void UpdateBars();

    TWindow* m_window;
    QScrollBar* m_horizontal;
    QScrollBar* m_vertical;
    int m_xUnit;
    int m_yUnit;
    int m_xRange;
    int m_yRange;
    int m_xLine = 1;
    int m_yLine = 1;
    int m_xPage = 1;
    int m_yPage = 1;
    int m_xPos = 0;
    int m_yPos = 0;
    bool m_updating = false;
};
