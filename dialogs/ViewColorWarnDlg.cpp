#include "dialogs/ViewColorWarnDlg.h"

#include "resources/ColorWarnIds.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/Button.h"
#include "ui/HelpService.h"
#include "ui/MessageIcon.h"

TViewColorWarnDlg::TViewColorWarnDlg(TWindow* parent, TViewSettings& settings)
    : TDialog(parent, ColorWarnTemplate())
    , m_settings(settings)
{
}

void TViewColorWarnDlg::EvCommand(int id)
{
    if (id == IdWarningHelp)
        return OpenHelp(kColorWarningHelpContext);
    TDialog::EvCommand(id);
}

void TViewColorWarnDlg::CmOk()
{
    if (ControlAs<TCheckBox>(IdWarningOff)->GetCheck())
        m_settings.SaveColorWarningOff();
    TDialog::CmOk();
}

void TViewColorWarnDlg::paintEvent(QPaintEvent* event)
{
    TDialog::paintEvent(event);
    QPainter painter(this);
    DrawMessageIcon(
        painter, *this, QStyle::SP_MessageBoxWarning, Control(IdWarningIcon)->Widget()->pos());
}

bool ColorWarningWanted(const TViewSettings& settings, int screenBitsPerPixel)
{
    return settings.ShowColorWarning && screenBitsPerPixel <= 14;
}
