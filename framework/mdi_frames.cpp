#include "framework/mdi_frames.h"

#include "framework/html_view.h"

#include <wx/webview.h>

wxIMPLEMENT_DYNAMIC_CLASS(ivMDIParentFrame, wxAuiMDIParentFrame);
wxIMPLEMENT_DYNAMIC_CLASS(ivMDIChildFrame, wxAuiMDIChildFrame);

ivMDIParentFrame::ivMDIParentFrame() : m_companions(*this) {}

bool ivMDIParentFrame::Create(wxDocManager* manager, wxFrame* parent, wxWindowID id,
                              const wxString& title, const wxPoint& pos, const wxSize& size,
                              long style, const wxString& name) {
    // The stock "Window" menu of AUI frames holds nothing the tabs do not offer.
    if (!ivMDIParentFrameBase::Create(manager, parent, id, title, pos, size,
                                      style | wxFRAME_NO_WINDOW_MENU, name)) {
        return false;
    }
    m_baseTitle = title;
    m_aui.SetManagedWindow(this);
    m_aui.AddPane(GetClientWindow(), wxAuiPaneInfo().Name("documents").CenterPane());
    m_aui.Update();
    m_companions.Attach();
    return m_companions.Create();
}

ivMDIParentFrame::~ivMDIParentFrame() {
    // Document windows still here (also those waiting to be deleted) go with the base
    // classes, after this part of the frame is gone: they must not call back into it.
    m_closing = true;
    if (wxAuiMDIClientWindow* client = GetClientWindow()) {
        for (wxWindow* window : client->GetChildren()) {
            if (auto* child = dynamic_cast<ivMDIChildFrame*>(window)) {
                child->DetachMainFrame();
            }
        }
    }
    m_aui.UnInit();
}

bool ivMDIParentFrame::CameFromActiveChild(const wxEvent& event) const {
    const wxAuiMDIChildFrame* child = GetActiveDocumentFrame();
    if (child == nullptr) {
        return false;
    }
    for (auto* window = dynamic_cast<wxWindow*>(event.GetEventObject()); window != nullptr;
         window = window->GetParent()) {
        if (window == child) {
            return true;
        }
        if (window == this) {
            break;
        }
    }
    return false;
}

bool ivMDIParentFrame::ProcessEvent(wxEvent& event) {
    if (event.IsCommandEvent() && CameFromActiveChild(event)) {
        return wxEvtHandler::ProcessEvent(event);
    }
    return ivMDIParentFrameBase::ProcessEvent(event);
}

void ivMDIParentFrame::SetBaseTitle(const wxString& title) {
    m_baseTitle = title;
    UpdateTitle();
}

void ivMDIParentFrame::UpdateTitle() {
    if (m_closing) {
        return;
    }
    const wxAuiMDIChildFrame* child = GetActiveDocumentFrame();
    const wxString title = child != nullptr && !child->GetTitle().empty()
                               ? m_baseTitle + " - " + child->GetTitle()
                               : m_baseTitle;
    if (GetTitle() != title) {
        SetTitle(title);
    }
}

wxAuiMDIChildFrame* ivMDIParentFrame::GetActiveDocumentFrame() const {
    wxAuiMDIClientWindow* client = GetClientWindow();
    if (client == nullptr) {
        return nullptr;
    }
    const int selection = client->GetSelection();
    if (selection == wxNOT_FOUND) {
        return nullptr;
    }
    return dynamic_cast<wxAuiMDIChildFrame*>(client->GetPage(selection));
}

bool ivMDIParentFrame::NavigateHtmlPane(const std::string& url, bool activate) {
    wxAuiPaneInfoArray& panes = m_aui.GetAllPanes();
    for (size_t i = 0; i < panes.GetCount(); ++i) {
        auto* view = dynamic_cast<ivHTMLView*>(panes[i].window);
        if (view == nullptr || !view->Navigate(url)) {
            continue;
        }
        if (activate) {
            if (!panes[i].IsShown()) {
                panes[i].Show();
                m_aui.Update();
            }
            view->GetBrowser()->SetFocus();
        }
        return true;
    }
    return false;
}

void ivMDIParentFrame::ScheduleTitleUpdate() {
    if (!m_closing) {
        CallAfter(&ivMDIParentFrame::UpdateTitle);
    }
}

ivMDIChildFrame::ivMDIChildFrame() : m_companions(*this) {}

ivMDIChildFrame::~ivMDIChildFrame() {
    m_companions.Site().OnFrameDestroyed();
    if (m_mainFrame != nullptr) {
        m_mainFrame->ScheduleTitleUpdate();
    }
}

bool ivMDIChildFrame::CreateFor(wxDocument* doc, wxView* view, ivMDIParentFrame* parent) {
    wxString title;
    if (doc != nullptr && doc->GetDocumentManager() != nullptr) {
        title = doc->GetDocumentManager()->MakeFrameTitle(doc);
    }
    if (!Create(doc, view, parent, wxID_ANY, title)) {
        return false;
    }
    m_mainFrame = parent;
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        m_companions.Services().SaveLayout(this);
        event.Skip();
    });
    Bind(wxEVT_ACTIVATE, &ivMDIChildFrame::OnActivateFrame, this);
    parent->ScheduleTitleUpdate();
    return m_companions.Create();
}

void ivMDIChildFrame::SetTitle(const wxString& title) {
    ivMDIChildFrameBase::SetTitle(title);
    if (m_mainFrame != nullptr) {
        m_mainFrame->ScheduleTitleUpdate();
    }
}

void ivMDIChildFrame::OnActivateFrame(wxActivateEvent& event) {
    event.Skip();
    if (m_mainFrame != nullptr) {
        m_mainFrame->ScheduleTitleUpdate();
    }
}
