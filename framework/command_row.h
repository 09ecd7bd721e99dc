#pragma once

#include <cstdint>
#include <string>

// One row of a product's command table, as its OnCreateCommands hands it to the command
// builder. The identifier is the program's command identifier (core/command_ids.h).
struct ivCommandRow {
    std::string name;      // "FILE_NEW": never translated, kept as the control's parameter
    std::string caption;   // translated, "&" before the mnemonic; also description and tooltip
    std::string category;  // translated ("File", ...): customisation, ribbon and task groups
    int id = 0;
    uint32_t flags = 0;     // command_flags
    uint32_t shortcut = 0;  // 0, or modifier byte in bits 16-23 and a virtual key in bits 0-15
    int width = 0;          // edit and combo boxes, in units of 10 pixels; 0 or less is 10
};

// The bits of a command row's flag word.
namespace command_flags {

inline constexpr uint32_t kBeginGroup = 0x1;  // a separator precedes the control
inline constexpr uint32_t kBold = 0x2;        // task panel: bold item; property grid: selected
inline constexpr uint32_t kRarelyUsed = 0x8;  // hidden until the menu is expanded; grid: password
inline constexpr uint32_t kSpecialGroup = 0x20;  // task panel: a new group is emphasised

inline constexpr uint32_t kButtonStyleMask = 0x3000;
inline constexpr uint32_t kStyleAutomatic = 0x0;
inline constexpr uint32_t kStyleCaption = 0x1000;
inline constexpr uint32_t kStyleImage = 0x2000;
inline constexpr uint32_t kStyleImageAndCaption = 0x3000;

inline constexpr uint32_t kKindMask = 0xB30000;
inline constexpr uint32_t kPushButton = 0x0;  // the recent-file list for kFileMruFirst
inline constexpr uint32_t kEditBox = 0x10000;
inline constexpr uint32_t kComboBox = 0x20000;      // the user may type
inline constexpr uint32_t kDropDownList = 0x30000;  // a choice of its entries only
inline constexpr uint32_t kFontNameBox = 0x100000;
inline constexpr uint32_t kFontSizeBox = 0x200000;
inline constexpr uint32_t kColourPicker = 0x800000;

}  // namespace command_flags

// The flag word of BeginMenu, BeginToolBar, BeginTaskPanel and the pane operations.
namespace container_flags {

inline constexpr uint32_t kSeparatorBefore = 0x1;  // menu popup
inline constexpr uint32_t kStretched = 0x4;        // toolbar: the full width of its row
inline constexpr uint32_t kHidden = 0x8;           // pane starts hidden
inline constexpr uint32_t kTearOff = 0x8000;       // menu popup can be torn off
inline constexpr uint32_t kToolbox = 0x20000;      // task panel: toolbox behaviour

inline constexpr uint32_t kDockMask = 0x30000000;
inline constexpr uint32_t kDockTop = 0x0;
inline constexpr uint32_t kDockBottom = 0x10000000;
inline constexpr uint32_t kDockLeft = 0x20000000;
inline constexpr uint32_t kDockRight = 0x30000000;

// Toolbar: right of the bar created before it. Pane: next to the last pane, or floating
// together with kAttach.
inline constexpr uint32_t kDockNext = 0x40000000;
// Pane: tabbed with the last pane.
inline constexpr uint32_t kAttach = 0x80000000;

}  // namespace container_flags

// Shortcuts are a modifier byte and a virtual key, as the table writes them.
namespace shortcut_keys {

inline constexpr uint8_t kVirtualKey = 0x01;  // added to every entry by FinishCommands
inline constexpr uint8_t kShift = 0x04;
inline constexpr uint8_t kCtrl = 0x08;
inline constexpr uint8_t kAlt = 0x10;

inline constexpr uint16_t kReturn = 0x0D;
inline constexpr uint16_t kLeft = 0x25;
inline constexpr uint16_t kUp = 0x26;
inline constexpr uint16_t kRight = 0x27;
inline constexpr uint16_t kDown = 0x28;
inline constexpr uint16_t kDelete = 0x2E;
inline constexpr uint16_t kHelp = 0x2F;
inline constexpr uint16_t kF1 = 0x70;
inline constexpr uint16_t kF3 = 0x72;
inline constexpr uint16_t kF5 = 0x74;

constexpr uint32_t Make(uint8_t modifiers, uint16_t key) {
    return (static_cast<uint32_t>(modifiers) << 16) | key;
}
constexpr uint32_t Ctrl(char letter) {
    return Make(kCtrl, static_cast<uint16_t>(letter));
}

}  // namespace shortcut_keys
