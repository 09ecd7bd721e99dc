#pragma once

#include "views/text_view_interface.h"

#include <wx/textctrl.h>

#include <string>

// The right pane of a document window until the section text view takes its place: it shows
// the focused section's body as plain text, greyed, and cannot be edited. It keeps the body
// it was given unchanged and never reports a change, so the section list stores nothing
// back from it.
class myTextPlaceholder : public wxTextCtrl, public myTextViewInterface {
public:
    myTextPlaceholder(wxWindow* parent, wxWindowID id);

    // myTextViewInterface
    std::string GetRTF() override { return m_rtf; }
    void SetRTF(const std::string& rtf) override;
    bool IsModified() override { return false; }
    void SetModified(bool) override {}
    // The pane stays disabled: there is nothing to edit the body with yet.
    void EnableView(bool) override {}

private:
    std::string m_rtf;
};
