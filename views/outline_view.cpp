#include "views/outline_view.h"

#include "document/domain.h"
#include "document/iv_xml.h"
#include "document/outline.h"

#include <wx/sizer.h>
#include <wx/treectrl.h>

#include <algorithm>

#include <vector>

wxIMPLEMENT_DYNAMIC_CLASS(myOutlineView, wxView);

bool myOutlineView::OnCreate(wxDocument* doc, long flags) {
    if (!wxView::OnCreate(doc, flags) || GetFrame() == nullptr) {
        return false;
    }
    wxWindow* frame = GetFrame();
    m_tree = new wxTreeCtrl(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxTR_DEFAULT_STYLE | wxTR_HIDE_ROOT | wxTR_SINGLE);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_tree, 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->Layout();
    return true;
}

void myOutlineView::OnUpdate(wxView*, wxObject*) {
    Rebuild();
}

void myOutlineView::Rebuild() {
    if (m_tree == nullptr) {
        return;
    }
    m_tree->DeleteAllItems();
    const wxTreeItemId root = m_tree->AddRoot(wxEmptyString);
    auto* domain = dynamic_cast<ivDomain*>(GetDocument());
    ivXML* tree = domain != nullptr ? domain->GetTree(ivDomain::kDocumentTree) : nullptr;
    if (tree == nullptr || !tree->GoRoot()) {
        return;
    }
    // Each row hangs below the last row of the depth above it.
    std::vector<wxTreeItemId> parents{root};
    for (const OutlineRow& row : BuildOutline(*tree)) {
        const size_t depth = static_cast<size_t>(row.depth < 0 ? 0 : row.depth);
        parents.resize(std::min(parents.size(), depth + 1));
        const wxString label = wxString::FromUTF8(
            row.numbering.empty() ? row.title : row.numbering + "  " + row.title);
        parents.push_back(m_tree->AppendItem(parents.back(), label));
    }
    tree->Reset();
    m_tree->ExpandAll();
}

bool myOutlineView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) {
        return false;
    }
    Activate(false);
    if (deleteWindow && GetFrame() != nullptr) {
        GetFrame()->Destroy();
        SetFrame(nullptr);
    }
    m_tree = nullptr;
    return true;
}
