#include "framework/frame.h"

#include <wx/panel.h>

wxIMPLEMENT_DYNAMIC_CLASS(ivFrame, wxDocParentFrame);

ivFrame::ivFrame() : m_companions(*this) {}

ivFrame::~ivFrame() {
    m_aui.UnInit();
}

bool ivFrame::Create(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
                     const wxPoint& pos, const wxSize& size, long style, const wxString& name) {
    if (!wxDocParentFrame::Create(manager, parent, id, title, pos, size, style, name)) {
        return false;
    }
    m_client = new wxPanel(this);
    m_aui.SetManagedWindow(this);
    m_aui.AddPane(m_client, wxAuiPaneInfo().Name("documents").CenterPane());
    m_aui.Update();
    m_companions.Attach();
    return m_companions.Create();
}
