#include "dialogs/ViewOptionsDlg.h"

#include "dialogs/OptionsScrollBars.h"
#include "platform/ProcessFlags.h"
#include "resources/OptionsIds.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/Button.h"
#include "ui/ColorRef.h"
#include "ui/HelpService.h"
#include "ui/ModalService.h"

#include <QButtonGroup>
#include <QPainter>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

// Each check box and the flag it edits.
struct TOptionCheck {
    int id;
    bool TViewSettings::*member;
};

constexpr TOptionCheck kOptionChecks[] = {
    { IdPreviewOn, &TViewSettings::PreviewOn },
    { IdConfirmOn, &TViewSettings::ConfirmOn },
    { IdShowHidden, &TViewSettings::ShowHidden },
    { IdAutoSizeMain, &TViewSettings::AutoSizeMain },
    { IdAltFileSel, &TViewSettings::AltFileSel },
    { IdShiftForSelected, &TViewSettings::ShiftForSelected },
    { IdSavePath, &TViewSettings::SavePath },
    { IdFullScreen, &TViewSettings::FullScreen },
    { IdShowStatus, &TViewSettings::ShowStatus },
    { IdAutoSizeView, &TViewSettings::AutoSizeView },
    { IdFit, &TViewSettings::Fit },
    { IdCenterImage, &TViewSettings::CenterImage },
    { IdShowWarnings, &TViewSettings::ShowWarnings },
    { IdUseFastDibs, &TViewSettings::UseFastDibs },
    { IdShowAnimatedGif, &TViewSettings::ShowAnimatedGIF },
    { IdUseSSTimer, &TViewSettings::UseSSTimer },
    { IdUseBkColor, &TViewSettings::UseBKColor },
};

// The size buttons by SizeMain: 640x480, 800x600, 1024x768, 1280x1024.
constexpr std::array<int, 4> kSizeButtons = { IdSize640, IdSize800, IdSize1024, IdSize1280 };

} // namespace

TViewOptionsDlg::TViewOptionsDlg(TWindow* parent, TViewSettings& settings)
    : TDialog(parent, OptionsTemplate())
    , m_settings(settings)
    , m_timer(new TTimerSB(this))
    , m_gamma(new TGammaSB(this))
{
}

bool TViewOptionsDlg::Checked(int id) const
{
    auto* button = dynamic_cast<QAbstractButton*>(Control(id)->Widget());
    return button->isChecked();
}

void TViewOptionsDlg::Check(int id, bool checked)
{
    dynamic_cast<QAbstractButton*>(Control(id)->Widget())->setChecked(checked);
}

void TViewOptionsDlg::Enable(int id, bool enabled) { Control(id)->Widget()->setEnabled(enabled); }

void TViewOptionsDlg::SetupWindow()
{
    TDialog::SetupWindow();
    for (const TOptionCheck& check : kOptionChecks)
        Check(check.id, m_settings.*check.member);
    m_swatch = Control(IdPreviewColor)->Widget()->geometry();
    m_color = m_settings.PrevBKColor & 0xFFFFFFu;
    // Each size button is a group of its own; the dialog, not the toolkit, unchecks the others,
    // which a one-button exclusive group would refuse.
    for (int id : kSizeButtons) {
        if (QButtonGroup* group = dynamic_cast<QAbstractButton*>(Control(id)->Widget())->group())
            group->setExclusive(false);
    }
    const int size = m_settings.SizeMain >= 1 && m_settings.SizeMain <= 3 ? m_settings.SizeMain : 0;
    Check(kSizeButtons[size], true);
    m_timer->SetPosition(m_settings.SlideShowTimer);
    m_timer->UpdateLabel();
    m_gamma->SetPosition(m_settings.IntensityOffset + kIntensityBias);
    m_gamma->UpdateLabel();
    // The rules mark changes; opening the dialog is none.
    const bool unsaved = ProcessFlags().optionsUnsaved;
    FullScreenRule();
    AutoSizeRule();
    ProcessFlags().optionsUnsaved = unsaved;
    if (!unsaved)
        Enable(IdSaveOptions, false);
}

void TViewOptionsDlg::EvCommand(int id)
{
    switch (id) {
    case IdSaveOptions:
        return Save();
    case IdOptionsHelp:
        return OpenHelp(kOptionsHelpContext);
    case IdChangeColor:
        return ChangeColor();
    case IdFullScreen:
        return FullScreenRule();
    case IdAutoSizeView:
        CenterLabelRule();
        return MarkChange();
    case IdAutoSizeMain:
        return AutoSizeRule();
    case IdSize640:
    case IdSize800:
    case IdSize1024:
    case IdSize1280:
        return SizeChosen(id);
    default:
        if (std::ranges::any_of(kOptionChecks, [id](const TOptionCheck& c) { return c.id == id; }))
            return MarkChange();
        return TDialog::EvCommand(id);
    }
}

void TViewOptionsDlg::EvNotify(int controlId, TNotify code)
{
    if (code == TNotify::Scroll)
        return MarkChange();
    TDialog::EvNotify(controlId, code);
}

void TViewOptionsDlg::FullScreenRule()
{
    const bool fullScreen = Checked(IdFullScreen);
    Enable(IdShowStatus, fullScreen);
    Enable(IdAutoSizeView, !fullScreen);
    CenterLabelRule();
    MarkChange();
}

void TViewOptionsDlg::CenterLabelRule()
{
    const bool windowCentred = !Checked(IdFullScreen) && Checked(IdAutoSizeView);
    ControlAs<TCheckBox>(IdCenterImage)
        ->setText(windowCentred ? "C&enter window in screen" : "C&enter image in window");
}

void TViewOptionsDlg::AutoSizeRule()
{
    const bool automatic = Checked(IdAutoSizeMain);
    Enable(IdMainSizes, !automatic);
    for (int id : kSizeButtons)
        Enable(id, !automatic);
    MarkChange();
}

void TViewOptionsDlg::SizeChosen(int id)
{
    for (int other : kSizeButtons)
        Check(other, other == id);
    MarkChange();
}

void TViewOptionsDlg::MarkChange()
{
    Enable(IdSaveOptions, true);
    ProcessFlags().optionsUnsaved = true;
}

void TViewOptionsDlg::ChangeColor()
{
    const auto chosen = ModalService().ChooseColor(this, m_color, m_settings.CustomColor);
    if (!chosen)
        return;
    m_color = *chosen & 0xFFFFFFu;
    MarkChange();
    update(m_swatch);
}

TViewSettings TViewOptionsDlg::ControlState() const
{
    TViewSettings state = m_settings;
    for (const TOptionCheck& check : kOptionChecks)
        state.*check.member = Checked(check.id);
    state.SlideShowTimer = m_timer->GetPosition();
    state.IntensityOffset = m_gamma->GetPosition() - kIntensityBias;
    state.PrevBKColor = m_color;
    const auto size = std::ranges::find_if(kSizeButtons, [this](int id) { return Checked(id); });
    state.SizeMain
        = size == kSizeButtons.end() ? 0 : int32_t(std::distance(kSizeButtons.begin(), size));
    return state;
}

void TViewOptionsDlg::CmOk()
{
    m_settings = ControlState();
    TDialog::CmOk();
}

void TViewOptionsDlg::Save()
{
    m_settings.SaveOptions(ControlState());
    Enable(IdSaveOptions, false);
    ProcessFlags().optionsUnsaved = false;
}

void TViewOptionsDlg::paintEvent(QPaintEvent* event)
{
    TDialog::paintEvent(event);
    QPainter(this).fillRect(m_swatch, ColorFromRef(m_color));
}
