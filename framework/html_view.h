#pragma once

#include "framework/command_builder.h"
#include "framework/view_hooks.h"

#include <wx/panel.h>

#include <string>

class ivDomain;
class wxWebView;
class wxWebViewEvent;

// A web page in a docking pane: the desktop's web engine in a panel that CreatePaneView can
// make (its window class), with the view hooks of the framework's views. OpenURL shows pages
// here when the main window has such a pane. Printing goes through the engine's own printing;
// print preview is taken and does nothing, as the engine has none.
class ivHTMLView : public wxPanel, public ivPaneWindow, public ivViewHooks {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(ivHTMLView);

public:
    ivHTMLView() = default;
    ~ivHTMLView() override;
    // The destruction hook runs first, then the window and its browser go.
    bool Destroy() override;

    // Creates the panel with its browser, then runs the creation hook; false (and no window
    // left to show) when the engine is missing or the hook refuses.
    bool CreatePaneWindow(wxWindow* parent, const wxString& name) override;

    void SetDomain(ivDomain* domain) { m_domain = domain; }
    ivDomain* GetDomain() const { return m_domain; }

    // Shows the page at url; false without a browser.
    bool Navigate(const std::string& url);
    // The page shown (or being loaded), empty before any.
    std::string GetCurrentURL() const;
    wxWebView* GetBrowser() const { return m_browser; }

    // Forwarded to the hooks as the document's views get them.
    void InitialUpdate() { OnInitialUpdateHook(); }
    void Update(wxObject* hint) { OnUpdateHook(hint); }

private:
    void OnPrint(wxCommandEvent& event);
    void OnFocusChanged(bool active);

    ivDomain* m_domain = nullptr;
    wxWebView* m_browser = nullptr;
    bool m_active = false;
    bool m_created = false;
};
