#include "views/splitter_frame.h"

#include "core/command_ids.h"
#include "views/import_command.h"
#include "views/section_link_command.h"
#include "views/section_list_view.h"
#include "views/text_view.h"

#include <wx/sizer.h>

#include <algorithm>

wxIMPLEMENT_DYNAMIC_CLASS(mySplitterFrame, ivMDIChildFrame);

mySplitter::mySplitter(wxWindow* parent, wxWindowID id)
    : wxSplitterWindow(parent, id, wxDefaultPosition, wxDefaultSize,
                       wxSP_LIVE_UPDATE | wxSP_NOBORDER | wxSP_THIN_SASH) {
    SetMinimumPaneSize(0);
}

int mySplitter::OnSashPositionChanging(int position) {
    // wxWidgets removes a pane dragged to the edge; here it only gets as narrow as can be.
    const int size = GetClientSize().x;
    return std::clamp(position, 1, std::max(1, size - GetSashSize() - 1));
}

int mySplitterFrame::SplitterId() {
    return command_id::FromTableNumber(0xE900);
}

int mySplitterFrame::TextPaneId() {
    return command_id::FromTableNumber(0xE901);
}

bool mySplitterFrame::CreateFor(wxDocument* doc, wxView* view, ivMDIParentFrame* parent) {
    if (!ivMDIChildFrame::CreateFor(doc, view, parent)) {
        return false;
    }
    m_splitter = new mySplitter(this, SplitterId());
    m_text = new myTextView(m_splitter, TextPaneId());
    m_text->SetChangeListener([doc] {
        if (!doc->IsModified()) {
            doc->Modify(true);
        }
    });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_splitter, 1, wxEXPAND);
    SetSizer(sizer);
    return true;
}

wxWindow* mySplitterFrame::GetViewParent(wxView*) {
    return m_splitter;
}

void mySplitterFrame::PlaceViewWindow(wxView* view, wxWindow* window) {
    if (m_splitter == nullptr || m_splitter->IsSplit()) {
        return;
    }
    // Both panes sit flat in the splitter.
    window->SetWindowStyleFlag((window->GetWindowStyleFlag() & ~wxBORDER_MASK) | wxBORDER_NONE);
    m_splitter->SplitVertically(window, m_text, FromDIP(kListWidth));
    Layout();
    // The column gets its width once the window has its real size.
    CallAfter([this] {
        if (m_splitter != nullptr && m_splitter->IsSplit()) {
            m_splitter->SetSashPosition(FromDIP(kListWidth));
        }
    });
    if (auto* list = dynamic_cast<myReportView*>(view)) {
        list->SetTextView(m_text);
        list->SetTextWindow(m_text);
        BindSectionLinkCommands(*list, *m_text);
        BindImportCommands(*list);
    }
}
