#pragma once

#include <wx/colour.h>
#include <wx/popupwin.h>

#include <functional>

// The drop-down of a colour picker: the automatic-colour button (identifier + 1) and a
// selector of 40 colours (identifier + 2). A choice tells the frame through the owner
// (ivEVT_POPUP_CONTROL_CLICKED, the colour as 0x00BBGGRR in the event's integer, -1 for the
// automatic colour), and chosen() learns it too.
class ivColourPopup : public wxPopupTransientWindow {
public:
    ivColourPopup(wxWindow* owner, int pickerId, const wxColour& current,
                  std::function<void(const wxColour&)> chosen);

    // The colours of the selector, by rows of 8.
    static const std::vector<wxColour>& Palette();
    // 0x00BBGGRR of a colour, -1 for an invalid (automatic) one.
    static int ToColourRef(const wxColour& colour);
    static wxColour FromColourRef(int value);

protected:
    void OnDismiss() override;

private:
    void Choose(int id, const wxColour& colour);

    wxWindow* m_owner;
    int m_pickerId;
    std::function<void(const wxColour&)> m_chosen;
};
