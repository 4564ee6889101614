#include "ui/Scroller.h"

#include "ui/Window.h"

#include <QEvent>
#include <QScrollBar>

TScroller::TScroller(TWindow* window, int xUnit, int yUnit, int xRange, int yRange)
    : QObject(window)
    , m_window(window)
    , m_horizontal(new QScrollBar(Qt::Horizontal, window))
    , m_vertical(new QScrollBar(Qt::Vertical, window))
    , m_xUnit(xUnit)
    , m_yUnit(yUnit)
    , m_xRange(xRange)
    , m_yRange(yRange)
{
    m_horizontal->hide();
    m_vertical->hide();
    connect(m_horizontal, &QAbstractSlider::actionTriggered, this, [this](int) {
        if (!m_updating)
            ScrollTo(m_horizontal->sliderPosition(), m_yPos);
    });
    connect(m_vertical, &QAbstractSlider::actionTriggered, this, [this](int) {
        if (!m_updating)
            ScrollTo(m_xPos, m_vertical->sliderPosition());
    });
    m_window->installEventFilter(this);
    SetPageSize();
}

TScroller::~TScroller() = default;

void TScroller::SetUnits(int xUnit, int yUnit)
{
    m_xUnit = xUnit;
    m_yUnit = yUnit;
    SetPageSize();
}

void TScroller::SetRange(int xRange, int yRange)
{
    m_xRange = std::max(xRange, 0);
    m_yRange = std::max(yRange, 0);
    UpdateBars();
    ScrollTo(m_xPos, m_yPos);
}

void TScroller::SetLines(int xLine, int yLine)
{
    m_xLine = xLine;
    m_yLine = yLine;
}

void TScroller::SetPageSize()
{
    // A bar takes room from the client, which shrinks the pages and may call for the other
    // bar. Starting without bars, each round can only add one, so the bars settle within
    // three rounds on the fewest that show the whole range.
    const QSize size = m_window->size();
    bool horizontal = false;
    bool vertical = false;
    for (int round = 0; round < 3; ++round) {
        const QSize client(size.width() - (vertical ? VerticalBarWidth() : 0),
            size.height() - (horizontal ? HorizontalBarHeight() : 0));
        if (m_xUnit >= 1)
            m_xPage = std::max(1, (client.width() + 1) / m_xUnit - 1);
        if (m_yUnit >= 1)
            m_yPage = std::max(1, (client.height() + 1) / m_yUnit - 1);
        if (HasHorizontalBar() == horizontal && HasVerticalBar() == vertical)
            break;
        horizontal = HasHorizontalBar();
        vertical = HasVerticalBar();
    }
    UpdateBars();
    if (ClampX(m_xPos) != m_xPos || ClampY(m_yPos) != m_yPos)
        ScrollTo(m_xPos, m_yPos);
}

int TScroller::ClampX(int x) const
{
    return m_xUnit < 1 ? 0 : std::clamp(x, 0, std::max(0, m_xRange - m_xPage + 1));
}

int TScroller::ClampY(int y) const
{
    return m_yUnit < 1 ? 0 : std::clamp(y, 0, std::max(0, m_yRange - m_yPage + 1));
}

void TScroller::ScrollTo(int x, int y)
{
    const int newX = ClampX(x);
    const int newY = ClampY(y);
    if (newX == m_xPos && newY == m_yPos) {
        UpdateBars();
        return;
    }
    const int dx = (m_xPos - newX) * std::max(m_xUnit, 0);
    const int dy = (m_yPos - newY) * std::max(m_yUnit, 0);
    m_xPos = newX;
    m_yPos = newY;
    UpdateBars();
    m_window->scroll(dx, dy, QRect(QPoint(0, 0), ClientSize()));
}

void TScroller::HScroll(TScrollCode code, int thumbPosition)
{
    switch (code) {
    case TScrollCode::LineUp:
        return ScrollBy(-m_xLine, 0);
    case TScrollCode::LineDown:
        return ScrollBy(m_xLine, 0);
    case TScrollCode::PageUp:
        return ScrollBy(-m_xPage, 0);
    case TScrollCode::PageDown:
        return ScrollBy(m_xPage, 0);
    case TScrollCode::Top:
        return ScrollTo(0, m_yPos);
    case TScrollCode::Bottom:
        return ScrollTo(m_xRange, m_yPos);
    case TScrollCode::ThumbTrack:
    case TScrollCode::ThumbPosition:
        return ScrollTo(thumbPosition, m_yPos);
    }
}

void TScroller::VScroll(TScrollCode code, int thumbPosition)
{
    switch (code) {
    case TScrollCode::LineUp:
        return ScrollBy(0, -m_yLine);
    case TScrollCode::LineDown:
        return ScrollBy(0, m_yLine);
    case TScrollCode::PageUp:
        return ScrollBy(0, -m_yPage);
    case TScrollCode::PageDown:
        return ScrollBy(0, m_yPage);
    case TScrollCode::Top:
        return ScrollTo(m_xPos, 0);
    case TScrollCode::Bottom:
        return ScrollTo(m_xPos, m_yRange);
    case TScrollCode::ThumbTrack:
    case TScrollCode::ThumbPosition:
        return ScrollTo(m_xPos, thumbPosition);
    }
}

bool TScroller::HasHorizontalBar() const { return m_xUnit >= 1 && m_xRange - m_xPage + 1 > 0; }

bool TScroller::HasVerticalBar() const { return m_yUnit >= 1 && m_yRange - m_yPage + 1 > 0; }

int TScroller::VerticalBarWidth() const { return m_vertical->sizeHint().width(); }

int TScroller::HorizontalBarHeight() const { return m_horizontal->sizeHint().height(); }

QSize TScroller::ClientSize() const
{
    QSize size = m_window->size();
    if (m_vertical->isVisibleTo(m_window))
        size.rwidth() -= VerticalBarWidth();
    if (m_horizontal->isVisibleTo(m_window))
        size.rheight() -= HorizontalBarHeight();
    return size;
}

void TScroller::UpdateBars()
{
    m_updating = true;
    const int barWidth = VerticalBarWidth();
    const int barHeight = HorizontalBarHeight();
    const bool horizontal = HasHorizontalBar();
    const bool vertical = HasVerticalBar();
    const QSize size = m_window->size();
    m_horizontal->setGeometry(
        0, size.height() - barHeight, size.width() - (vertical ? barWidth : 0), barHeight);
    m_vertical->setGeometry(
        size.width() - barWidth, 0, barWidth, size.height() - (horizontal ? barHeight : 0));
    m_horizontal->setRange(0, std::max(0, m_xRange - m_xPage + 1));
    m_horizontal->setPageStep(m_xPage);
    m_horizontal->setSingleStep(m_xLine);
    m_horizontal->setValue(m_xPos);
    m_vertical->setRange(0, std::max(0, m_yRange - m_yPage + 1));
    m_vertical->setPageStep(m_yPage);
    m_vertical->setSingleStep(m_yLine);
    m_vertical->setValue(m_yPos);
    m_horizontal->setVisible(horizontal);
    m_vertical->setVisible(vertical);
    m_updating = false;
}

bool TScroller::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        SetPageSize();
    return QObject::eventFilter(watched, event);
}
