#include "framework/report_view.h"

#include "core/command_ids.h"
#include "document/domain.h"
#include "framework/report_ctrl.h"
#include "framework/report_printout.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/print.h>
#include <wx/sizer.h>

wxIMPLEMENT_DYNAMIC_CLASS(ivReportView, wxView);

ivReportView::ivReportView() {
    using namespace command_id;
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { Print(true); }, kFilePrint);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { Print(false); }, kFilePrintDirect);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { PrintPreview(); }, kFilePrintPreview);
}

ivReportView::~ivReportView() = default;

ivDomain* ivReportView::GetDomain() {
    return dynamic_cast<ivDomain*>(GetDocument());
}

bool ivReportView::OnCreate(wxDocument* doc, long flags) {
    if (!wxView::OnCreate(doc, flags) || GetFrame() == nullptr) {
        return false;
    }
    SetDomain(GetDomain());
    return CreateControl() && Hooks().OnCreateHook();
}

bool ivReportView::CreateControl() {
    wxWindow* frame = GetFrame();
    auto* host = dynamic_cast<ivViewHost*>(frame);
    wxWindow* parent = host != nullptr ? host->GetViewParent(this) : frame;
    if (parent == nullptr) {
        return false;
    }
    m_control = new ivReportCtrl(parent, kControlId, *this);
    if (host != nullptr) {
        host->PlaceViewWindow(this, m_control);
    } else {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(m_control, 1, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Layout();
    }
    return true;
}

void ivReportView::OnInitialUpdate() {
    Hooks().OnInitialUpdateHook();
}

void ivReportView::OnUpdate(wxView*, wxObject* hint) {
    Hooks().OnUpdateHook(hint);
}

void ivReportView::OnActivateView(bool activate, wxView*, wxView*) {
    if (activate) {
        Hooks().OnActivateHook();
    } else {
        Hooks().OnDeactivateHook();
    }
}

bool ivReportView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) {
        return false;
    }
    Hooks().OnDestroyHook();
    Activate(false);
    if (deleteWindow && GetFrame() != nullptr) {
        GetFrame()->Destroy();
        SetFrame(nullptr);
    }
    m_control = nullptr;
    return true;
}

wxPrintout* ivReportView::OnCreatePrintout() {
    const wxString title = GetDocument() != nullptr ? GetDocument()->GetUserReadableName()
                                                    : wxTheApp->GetAppDisplayName();
    return new ivReportPrintout(Model(), title);
}

void ivReportView::Print(bool prompt) {
    wxPrinter printer;
    std::unique_ptr<wxPrintout> printout(OnCreatePrintout());
    printer.Print(wxTheApp->GetTopWindow(), printout.get(), prompt);
}

void ivReportView::PrintPreview() {
    auto* preview = new wxPrintPreview(OnCreatePrintout(), OnCreatePrintout());
    if (!preview->IsOk()) {
        delete preview;
        return;
    }
    auto* frame = new wxPreviewFrame(preview, wxTheApp->GetTopWindow(),
                                     GetDocument() != nullptr ? GetDocument()->GetUserReadableName()
                                                              : wxTheApp->GetAppDisplayName());
    frame->Initialize();
    frame->Show();
}
