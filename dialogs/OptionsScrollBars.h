#pragma once

#include "ui/ScrollBar.h"

#include <string>

// A scroll bar of the options dialog: it shows its value in a label of the dialog and, after
// every move the user makes, rewrites the label and tells the dialog, which marks a change.
class TOptionScrollBar : public TScrollBar {
public:
    TOptionScrollBar(TWindow* dialog, int id, int labelId);

    void UpdateLabel();

protected:
    virtual std::string LabelText(int position) const = 0;
    void EvScroll(TScrollCode code) override;

private:
    int m_labelId;
};

// The slideshow timer in seconds: 0 to 1859 with a page of 60, so that 1800 (thirty minutes)
// is the largest position the user reaches.
class TTimerSB : public TOptionScrollBar {
public:
    explicit TTimerSB(TWindow* dialog);

protected:
    std::string LabelText(int position) const override;
};

// The intensity offset plus the bias: 0 to 255 for offsets from -128 to 127.
inline constexpr int kIntensityBias = 128;
class TGammaSB : public TOptionScrollBar {
public:
    explicit TGammaSB(TWindow* dialog);

protected:
    std::string LabelText(int position) const override;
};
