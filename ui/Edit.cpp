#include "ui/Edit.h"

#include "ui/FilterValidator.h"

TEdit::TEdit(TWindow* parent, int id)
    : QLineEdit(parent)
    , TControl(parent, id)
{
    connect(this, &QLineEdit::textEdited, this, [this] { Notify(TNotify::Change); });
}

void TEdit::SetValidator(TFilterValidator* validator)
{
    validator->setParent(this);
    setValidator(validator);
}

std::string TEdit::GetText() const { return text().toStdString(); }

void TEdit::SetText(const std::string& text) { setText(QString::fromStdString(text)); }

void TEdit::SetSelection(int start, int end)
{
    const int length = int(text().size());
    const int from = std::clamp(start, 0, length);
    const int to = end < 0 ? length : std::clamp(end, from, length);
    setSelection(from, to - from);
}

void TEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    Notify(TNotify::SetFocus);
}

void TEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    Notify(TNotify::KillFocus);
}
