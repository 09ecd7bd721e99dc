// Times moving a section with more than 1,000 descendants in a 10,000-section document of
// about 50 MB, taking the move back and doing it again: in the tree with the whole outline
// numbered afresh, and in the section list without its window (the block of rows moved in
// place, the numbers refreshed where they changed). Then a recovery copy of the same document: the
// pause while the snapshot is taken on the caller's thread, and the time the worker thread takes to
// write it.
//
//   build-release/bin/move_bench

#include "bench/bench_support.h"
#include "bench/section_bench.h"
#include "document/outline.h"
#include "document/recovery.h"
#include "views/edit_commands.h"

#include <wx/init.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace bench;

namespace {

using Direction = ivTreeEditor::Direction;

// The bench document with its edits recorded for undo, as the editor's document keeps them.
class HistoryDomain : public BenchDomain {
public:
    HistoryDomain() : history(store.Editor(), {}) {
        store.Editor().SetListener([this](const ivTreeEdit& edit) {
            if (!edit.replayed) {
                history.Record(edit);
            }
        });
    }
    ivEditHistory* GetEditHistory() override { return &history; }
    myEditHistory history;
};

void Report(const char* what, const std::vector<double>& times) {
    std::printf("  %-44s median %7.2f ms, worst %7.2f ms\n", what, Median(times) * 1000,
                *std::max_element(times.begin(), times.end()) * 1000);
}

}  // namespace

int main() {
    wxInitializer wx;
    BenchFolder folder;
    const std::string file = folder.File("moves.etf");
    const std::vector<std::string> ids = WriteDocument(file, 10000, RealisticBody);
    std::printf("10,000 sections, %.1f MB\n",
                static_cast<double>(std::filesystem::file_size(file)) / 1e6);

    HistoryDomain domain;
    if (!domain.store.Open(file)) {
        std::printf("the document does not open\n");
        return 1;
    }
    ivTreeEditor& editor = domain.store.Editor();
    ivXML& tree = *domain.store.GetTree(ivDomain::kDocumentTree);
    // Chapters of 100 sections; the first takes the next ten in, so that it holds 1,099.
    const std::string big = ids[0];
    for (int c = 1; c <= 10; ++c) {
        editor.MoveSection(ids[static_cast<size_t>(c) * 100], big, -1);
    }
    domain.history.Clear();
    tree.GoRoot();
    const size_t rowCount = BuildOutline(tree).size();
    std::printf("%zu rows; the moved chapter has 1,099 sections below it\n\n", rowCount);

    const auto outline = [&] {
        tree.GoRoot();
        return BuildOutline(tree).size();
    };
    std::vector<double> moves;
    std::vector<double> undos;
    std::vector<double> redos;
    for (int i = 0; i < 9; ++i) {
        ivTreeEdit edit;
        moves.push_back(Seconds([&] {
            editor.MoveSection(big, Direction::Down, &edit);
            outline();
        }));
        undos.push_back(Seconds([&] {
            editor.Undo(edit);
            outline();
        }));
        redos.push_back(Seconds([&] {
            editor.Redo(edit);
            outline();
        }));
        editor.MoveSection(big, Direction::Up);
    }
    std::printf("In the tree, the whole outline numbered again:\n");
    Report("move down past the next chapter", moves);
    Report("undo", undos);
    Report("redo", redos);

    ivReportCore report;
    report.SetDomain(&domain);
    mySectionList list(report, &domain);
    domain.list = &list;
    list.SetupColumns();
    domain.Refresh();
    domain.history.Clear();
    moves.clear();
    undos.clear();
    redos.clear();
    for (int i = 0; i < 9; ++i) {
        // The first chapter's row, found afresh should a move have built the rows again.
        report.Model().SetFocusedRecord(report.Model().GetRoot()->GetChild(0));
        moves.push_back(Seconds([&] { list.MoveSection(Direction::Down); }));
        undos.push_back(Seconds([&] { list.Undo(); }));
        redos.push_back(Seconds([&] { list.Redo(); }));
        list.Undo();
    }
    std::printf("\nIn the section list (rows moved, outline numbers refreshed):\n");
    Report("move down past the next chapter", moves);
    Report("undo", undos);
    Report("redo", redos);

    std::vector<double> pauses;
    std::vector<double> writes;
    myRecoveryWriter writer(folder.File("recovery"));
    for (int i = 0; i < 5; ++i) {
        std::shared_ptr<ivXML> snapshot;
        pauses.push_back(Seconds([&] { snapshot = tree.Snapshot(); }));
        writes.push_back(Seconds([&] {
            writer.Write([snapshot] { return snapshot->SaveToString(); }, file, "moves");
            snapshot.reset();
            writer.Flush();
        }));
    }
    writer.Remove();
    std::printf("\nA recovery copy of the document:\n");
    Report("snapshot (the pause while typing)", pauses);
    Report("written by the worker thread", writes);
    return 0;
}
