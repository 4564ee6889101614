#pragma once

#include "ui/Control.h"

#include <QScrollBar>

// What moved a scroll bar.
enum class TScrollCode {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbTrack,
    ThumbPosition,
    Top,
    Bottom
};

// A scroll bar control. Its range runs from the low to the high position; a page size
// makes the thumb that long and high - page + 1 the largest position the user reaches.
// A user's move first moves the bar as usual, then EvScroll runs.
class TScrollBar : public QScrollBar, public TControl {
public:
    TScrollBar(TWindow* parent, int id);

    QWidget* Widget() override { return this; }
    void ApplyTemplate(const TControlTemplate& control) override;

    void SetRange(int low, int high);
    void SetPageSize(int page);
    int GetPosition() const { return value(); }
    void SetPosition(int position) { setValue(position); }
    void SetLineMagnitude(int step) { setSingleStep(step); }
    void SetPageMagnitude(int step) { setPageStep(step); }

protected:
    // By default tells the parent window.
    virtual void EvScroll(TScrollCode code);

private:
    void ApplyRange();

    int m_low = 0;
    int m_high = 100;
    int m_page = 0;
};
