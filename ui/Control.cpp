#include "ui/Control.h"

#include "ui/DialogTemplate.h"

TControl::TControl(TWindow* parent, int id)
    : m_parent(parent)
    , m_id(id)
{
}

void TControl::ApplyTemplate(const TControlTemplate&) { }

void TControl::Notify(TNotify code)
{
    if (m_parent)
        m_parent->EvNotify(m_id, code);
}
