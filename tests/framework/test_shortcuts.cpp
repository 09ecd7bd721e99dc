#include "core/command_ids.h"
#include "framework/command_row.h"
#include "framework/shortcuts.h"

#include <gtest/gtest.h>
#include <wx/event.h>

namespace {

using namespace shortcut_keys;

ivShortcut Shortcut(uint8_t modifiers, uint16_t key, int id = command_id::kFileNew) {
    return ivShortcut{static_cast<uint8_t>(modifiers | kVirtualKey), key, id};
}

TEST(Shortcuts, KeysOfTheTableBecomeTheKeysOfThisKeyboard) {
    // Enter is there twice: the main one and the keypad's.
    const auto enter = AcceleratorEntriesFor(Shortcut(kCtrl | kAlt, kReturn));
    ASSERT_EQ(enter.size(), 2u);
    EXPECT_EQ(enter[0].GetKeyCode(), WXK_RETURN);
    EXPECT_EQ(enter[1].GetKeyCode(), WXK_NUMPAD_ENTER);
    EXPECT_EQ(enter[1].GetFlags(), wxACCEL_CTRL | wxACCEL_ALT);
    // No keyboard here has a Help key: F1 is it, and the key itself where it exists.
    const auto help = AcceleratorEntriesFor(Shortcut(kShift, kHelp));
    ASSERT_EQ(help.size(), 2u);
    EXPECT_EQ(help[0].GetKeyCode(), WXK_F1);
    EXPECT_EQ(help[0].GetFlags(), wxACCEL_SHIFT);
    EXPECT_EQ(help[1].GetKeyCode(), WXK_HELP);
    EXPECT_EQ(AcceleratorEntriesFor(Shortcut(kCtrl, 'N'))[0].GetKeyCode(), 'N');
    EXPECT_EQ(AcceleratorEntriesFor(Shortcut(0, kF5))[0].GetKeyCode(), WXK_F5);
    EXPECT_EQ(AcceleratorEntriesFor(Shortcut(0, kDelete))[0].GetKeyCode(), WXK_DELETE);
    EXPECT_TRUE(AcceleratorEntriesFor(Shortcut(0, 0xE5)).empty()) << "a key without counterpart";
}

TEST(Shortcuts, TextIsUntranslatedForMenusAndEmptyWithoutAKey) {
    EXPECT_EQ(ShortcutText(Shortcut(kCtrl, 'S'), false), "Ctrl+S");
    EXPECT_EQ(ShortcutText(Shortcut(kCtrl | kShift | kAlt, kReturn), false),
              "Alt+Ctrl+Shift+Enter");
    EXPECT_EQ(ShortcutText(Shortcut(0, kF3), false), "F3");
    EXPECT_EQ(ShortcutText(Shortcut(0, 0xE5), false), "");
}

TEST(Shortcuts, KeyPressesMakeShortcutsButTypingStaysTyping) {
    wxKeyEvent press(wxEVT_KEY_DOWN);
    press.m_keyCode = 'Q';
    press.SetControlDown(true);
    ivShortcut made;
    ASSERT_TRUE(ShortcutFromKeyEvent(press, made));
    EXPECT_EQ(made.key, 'Q');
    EXPECT_EQ(made.modifiers, kCtrl | kVirtualKey);

    press.SetControlDown(false);
    EXPECT_FALSE(ShortcutFromKeyEvent(press, made)) << "a plain letter is typing";
    press.m_keyCode = WXK_F7;
    ASSERT_TRUE(ShortcutFromKeyEvent(press, made));
    EXPECT_EQ(made.key, kF1 + 6);
    press.m_keyCode = WXK_SHIFT;
    press.SetShiftDown(true);
    EXPECT_FALSE(ShortcutFromKeyEvent(press, made)) << "a modifier alone";
    press.m_keyCode = WXK_NUMPAD_ENTER;
    press.SetControlDown(true);
    ASSERT_TRUE(ShortcutFromKeyEvent(press, made));
    EXPECT_EQ(made.key, kReturn) << "the keypad's Enter is Enter";
}

TEST(Shortcuts, StoredFormKeepsTableNumbersAndDropsWhatDoesNotParse) {
    const std::vector<ivShortcut> shortcuts = {
        Shortcut(kCtrl, 'N', command_id::kFileNew),
        Shortcut(kCtrl | kAlt, kReturn, command_id::kInsertSectionUnder)};
    const std::string text = FormatShortcuts(shortcuts);
    EXPECT_EQ(text, "9,78,57600;25,13,32931");
    EXPECT_EQ(ParseShortcuts(text), shortcuts);
    // What a person or a broken file may leave there.
    EXPECT_EQ(ParseShortcuts("9,78,57600;x;1,2;9,78,;9,78,57600x;300,1,57600;9,0,57600;"
                             "9,78,32768;9,70000,57600;;9,70,57636")
                  .size(),
              2u);
    EXPECT_TRUE(ParseShortcuts("").empty());
    EXPECT_TRUE(ParseShortcuts(std::string(100000, ';')).empty());
}

}  // namespace
