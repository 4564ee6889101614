#include "ui/ScrollBar.h"

#include "ui/DialogTemplate.h"

namespace {

TScrollCode CodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return TScrollCode::LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return TScrollCode::LineDown;
    case QAbstractSlider::SliderPageStepSub:
        return TScrollCode::PageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return TScrollCode::PageDown;
    case QAbstractSlider::SliderToMinimum:
        return TScrollCode::Top;
    case QAbstractSlider::SliderToMaximum:
        return TScrollCode::Bottom;
    case QAbstractSlider::SliderMove:
        return TScrollCode::ThumbTrack;
    default:
        return TScrollCode::ThumbPosition;
    }
}

} // namespace

TScrollBar::TScrollBar(TWindow* parent, int id)
    : QScrollBar(Qt::Horizontal, parent)
    , TControl(parent, id)
{
    ApplyRange();
    // The signal comes before the toolkit moves the bar; moving it here first lets
    // EvScroll see the new position, as the notification of a moved bar would.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderNoAction)
            return;
        setValue(sliderPosition());
        EvScroll(CodeOf(action));
    });
}

void TScrollBar::ApplyTemplate(const TControlTemplate& control)
{
    setOrientation(control.Has(kStyleVertical) ? Qt::Vertical : Qt::Horizontal);
}

void TScrollBar::SetRange(int low, int high)
{
    m_low = low;
    m_high = std::max(low, high);
    ApplyRange();
}

void TScrollBar::SetPageSize(int page)
{
    m_page = std::max(page, 0);
    ApplyRange();
}

void TScrollBar::ApplyRange()
{
    const int page = std::max(m_page, 1);
    setRange(m_low, std::max(m_low, m_high - page + 1));
    if (m_page > 0)
        setPageStep(m_page);
}

void TScrollBar::EvScroll(TScrollCode) { Notify(TNotify::Scroll); }
