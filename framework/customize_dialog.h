#pragma once

#include "framework/command_bars.h"
#include "framework/shortcuts.h"

#include <wx/dialog.h>

#include <string>
#include <vector>

class ivCommandBuilder;
class wxCheckBox;
class wxCheckListBox;
class wxChoice;
class wxListBox;
class wxListView;
class wxStaticText;
class wxTextCtrl;

// The commands of the command bars by category, as the customisation dialog lists them: the
// categories of the menus (or ribbon tabs) in their order, then those only toolbars have,
// then "All Commands".
struct ivCommandCategory {
    std::string name;
    std::vector<const ivCommandControl*> commands;
};
std::vector<ivCommandCategory> CollectCommandCategories(const ivCommandBars& bars);

// The main window's customisation dialog (command 35001): the commands by category, the
// toolbars shown, the keyboard shortcuts (changed here and kept with the layout), and the
// options of the bars. OK applies what was changed.
class ivCustomizeDialog : public wxDialog {
public:
    ivCustomizeDialog(wxWindow* parent, ivCommandBuilder& builder);

    // What the keyboard page holds now (for the tests).
    const std::vector<ivShortcut>& GetShortcuts() const { return m_shortcuts; }

    // The pages' windows, so that a test can work them as a person does.
    wxChoice* GetKeyboardCategories() const { return m_keyCategories; }
    wxListBox* GetKeyboardCommands() const { return m_keyCommands; }
    wxTextCtrl* GetShortcutEntry() const { return m_newKey; }
    wxCheckBox* GetFullMenusBox() const { return m_fullMenus; }

    // Assigns the shortcut in the entry field to the selected command (the Assign button).
    void AssignShortcut();

private:
    wxWindow* MakeCommandsPage(wxWindow* book);
    wxWindow* MakeToolbarsPage(wxWindow* book);
    wxWindow* MakeKeyboardPage(wxWindow* book);
    wxWindow* MakeOptionsPage(wxWindow* book);
    void ShowCategory(int category);
    void ShowKeyCategory(int category);
    const ivCommandControl* SelectedKeyCommand() const;
    void ShowKeysOfCommand();
    void OnShortcutKey(wxKeyEvent& event);
    void Apply();

    ivCommandBuilder& m_builder;
    std::vector<ivCommandCategory> m_categories;
    std::vector<ivShortcut> m_shortcuts;
    ivShortcut m_pending;
    bool m_hasPending = false;

    wxListBox* m_categoryList = nullptr;
    wxListView* m_commandList = nullptr;
    wxStaticText* m_description = nullptr;
    wxCheckListBox* m_toolbars = nullptr;
    std::vector<std::string> m_toolbarPanes;
    wxChoice* m_keyCategories = nullptr;
    wxListBox* m_keyCommands = nullptr;
    wxListBox* m_currentKeys = nullptr;
    wxTextCtrl* m_newKey = nullptr;
    wxStaticText* m_assignedTo = nullptr;
    wxCheckBox* m_fullMenus = nullptr;
    wxCheckBox* m_largeIcons = nullptr;
    wxCheckBox* m_showTooltips = nullptr;
    wxCheckBox* m_shortcutsInTooltips = nullptr;
};
