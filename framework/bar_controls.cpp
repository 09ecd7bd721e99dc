#include "framework/bar_controls.h"

#include "framework/colour_popup.h"
#include "framework/command_bars.h"
#include "framework/command_images.h"
#include "framework/command_row.h"

#include <wx/aui/auibar.h>
#include <wx/clntdata.h>
#include <wx/fontenum.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <map>

namespace {

// Edit and combo boxes without a width of their own.
constexpr int kDefaultBoxWidth = 100;
constexpr int kFontNameWidth = 150;
// Wide enough for "72" beside the theme's drop-down button, which takes most of the box.
constexpr int kFontSizeWidth = 80;

// The colours the colour pickers of a toolbar apply, kept with the toolbar.
class PickerColours : public wxClientData {
public:
    std::map<int, wxColour> colours;
};

PickerColours& ColoursOf(wxAuiToolBar& toolbar) {
    auto* colours = dynamic_cast<PickerColours*>(toolbar.GetClientObject());
    if (colours == nullptr) {
        colours = new PickerColours;
        toolbar.SetClientObject(colours);
    }
    return *colours;
}

wxString Text(const std::string& utf8) {
    return wxString::FromUTF8(utf8);
}

bool ShowsImage(const ivCommandControl& control) {
    if (!control.hasImage) {
        return false;
    }
    return control.buttonStyle != command_flags::kStyleCaption;
}

bool ShowsCaptionOf(const ivCommandControl& control) {
    // A button that has no image always shows its caption: it must never be a blank square.
    if (!control.hasImage || control.caption.empty()) {
        return !control.caption.empty();
    }
    return control.buttonStyle == command_flags::kStyleCaption ||
           control.buttonStyle == command_flags::kStyleImageAndCaption;
}

wxBitmapBundle ImageOf(wxAuiToolBar& toolbar, const ivCommandControl& control, int size) {
    if (control.kind == ivControlKind::ColourPicker) {
        const auto& colours = ColoursOf(toolbar).colours;
        const auto found = colours.find(control.id);
        return GetColourPickerImage(control.id, found != colours.end() ? found->second : wxColour(),
                                    wxSize(size, size));
    }
    return GetCommandImage(control.id, wxSize(size, size));
}

const std::vector<std::string>& FontFaces() {
    static const std::vector<std::string> faces = [] {
        wxArrayString names = wxFontEnumerator::GetFacenames();
        names.Sort([](const wxString& a, const wxString& b) { return a.CmpNoCase(b); });
        std::vector<std::string> list;
        for (const wxString& name : names) {
            // Faces whose names start with "@" are the vertical forms of East Asian fonts.
            if (!name.StartsWith("@") && (list.empty() || list.back() != name.utf8_string())) {
                list.push_back(name.utf8_string());
            }
        }
        return list;
    }();
    return faces;
}

void AddButton(wxAuiToolBar& toolbar, ivCommandControl& control, const ivCommandBarOptions& options,
               const std::string& tooltip) {
    const int size = BarImageSize(options);
    const wxString label = ShowsCaptionOf(control) ? Text(StripMnemonic(control.caption)) : "";
    const wxBitmapBundle image =
        ShowsImage(control) ? ImageOf(toolbar, control, size) : wxBitmapBundle();
    toolbar.AddTool(control.id, label, image, wxBitmapBundle(), wxITEM_NORMAL, Text(tooltip),
                    Text(StripMnemonic(control.description)), nullptr);
    if (control.kind == ivControlKind::ColourPicker) {
        toolbar.SetToolDropDown(control.id, true);
    }
}

void AddBox(wxAuiToolBar& toolbar, ivCommandControl& control, const std::string& tooltip) {
    const int width = toolbar.FromDIP(control.width > 0 ? control.width : kDefaultBoxWidth);
    wxControl* box = nullptr;
    switch (control.kind) {
        case ivControlKind::EditBox:
            box = new wxTextCtrl(&toolbar, control.id, wxEmptyString, wxDefaultPosition,
                                 wxSize(width, -1), wxTE_PROCESS_ENTER);
            break;
        case ivControlKind::FontNameBox:
            control.entries = FontFaces();
            box = new ivBarComboBox(&toolbar, control.id, toolbar.FromDIP(kFontNameWidth), true);
            break;
        case ivControlKind::FontSizeBox:
            control.entries.clear();
            for (int points : FontSizes()) {
                control.entries.push_back(std::to_string(points));
            }
            box = new ivBarComboBox(&toolbar, control.id, toolbar.FromDIP(kFontSizeWidth), true);
            break;
        default:
            box = new ivBarComboBox(&toolbar, control.id, width, control.dropDownList);
            break;
    }
    if (auto* combo = dynamic_cast<wxComboBox*>(box)) {
        for (const std::string& entry : control.entries) {
            combo->Append(Text(entry));
        }
        if (control.selection >= 0 && control.selection < static_cast<int>(combo->GetCount())) {
            combo->SetSelection(control.selection);
        }
    }
    if (!tooltip.empty()) {
        box->SetToolTip(Text(tooltip));
    }
    control.window = box;
    toolbar.AddControl(box, Text(StripMnemonic(control.caption)));
}

}  // namespace

ivBarComboBox::ivBarComboBox(wxWindow* parent, int id, int width, bool dropDownList)
    : wxComboBox(parent, id, wxEmptyString, wxDefaultPosition, wxSize(width, -1), 0, nullptr,
                 dropDownList ? wxCB_READONLY : wxCB_DROPDOWN) {}

void ivBarComboBox::DoUpdateWindowUI(wxUpdateUIEvent& event) {
    if (event.GetSetEnabled()) {
        Enable(event.GetEnabled());
    }
    if (!event.GetSetText() || event.GetText() == GetValue()) {
        return;
    }
    if (HasFlag(wxCB_READONLY)) {
        SetSelection(FindString(event.GetText(), true));
    } else {
        ChangeValue(event.GetText());
    }
}

bool ToolShowsCaption(const ivCommandControl& control) {
    return !control.IsBox() && ShowsCaptionOf(control);
}

int BarImageSize(const ivCommandBarOptions& options) {
    return options.largeIcons ? 24 : 16;
}

const std::vector<int>& FontSizes() {
    static const std::vector<int> sizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                           20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

void AddToolBarControl(wxAuiToolBar& toolbar, ivCommandControl& control,
                       const ivCommandBarOptions& options, const std::string& tooltip) {
    if (control.beginGroup && toolbar.GetToolCount() > 0) {
        toolbar.AddSeparator();
    }
    if (control.IsBox()) {
        AddBox(toolbar, control, tooltip);
    } else {
        AddButton(toolbar, control, options, tooltip);
    }
}

void RefreshToolBar(ivCommandBar& bar, const ivCommandBarOptions& options,
                    const std::function<std::string(const ivCommandControl&)>& tooltip) {
    wxAuiToolBar* toolbar = bar.toolbar;
    if (toolbar == nullptr) {
        return;
    }
    const int size = BarImageSize(options);
    for (const auto& control : bar.controls) {
        const std::string tip = tooltip(*control);
        if (control->IsBox()) {
            if (control->window != nullptr) {
                control->window->SetToolTip(Text(tip));
            }
            continue;
        }
        if (ShowsImage(*control)) {
            toolbar->SetToolBitmap(control->id, ImageOf(*toolbar, *control, size));
        }
        toolbar->SetToolShortHelp(control->id, Text(tip));
    }
    toolbar->Realize();
}

wxColour GetPickerColour(const wxAuiToolBar& toolbar, int id) {
    auto* colours = dynamic_cast<PickerColours*>(toolbar.GetClientObject());
    if (colours == nullptr) {
        return wxColour();
    }
    const auto found = colours->colours.find(id);
    return found != colours->colours.end() ? found->second : wxColour();
}

void SetPickerColour(wxAuiToolBar& toolbar, const ivCommandControl& control, const wxColour& colour,
                     const ivCommandBarOptions& options) {
    ColoursOf(toolbar).colours[control.id] = colour;
    const int size = BarImageSize(options);
    toolbar.SetToolBitmap(control.id, ImageOf(toolbar, control, size));
    toolbar.Refresh();
}

void BindColourPicker(wxAuiToolBar& toolbar, const ivCommandControl& control,
                      const ivCommandBarOptions& options) {
    const int id = control.id;
    toolbar.Bind(
        wxEVT_AUITOOLBAR_TOOL_DROPDOWN,
        [&toolbar, &control, &options](wxAuiToolBarEvent& event) {
            if (!event.IsDropDownClicked()) {
                event.Skip();
                return;
            }
            const wxRect rect = toolbar.GetToolRect(control.id);
            auto* popup =
                new ivColourPopup(&toolbar, control.id, GetPickerColour(toolbar, control.id),
                                  [&toolbar, &control, &options](const wxColour& colour) {
                                      SetPickerColour(toolbar, control, colour, options);
                                  });
            popup->Position(toolbar.ClientToScreen(rect.GetBottomLeft()), wxSize(0, 0));
            popup->Popup();
        },
        id);
    toolbar.Bind(
        wxEVT_TOOL,
        [&toolbar, id](wxCommandEvent& event) {
            event.SetInt(ivColourPopup::ToColourRef(GetPickerColour(toolbar, id)));
            event.Skip();
        },
        id);
}
