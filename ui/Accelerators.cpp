#include "ui/Accelerators.h"

namespace {

constexpr Qt::KeyboardModifiers kRelevant
    = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

} // namespace

TAccelTable::TAccelTable(int id, std::vector<TAccelEntry> entries)
    : m_id(id)
    , m_entries(std::move(entries))
{
}

std::optional<int> TAccelTable::Translate(int key, Qt::KeyboardModifiers modifiers) const
{
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    const Qt::KeyboardModifiers held = modifiers & kRelevant;
    for (const TAccelEntry& entry : m_entries) {
        if (entry.key != key)
            continue;
        const Qt::KeyboardModifiers mask
            = entry.character ? Qt::KeyboardModifiers(kRelevant & ~Qt::ShiftModifier) : kRelevant;
        if ((held & mask) == (entry.modifiers & mask))
            return entry.command;
    }
    return std::nullopt;
}
