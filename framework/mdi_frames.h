#pragma once

#include "framework/frame_companions.h"
#include "framework/frame_host.h"

#include <wx/aui/framemanager.h>
#include <wx/aui/tabmdi.h>
#include <wx/docview.h>

#include <string>

using ivMDIParentFrameBase = wxDocParentFrameAny<wxAuiMDIParentFrame>;
using ivMDIChildFrameBase = wxDocChildFrameAny<wxAuiMDIChildFrame, wxAuiMDIParentFrame>;

// The main window: documents as tabs (with close buttons) filling the client area, commands
// routed through the document manager to the active view and document. Its title is the base
// title, followed by " - " and the active document's title while one is open. Docking panes
// are panes of its wxAuiManager, around the document tabs in the centre. Its creation builds
// the command bars (see ivFrameCompanions); closing it saves their layout.
class ivMDIParentFrame : public ivMDIParentFrameBase, public ivMainFrameHost {
    wxDECLARE_DYNAMIC_CLASS(ivMDIParentFrame);

public:
    ivMDIParentFrame();
    ~ivMDIParentFrame() override;

    bool Create(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxDEFAULT_FRAME_STYLE, const wxString& name = wxFrameNameStr);

    // wxAuiMDIParentFrame hands every command event to the active child first, also one that
    // came up from inside that child and was offered to it already; such an event is handled
    // here without going round again.
    bool ProcessEvent(wxEvent& event) override;

    // ivMainFrameHost
    wxFrame* GetFrameWindow() override { return this; }
    wxAuiManager& GetAuiManager() override { return m_aui; }
    ivFrameServices& GetServices() override { return m_companions.Services(); }
    ivCommandSite& GetSite() override { return m_companions.Site(); }
    ivCommandBuilder& GetBuilder() override { return m_companions.Builder(); }
    wxDocManager* GetDocManager() override { return GetDocumentManager(); }

    // The title without a document ("Quorvane Editor").
    void SetBaseTitle(const wxString& title);
    const wxString& GetBaseTitle() const { return m_baseTitle; }
    // Shows the base title with the active document's title; called when a document window
    // is activated, renamed or closed.
    void UpdateTitle();
    // UpdateTitle once the current event is over (the active tab may still be changing).
    void ScheduleTitleUpdate();

    // The document window in front; null without one.
    wxAuiMDIChildFrame* GetActiveDocumentFrame() const;

    // Shows url in a browser pane of this window when there is one; false otherwise, and the
    // caller opens the desktop's browser.
    virtual bool NavigateHtmlPane(const std::string& url, bool activate);

    // The command site of the command bars.
    virtual ivCommandSite* GetCommandSite() { return &m_companions.Site(); }

private:
    bool CameFromActiveChild(const wxEvent& event) const;

    wxAuiManager m_aui;
    ivFrameCompanions m_companions;
    wxString m_baseTitle;
    bool m_closing = false;
};

// A document window: one tab of the main window, holding the windows of its view.
class ivMDIChildFrame : public ivMDIChildFrameBase {
    wxDECLARE_DYNAMIC_CLASS(ivMDIChildFrame);

public:
    ivMDIChildFrame();
    ~ivMDIChildFrame() override;

    // Creates the window for view of doc as a tab of parent, titled by the document, then
    // runs the frame steps (which build nothing for a document window); false when any fails.
    virtual bool CreateFor(wxDocument* doc, wxView* view, ivMDIParentFrame* parent);

    ivFrameServices& GetServices() { return m_companions.Services(); }
    ivCommandSite& GetSite() { return m_companions.Site(); }

    void SetTitle(const wxString& title) override;
    void SetLabel(const wxString& label) override { SetTitle(label); }

    ivMDIParentFrame* GetMainFrame() const { return m_mainFrame; }
    // The main window is going away; nothing is told to it any more.
    void DetachMainFrame() { m_mainFrame = nullptr; }

private:
    void OnActivateFrame(wxActivateEvent& event);

    ivChildFrameCompanions m_companions;
    ivMDIParentFrame* m_mainFrame = nullptr;
};
