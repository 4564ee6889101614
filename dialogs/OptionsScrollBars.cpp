#include "dialogs/OptionsScrollBars.h"

#include "platform/Format.h"
#include "resources/OptionsIds.h"
#include "ui/Static.h"

TOptionScrollBar::TOptionScrollBar(TWindow* dialog, int id, int labelId)
    : TScrollBar(dialog, id)
    , m_labelId(labelId)
{
    SetLineMagnitude(1);
}

void TOptionScrollBar::UpdateLabel()
{
    if (auto* label = ParentWindow() ? ParentWindow()->ControlAs<TStatic>(m_labelId) : nullptr)
        label->SetText(LabelText(GetPosition()));
}

void TOptionScrollBar::EvScroll(TScrollCode code)
{
    UpdateLabel();
    TScrollBar::EvScroll(code);
}

TTimerSB::TTimerSB(TWindow* dialog)
    : TOptionScrollBar(dialog, IdTimerBar, IdTimerLabel)
{
    SetRange(0, 1859);
    SetPageSize(60);
    SetPageMagnitude(60);
}

std::string TTimerSB::LabelText(int position) const
{
    if (position < 1)
        return "off";
    return Format("%dm %ds", position / 60, position % 60);
}

TGammaSB::TGammaSB(TWindow* dialog)
    : TOptionScrollBar(dialog, IdIntensityBar, IdIntensityLabel)
{
    SetRange(0, 255);
    SetPageMagnitude(10);
}

std::string TGammaSB::LabelText(int position) const
{
    return Format("%d", position - kIntensityBias);
}
