#pragma once

#include "ui/Control.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

// A push button: a click sends its id to the parent window as a command.
class TButton : public QPushButton, public TControl {
public:
    TButton(TWindow* parent, int id);

    QWidget* Widget() override { return this; }
    void ApplyTemplate(const TControlTemplate& control) override;
    bool IsDefault() const { return isDefault(); }

protected:
    // A click; by default the parent receives the id as a command.
    virtual void Clicked();
};

class TCheckBox : public QCheckBox, public TControl {
public:
    TCheckBox(TWindow* parent, int id);
    QWidget* Widget() override { return this; }
    bool GetCheck() const { return isChecked(); }
    void SetCheck(bool checked) { setChecked(checked); }
};

class TRadioButton : public QRadioButton, public TControl {
public:
    TRadioButton(TWindow* parent, int id);
    QWidget* Widget() override { return this; }
    bool GetCheck() const { return isChecked(); }
    void SetCheck(bool checked) { setChecked(checked); }
};

class TGroupBox : public QGroupBox, public TControl {
public:
    TGroupBox(TWindow* parent, int id);
    QWidget* Widget() override { return this; }
};
