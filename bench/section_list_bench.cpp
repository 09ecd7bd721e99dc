// Times the section list without its window on a 10,000-section document of about 50 MB and
// on a 2,000-section manual of about 30 MB whose bodies are real RTF files: the first build of
// all rows, an insert, a remove and a cell edit (outline numbers included), a refresh, and the
// memory the rows take beside that of the XML tree.
//
//   build-release/bin/section_list_bench [RTF folder]
//
// The manual's bodies come from the RTF folder (by default the shared RTF corpus beside the
// source tree); without it the manual is left out.

#include "bench/bench_support.h"
#include "bench/section_bench.h"

#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace bench;

namespace {

void Time(const std::string& label, const std::string& file) {
    const size_t heapBefore = HeapInUse();
    BenchDomain domain;
    bool opened = false;
    const double open = Seconds([&] { opened = domain.store.Open(file); });
    if (!opened) {
        std::printf("%s: the document does not open\n", label.c_str());
        return;
    }
    const size_t treeBytes = HeapInUse() - heapBefore;
    ivReportCore report;
    report.SetDomain(&domain);
    mySectionList list(report, &domain);
    domain.list = &list;
    list.SetupColumns();

    const size_t rowsBefore = HeapInUse();
    const double build = Seconds([&] { domain.Refresh(); });
    const size_t rowBytes = HeapInUse() - rowsBefore;
    const double refresh = MedianOf(5, [&] { domain.Refresh(); });

    ivReportModel& model = report.Model();
    CXTPReportRecordEx* root = model.GetRoot();
    const int top = root->GetChildCount();
    int rows = 0;
    model.ForEachRecord([&](CXTPReportRecordEx&) { return ++rows > 0; });

    // An insert beside a section in the middle, and under the last one.
    std::vector<double> inserts;
    for (int i = 0; i < 9; ++i) {
        CXTPReportRecordEx* chapter = root->GetChild(top / 2);
        model.SetFocusedRecord(chapter->GetChild(chapter->GetChildCount() / 2));
        inserts.push_back(Seconds([&] { list.InsertSection(mySectionList::kInsertBeside); }));
    }
    // A remove of the first chapter (with its subsections) renumbers every row below it.
    std::vector<double> removes;
    for (int i = 0; i < 9; ++i) {
        model.SetFocusedRecord(root->GetChild(0));
        removes.push_back(Seconds([&] { list.RemoveSection(true); }));
    }
    // A leaf removed in the middle renumbers its later siblings.
    std::vector<double> leafRemoves;
    for (int i = 0; i < 9; ++i) {
        CXTPReportRecordEx* chapter = root->GetChild(root->GetChildCount() / 2);
        model.SetFocusedRecord(chapter->GetChild(0));
        leafRemoves.push_back(Seconds([&] { list.RemoveSection(true); }));
    }
    // Cell edits as the user types them: a title, and an alias that must stay unique.
    const int title = report.FindColumn("Title");
    const int alias = report.FindColumn("Alias");
    std::vector<double> titleEdits;
    std::vector<double> aliasEdits;
    for (int i = 0; i < 9; ++i) {
        CXTPReportRecordEx* row = root->GetChild(root->GetChildCount() - 1 - i);
        titleEdits.push_back(
            Seconds([&] { model.ApplyUserEdit(*row, title, "Renamed " + std::to_string(i)); }));
        aliasEdits.push_back(Seconds([&] { model.ApplyUserEdit(*row, alias, "Same Alias"); }));
    }

    std::printf("%s: %d rows, %.1f MB file\n", label.c_str(), rows,
                std::filesystem::file_size(file) / 1e6);
    std::printf("  open (XML tree):        %8.1f ms\n", open * 1e3);
    std::printf("  first build of rows:    %8.1f ms   (goal < 300)\n", build * 1e3);
    std::printf("  refresh:                %8.1f ms   (goal < 300)\n", refresh * 1e3);
    std::printf("  insert:                 %8.2f ms   (goal < 50)\n", Median(inserts) * 1e3);
    std::printf("  remove, first chapter:  %8.2f ms   (goal < 50)\n", Median(removes) * 1e3);
    std::printf("  remove, one section:    %8.2f ms   (goal < 50)\n", Median(leafRemoves) * 1e3);
    std::printf("  title edit:             %8.2f ms   (goal < 50)\n", Median(titleEdits) * 1e3);
    std::printf("  alias edit:             %8.2f ms   (goal < 50)\n", Median(aliasEdits) * 1e3);
    std::printf("  memory: XML tree %.1f MB, rows %.1f MB (%.2f of the tree; goal < 2)\n",
                treeBytes / 1e6, rowBytes / 1e6,
                treeBytes > 0 ? static_cast<double>(rowBytes) / treeBytes : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    wxInitializer wx;
    const BenchFolder dir;
    const std::string large = dir.File("large.etf");
    WriteDocument(large, 10000, RealisticBody);
    Time("10,000 sections", large);

    const std::string corpus = argc > 1 ? argv[1] : QV_RTF_CORPUS;
    const std::string manual = dir.File("manual.etf");
    if (WriteManual(manual, corpus)) {
        Time("manual of 2,000 sections with real RTF bodies", manual);
    } else {
        std::printf("manual: no RTF files in %s, left out\n", corpus.c_str());
    }
    return 0;
}
