#include "browser/ViewYesNoAllDlg.h"

#include "resources/FileDialogIds.h"
#include "resources/Templates.h"
#include "ui/MessageIcon.h"
#include "ui/ModalService.h"
#include "ui/Static.h"

TViewYesNoAllDlg::TViewYesNoAllDlg(TWindow* parent, std::string text)
    : TDialog(parent, YesNoAllTemplate())
    , m_text(std::move(text))
{
}

void TViewYesNoAllDlg::SetupWindow()
{
    TDialog::SetupWindow();
    ControlAs<TStatic>(IdQuestionText)->SetText(m_text);
}

void TViewYesNoAllDlg::EvCommand(int id)
{
    if (id == IdYesToAll) {
        m_yesToAll = true;
        return CloseDialog(kIdOk);
    }
    TDialog::EvCommand(id);
}

void TViewYesNoAllDlg::paintEvent(QPaintEvent* event)
{
    TDialog::paintEvent(event);
    QPainter painter(this);
    DrawMessageIcon(
        painter, *this, QStyle::SP_MessageBoxQuestion, Control(IdQuestionIcon)->Widget()->pos());
}

bool AskYesNoAll(
    TWindow& parent, const std::string& text, const std::string& caption, bool& yesToAll)
{
    if (yesToAll)
        return true;
    TViewYesNoAllDlg question(&parent, text);
    if (!caption.empty())
        question.SetCaption(caption);
    const bool yes = question.Execute() == kIdOk;
    yesToAll = yes && question.YesToAll();
    return yes;
}
