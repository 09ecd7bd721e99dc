#include "framework/customize_dialog.h"

#include "core/translate.h"
#include "framework/command_builder.h"
#include "framework/command_images.h"
#include "framework/frame_services.h"

#include <wx/aui/framemanager.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/imaglist.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {

wxString Tr(const char* text) {
    return wxString::FromUTF8(Translate(text));
}

wxString Text(const std::string& utf8) {
    return wxString::FromUTF8(utf8);
}

bool IsCommand(const ivCommandControl& control) {
    return control.id != 0 && !control.caption.empty() && control.kind != ivControlKind::Popup &&
           control.kind != ivControlKind::RibbonGroup &&
           control.kind != ivControlKind::RecentFileList;
}

ivCommandCategory& CategoryNamed(std::vector<ivCommandCategory>& categories,
                                 const std::string& name) {
    for (ivCommandCategory& category : categories) {
        if (category.name == name) {
            return category;
        }
    }
    categories.push_back(ivCommandCategory{name, {}});
    return categories.back();
}

void AddCommand(std::vector<ivCommandCategory>& categories, const ivCommandControl& control) {
    if (!IsCommand(control) || control.category.empty()) {
        return;
    }
    ivCommandCategory& category = CategoryNamed(categories, control.category);
    const bool listed = std::any_of(category.commands.begin(), category.commands.end(),
                                    [&](const ivCommandControl* c) { return c->id == control.id; });
    if (!listed) {
        category.commands.push_back(&control);
    }
}

// A menu or ribbon walk: the categories of each drop-down's controls, then the drop-downs
// below them.
void WalkBar(std::vector<ivCommandCategory>& categories, const ivCommandBar& bar) {
    for (const auto& control : bar.controls) {
        if (!control->dropDown || control->kind == ivControlKind::ColourPicker) {
            continue;
        }
        for (const auto& inner : control->dropDown->controls) {
            AddCommand(categories, *inner);
        }
        WalkBar(categories, *control->dropDown);
    }
}

std::string CommandLabel(const ivCommandControl& control) {
    return StripMnemonic(control.caption);
}

}  // namespace

std::vector<ivCommandCategory> CollectCommandCategories(const ivCommandBars& bars) {
    std::vector<ivCommandCategory> categories;
    if (ivCommandBar* first = bars.GetFirst()) {
        WalkBar(categories, *first);
    }
    // What only toolbars hold (the format buttons, the boxes) can have shortcuts too.
    for (int i = 1; i < bars.GetCount(); ++i) {
        for (const auto& control : bars.GetAt(i)->controls) {
            AddCommand(categories, *control);
        }
    }
    ivCommandCategory all{Translate("All Commands"), {}};
    for (const ivCommandCategory& category : categories) {
        for (const ivCommandControl* control : category.commands) {
            if (std::none_of(all.commands.begin(), all.commands.end(),
                             [&](const ivCommandControl* c) { return c->id == control->id; })) {
                all.commands.push_back(control);
            }
        }
    }
    std::sort(all.commands.begin(), all.commands.end(),
              [](const ivCommandControl* a, const ivCommandControl* b) {
                  return wxString::FromUTF8(CommandLabel(*a))
                             .CmpNoCase(wxString::FromUTF8(CommandLabel(*b))) < 0;
              });
    categories.push_back(std::move(all));
    return categories;
}

ivCustomizeDialog::ivCustomizeDialog(wxWindow* parent, ivCommandBuilder& builder)
    : wxDialog(parent, wxID_ANY, Tr("Customize"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_builder(builder),
      m_shortcuts(builder.GetShortcuts()) {
    if (ivCommandBars* bars = builder.GetCommandBars()) {
        m_categories = CollectCommandCategories(*bars);
    }
    auto* book = new wxNotebook(this, wxID_ANY);
    book->AddPage(MakeCommandsPage(book), Tr("Commands"));
    book->AddPage(MakeToolbarsPage(book), Tr("Toolbars"));
    book->AddPage(MakeKeyboardPage(book), Tr("Keyboard"));
    book->AddPage(MakeOptionsPage(book), Tr("Options"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(book, 1, wxEXPAND | wxALL, FromDIP(8));
    // Captions of our own: the desktop's stock captions follow the system locale, which
    // need not be the language the user chose.
    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, Tr("OK")));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, Tr("Cancel")));
    buttons->Realize();
    sizer->Add(buttons, 0, wxEXPAND | wxALL, FromDIP(8));
    SetSizer(sizer);
    SetSize(FromDIP(wxSize(620, 480)));
    SetMinSize(FromDIP(wxSize(520, 400)));
    CentreOnParent();
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent& event) {
            Apply();
            event.Skip();
        },
        wxID_OK);
}

wxWindow* ivCustomizeDialog::MakeCommandsPage(wxWindow* book) {
    auto* page = new wxPanel(book);
    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(new wxStaticText(page, wxID_ANY, Tr("Categories:")), 0, wxBOTTOM, FromDIP(4));
    m_categoryList = new wxListBox(page, wxID_ANY);
    for (const ivCommandCategory& category : m_categories) {
        m_categoryList->Append(Text(category.name));
    }
    left->Add(m_categoryList, 1, wxEXPAND);
    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(new wxStaticText(page, wxID_ANY, Tr("Commands:")), 0, wxBOTTOM, FromDIP(4));
    m_commandList = new wxListView(page, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                   wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL);
    m_commandList->AppendColumn(wxEmptyString);
    auto* images = new wxImageList(FromDIP(16), FromDIP(16));
    m_commandList->AssignImageList(images, wxIMAGE_LIST_SMALL);
    right->Add(m_commandList, 1, wxEXPAND);
    m_description = new wxStaticText(page, wxID_ANY, wxEmptyString);
    right->Add(m_description, 0, wxEXPAND | wxTOP, FromDIP(6));
    columns->Add(left, 2, wxEXPAND | wxALL, FromDIP(8));
    columns->Add(right, 3, wxEXPAND | wxALL, FromDIP(8));
    page->SetSizer(columns);

    m_categoryList->Bind(wxEVT_LISTBOX,
                         [this](wxCommandEvent& event) { ShowCategory(event.GetSelection()); });
    m_commandList->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) {
        const auto* control = reinterpret_cast<const ivCommandControl*>(event.GetData());
        m_description->SetLabel(control != nullptr ? Tr("Description:") + " " +
                                                         Text(StripMnemonic(control->description))
                                                   : wxString());
    });
    m_commandList->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        m_commandList->SetColumnWidth(0, m_commandList->GetClientSize().x);
        event.Skip();
    });
    if (!m_categories.empty()) {
        m_categoryList->SetSelection(0);
        ShowCategory(0);
    }
    return page;
}

void ivCustomizeDialog::ShowCategory(int category) {
    m_commandList->DeleteAllItems();
    wxImageList* images = m_commandList->GetImageList(wxIMAGE_LIST_SMALL);
    images->RemoveAll();
    if (category < 0 || category >= static_cast<int>(m_categories.size())) {
        return;
    }
    const wxSize size = FromDIP(wxSize(16, 16));
    wxBitmap blank(size);
    {
        wxImage empty(size);
        empty.InitAlpha();
        std::fill(empty.GetAlpha(), empty.GetAlpha() + size.x * size.y, 0);
        blank = wxBitmap(empty);
    }
    long row = 0;
    for (const ivCommandControl* control : m_categories[static_cast<size_t>(category)].commands) {
        int image = -1;
        if (control->hasImage) {
            image = images->Add(GetCommandImage(control->id).GetBitmap(size));
        } else {
            image = images->Add(blank);
        }
        const long item = m_commandList->InsertItem(row++, Text(CommandLabel(*control)), image);
        m_commandList->SetItemPtrData(item, reinterpret_cast<wxUIntPtr>(control));
    }
    m_description->SetLabel(wxString());
}

wxWindow* ivCustomizeDialog::MakeToolbarsPage(wxWindow* book) {
    auto* page = new wxPanel(book);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(page, wxID_ANY, Tr("Toolbars:")), 0, wxALL, FromDIP(8));
    m_toolbars = new wxCheckListBox(page, wxID_ANY);
    if (wxAuiManager* aui = m_builder.GetAuiManager()) {
        std::vector<std::string> names = m_builder.GetBarPaneNames();
        const std::vector<std::string> panes = m_builder.GetDockingPaneNames();
        names.insert(names.end(), panes.begin(), panes.end());
        for (const std::string& name : names) {
            wxAuiPaneInfo& pane = aui->GetPane(wxString::FromUTF8(name));
            // The ribbon is no toolbar one can put away.
            if (!pane.IsOk() || name == frame_layers::kRibbonPaneName) {
                continue;
            }
            m_toolbarPanes.push_back(name);
            const int index = m_toolbars->Append(pane.caption);
            m_toolbars->Check(static_cast<unsigned>(index), pane.IsShown());
        }
    }
    sizer->Add(m_toolbars, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    page->SetSizer(sizer);
    return page;
}

wxWindow* ivCustomizeDialog::MakeKeyboardPage(wxWindow* book) {
    auto* page = new wxPanel(book);
    auto* grid = new wxFlexGridSizer(2, FromDIP(8), FromDIP(12));
    grid->AddGrowableCol(0, 3);
    grid->AddGrowableCol(1, 2);
    grid->AddGrowableRow(0);

    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(new wxStaticText(page, wxID_ANY, Tr("Category:")), 0, wxBOTTOM, FromDIP(4));
    m_keyCategories = new wxChoice(page, wxID_ANY);
    for (const ivCommandCategory& category : m_categories) {
        m_keyCategories->Append(Text(category.name));
    }
    left->Add(m_keyCategories, 0, wxEXPAND | wxBOTTOM, FromDIP(8));
    left->Add(new wxStaticText(page, wxID_ANY, Tr("Commands:")), 0, wxBOTTOM, FromDIP(4));
    m_keyCommands = new wxListBox(page, wxID_ANY);
    left->Add(m_keyCommands, 1, wxEXPAND);

    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(new wxStaticText(page, wxID_ANY, Tr("Current keys:")), 0, wxBOTTOM, FromDIP(4));
    m_currentKeys = new wxListBox(page, wxID_ANY);
    right->Add(m_currentKeys, 1, wxEXPAND | wxBOTTOM, FromDIP(8));
    right->Add(new wxStaticText(page, wxID_ANY, Tr("Press new shortcut key:")), 0, wxBOTTOM,
               FromDIP(4));
    m_newKey = new wxTextCtrl(page, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                              wxWANTS_CHARS);
    right->Add(m_newKey, 0, wxEXPAND | wxBOTTOM, FromDIP(4));
    m_assignedTo = new wxStaticText(page, wxID_ANY, wxEmptyString);
    right->Add(m_assignedTo, 0, wxEXPAND | wxBOTTOM, FromDIP(8));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* assign = new wxButton(page, wxID_ANY, Tr("&Assign"));
    auto* remove = new wxButton(page, wxID_ANY, Tr("&Remove"));
    auto* reset = new wxButton(page, wxID_ANY, Tr("Reset &All"));
    buttons->Add(assign, 0, wxRIGHT, FromDIP(4));
    buttons->Add(remove, 0, wxRIGHT, FromDIP(4));
    buttons->Add(reset);
    right->Add(buttons);

    grid->Add(left, 1, wxEXPAND);
    grid->Add(right, 1, wxEXPAND);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(grid, 1, wxEXPAND | wxALL, FromDIP(8));
    page->SetSizer(outer);

    m_keyCategories->Bind(wxEVT_CHOICE,
                          [this](wxCommandEvent& event) { ShowKeyCategory(event.GetSelection()); });
    m_keyCommands->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { ShowKeysOfCommand(); });
    m_newKey->Bind(wxEVT_KEY_DOWN, &ivCustomizeDialog::OnShortcutKey, this);
    m_newKey->Bind(wxEVT_CHAR, [](wxKeyEvent&) {});
    assign->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AssignShortcut(); });
    remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        const ivCommandControl* command = SelectedKeyCommand();
        const int selected = m_currentKeys->GetSelection();
        if (command == nullptr || selected == wxNOT_FOUND) {
            return;
        }
        int index = 0;
        for (auto it = m_shortcuts.begin(); it != m_shortcuts.end(); ++it) {
            if (it->id == command->id && index++ == selected) {
                m_shortcuts.erase(it);
                break;
            }
        }
        ShowKeysOfCommand();
    });
    reset->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        m_shortcuts = m_builder.GetDefaultShortcuts();
        ShowKeysOfCommand();
    });
    if (!m_categories.empty()) {
        m_keyCategories->SetSelection(0);
        ShowKeyCategory(0);
    }
    return page;
}

void ivCustomizeDialog::ShowKeyCategory(int category) {
    m_keyCommands->Clear();
    if (category >= 0 && category < static_cast<int>(m_categories.size())) {
        for (const ivCommandControl* control :
             m_categories[static_cast<size_t>(category)].commands) {
            m_keyCommands->Append(Text(CommandLabel(*control)),
                                  const_cast<ivCommandControl*>(control));
        }
    }
    if (m_keyCommands->GetCount() > 0) {
        m_keyCommands->SetSelection(0);
    }
    ShowKeysOfCommand();
}

const ivCommandControl* ivCustomizeDialog::SelectedKeyCommand() const {
    const int selected = m_keyCommands->GetSelection();
    if (selected == wxNOT_FOUND) {
        return nullptr;
    }
    return static_cast<const ivCommandControl*>(
        m_keyCommands->GetClientData(static_cast<unsigned>(selected)));
}

void ivCustomizeDialog::ShowKeysOfCommand() {
    m_currentKeys->Clear();
    if (const ivCommandControl* command = SelectedKeyCommand()) {
        for (const ivShortcut& shortcut : m_shortcuts) {
            if (shortcut.id == command->id) {
                m_currentKeys->Append(Text(ShortcutText(shortcut)));
            }
        }
    }
}

void ivCustomizeDialog::OnShortcutKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    const bool plain = !event.HasAnyModifiers();
    if (plain && (key == WXK_TAB || key == WXK_ESCAPE || key == WXK_RETURN)) {
        event.Skip();
        return;
    }
    ivShortcut shortcut;
    if (!ShortcutFromKeyEvent(event, shortcut)) {
        return;
    }
    m_pending = shortcut;
    m_hasPending = true;
    m_newKey->ChangeValue(Text(ShortcutText(shortcut)));
    wxString owner;
    for (const ivShortcut& existing : m_shortcuts) {
        if (existing.SameKeys(shortcut)) {
            for (const ivCommandCategory& category : m_categories) {
                for (const ivCommandControl* control : category.commands) {
                    if (control->id == existing.id && owner.empty()) {
                        owner = Text(CommandLabel(*control));
                    }
                }
            }
        }
    }
    m_assignedTo->SetLabel(owner.empty() ? wxString() : Tr("Currently assigned to:") + " " + owner);
}

void ivCustomizeDialog::AssignShortcut() {
    const ivCommandControl* command = SelectedKeyCommand();
    if (command == nullptr || !m_hasPending) {
        return;
    }
    // One key, one command: the key leaves the command that had it.
    m_shortcuts.erase(std::remove_if(m_shortcuts.begin(), m_shortcuts.end(),
                                     [&](const ivShortcut& s) { return s.SameKeys(m_pending); }),
                      m_shortcuts.end());
    ivShortcut assigned = m_pending;
    assigned.id = command->id;
    m_shortcuts.push_back(assigned);
    m_hasPending = false;
    m_newKey->ChangeValue(wxEmptyString);
    m_assignedTo->SetLabel(wxEmptyString);
    ShowKeysOfCommand();
}

wxWindow* ivCustomizeDialog::MakeOptionsPage(wxWindow* book) {
    auto* page = new wxPanel(book);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    const ivCommandBars* bars = m_builder.GetCommandBars();
    const ivCommandBarOptions options = bars != nullptr ? bars->Options() : ivCommandBarOptions();
    auto add = [&](const char* label, bool value) {
        auto* box = new wxCheckBox(page, wxID_ANY, Tr(label));
        box->SetValue(value);
        sizer->Add(box, 0, wxLEFT | wxRIGHT | wxTOP, FromDIP(8));
        return box;
    };
    auto* heading = new wxStaticText(page, wxID_ANY, Tr("Personalized menus and toolbars"));
    heading->SetFont(heading->GetFont().Bold());
    sizer->Add(heading, 0, wxALL, FromDIP(8));
    m_fullMenus = add("Always show full menus", options.fullMenus);
    m_largeIcons = add("Large icons", options.largeIcons);
    m_showTooltips = add("Show ScreenTips on toolbars", options.showTooltips);
    m_shortcutsInTooltips = add("Show shortcut keys in ScreenTips", options.shortcutsInTooltips);
    page->SetSizer(sizer);
    return page;
}

void ivCustomizeDialog::Apply() {
    m_builder.SetShortcuts(m_shortcuts);
    if (ivCommandBars* bars = m_builder.GetCommandBars()) {
        ivCommandBarOptions& options = bars->Options();
        options.fullMenus = m_fullMenus->GetValue();
        options.largeIcons = m_largeIcons->GetValue();
        options.showTooltips = m_showTooltips->GetValue();
        options.shortcutsInTooltips = m_shortcutsInTooltips->GetValue();
    }
    if (wxAuiManager* aui = m_builder.GetAuiManager()) {
        for (size_t i = 0; i < m_toolbarPanes.size(); ++i) {
            aui->GetPane(wxString::FromUTF8(m_toolbarPanes[i]))
                .Show(m_toolbars->IsChecked(static_cast<unsigned>(i)));
        }
        aui->Update();
    }
    m_builder.ApplyOptions();
}
