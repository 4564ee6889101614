#pragma once

#include <Qt>

#include <optional>
#include <vector>

// One entry of an accelerator table. A key entry matches its key with exactly its Ctrl,
// Alt and Shift state; a character entry (a Ctrl or Alt letter) matches its letter with
// Shift up or down, since it stands for the character the letter gives.
struct TAccelEntry {
    int key = 0; // a Qt::Key
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    int command = 0;
    bool character = false;
};

// A numbered table of keys and the commands they send to the window that holds it.
class TAccelTable {
public:
    TAccelTable(int id, std::vector<TAccelEntry> entries);

    int Id() const { return m_id; }
    const std::vector<TAccelEntry>& Entries() const { return m_entries; }
    // The command of the first matching entry. The keypad's Enter counts as Enter.
    std::optional<int> Translate(int key, Qt::KeyboardModifiers modifiers) const;

private:
    int m_id;
    std::vector<TAccelEntry> m_entries;
};
