#pragma once

#include "ui/Control.h"

#include <QLineEdit>

class TFilterValidator;

// A one-line edit field. Setting its text marks it unmodified; typing marks it modified.
class TEdit : public QLineEdit, public TControl {
public:
    TEdit(TWindow* parent, int id);

    QWidget* Widget() override { return this; }

    // The edit field owns the validator.
    void SetValidator(TFilterValidator* validator);
    std::string GetText() const;
    void SetText(const std::string& text);
    bool IsModified() const { return isModified(); }
    void ClearModify() { setModified(false); }
    // Selects from start up to end; an end of -1 selects to the end of the text.
    void SetSelection(int start, int end);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
