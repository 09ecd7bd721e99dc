#pragma once

#include "framework/report_core.h"
#include "framework/view_hooks.h"

#include <wx/docview.h>

class ivReportCtrl;

// A view holding one report control: the report interface of ivReportCore over a
// wxDataViewCtrl in the view's document window, the view hooks called from the document/view
// framework, and the print commands printing the list.
class ivReportView : public wxView, public ivReportCore, public ivInitialUpdate {
    wxDECLARE_DYNAMIC_CLASS(ivReportView);

public:
    // The identifier of the report control.
    static constexpr int kControlId = 100;

    ivReportView();
    ~ivReportView() override;

    ivDomain* GetDomain() override;
    ivReportCtrl* GetControl() const { return m_control; }

    // wxView
    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC*) override {}
    void OnInitialUpdate() override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    void OnActivateView(bool activate, wxView* activeView, wxView* deactiveView) override;
    bool OnClose(bool deleteWindow) override;
    wxPrintout* OnCreatePrintout() override;

private:
    // Creates the control in the document window, or where the window's host says.
    bool CreateControl();
    void Print(bool prompt);
    void PrintPreview();

    ivReportCtrl* m_control = nullptr;
};
