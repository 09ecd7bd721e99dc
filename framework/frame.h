#pragma once

#include "framework/frame_companions.h"
#include "framework/frame_host.h"

#include <wx/aui/framemanager.h>
#include <wx/docview.h>

class wxPanel;

// The single-document main frame: the same command bars, status bar, docking panes and
// layouts as the multi-document one, around one client area where the view's windows go.
class ivFrame : public wxDocParentFrame, public ivMainFrameHost {
    wxDECLARE_DYNAMIC_CLASS(ivFrame);

public:
    ivFrame();
    ~ivFrame() override;

    // Creates the window and then its command bars (see ivFrameCompanions).
    bool Create(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxDEFAULT_FRAME_STYLE, const wxString& name = wxFrameNameStr);

    // The centre of the frame, where a view puts its window.
    wxPanel* GetClientArea() const { return m_client; }

    // ivMainFrameHost
    wxFrame* GetFrameWindow() override { return this; }
    wxAuiManager& GetAuiManager() override { return m_aui; }
    ivFrameServices& GetServices() override { return m_companions.Services(); }
    ivCommandSite& GetSite() override { return m_companions.Site(); }
    ivCommandBuilder& GetBuilder() override { return m_companions.Builder(); }
    wxDocManager* GetDocManager() override { return GetDocumentManager(); }

private:
    wxAuiManager m_aui;
    ivFrameCompanions m_companions;
    wxPanel* m_client = nullptr;
};
