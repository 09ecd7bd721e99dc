#include "framework/ribbon_view.h"

#include "core/command_ids.h"
#include "core/translate.h"
#include "framework/command_bars.h"
#include "framework/command_images.h"

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>
#include <wx/sizer.h>

namespace ribbon_view {

namespace {

constexpr int kLargeImage = 32;
constexpr int kSmallImage = 16;

wxString Text(const std::string& utf8) {
    return wxString::FromUTF8(utf8);
}

// A ribbon button's label: no mnemonic and no "..." (a ribbon button says what it does).
wxString ButtonLabel(const ivCommandControl& control) {
    std::string label = StripMnemonic(control.caption);
    if (label.size() > 3 && label.compare(label.size() - 3, 3, "...") == 0) {
        label.erase(label.size() - 3);
    }
    if (control.kind == ivControlKind::RecentFileList && label.empty()) {
        label = Translate("Recent Files");
    }
    return Text(label);
}

// A button without an image of its own keeps the place of one, empty.
wxBitmapBundle NoImage(int size) {
    wxImage image(size, size);
    image.InitAlpha();
    memset(image.GetAlpha(), 0, static_cast<size_t>(size * size));
    return wxBitmapBundle(wxBitmap(image));
}

// Buttons follow the update handlers of their commands, as menus and toolbars do.
void UpdateButtons(wxRibbonBar& ribbon, wxFrame& frame) {
    if (!wxUpdateUIEvent::CanUpdate(&ribbon)) {
        return;
    }
    for (size_t p = 0; p < ribbon.GetPageCount(); ++p) {
        wxRibbonPage* page = ribbon.GetPage(static_cast<int>(p));
        for (wxWindow* child : page->GetChildren()) {
            auto* panel = dynamic_cast<wxRibbonPanel*>(child);
            if (panel == nullptr) {
                continue;
            }
            for (wxWindow* inner : panel->GetChildren()) {
                auto* buttons = dynamic_cast<wxRibbonButtonBar*>(inner);
                if (buttons == nullptr) {
                    continue;
                }
                for (size_t b = 0; b < buttons->GetButtonCount(); ++b) {
                    const int id = buttons->GetItemId(buttons->GetItem(b));
                    wxUpdateUIEvent update(id);
                    update.SetEventObject(&frame);
                    frame.GetEventHandler()->ProcessEvent(update);
                    if (update.GetSetEnabled()) {
                        buttons->EnableButton(id, update.GetEnabled());
                    }
                }
            }
        }
    }
}

}  // namespace

wxRibbonBar* CreateRibbonBar(wxFrame& frame, RecentFiles recentFiles) {
    auto* ribbon = new wxRibbonBar(&frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                   wxRIBBON_BAR_FLOW_HORIZONTAL | wxRIBBON_BAR_SHOW_PAGE_LABELS |
                                       wxRIBBON_BAR_SHOW_TOGGLE_BUTTON);
    ribbon->Bind(wxEVT_RIBBONBUTTONBAR_CLICKED, [&frame](wxRibbonButtonBarEvent& event) {
        wxCommandEvent command(wxEVT_MENU, event.GetId());
        command.SetEventObject(&frame);
        frame.GetEventHandler()->ProcessEvent(command);
    });
    ribbon->Bind(wxEVT_RIBBONBUTTONBAR_DROPDOWN_CLICKED,
                 [recentFiles](wxRibbonButtonBarEvent& event) {
                     if (event.GetId() != command_id::kFileMruFirst) {
                         event.Skip();
                         return;
                     }
                     wxMenu menu;
                     const std::vector<std::string> files = recentFiles();
                     for (size_t i = 0; i < files.size() && i < 16; ++i) {
                         menu.Append(command_id::kFileMruFirst + static_cast<int>(i),
                                     wxString::Format("&%zu ", i + 1) + Text(files[i]));
                     }
                     if (files.empty()) {
                         menu.Append(wxID_ANY, Text(Translate("No recent files")))->Enable(false);
                     }
                     event.PopupMenu(&menu);
                 });
    ribbon->Bind(wxEVT_IDLE, [ribbon, &frame](wxIdleEvent& event) {
        UpdateButtons(*ribbon, frame);
        event.Skip();
    });
    return ribbon;
}

void AddTab(ivCommandBar& ribbonBar, ivCommandBar& tab) {
    if (ribbonBar.ribbon == nullptr) {
        return;
    }
    tab.page = new wxRibbonPage(ribbonBar.ribbon, wxID_ANY, Text(StripMnemonic(tab.title)));
}

void AddGroup(ivCommandBar& tab, ivCommandControl& group) {
    if (tab.page == nullptr || !group.dropDown) {
        return;
    }
    ivCommandBar& bar = *group.dropDown;
    bar.panel =
        new wxRibbonPanel(tab.page, wxID_ANY, Text(group.caption), wxNullBitmap, wxDefaultPosition,
                          wxDefaultSize, wxRIBBON_PANEL_NO_AUTO_MINIMISE);
    bar.panel->SetSizer(new wxBoxSizer(wxHORIZONTAL));
}

void AddButton(ivCommandControl& group, ivCommandControl& control, const std::string& tooltip) {
    ivCommandBar* bar = group.dropDown.get();
    if (bar == nullptr || bar->panel == nullptr) {
        return;
    }
    const bool image = control.hasImage;
    // Buttons with images stand tall, those without keep to rows of text beside them. Each
    // run of either kind has a button bar of its own: one bar cannot mix the two sizes.
    const auto& controls = bar->controls;
    const bool sameRun = bar->buttons != nullptr && controls.size() >= 2 &&
                         controls[controls.size() - 2]->hasImage == image;
    if (!sameRun) {
        bar->buttons = new wxRibbonButtonBar(bar->panel);
        bar->panel->GetSizer()->Add(bar->buttons, 0, wxEXPAND);
    }
    wxRibbonButtonBar* buttons = bar->buttons;
    const wxBitmapBundle large = image
                                     ? GetCommandImage(control.id, wxSize(kLargeImage, kLargeImage))
                                     : NoImage(kLargeImage);
    const wxBitmapBundle small = image
                                     ? GetCommandImage(control.id, wxSize(kSmallImage, kSmallImage))
                                     : NoImage(kSmallImage);
    const wxRibbonButtonKind kind = control.kind == ivControlKind::RecentFileList
                                        ? wxRIBBON_BUTTON_DROPDOWN
                                        : wxRIBBON_BUTTON_NORMAL;
    buttons->AddButton(control.id, ButtonLabel(control), large.GetBitmapFor(buttons),
                       small.GetBitmapFor(buttons), wxNullBitmap, wxNullBitmap, kind,
                       Text(tooltip));
    if (!image) {
        buttons->SetButtonMinSizeClass(control.id, wxRIBBON_BUTTONBAR_BUTTON_MEDIUM);
        buttons->SetButtonMaxSizeClass(control.id, wxRIBBON_BUTTONBAR_BUTTON_MEDIUM);
    }
}

void SetButtonLabel(ivCommandControl& group, const ivCommandControl& control) {
    ivCommandBar* bar = group.dropDown.get();
    if (bar == nullptr || bar->panel == nullptr) {
        return;
    }
    for (wxWindow* child : bar->panel->GetChildren()) {
        auto* buttons = dynamic_cast<wxRibbonButtonBar*>(child);
        if (buttons != nullptr && buttons->GetItemById(control.id) != nullptr) {
            buttons->SetButtonText(control.id, ButtonLabel(control));
            buttons->Realize();
        }
    }
}

void Realise(ivCommandBar& ribbonBar) {
    if (ribbonBar.ribbon == nullptr) {
        return;
    }
    if (ribbonBar.ribbon->GetPageCount() > 0 && ribbonBar.ribbon->GetActivePage() < 0) {
        ribbonBar.ribbon->SetActivePage(static_cast<size_t>(0));
    }
    ribbonBar.ribbon->Realise();
}

}  // namespace ribbon_view
