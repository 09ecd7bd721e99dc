#include "framework/colour_popup.h"

#include "core/translate.h"
#include "framework/frame_notifications.h"

#include <wx/button.h>
#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/panel.h>
#include <wx/sizer.h>

namespace {

// One colour of the selector: a small square that shows its colour and a frame on hover.
class Swatch : public wxWindow {
public:
    Swatch(wxWindow* parent, const wxColour& colour, bool current, std::function<void()> chosen)
        : wxWindow(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(18, 18))),
          m_colour(colour),
          m_current(current),
          m_chosen(std::move(chosen)) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        SetToolTip(colour.GetAsString(wxC2S_HTML_SYNTAX));
        Bind(wxEVT_PAINT, &Swatch::OnPaint, this);
        Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent&) { SetHover(true); });
        Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) { SetHover(false); });
        Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { m_chosen(); });
    }

private:
    void SetHover(bool hover) {
        m_hover = hover;
        Refresh();
    }
    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(this);
        wxRect rect = GetClientRect();
        dc.SetBrush(wxBrush(GetParent()->GetBackgroundColour()));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(rect);
        const bool framed = m_hover || m_current;
        dc.SetPen(framed ? wxPen(wxColour(0x31, 0x6A, 0xC5), 2) : *wxTRANSPARENT_PEN);
        if (framed) {
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawRectangle(rect);
        }
        dc.SetPen(wxPen(wxColour(0x80, 0x80, 0x80)));
        dc.SetBrush(wxBrush(m_colour));
        dc.DrawRectangle(rect.Deflate(3));
    }

    wxColour m_colour;
    bool m_current;
    bool m_hover = false;
    std::function<void()> m_chosen;
};

}  // namespace

ivColourPopup::ivColourPopup(wxWindow* owner, int pickerId, const wxColour& current,
                             std::function<void(const wxColour&)> chosen)
    : wxPopupTransientWindow(owner, wxBORDER_SIMPLE),
      m_owner(owner),
      m_pickerId(pickerId),
      m_chosen(std::move(chosen)) {
    auto* panel = new wxPanel(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* automatic = new wxButton(panel, pickerId + 1, wxString::FromUTF8(Translate("Automatic")));
    automatic->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Choose(m_pickerId + 1, wxColour()); });
    sizer->Add(automatic, 0, wxEXPAND | wxALL, FromDIP(4));

    auto* grid = new wxGridSizer(8, 0, 0);
    for (const wxColour& colour : Palette()) {
        grid->Add(new Swatch(panel, colour, colour == current,
                             [this, colour] { Choose(m_pickerId + 2, colour); }));
    }
    sizer->Add(grid, 0, wxLEFT | wxRIGHT, FromDIP(4));

    auto* more = new wxButton(panel, wxID_ANY, wxString::FromUTF8(Translate("More Colors...")));
    more->Bind(wxEVT_BUTTON, [this, current](wxCommandEvent&) {
        // The popup goes once dismissed; what the dialog needs is taken first.
        wxWindow* owner = m_owner;
        const int id = m_pickerId + 2;
        const auto chosenColour = m_chosen;
        Dismiss();
        wxColourData data;
        data.SetColour(current.IsOk() ? current : *wxBLACK);
        wxColourDialog dialog(owner, &data);
        if (dialog.ShowModal() == wxID_OK) {
            const wxColour colour = dialog.GetColourData().GetColour();
            if (chosenColour) {
                chosenColour(colour);
            }
            NotifyFrame(owner, ivEVT_POPUP_CONTROL_CLICKED, id, ToColourRef(colour));
        }
    });
    sizer->Add(more, 0, wxEXPAND | wxALL, FromDIP(4));
    panel->SetSizerAndFit(sizer);
    SetClientSize(panel->GetSize());
}

void ivColourPopup::OnDismiss() {
    // Made for one choice; it goes once closed.
    CallAfter([this] { Destroy(); });
}

void ivColourPopup::Choose(int id, const wxColour& colour) {
    if (m_chosen) {
        m_chosen(colour);
    }
    NotifyFrame(m_owner, ivEVT_POPUP_CONTROL_CLICKED, id, ToColourRef(colour));
    if (IsShown()) {
        Dismiss();
    }
}

const std::vector<wxColour>& ivColourPopup::Palette() {
    static const std::vector<wxColour> colours = [] {
        const unsigned long values[] = {
            0x000000, 0x993300, 0x333300, 0x003300, 0x003366, 0x000080, 0x333399, 0x333333,
            0x800000, 0xFF6600, 0x808000, 0x008000, 0x008080, 0x0000FF, 0x666699, 0x808080,
            0xFF0000, 0xFF9900, 0x99CC00, 0x339966, 0x33CCCC, 0x3366FF, 0x800080, 0x999999,
            0xFF00FF, 0xFFCC00, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x00CCFF, 0x993366, 0xC0C0C0,
            0xFF99CC, 0xFFCC99, 0xFFFF99, 0xCCFFCC, 0xCCFFFF, 0x99CCFF, 0xCC99FF, 0xFFFFFF};
        std::vector<wxColour> list;
        for (unsigned long rgb : values) {
            list.emplace_back((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        }
        return list;
    }();
    return colours;
}

int ivColourPopup::ToColourRef(const wxColour& colour) {
    if (!colour.IsOk()) {
        return -1;
    }
    return colour.Red() | (colour.Green() << 8) | (colour.Blue() << 16);
}

wxColour ivColourPopup::FromColourRef(int value) {
    if (value < 0) {
        return wxColour();
    }
    return wxColour(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
