#include "framework/status_bar.h"

#include "core/translate.h"

#include <wx/gauge.h>
#include <wx/statbmp.h>
#include <wx/utils.h>

namespace {

wxString KeyStateText(int pane) {
    return wxString::FromUTF8(Translate(pane == ivStatusBar::kCapsLockPane ? "CAP" : "NUM"));
}

}  // namespace

ivStatusBar::ivStatusBar(wxWindow* parent, const std::vector<int>& panes)
    : wxStatusBar(parent, kStatusBarId,
                  wxSTB_SIZEGRIP | wxSTB_SHOW_TIPS | wxFULL_REPAINT_ON_RESIZE) {
    SetMinHeight(22);
    for (int pane : panes) {
        m_panes.push_back(
            Pane{pane, pane == kMessagePane ? -1 : StandardWidth(pane), true, nullptr});
    }
    ApplyPanes();
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        PlaceWindows();
        event.Skip();
    });
    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        UpdateKeyStates();
        event.Skip();
    });
}

int ivStatusBar::StandardWidth(int pane) const {
    if (pane != kCapsLockPane && pane != kNumLockPane) {
        return 60;
    }
    // Wide enough for the text of either state in the user's language.
    int width = 0;
    for (int each : {kCapsLockPane, kNumLockPane}) {
        int w = 0;
        int h = 0;
        GetTextExtent(KeyStateText(each), &w, &h);
        width = std::max(width, w);
    }
    return width + 16;
}

int ivStatusBar::CommandToIndex(int pane) const {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].id == pane) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ivStatusBar::InsertPane(int index, int pane, int width, bool border, wxWindow* window) {
    const auto at = index < 0 || index > GetPaneCount() ? m_panes.end() : m_panes.begin() + index;
    m_panes.insert(at, Pane{pane, width, border, window});
    ApplyPanes();
}

wxStaticBitmap* ivStatusBar::AddModeImage() {
    if (m_mode == nullptr) {
        m_mode = new wxStaticBitmap(this, wxID_ANY, wxBitmapBundle());
        m_mode->Hide();
        InsertPane(GetPaneCount() - 2, kModePane, 16 + 4, false, m_mode);
    }
    return m_mode;
}

wxGauge* ivStatusBar::AddProgressBar() {
    if (m_progress == nullptr) {
        m_progress = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, wxDefaultSize,
                                 wxGA_HORIZONTAL | wxGA_SMOOTH);
        m_progress->SetValue(0);
        InsertPane(GetPaneCount() - 2, kProgressPane, 150, false, m_progress);
    }
    return m_progress;
}

void ivStatusBar::ApplyPanes() {
    std::vector<int> widths;
    std::vector<int> styles;
    for (const Pane& pane : m_panes) {
        widths.push_back(pane.width);
        styles.push_back(pane.border ? wxSB_SUNKEN : wxSB_FLAT);
    }
    // The texts stay with their panes when panes are inserted before them.
    std::vector<wxString> texts;
    for (int i = 0; i < GetFieldsCount(); ++i) {
        texts.push_back(GetStatusText(i));
    }
    SetFieldsCount(static_cast<int>(widths.size()), widths.data());
    SetStatusStyles(static_cast<int>(styles.size()), styles.data());
    SetStatusText(texts.empty() ? wxString() : texts.front(), 0);
    ShowKeyStates(true);
    PlaceWindows();
}

void ivStatusBar::PlaceWindows() {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        wxWindow* window = m_panes[i].window;
        wxRect rect;
        if (window == nullptr || !GetFieldRect(static_cast<int>(i), rect)) {
            continue;
        }
        if (window == m_mode) {
            // The image keeps its size, in the middle of its pane.
            const wxSize size = FromDIP(wxSize(16, 16));
            rect = wxRect(rect.x + (rect.width - size.x) / 2, rect.y + (rect.height - size.y) / 2,
                          size.x, size.y);
        } else {
            rect.Deflate(1, 2);
        }
        window->SetSize(rect);
    }
}

void ivStatusBar::UpdateKeyStates() {
    ShowKeyStates(false);
}

void ivStatusBar::ShowKeyStates(bool always) {
    const int caps = CommandToIndex(kCapsLockPane);
    const int num = CommandToIndex(kNumLockPane);
    const bool capsOn = caps >= 0 && wxGetKeyState(WXK_CAPITAL);
    const bool numOn = num >= 0 && wxGetKeyState(WXK_NUMLOCK);
    if (caps >= 0 && (always || capsOn != m_capsOn)) {
        SetStatusText(capsOn ? KeyStateText(kCapsLockPane) : wxString(), caps);
    }
    if (num >= 0 && (always || numOn != m_numOn)) {
        SetStatusText(numOn ? KeyStateText(kNumLockPane) : wxString(), num);
    }
    m_capsOn = capsOn;
    m_numOn = numOn;
}
