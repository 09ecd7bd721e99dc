#include "framework/shortcuts.h"

#include "core/command_ids.h"
#include "framework/command_row.h"

#include <wx/event.h>

#include <cstdlib>
#include <sstream>

namespace {

using namespace shortcut_keys;

// Virtual keys that are not a letter, a digit or a function key, with this keyboard's key.
struct KeyPair {
    uint16_t virtualKey;
    int wxKey;
};
constexpr KeyPair kKeys[] = {
    {0x08, WXK_BACK},  {0x09, WXK_TAB},    {kReturn, WXK_RETURN}, {0x1B, WXK_ESCAPE},
    {0x20, WXK_SPACE}, {0x21, WXK_PAGEUP}, {0x22, WXK_PAGEDOWN},  {0x23, WXK_END},
    {0x24, WXK_HOME},  {0x25, WXK_LEFT},   {0x26, WXK_UP},        {0x27, WXK_RIGHT},
    {0x28, WXK_DOWN},  {0x2D, WXK_INSERT}, {kDelete, WXK_DELETE}, {kHelp, WXK_F1},
    {0x6A, '*'},       {0x6B, '+'},        {0x6D, '-'},           {0x6E, '.'},
    {0x6F, '/'},       {0xBA, ';'},        {0xBB, '='},           {0xBC, ','},
    {0xBD, '-'},       {0xBE, '.'},        {0xBF, '/'},           {0xC0, '`'},
    {0xDB, '['},       {0xDC, '\\'},       {0xDD, ']'},           {0xDE, '\''},
};

// The second key of this keyboard that does the same, or 0.
int SecondKey(uint16_t virtualKey) {
    switch (virtualKey) {
        case kReturn:
            return WXK_NUMPAD_ENTER;
        case kDelete:
            return WXK_NUMPAD_DELETE;
        case kHelp:
            return WXK_HELP;
        default:
            return 0;
    }
}

int WxKeyFor(uint16_t virtualKey) {
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return virtualKey;
    }
    if (virtualKey >= kF1 && virtualKey < kF1 + 24) {
        return WXK_F1 + (virtualKey - kF1);
    }
    if (virtualKey >= 0x60 && virtualKey <= 0x69) {
        return WXK_NUMPAD0 + (virtualKey - 0x60);
    }
    for (const KeyPair& pair : kKeys) {
        if (pair.virtualKey == virtualKey) {
            return pair.wxKey;
        }
    }
    return 0;
}

uint16_t VirtualKeyFor(int wxKey) {
    if (wxKey >= 'a' && wxKey <= 'z') {
        wxKey -= 'a' - 'A';
    }
    if ((wxKey >= 'A' && wxKey <= 'Z') || (wxKey >= '0' && wxKey <= '9')) {
        return static_cast<uint16_t>(wxKey);
    }
    if (wxKey >= WXK_F1 && wxKey <= WXK_F24) {
        return static_cast<uint16_t>(kF1 + (wxKey - WXK_F1));
    }
    if (wxKey >= WXK_NUMPAD0 && wxKey <= WXK_NUMPAD9) {
        return static_cast<uint16_t>(0x60 + (wxKey - WXK_NUMPAD0));
    }
    switch (wxKey) {
        case WXK_NUMPAD_ENTER:
            return kReturn;
        case WXK_NUMPAD_DELETE:
            return kDelete;
        case WXK_HELP:
            return kHelp;
        case WXK_F1:
            return kF1;
        default:
            break;
    }
    for (const KeyPair& pair : kKeys) {
        if (pair.wxKey == wxKey && pair.virtualKey != kHelp) {
            return pair.virtualKey;
        }
    }
    return 0;
}

int WxFlagsFor(uint8_t modifiers) {
    int flags = wxACCEL_NORMAL;
    if (modifiers & kShift) {
        flags |= wxACCEL_SHIFT;
    }
    if (modifiers & kCtrl) {
        flags |= wxACCEL_CTRL;
    }
    if (modifiers & kAlt) {
        flags |= wxACCEL_ALT;
    }
    return flags;
}

}  // namespace

bool ivShortcut::SameKeys(const ivShortcut& other) const {
    const uint8_t mask = kShift | kCtrl | kAlt;
    return (modifiers & mask) == (other.modifiers & mask) && key == other.key;
}

std::vector<wxAcceleratorEntry> AcceleratorEntriesFor(const ivShortcut& shortcut) {
    std::vector<wxAcceleratorEntry> entries;
    const int key = WxKeyFor(shortcut.key);
    if (key == 0) {
        return entries;
    }
    const int flags = WxFlagsFor(shortcut.modifiers);
    entries.emplace_back(flags, key, shortcut.id);
    if (const int second = SecondKey(shortcut.key); second != 0) {
        entries.emplace_back(flags, second, shortcut.id);
    }
    return entries;
}

wxAcceleratorTable BuildAcceleratorTable(const std::vector<ivShortcut>& shortcuts) {
    std::vector<wxAcceleratorEntry> entries;
    for (const ivShortcut& shortcut : shortcuts) {
        for (const wxAcceleratorEntry& entry : AcceleratorEntriesFor(shortcut)) {
            entries.push_back(entry);
        }
    }
    if (entries.empty()) {
        return wxAcceleratorTable();
    }
    return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

std::string ShortcutText(const ivShortcut& shortcut, bool translated) {
    const std::vector<wxAcceleratorEntry> entries = AcceleratorEntriesFor(shortcut);
    if (entries.empty()) {
        return {};
    }
    return (translated ? entries.front().ToString() : entries.front().ToRawString()).utf8_string();
}

bool ShortcutFromKeyEvent(const wxKeyEvent& event, ivShortcut& shortcut) {
    const int key = event.GetKeyCode();
    switch (key) {
        case WXK_SHIFT:
        case WXK_CONTROL:
        case WXK_ALT:
        case WXK_WINDOWS_LEFT:
        case WXK_WINDOWS_RIGHT:
        case WXK_MENU:
        case WXK_CAPITAL:
        case WXK_NUMLOCK:
        case WXK_SCROLL:
            return false;
        default:
            break;
    }
    const uint16_t virtualKey = VirtualKeyFor(key);
    if (virtualKey == 0) {
        return false;
    }
    uint8_t modifiers = kVirtualKey;
    if (event.ShiftDown()) {
        modifiers |= kShift;
    }
    if (event.RawControlDown() || event.ControlDown()) {
        modifiers |= kCtrl;
    }
    if (event.AltDown()) {
        modifiers |= kAlt;
    }
    // Typing must stay typing: a printable key needs Ctrl or Alt to be a shortcut.
    const bool printable = virtualKey == 0x20 || (virtualKey >= '0' && virtualKey <= 'Z') ||
                           virtualKey >= 0xBA || (virtualKey >= 0x60 && virtualKey <= 0x6F);
    if (printable && (modifiers & (kCtrl | kAlt)) == 0) {
        return false;
    }
    shortcut.modifiers = modifiers;
    shortcut.key = virtualKey;
    return true;
}

std::string FormatShortcuts(const std::vector<ivShortcut>& shortcuts) {
    std::string text;
    for (const ivShortcut& shortcut : shortcuts) {
        if (!text.empty()) {
            text += ';';
        }
        text += std::to_string(shortcut.modifiers) + "," + std::to_string(shortcut.key) + "," +
                std::to_string(command_id::ToTableNumber(shortcut.id));
    }
    return text;
}

std::vector<ivShortcut> ParseShortcuts(const std::string& text) {
    std::vector<ivShortcut> shortcuts;
    std::istringstream entries(text);
    std::string entry;
    while (std::getline(entries, entry, ';')) {
        long values[3] = {};
        const char* p = entry.c_str();
        bool ok = true;
        for (int i = 0; i < 3 && ok; ++i) {
            char* end = nullptr;
            values[i] = std::strtol(p, &end, 10);
            ok = end != p && (i == 2 ? *end == '\0' : *end == ',');
            p = end + (i < 2 ? 1 : 0);
        }
        if (!ok || values[0] < 0 || values[0] > 0xFF || values[1] <= 0 || values[1] > 0xFFFF ||
            values[2] <= 0x8000 || values[2] > 0xFFFF) {
            continue;
        }
        shortcuts.push_back(ivShortcut{static_cast<uint8_t>(values[0]),
                                       static_cast<uint16_t>(values[1]),
                                       command_id::FromTableNumber(static_cast<int>(values[2]))});
    }
    return shortcuts;
}
