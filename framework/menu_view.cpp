#include "framework/menu_view.h"

#include "core/command_ids.h"
#include "core/translate.h"
#include "framework/command_bars.h"
#include "framework/command_images.h"
#include "platform/desktop_look.h"

#include <wx/artprov.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include <algorithm>

namespace {

// The entries that expand a menu are numbered from here, one per popup.
constexpr int kExpandTableFirst = 0xF100;
// Longer paths of recent files are shortened in the middle.
constexpr size_t kLongestRecentLabel = 48;

wxString Text(const std::string& utf8) {
    return wxString::FromUTF8(utf8);
}

// How a recent file is listed: the home folder as "~", "&" doubled, long paths shortened.
wxString RecentFileLabel(size_t index, const std::string& path) {
    wxString shown = Text(path);
    const wxString home = wxFileName::GetHomeDir();
    if (!home.empty() && shown.StartsWith(home + "/")) {
        shown = "~" + shown.Mid(home.length());
    }
    if (shown.length() > kLongestRecentLabel) {
        const wxString name = wxFileName(shown).GetFullName();
        const size_t keep =
            kLongestRecentLabel > name.length() + 4 ? kLongestRecentLabel - name.length() - 4 : 0;
        shown = shown.Left(keep) + "/.../" + name;
    }
    shown.Replace("&", "&&");
    const size_t number = index + 1;
    const wxString prefix = number < 10 ? wxString::Format("&%zu ", number)
                                        : wxString::Format("%zu&%zu ", number / 10, number % 10);
    return prefix + shown;
}

void ClearMenu(wxMenu& menu) {
    while (menu.GetMenuItemCount() > 0) {
        menu.Destroy(menu.FindItemByPosition(0));
    }
}

}  // namespace

ivMenuView::ivMenuView(wxFrame& frame, ivCommandBars& bars, ShortcutLookup shortcuts,
                       RecentFiles recentFiles)
    : m_frame(frame),
      m_bars(bars),
      m_shortcuts(std::move(shortcuts)),
      m_recentFiles(std::move(recentFiles)) {
    m_frame.Bind(wxEVT_MENU_HIGHLIGHT, &ivMenuView::OnHighlight, this);
    m_frame.Bind(wxEVT_MENU_CLOSE, &ivMenuView::OnMenuClose, this);
    m_frame.Bind(wxEVT_MENU, &ivMenuView::OnExpandCommand, this, ExpandId(0),
                 ExpandId(kMostPopups - 1));
}

ivMenuView::~ivMenuView() {
    m_frame.Unbind(wxEVT_MENU_HIGHLIGHT, &ivMenuView::OnHighlight, this);
    m_frame.Unbind(wxEVT_MENU_CLOSE, &ivMenuView::OnMenuClose, this);
    m_frame.Unbind(wxEVT_MENU, &ivMenuView::OnExpandCommand, this, ExpandId(0),
                   ExpandId(kMostPopups - 1));
}

int ivMenuView::ExpandId(int index) {
    return command_id::FromTableNumber(kExpandTableFirst + index);
}

void ivMenuView::Rebuild() {
    ivCommandBar* first = m_bars.GetFirst();
    if (first == nullptr || first->type != ivBarType::MenuBar) {
        return;
    }
    m_popups.clear();
    auto* bar = new wxMenuBar;
    for (const auto& control : first->controls) {
        if (control->kind == ivControlKind::Popup && control->dropDown) {
            bar->Append(BuildMenu(*control->dropDown), Text(control->caption));
        }
    }
    wxMenuBar* old = m_frame.GetMenuBar();
    m_frame.SetMenuBar(bar);
    delete old;
}

wxMenu* ivMenuView::BuildMenu(ivCommandBar& popup) {
    popup.menu = new wxMenu(popup.tearOffId < 0 ? wxMENU_TEAROFF : 0);
    FillMenu(popup);
    return popup.menu;
}

void ivMenuView::FillMenu(ivCommandBar& popup) {
    wxMenu& menu = *popup.menu;
    if (std::find(m_popups.begin(), m_popups.end(), &popup) == m_popups.end()) {
        m_popups.push_back(&popup);
    }
    const int index =
        static_cast<int>(std::find(m_popups.begin(), m_popups.end(), &popup) - m_popups.begin());
    ClearMenu(menu);
    const bool folded = !m_bars.Options().fullMenus && !IsExpanded(popup) &&
                        HasHiddenEntries(popup) && index < kMostPopups;
    for (const auto& control : popup.controls) {
        if (folded && m_bars.IsHidden(control->id)) {
            continue;
        }
        const size_t count = menu.GetMenuItemCount();
        if (control->beginGroup && count > 0 &&
            !menu.FindItemByPosition(count - 1)->IsSeparator()) {
            menu.AppendSeparator();
        }
        AppendControl(menu, *control);
    }
    if (folded) {
        auto* expand = new wxMenuItem(&menu, ExpandId(index), Text(Translate("Show all commands")),
                                      Text(Translate("Shows the rarely used commands too.")));
        expand->SetBitmap(GetShippedImage("expand_menu"));
        menu.Append(expand);
    }
}

void ivMenuView::AppendControl(wxMenu& menu, ivCommandControl& control) {
    switch (control.kind) {
        case ivControlKind::RecentFileList:
            AppendRecentFiles(menu);
            return;
        case ivControlKind::Popup:
            if (control.dropDown) {
                menu.AppendSubMenu(BuildMenu(*control.dropDown), Text(control.caption),
                                   Text(StripMnemonic(control.description)));
            }
            return;
        default:
            break;
    }
    wxString label = Text(control.caption);
    if (const std::string keys = m_shortcuts ? m_shortcuts(control.id) : std::string();
        !keys.empty()) {
        label << "\t" << Text(keys);
    }
    // A control without a command (the placeholders of the first menu) shows, disabled.
    const int id = control.id != 0 ? control.id : wxID_ANY;
    auto* item = new wxMenuItem(&menu, id, label, Text(StripMnemonic(control.description)));
    if (control.hasImage) {
        item->SetBitmap(GetCommandImage(control.id));
    }
    menu.Append(item);
    if (control.id == 0) {
        item->Enable(false);
    }
}

void ivMenuView::AppendRecentFiles(wxMenu& menu) {
    const std::vector<std::string> files =
        m_recentFiles ? m_recentFiles() : std::vector<std::string>();
    if (files.empty()) {
        menu.Append(wxID_ANY, Text(Translate("No recent files")))->Enable(false);
        return;
    }
    const size_t shown =
        std::min<size_t>(files.size(), command_id::kFileMruLast - command_id::kFileMruFirst + 1);
    for (size_t i = 0; i < shown; ++i) {
        menu.Append(command_id::kFileMruFirst + static_cast<int>(i), RecentFileLabel(i, files[i]),
                    Text(files[i]));
    }
}

void ivMenuView::RefreshRecentFiles() {
    for (ivCommandBar* popup : m_popups) {
        const bool holds = std::any_of(
            popup->controls.begin(), popup->controls.end(),
            [](const auto& control) { return control->kind == ivControlKind::RecentFileList; });
        if (holds && popup->menu != nullptr) {
            FillMenu(*popup);
        }
    }
}

bool ivMenuView::HasHiddenEntries(const ivCommandBar& popup) const {
    return std::any_of(popup.controls.begin(), popup.controls.end(),
                       [this](const auto& control) { return m_bars.IsHidden(control->id); });
}

void ivMenuView::SetExpanded(ivCommandBar& popup, bool expanded) {
    if (IsExpanded(popup) == expanded) {
        return;
    }
    if (expanded) {
        m_expanded.push_back(&popup);
    } else {
        m_expanded.erase(std::remove(m_expanded.begin(), m_expanded.end(), &popup),
                         m_expanded.end());
    }
    if (popup.menu != nullptr) {
        FillMenu(popup);
        m_frame.DoMenuUpdates(popup.menu);
        // Reopening the grown menu closes it first; that close is no reason to fold it.
        m_refitting = true;
        platform::RefitOpenMenu(*popup.menu);
        m_refitting = false;
    }
}

bool ivMenuView::IsExpanded(const ivCommandBar& popup) const {
    return std::find(m_expanded.begin(), m_expanded.end(), &popup) != m_expanded.end();
}

ivCommandBar* ivMenuView::PopupOfExpandId(int id) const {
    const int index = id - ExpandId(0);
    return index >= 0 && index < static_cast<int>(m_popups.size())
               ? m_popups[static_cast<size_t>(index)]
               : nullptr;
}

ivCommandBar* ivMenuView::PopupOfMenu(const wxMenu* menu) const {
    for (ivCommandBar* popup : m_popups) {
        if (popup->menu == menu) {
            return popup;
        }
    }
    return nullptr;
}

void ivMenuView::OnHighlight(wxMenuEvent& event) {
    event.Skip();
    // Resting on the last entry opens the menu fully, as a click on it does.
    if (ivCommandBar* popup = PopupOfExpandId(event.GetMenuId())) {
        CallAfter([this, popup] { SetExpanded(*popup, true); });
    }
}

void ivMenuView::OnExpandCommand(wxCommandEvent& event) {
    if (ivCommandBar* popup = PopupOfExpandId(event.GetId())) {
        SetExpanded(*popup, true);
    }
}

void ivMenuView::OnMenuClose(wxMenuEvent& event) {
    event.Skip();
    if (m_refitting) {
        return;
    }
    if (ivCommandBar* popup = PopupOfMenu(event.GetMenu());
        popup != nullptr && IsExpanded(*popup)) {
        CallAfter([this, popup] { SetExpanded(*popup, false); });
    }
}
