#include "ui/Static.h"

#include "ui/DialogTemplate.h"

TStatic::TStatic(TWindow* parent, int id)
    : QLabel(parent)
    , TControl(parent, id)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void TStatic::ApplyTemplate(const TControlTemplate& control)
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (control.Has(kStyleCenter))
        horizontal = Qt::AlignHCenter;
    else if (control.Has(kStyleRight))
        horizontal = Qt::AlignRight;
    setAlignment(horizontal | Qt::AlignTop);
    setWordWrap(!control.Has(kStyleNoWordWrap));
    m_prefix = !control.Has(kStyleNoPrefix);
    if (control.Has(kStyleSunken))
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
    else if (control.Has(kStyleBorder))
        setFrameStyle(QFrame::Box | QFrame::Plain);
}

void TStatic::SetText(const std::string& text) { setText(QString::fromStdString(text)); }

std::string TStatic::GetText() const { return text().toStdString(); }
