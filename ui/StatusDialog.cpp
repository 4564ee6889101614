#include "ui/StatusDialog.h"

#include "ui/ModalService.h"
#include "ui/Static.h"

#include <QCloseEvent>

TStatusDialog::TStatusDialog(TWindow* owner, const TDialogTemplate& dialogTemplate, int textId,
    const std::string& caption, std::function<void()> pressed)
    : TDialog(owner, dialogTemplate)
    , m_textId(textId)
    , m_pressed(std::move(pressed))
{
    SetCaption(caption);
    Create();
}

void TStatusDialog::SetText(const std::string& text)
{
    if (auto* label = ControlAs<TStatic>(m_textId))
        label->SetText(text);
}

std::string TStatusDialog::Text() const
{
    const auto* label = ControlAs<TStatic>(m_textId);
    return label ? label->GetText() : std::string();
}

void TStatusDialog::ShowOver()
{
    setWindowModality(Qt::ApplicationModal);
    CenterOverOwner();
    show();
    raise();
    activateWindow();
}

void TStatusDialog::EvCommand(int id)
{
    if (id == kIdOk || id == kIdCancel)
        return m_pressed();
    TDialog::EvCommand(id);
}

void TStatusDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_pressed();
}
