#include "dialogs/ViewColorWarnDlg.h"

#include "resources/ColorWarnIds.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/Button.h"
#include "ui/HelpService.h"

#include <QPainter>
#include <QStyle>

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
    // The platform's own exclamation icon, at the top-left corner of its placeholder.
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    const QPixmap icon
        = style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(size, size);
    QPainter painter(this);
    painter.drawPixmap(Control(IdWarningIcon)->Widget()->pos(), icon);
}

bool ColorWarningWanted(const TViewSettings& settings, int screenBitsPerPixel)
{
    return settings.ShowColorWarning && screenBitsPerPixel <= 14;
}
