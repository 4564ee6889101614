#include "ui/Button.h"

#include "ui/DialogTemplate.h"

TButton::TButton(TWindow* parent, int id)
    : QPushButton(parent)
    , TControl(parent, id)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Clicked(); });
}

void TButton::ApplyTemplate(const TControlTemplate& control)
{
    setDefault(control.Has(kStyleDefault));
}

void TButton::Clicked() { Notify(TNotify::Clicked); }

TCheckBox::TCheckBox(TWindow* parent, int id)
    : QCheckBox(parent)
    , TControl(parent, id)
{
    connect(this, &QCheckBox::clicked, this, [this] { Notify(TNotify::Clicked); });
}

TRadioButton::TRadioButton(TWindow* parent, int id)
    : QRadioButton(parent)
    , TControl(parent, id)
{
    // The dialog groups radio buttons by the template's group marks.
    setAutoExclusive(false);
    connect(this, &QRadioButton::clicked, this, [this] { Notify(TNotify::Clicked); });
}

TGroupBox::TGroupBox(TWindow* parent, int id)
    : QGroupBox(parent)
    , TControl(parent, id)
{
}
