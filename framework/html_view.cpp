#include "framework/html_view.h"

#include "core/command_ids.h"

#include <wx/sizer.h>
#include <wx/webview.h>

wxIMPLEMENT_DYNAMIC_CLASS(ivHTMLView, wxPanel);

ivHTMLView::~ivHTMLView() {
    // A parent deleting its children goes round Destroy; the hook runs all the same.
    if (m_created) {
        m_created = false;
        OnDestroyHook();
    }
}

bool ivHTMLView::Destroy() {
    if (m_created) {
        m_created = false;
        OnDestroyHook();
    }
    return wxPanel::Destroy();
}

bool ivHTMLView::CreatePaneWindow(wxWindow* parent, const wxString& name) {
    if (!wxWebView::IsBackendAvailable(wxWebViewBackendDefault) ||
        !Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, name)) {
        return false;
    }
    m_browser = wxWebView::New(this, wxID_ANY, wxWebViewDefaultURLStr);
    if (m_browser == nullptr) {
        return false;
    }
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_browser, 1, wxEXPAND);
    SetSizer(sizer);
    if (!OnCreateHook()) {
        return false;
    }
    m_created = true;
    using namespace command_id;
    Bind(wxEVT_MENU, &ivHTMLView::OnPrint, this, kFilePrint);
    Bind(wxEVT_MENU, &ivHTMLView::OnPrint, this, kFilePrintDirect);
    // Taken, so that the command is there in this view, and nothing happens.
    Bind(
        wxEVT_MENU, [](wxCommandEvent&) {}, kFilePrintPreview);
    for (int id : {kFilePrint, kFilePrintDirect, kFilePrintPreview}) {
        Bind(
            wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, id);
    }
    Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& event) {
        event.Skip();
        OnFocusChanged(true);
    });
    m_browser->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        wxWindow* next = event.GetWindow();
        if (next == nullptr || !IsDescendant(next)) {
            OnFocusChanged(false);
        }
    });
    CallAfter(&ivHTMLView::InitialUpdate);
    return true;
}

void ivHTMLView::OnFocusChanged(bool active) {
    if (active == m_active) {
        return;
    }
    m_active = active;
    if (active) {
        OnActivateHook();
    } else {
        OnDeactivateHook();
    }
}

bool ivHTMLView::Navigate(const std::string& url) {
    if (m_browser == nullptr || url.empty()) {
        return false;
    }
    m_browser->LoadURL(wxString::FromUTF8(url));
    return true;
}

std::string ivHTMLView::GetCurrentURL() const {
    return m_browser != nullptr ? m_browser->GetCurrentURL().utf8_string() : std::string();
}

void ivHTMLView::OnPrint(wxCommandEvent&) {
    // The engine prints through its own dialog; it has no way to print without one.
    if (m_browser != nullptr) {
        m_browser->Print();
    }
}
