// Times the section list's window (the wxDataViewCtrl over the rows) on the documents of
// section_list_bench: the rows shown after the first build and after a refresh, an insert with
// its title editor opening, a remove and a title edit, each until the window has caught up.
// Needs a display (run it under xvfb-run).
//
//   xvfb-run -a build-release/bin/section_window_bench [RTF folder]

#include "bench/bench_support.h"
#include "bench/section_bench.h"
#include "framework/report_ctrl.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <cstdio>
#include <filesystem>

using namespace bench;

namespace {

// Everything the window has queued, painting included.
void CatchUp() {
    for (int i = 0; i < 3; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

void Time(const std::string& label, const std::string& file) {
    BenchDomain domain;
    if (!domain.store.Open(file)) {
        std::printf("%s: the document does not open\n", label.c_str());
        return;
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(0, 0), wxSize(1000, 700));
    ivReportCore report;
    report.SetDomain(&domain);
    mySectionList list(report, &domain);
    domain.list = &list;
    list.SetupColumns();
    auto* control = new ivReportCtrl(frame, wxID_ANY, report);
    frame->Show();
    CatchUp();

    const double build = Seconds([&] {
        domain.Refresh();
        CatchUp();
    });
    const double refresh = MedianOf(5, [&] {
        domain.Refresh();
        CatchUp();
    });
    ivReportModel& model = report.Model();
    CXTPReportRecordEx* root = model.GetRoot();
    std::vector<double> inserts;
    std::vector<double> removes;
    std::vector<double> edits;
    const int title = report.FindColumn("Title");
    for (int i = 0; i < 7; ++i) {
        CXTPReportRecordEx* chapter = root->GetChild(root->GetChildCount() / 2);
        model.SetFocusedRecord(chapter->GetChild(chapter->GetChildCount() / 2));
        CatchUp();
        inserts.push_back(Seconds([&] {
            list.InsertSection(mySectionList::kInsertBeside);
            CatchUp();
        }));
        control->SetFocus();
        model.SetFocusedRecord(root->GetChild(0));
        CatchUp();
        removes.push_back(Seconds([&] {
            list.RemoveSection(true);
            CatchUp();
        }));
        CXTPReportRecordEx* row = root->GetChild(root->GetChildCount() - 1);
        edits.push_back(Seconds([&] {
            model.ApplyUserEdit(*row, title, "Renamed " + std::to_string(i));
            CatchUp();
        }));
    }
    std::printf("%s, in the window:\n", label.c_str());
    std::printf("  first build, rows shown: %8.1f ms   (goal < 300)\n", build * 1e3);
    std::printf("  refresh, rows shown:     %8.1f ms   (goal < 300)\n", refresh * 1e3);
    std::printf("  insert, editor open:     %8.1f ms   (goal < 50)\n", Median(inserts) * 1e3);
    std::printf("  remove, first chapter:   %8.1f ms   (goal < 50)\n", Median(removes) * 1e3);
    std::printf("  title edit:              %8.1f ms   (goal < 50)\n", Median(edits) * 1e3);
    frame->Destroy();
    CatchUp();
}

}  // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    {
        const BenchFolder dir;
        const std::string large = dir.File("large.etf");
        WriteDocument(large, 10000, RealisticBody);
        Time("10,000 sections", large);
        const std::string manual = dir.File("manual.etf");
        if (WriteManual(manual, argc > 1 ? argv[1] : QV_RTF_CORPUS)) {
            Time("manual of 2,000 sections with real RTF bodies", manual);
        }
    }
    wxEntryCleanup();
    return 0;
}
