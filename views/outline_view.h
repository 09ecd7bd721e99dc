#pragma once

#include <wx/docview.h>

class wxTreeCtrl;

// A read-only outline of a document (numbering and title of each section) as the view of its
// window, until the section list takes its place.
class myOutlineView : public wxView {
    wxDECLARE_DYNAMIC_CLASS(myOutlineView);

public:
    myOutlineView() = default;

    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC*) override {}
    void OnUpdate(wxView* sender, wxObject* hint) override;
    bool OnClose(bool deleteWindow) override;

    wxTreeCtrl* GetTree() const { return m_tree; }

private:
    void Rebuild();

    wxTreeCtrl* m_tree = nullptr;
};
