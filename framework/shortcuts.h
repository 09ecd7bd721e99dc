#pragma once

#include <wx/accel.h>

#include <cstdint>
#include <string>
#include <vector>

class wxKeyEvent;

// One keyboard shortcut of a command: the table's modifier byte (shortcut_keys) and virtual
// key, and the command identifier it issues.
struct ivShortcut {
    uint8_t modifiers = 0;
    uint16_t key = 0;
    int id = 0;

    friend bool operator==(const ivShortcut&, const ivShortcut&) = default;
    // The same keys, whatever the command and the virtual-key bit.
    bool SameKeys(const ivShortcut& other) const;
};

// The keys of this keyboard for a shortcut: usually one, two where the keyboard has the key
// twice (Enter on the keypad) or where a key of the table is missing here (Help is F1).
// Empty for a virtual key without a counterpart.
std::vector<wxAcceleratorEntry> AcceleratorEntriesFor(const ivShortcut& shortcut);

// The accelerator table for shortcuts, in their order.
wxAcceleratorTable BuildAcceleratorTable(const std::vector<ivShortcut>& shortcuts);

// "Ctrl+N" in the user's language ("Strg+N"), or untranslated as menu labels carry it; empty
// when the key has no counterpart.
std::string ShortcutText(const ivShortcut& shortcut, bool translated = true);

// The shortcut a key press makes; false for a key that cannot be a shortcut (a modifier
// alone, a plain letter without Ctrl or Alt).
bool ShortcutFromKeyEvent(const wxKeyEvent& event, ivShortcut& shortcut);

// The stored form of shortcuts ("8,78,57600;..." with table numbers), and back. Entries that
// do not parse are left out.
std::string FormatShortcuts(const std::vector<ivShortcut>& shortcuts);
std::vector<ivShortcut> ParseShortcuts(const std::string& text);
