#include "view/SaveDialogs.h"

#include "resources/Templates.h"
#include "ui/ModalService.h"
#include "ui/Static.h"

#include <QCloseEvent>

TSaveStatusDialog::TSaveStatusDialog(TWindow* owner, const TDialogTemplate& dialogTemplate,
    const std::string& caption, std::function<void()> pressed)
    : TDialog(owner, dialogTemplate)
    , m_pressed(std::move(pressed))
{
    SetCaption(caption);
    Create();
}

void TSaveStatusDialog::SetText(const std::string& text)
{
    if (auto* label = ControlAs<TStatic>(IdSaveText))
        label->SetText(text);
}

std::string TSaveStatusDialog::Text() const
{
    const auto* label = ControlAs<TStatic>(IdSaveText);
    return label ? label->GetText() : std::string();
}

void TSaveStatusDialog::ShowOver()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

void TSaveStatusDialog::EvCommand(int id)
{
    if (id == kIdOk || id == kIdCancel)
        return m_pressed();
    TDialog::EvCommand(id);
}

void TSaveStatusDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_pressed();
}

TSaveCancelDialog::TSaveCancelDialog(
    TWindow* owner, const std::string& caption, std::function<void()> cancel)
    : TSaveStatusDialog(owner, SaveCancelTemplate(), caption, std::move(cancel))
{
}

TSaveOKDialog::TSaveOKDialog(TWindow* owner, const std::string& caption, std::function<void()> ok)
    : TSaveStatusDialog(owner, SaveOKTemplate(), caption, std::move(ok))
{
}
