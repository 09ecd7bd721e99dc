#include "views/status_text.h"

#include <wx/app.h>
#include <wx/frame.h>

void ShowStatusText(const std::string& text) {
    auto* frame = wxTheApp != nullptr ? dynamic_cast<wxFrame*>(wxTheApp->GetTopWindow()) : nullptr;
    if (frame != nullptr && frame->GetStatusBar() != nullptr) {
        frame->SetStatusText(wxString::FromUTF8(text), 0);
    }
}
