#include "views/section_list_view.h"

#include "core/command_ids.h"
#include "framework/report_ctrl.h"
#include "views/text_view.h"

#include <wx/splitter.h>

wxIMPLEMENT_DYNAMIC_CLASS(myReportView, ivReportView);

myReportView::myReportView() : m_list(*this, this) {
    BindCommands();
}

myReportView::~myReportView() = default;

void myReportView::BindCommands() {
    using namespace command_id;
    auto on = [this](int id, auto action) {
        Bind(
            wxEVT_MENU, [action](wxCommandEvent&) { action(); }, id);
    };
    on(kEditDelete, [this] { m_list.RemoveSection(false); });
    on(kViewExpand, [this] {
        if (m_list.IsSectionFocused()) {
            ExpandFocused();
        }
    });
    on(kViewCollapse, [this] {
        if (m_list.IsSectionFocused()) {
            CollapseFocused();
        }
    });
    on(kViewExpandAll, [this] { ExpandAll(); });
    on(kViewCollapseAll, [this] { CollapseAll(); });
    on(kInsertSection, [this] { m_list.InsertSection(mySectionList::kInsertBeside); });
    on(kInsertSectionAbove, [this] { m_list.InsertSection(mySectionList::kInsertAbove); });
    on(kInsertSectionUnder, [this] { m_list.InsertSection(mySectionList::kInsertUnder); });

    auto enable = [this](int id, auto when) {
        Bind(
            wxEVT_UPDATE_UI, [when](wxUpdateUIEvent& event) { event.Enable(when()); }, id);
    };
    auto onSection = [this] { return m_list.IsSectionFocused(); };
    enable(kEditDelete, onSection);
    enable(kViewExpand, onSection);
    enable(kViewCollapse, onSection);
    // The clipboard does not carry sections.
    for (int id : {kEditCut, kEditCopy, kEditPaste}) {
        enable(id, [] { return false; });
    }
}

bool myReportView::TryBefore(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    if (m_textWindow != nullptr && event.GetEventObject() != m_textWindow &&
        (event.IsCommandEvent() || type == wxEVT_UPDATE_UI)) {
        const bool focused = m_textWindow->HasFocus();
        if ((focused || myTextView::TakesWithoutFocus(event.GetId())) &&
            m_textWindow->ProcessWindowEventLocally(event)) {
            return true;
        }
    }
    return ivReportView::TryBefore(event);
}

void myReportView::RequestRefresh() {
    if (ivReportCtrl* control = GetControl()) {
        wxQueueEvent(control, new wxCommandEvent(wxEVT_MENU, command_id::kViewRefresh));
    }
}

void myReportView::ActivateNextPane() {
    ivReportCtrl* control = GetControl();
    auto* splitter =
        control != nullptr ? dynamic_cast<wxSplitterWindow*>(control->GetParent()) : nullptr;
    if (splitter == nullptr) {
        return;
    }
    wxWindow* next =
        splitter->GetWindow1() == control ? splitter->GetWindow2() : splitter->GetWindow1();
    if (next != nullptr && next->IsEnabled()) {
        next->SetFocus();
    }
}

void myReportView::FocusList() {
    ivReportCtrl* control = GetControl();
    if (control != nullptr && !control->HasFocus()) {
        control->SetFocus();
    }
}
