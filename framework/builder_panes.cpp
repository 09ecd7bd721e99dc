// The command builder's status indicators and docking panes: the status bar's MODE and
// PROGRESS, task panels, property grids and windows in panes.
#include "core/translate.h"
#include "framework/command_bars.h"
#include "framework/command_builder.h"
#include "framework/command_images.h"
#include "framework/frame_host.h"
#include "framework/frame_services.h"
#include "framework/paint_theme.h"
#include "framework/status_bar.h"
#include "framework/task_panel.h"
#include "platform/desktop_look.h"

#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/propgrid/propgrid.h>
#include <wx/propgrid/props.h>
#include <wx/settings.h>
#include <wx/statbmp.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr int kPaneSize = 180;

}  // namespace

bool ivCommandBuilder::CreateStatusBar(const std::string&, const std::string&, uint32_t) {
    ivStatusBar* statusBar = GetStatusBar();
    if (statusBar == nullptr) {
        return false;
    }
    m_items["MODE"] = NamedItem{statusBar->AddModeImage()};
    m_items["PROGRESS"] = NamedItem{statusBar->AddProgressBar()};
    SetStatusIndicators(this);
    return true;
}

void ivCommandBuilder::SetIndicator(const std::string& name, int value) {
    if (!m_containers.empty()) {
        return;
    }
    const auto found = m_items.find(name);
    if (found == m_items.end() || found->second.window == nullptr) {
        return;
    }
    wxWindow* window = found->second.window;
    bool urgent = true;
    if (auto* image = dynamic_cast<wxStaticBitmap*>(window)) {
        if (value != 0 && HasCommandImage(value)) {
            image->SetBitmap(GetCommandImage(value));
            image->Show();
        } else {
            image->Hide();
        }
    } else if (auto* progress = dynamic_cast<wxGauge*>(window)) {
        const int position = std::clamp(value, 0, progress->GetRange());
        if (progress->GetValue() == position) {
            return;
        }
        progress->SetValue(position);
        // The ends of a run always show; the steps between as time allows.
        urgent = position == 0 || position == progress->GetRange();
    }
    RepaintIndicators(window, urgent);
}

void ivCommandBuilder::RepaintIndicators(wxWindow* window, bool urgent) {
    // Generation keeps the program busy in the command handler: the bar is painted now, a few
    // times a second at most (each wait for the painting costs the run some time).
    window->Refresh();
    const auto now = std::chrono::steady_clock::now();
    if (!urgent && now - m_lastRepaint < std::chrono::milliseconds(kRepaintInterval)) {
        return;
    }
    m_lastRepaint = now;
    platform::PaintNow(*window, kLongestRepaint);
}

wxAuiPaneInfo ivCommandBuilder::CreatePane(const std::string&, const std::string& title,
                                           uint32_t flags) {
    wxAuiPaneInfo info;
    ivMainFrameHost* host = Host();
    if (host == nullptr) {
        return info;
    }
    const std::string paneName = "pane" + std::to_string(m_panes.size() + 1);
    info.Name(wxString::FromUTF8(paneName))
        .Caption(wxString::FromUTF8(title))
        .Layer(frame_layers::kPanes)
        .BestSize(m_frame->FromDIP(wxSize(kPaneSize, kPaneSize)))
        .FloatingSize(m_frame->FromDIP(wxSize(kPaneSize, kPaneSize)))
        .MinSize(m_frame->FromDIP(wxSize(60, 60)))
        .Direction(DockDirection(flags))
        .CloseButton(true)
        .PinButton(false);
    // A pane the saved layout knows goes where the user put it.
    const std::string saved = host->GetServices().SavedPaneEntry(paneName);
    if (!saved.empty()) {
        host->GetAuiManager().LoadPaneInfo(wxString::FromUTF8(saved), info);
        info.Caption(wxString::FromUTF8(title));
    } else {
        const bool next = (flags & container_flags::kDockNext) != 0;
        const bool attach = (flags & container_flags::kAttach) != 0;
        const wxAuiPaneInfo& last =
            m_lastPane.empty() ? wxAuiNullPaneInfo
                               : host->GetAuiManager().GetPane(wxString::FromUTF8(m_lastPane));
        if (next && attach) {
            info.Float();
        } else if ((next || attach) && last.IsOk()) {
            // Beside the last pane in its row, or in its place (sharing it).
            info.Direction(last.dock_direction)
                .Layer(last.dock_layer)
                .Row(last.dock_row)
                .Position(next ? last.dock_pos + 1 : last.dock_pos);
        }
        if (flags & container_flags::kHidden) {
            info.Hide();
        }
    }
    m_lastPane = paneName;
    return info;
}

wxWindow* ivCommandBuilder::AddPaneWindow(const std::string& name, const std::string& title,
                                          uint32_t flags, ContainerKind kind,
                                          const std::function<wxWindow*()>& make) {
    wxAuiManager* aui = GetAuiManager();
    if (aui == nullptr) {
        return nullptr;
    }
    const wxAuiPaneInfo info = CreatePane(name, title, flags);
    wxWindow* window = make();
    if (window == nullptr) {
        return nullptr;
    }
    aui->AddPane(window, info);
    m_panes[name] = Pane{info.name.utf8_string(), title, window, kind, false};
    m_paneOrder.push_back(name);
    return window;
}

bool ivCommandBuilder::BeginTaskPanel(const std::string& name, const std::string& title,
                                      uint32_t flags) {
    if (m_frame == nullptr || !m_containers.empty()) {
        return false;
    }
    const ivTaskPanel::Behaviour behaviour = (flags & container_flags::kToolbox)
                                                 ? ivTaskPanel::Behaviour::Toolbox
                                                 : ivTaskPanel::Behaviour::Explorer;
    const int theme = paint_theme::TaskPanelTheme(paint_theme::Ensure(), 0);
    wxWindow* panel = AddPaneWindow(name, title, flags, ContainerKind::TaskPanel,
                                    [&] { return new ivTaskPanel(m_frame, behaviour, theme); });
    if (panel == nullptr) {
        return false;
    }
    m_containers.push_back(Container{ContainerKind::TaskPanel, nullptr, panel});
    return true;
}

bool ivCommandBuilder::BeginPropertyGrid(const std::string& name, const std::string& title,
                                         uint32_t flags) {
    if (m_frame == nullptr || !m_containers.empty()) {
        return false;
    }
    wxWindow* grid = AddPaneWindow(name, title, flags, ContainerKind::PropertyGrid, [&] {
        // A bare grid: no toolbar and no help panel.
        return new wxPropertyGrid(m_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  wxPG_DEFAULT_STYLE | wxPG_SPLITTER_AUTO_CENTER);
    });
    if (grid == nullptr) {
        return false;
    }
    m_containers.push_back(Container{ContainerKind::PropertyGrid, nullptr, grid});
    return true;
}

wxWindow* ivCommandBuilder::CreatePaneView(const std::string& name, const std::string& title,
                                           wxClassInfo* windowClass, uint32_t flags) {
    if (m_frame == nullptr || windowClass == nullptr) {
        return nullptr;
    }
    wxWindow* window =
        AddPaneWindow(name, title, flags, ContainerKind::TaskPanel, [&]() -> wxWindow* {
            wxObject* object = windowClass->CreateObject();
            auto* made = dynamic_cast<wxWindow*>(object);
            if (made == nullptr) {
                delete object;
                return nullptr;
            }
            const wxString text = wxString::FromUTF8(name);
            bool created = false;
            if (auto* paneWindow = dynamic_cast<ivPaneWindow*>(made)) {
                created = paneWindow->CreatePaneWindow(m_frame, text);
            } else {
                created =
                    made->Create(m_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, text);
            }
            if (!created) {
                delete made;
                return nullptr;
            }
            made->SetLabel(text);
            return made;
        });
    if (window != nullptr) {
        m_panes[name].isView = true;
        GetAuiManager()->Update();
    }
    return window;
}

void ivCommandBuilder::FitPane(wxWindow* window) {
    wxAuiManager* aui = GetAuiManager();
    if (aui == nullptr || window == nullptr) {
        return;
    }
    wxAuiPaneInfo& pane = aui->GetPane(window);
    if (pane.IsOk() && window->GetSizer() != nullptr) {
        // At least the pane's standard (or saved) width; more where the texts need it, so
        // that no caption is cut off.
        const int needed = window->GetSizer()->GetMinSize().x +
                           wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, window);
        pane.BestSize(std::max(pane.best_size.x, needed), pane.best_size.y);
    }
    aui->Update();
}

bool ivCommandBuilder::SelectContainer(const std::string& name) {
    if (name.empty()) {
        return EndContainer();
    }
    if (!m_containers.empty()) {
        return false;
    }
    const auto found = m_panes.find(name);
    if (found == m_panes.end() || found->second.isView) {
        return false;
    }
    m_containers.push_back(Container{found->second.kind, nullptr, found->second.window});
    return true;
}

bool ivCommandBuilder::AddTaskItem(const ivCommandRow& row) {
    auto* panel = dynamic_cast<ivTaskPanel*>(Current()->window);
    if (row.name.empty() || panel == nullptr) {
        return false;
    }
    ivTaskPanel::Group* group = panel->FindGroup(row.category);
    if (group == nullptr) {
        group = panel->AddGroup(row.category);
        if (row.flags & command_flags::kSpecialGroup) {
            panel->SetSpecialGroup(*group, true);
        }
    }
    ivTaskPanel::Item* item = nullptr;
    if (row.id != 0) {
        const wxBitmapBundle image =
            HasCommandImage(row.id) ? GetCommandImage(row.id) : wxBitmapBundle();
        item = panel->AddLinkItem(*group, row.id, row.caption, image);
    } else {
        item = panel->AddTextItem(*group, row.caption);
    }
    if (row.flags & command_flags::kBold) {
        panel->SetItemBold(*item, true);
    }
    NamedItem named;
    named.panel = panel;
    named.taskItem = item;
    m_items[row.name] = named;
    return true;
}

bool ivCommandBuilder::AddGridItem(const ivCommandRow& row) {
    auto* grid = dynamic_cast<wxPropertyGrid*>(Current()->window);
    if (row.name.empty() || grid == nullptr) {
        return false;
    }
    const wxString categoryLabel = wxString::FromUTF8(row.category);
    wxPGProperty* category = nullptr;
    for (auto it = grid->GetIterator(wxPG_ITERATE_CATEGORIES); !it.AtEnd(); ++it) {
        if ((*it)->GetLabel() == categoryLabel) {
            category = *it;
            break;
        }
    }
    if (category == nullptr) {
        category = grid->Append(new wxPropertyCategory(categoryLabel, "category:" + categoryLabel));
        grid->Expand(category);
    }
    const wxString propertyName = wxString::FromUTF8(row.name);
    if (grid->GetPropertyByName(propertyName) != nullptr) {
        grid->DeleteProperty(propertyName);
    }
    auto* property =
        new wxStringProperty(wxString::FromUTF8(row.caption), propertyName, wxEmptyString);
    property->SetHelpString(wxString::FromUTF8(row.caption));
    property->SetClientData(reinterpret_cast<void*>(static_cast<intptr_t>(row.id)));
    grid->AppendIn(category, property);
    if (row.flags & command_flags::kRarelyUsed) {
        property->SetAttribute(wxPG_STRING_PASSWORD, true);
    }
    if (row.flags & command_flags::kBold) {
        grid->SelectProperty(property);
    }
    NamedItem named;
    named.grid = grid;
    named.property = property;
    m_items[row.name] = named;
    return true;
}

bool ivCommandBuilder::SetItemCaption(const std::string& name, const std::string& caption) {
    if (!m_containers.empty()) {
        return false;
    }
    const auto found = m_items.find(name);
    if (found == m_items.end()) {
        return false;
    }
    NamedItem& item = found->second;
    if (item.panel != nullptr) {
        item.panel->SetItemCaption(*static_cast<ivTaskPanel::Item*>(item.taskItem), caption);
        return true;
    }
    if (item.grid != nullptr) {
        item.grid->SetPropertyLabel(item.property, wxString::FromUTF8(caption));
        return true;
    }
    return false;
}

wxWindow* ivCommandBuilder::GetPaneWindow(const std::string& name) const {
    const auto found = m_panes.find(name);
    return found != m_panes.end() ? found->second.window : nullptr;
}

std::string ivCommandBuilder::GetPaneName(const std::string& name) const {
    const auto found = m_panes.find(name);
    return found != m_panes.end() ? found->second.paneName : std::string();
}

std::vector<std::string> ivCommandBuilder::GetDockingPaneNames() const {
    std::vector<std::string> names;
    for (const std::string& name : m_paneOrder) {
        names.push_back(GetPaneName(name));
    }
    return names;
}
