#include "framework/task_panel.h"

#include "framework/frame_notifications.h"

#include <wx/dcbuffer.h>
// The generic link needs the common declarations first.
#include <wx/hyperlink.h>

#include <wx/generic/hyperlink.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {

// Task panel theme 2 follows the desktop's colours; the others have the blue explorer look.
constexpr int kNativeTheme = 2;

constexpr int kHeaderHeight = 24;
constexpr int kMargin = 8;

}  // namespace

ivTaskPanel::ivTaskPanel(wxWindow* parent, Behaviour behaviour, int theme)
    : wxScrolledWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                       wxVSCROLL | wxBORDER_NONE),
      m_behaviour(behaviour),
      m_theme(theme) {
    SetBackgroundColour(Background());
    m_sizer = new wxBoxSizer(wxVERTICAL);
    m_sizer->AddSpacer(FromDIP(kMargin));
    SetSizer(m_sizer);
    SetScrollRate(0, FromDIP(10));
}

ivTaskPanel::~ivTaskPanel() = default;

wxColour ivTaskPanel::Background() const {
    return m_theme == kNativeTheme ? wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)
                                   : wxColour(0xD6, 0xDF, 0xF7);
}

ivTaskPanel::Group* ivTaskPanel::FindGroup(const std::string& caption) const {
    for (const auto& group : m_groups) {
        if (group->caption == caption) {
            return group.get();
        }
    }
    return nullptr;
}

ivTaskPanel::Group* ivTaskPanel::AddGroup(const std::string& caption) {
    auto group = std::make_unique<Group>();
    group->caption = caption;
    Group* added = group.get();

    added->header = new wxPanel(this, wxID_ANY, wxDefaultPosition,
                                wxSize(-1, FromDIP(kHeaderHeight)), wxFULL_REPAINT_ON_RESIZE);
    added->header->SetBackgroundStyle(wxBG_STYLE_PAINT);
    added->header->SetCursor(wxCursor(wxCURSOR_HAND));
    added->header->Bind(wxEVT_PAINT,
                        [this, added](wxPaintEvent& event) { PaintHeader(*added, event); });
    added->header->Bind(wxEVT_LEFT_UP, [this, added](wxMouseEvent&) { ToggleGroup(*added); });

    added->body = new wxPanel(this);
    added->body->SetBackgroundColour(m_theme == kNativeTheme
                                         ? wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)
                                         : wxColour(0xEF, 0xF3, 0xFF));
    added->body->SetSizer(new wxBoxSizer(wxVERTICAL));
    added->body->GetSizer()->AddSpacer(FromDIP(4));

    const int margin = FromDIP(kMargin);
    m_sizer->Add(added->header, 0, wxEXPAND | wxLEFT | wxRIGHT, margin);
    m_sizer->Add(added->body, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, margin);
    m_groups.push_back(std::move(group));
    Relayout();
    return added;
}

void ivTaskPanel::SetSpecialGroup(Group& group, bool special) {
    group.special = special;
    group.header->Refresh();
}

ivTaskPanel::Item* ivTaskPanel::AddLinkItem(Group& group, int id, const std::string& caption,
                                            const wxBitmapBundle& image) {
    auto item = std::make_unique<Item>();
    item->id = id;
    item->caption = caption;
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    if (image.IsOk()) {
        item->image = new wxStaticBitmap(group.body, wxID_ANY, image);
        row->Add(item->image, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
    } else {
        row->AddSpacer(FromDIP(22));
    }
    // Not wxHyperlinkCtrl's native form: that one shows its address as the tooltip.
    auto* link = new wxGenericHyperlinkCtrl(group.body, id, wxString::FromUTF8(caption),
                                            wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                            wxHL_ALIGN_LEFT | wxBORDER_NONE);
    link->SetNormalColour(wxColour(0x21, 0x5D, 0xC6));
    link->SetVisitedColour(wxColour(0x21, 0x5D, 0xC6));
    link->SetHoverColour(wxColour(0x42, 0x8E, 0xFF));
    link->Bind(wxEVT_HYPERLINK, [link](wxHyperlinkEvent&) {
        // Handled here: the link must not open a browser.
        NotifyFrame(link, ivEVT_TASK_ITEM_CLICKED, link->GetId());
    });
    item->label = link;
    row->Add(link, 1, wxALIGN_CENTER_VERTICAL);
    group.body->GetSizer()->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(4));
    group.items.push_back(std::move(item));
    Relayout();
    return group.items.back().get();
}

ivTaskPanel::Item* ivTaskPanel::AddTextItem(Group& group, const std::string& caption) {
    auto item = std::make_unique<Item>();
    item->caption = caption;
    auto* text = new wxStaticText(group.body, wxID_ANY, wxString::FromUTF8(caption));
    item->label = text;
    group.body->GetSizer()->Add(text, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(4));
    group.items.push_back(std::move(item));
    Relayout();
    return group.items.back().get();
}

void ivTaskPanel::SetItemCaption(Item& item, const std::string& caption) {
    item.caption = caption;
    item.label->SetLabel(wxString::FromUTF8(caption));
    Relayout();
}

void ivTaskPanel::SetItemBold(Item& item, bool bold) {
    item.bold = bold;
    wxFont font = item.label->GetFont();
    font.SetWeight(bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    item.label->SetFont(font);
    Relayout();
}

ivTaskPanel::Item* ivTaskPanel::FindItem(const std::string& caption) const {
    for (const auto& group : m_groups) {
        for (const auto& item : group->items) {
            if (item->caption == caption) {
                return item.get();
            }
        }
    }
    return nullptr;
}

void ivTaskPanel::ToggleGroup(Group& group) {
    if (m_behaviour == Behaviour::Toolbox) {
        for (const auto& other : m_groups) {
            other->folded = other.get() != &group;
        }
    } else {
        group.folded = !group.folded;
    }
    for (const auto& each : m_groups) {
        each->body->Show(!each->folded);
        each->header->Refresh();
    }
    Relayout();
}

void ivTaskPanel::PaintHeader(Group& group, wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(group.header);
    const wxRect rect = group.header->GetClientRect();
    dc.SetBackground(wxBrush(Background()));
    dc.Clear();
    wxColour from;
    wxColour to;
    wxColour text;
    if (m_theme == kNativeTheme) {
        from = wxSystemSettings::GetColour(group.special ? wxSYS_COLOUR_HIGHLIGHT
                                                         : wxSYS_COLOUR_BTNFACE);
        to = from;
        text = wxSystemSettings::GetColour(group.special ? wxSYS_COLOUR_HIGHLIGHTTEXT
                                                         : wxSYS_COLOUR_BTNTEXT);
    } else if (group.special) {
        from = wxColour(0x00, 0x48, 0xB8);
        to = wxColour(0x2C, 0x67, 0xD6);
        text = *wxWHITE;
    } else {
        from = *wxWHITE;
        to = wxColour(0xC6, 0xD3, 0xF7);
        text = wxColour(0x21, 0x5D, 0xC6);
    }
    dc.GradientFillLinear(rect, from, to, wxEAST);
    wxFont font = group.header->GetFont();
    font.SetWeight(wxFONTWEIGHT_BOLD);
    dc.SetFont(font);
    dc.SetTextForeground(text);
    const int margin = FromDIP(kMargin);
    const wxSize extent = dc.GetTextExtent(wxString::FromUTF8(group.caption));
    dc.DrawText(wxString::FromUTF8(group.caption), margin, (rect.height - extent.y) / 2);
    // The fold mark on the right: pointing down while open.
    const int size = FromDIP(4);
    const wxPoint centre(rect.GetRight() - margin - size, rect.height / 2);
    wxPoint mark[3];
    if (group.folded) {
        mark[0] = wxPoint(centre.x - size / 2, centre.y - size);
        mark[1] = wxPoint(centre.x + size / 2 + 1, centre.y);
        mark[2] = wxPoint(centre.x - size / 2, centre.y + size);
    } else {
        mark[0] = wxPoint(centre.x - size, centre.y - size / 2);
        mark[1] = wxPoint(centre.x + size, centre.y - size / 2);
        mark[2] = wxPoint(centre.x, centre.y + size / 2 + 1);
    }
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(text));
    dc.DrawPolygon(3, mark);
}

void ivTaskPanel::Relayout() {
    for (const auto& group : m_groups) {
        group->body->Layout();
    }
    FitInside();
    Layout();
}
