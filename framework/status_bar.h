#pragma once

#include <wx/statusbr.h>

#include <vector>

class wxGauge;
class wxStaticBitmap;

// The main window's status bar: the message pane, then indicator panes identified by their
// pane identifiers (Caps Lock 59137 and Num Lock 59138 from the start; MODE 59145 with an
// image and PROGRESS 59146 with a progress bar once the command table asks for them).
class ivStatusBar : public wxStatusBar {
public:
    // Pane identifiers (their table numbers; panes are not commands).
    static constexpr int kMessagePane = 0;
    static constexpr int kCapsLockPane = 59137;
    static constexpr int kNumLockPane = 59138;
    static constexpr int kModePane = 59145;
    static constexpr int kProgressPane = 59146;
    static constexpr int kStatusBarId = 59393 - 0x8000;

    ivStatusBar(wxWindow* parent, const std::vector<int>& panes);

    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    // The index of the pane, or -1.
    int CommandToIndex(int pane) const;
    // Inserts a pane before the pane at index (the end for -1); width in pixels, or -1 for
    // the rest of the bar; window (may be null) is kept in the pane's rectangle.
    void InsertPane(int index, int pane, int width, bool border, wxWindow* window);

    wxStaticBitmap* AddModeImage();
    wxGauge* AddProgressBar();
    wxStaticBitmap* GetModeImage() const { return m_mode; }
    wxGauge* GetProgressBar() const { return m_progress; }

    // The texts of Caps Lock and Num Lock follow the keyboard.
    void UpdateKeyStates();

private:
    struct Pane {
        int id;
        int width;
        bool border;
        wxWindow* window;
    };

    void ApplyPanes();
    // The texts of the key panes, also when the states did not change (always).
    void ShowKeyStates(bool always);
    void PlaceWindows();
    int StandardWidth(int pane) const;

    std::vector<Pane> m_panes;
    wxStaticBitmap* m_mode = nullptr;
    wxGauge* m_progress = nullptr;
    bool m_capsOn = false;
    bool m_numOn = false;
};
