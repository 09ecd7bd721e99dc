#include "core/messages.h"
#include "document/iv_xml.h"
#include "platform/paths.h"
#include "tests/framework/report_test_util.h"
#include "tests/support/test_support.h"
#include "tests/views/section_list_fixture.h"
#include "views/domain_file.h"
#include "views/section_list.h"
#include "views/text_view_interface.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Direction = ivTreeEditor::Direction;
using Place = mySectionList::DropPlace;
using Numbers = std::vector<std::string>;

// The editor's document with one section list on it, without windows.
class ListedDocument : public myDomainFile, public mySectionListHost {
public:
    void UpdateViews(wxObject* hint) override {
        if (list != nullptr) {
            list->OnUpdateHook(hint);
        }
    }
    void RequestRefresh() override { Refresh(); }
    // As the editor's list view does: the body being typed goes into the tree.
    void UpdateModifiedFlag() override {
        myDomainFile::UpdateModifiedFlag();
        if (list != nullptr) {
            list->SaveViewState();
        }
    }
    mySectionList* list = nullptr;
};

constexpr const char* kDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>"
    "<Section ID=\"{A}\" Title=\"A\"><Section ID=\"{A1}\" Title=\"A1\" Text=\"{\\rtf1 a1}\"/>"
    "</Section><Section ID=\"{B}\" Title=\"B\"/><Section ID=\"{C}\" Title=\"C\"/></Document>\n";

class SectionUndo : public testing::Test {
protected:
    void SetUp() override {
        report.SetDomain(&doc);
        doc.list = &list;
        list.SetTextView(&text);
        testing_support::WriteFile(File("doc.etf"), kDocument);
        ASSERT_TRUE(doc.OnOpenDocument(wxString::FromUTF8(File("doc.etf"))));
        list.OnInitialUpdateHook();
    }
    std::string File(const std::string& name) const { return settings.dir().File(name); }
    CXTPReportRecordEx* Row(std::initializer_list<int> path) { return RowAt(report.Model(), path); }
    void Focus(std::initializer_list<int> path) { report.Model().SetFocusedRecord(Row(path)); }
    std::string FocusedTitle() {
        return CellText(report, *report.Model().GetFocusedRecord(), "Title");
    }
    Numbers Rows() {
        Numbers rows;
        report.Model().ForEachRecord([&](CXTPReportRecordEx& record) {
            if (record.GetParent() != nullptr) {
                rows.push_back(CellText(report, record, "Numbering") + " " +
                               CellText(report, record, "Title"));
            }
            return true;
        });
        return rows;
    }
    // Saves as the editor does (the list flushes first) and gives the file's bytes.
    std::string Saved() {
        list.SaveViewState();
        EXPECT_TRUE(doc.OnSaveDocument(wxString::FromUTF8(File("saved.etf"))));
        return testing_support::ReadFile(File("saved.etf"));
    }

    testing_support::IsolatedSettings settings;
    testing_support::MessageRecorder messages{kAnswerYes};
    ivReportCore report;
    ListedDocument doc;
    mySectionList list{report, &doc};
    FakeTextView text;
};

TEST_F(SectionUndo, MovesFollowTheFocusedSectionAndStopAtEdges) {
    Focus({});
    EXPECT_FALSE(list.MoveSection(Direction::Down)) << "the document row does not move";
    Focus({0});
    EXPECT_FALSE(list.CanMoveSection(Direction::Up));
    EXPECT_FALSE(list.CanMoveSection(Direction::Out));
    EXPECT_TRUE(list.CanMoveSection(Direction::Down));
    Focus({2});
    EXPECT_FALSE(list.MoveSection(Direction::Down));
    EXPECT_FALSE(doc.IsModified());

    // Into a folded section: it opens to show where the section went.
    report.Model().SetExpanded(*Row({1}), false);
    ASSERT_TRUE(list.MoveSection(Direction::In));
    EXPECT_EQ(Rows(), (Numbers{"1 A", "1.1 A1", "2 B", "2.1 C"}));
    EXPECT_TRUE(Row({1})->IsExpanded());
    EXPECT_EQ(FocusedTitle(), "C");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(list.MoveSection(Direction::Out));
    ASSERT_TRUE(list.MoveSection(Direction::Up));
    EXPECT_EQ(Rows(), (Numbers{"1 A", "1.1 A1", "2 C", "3 B"}));
    EXPECT_EQ(FocusedTitle(), "C");
}

TEST_F(SectionUndo, DropsGoOnOrBesideTheTargetRow) {
    EXPECT_FALSE(list.DropSection("{A}", "{A1}", Place::On)) << "not under its own subsection";
    EXPECT_FALSE(list.DropSection("{A}", "{A}", Place::After));
    EXPECT_FALSE(list.DropSection("{A}", "", Place::Before)) << "nothing is beside the document";
    ASSERT_TRUE(list.DropSection("{C}", "{A}", Place::Before));
    EXPECT_EQ(Rows(), (Numbers{"1 C", "2 A", "2.1 A1", "3 B"}));
    ASSERT_TRUE(list.DropSection("{C}", "{B}", Place::After)) << "later in the same parent";
    EXPECT_EQ(Rows(), (Numbers{"1 A", "1.1 A1", "2 B", "3 C"}));
    ASSERT_TRUE(list.DropSection("{A}", "{C}", Place::On));
    EXPECT_EQ(Rows(), (Numbers{"1 B", "2 C", "2.1 A", "2.1.1 A1"}));
    ASSERT_TRUE(list.DropSection("{A1}", "", Place::On)) << "the document row takes it last";
    EXPECT_EQ(Rows(), (Numbers{"1 B", "2 C", "2.1 A", "3 A1"}));
    EXPECT_EQ(FocusedTitle(), "A1");
}

TEST_F(SectionUndo, MovedRowsMatchTheRowsBuiltAfreshFromTheTree) {
    // Rows with their depth, numbers and fold, as a rebuild from the tree would give them.
    const auto shown = [&] {
        std::string out;
        report.Model().ForEachRecord([&](CXTPReportRecordEx& record) {
            int depth = 0;
            for (auto* r = record.GetParent(); r != nullptr; r = r->GetParent()) {
                ++depth;
            }
            out += std::string(static_cast<size_t>(depth), ' ') +
                   CellText(report, record, "Numbering") + " " + CellText(report, record, "ID") +
                   (record.IsExpanded() ? "" : " folded") + "\n";
            return true;
        });
        return out;
    };
    const auto rebuilt = [&] {
        const std::string before = shown();
        doc.Refresh();
        return before == shown() ? std::string() : before + "--- rebuilt:\n" + shown();
    };
    Focus({0});
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertUnder));  // A gets a second child
    Focus({1});
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertUnder));
    report.Model().SetExpanded(*Row({1}), false);
    RecordingListener listener;
    report.Model().AddListener(&listener);
    const std::vector<std::function<bool()>> steps{
        [&] { return list.MoveSection(Direction::Down); },
        [&] { return list.MoveSection(Direction::In); },
        [&] { return list.MoveSection(Direction::Out); },
        [&] { return list.DropSection("{A1}", "{C}", Place::On); },
        [&] { return list.DropSection("{C}", "{A}", Place::Before); },
        [&] { return list.Undo(); },
        [&] { return list.Undo(); },
        [&] { return list.Redo(); },
        [&] { return list.MoveSection(Direction::Out); },
    };
    Focus({0});
    for (size_t i = 0; i < steps.size(); ++i) {
        const std::string focused = CellText(report, *report.Model().GetFocusedRecord(), "ID");
        if (!steps[i]()) {
            ADD_FAILURE() << "step " << i << " did nothing";
            break;
        }
        EXPECT_EQ(listener.resets, 0) << "step " << i << " built the rows again";
        EXPECT_EQ(rebuilt(), "") << "after step " << i;
        listener.resets = 0;
        if (i >= 3) {
            continue;
        }
        EXPECT_EQ(CellText(report, *report.Model().GetFocusedRecord(), "ID"), focused)
            << "the moved section stays focused";
    }
    report.Model().RemoveListener(&listener);
}

TEST_F(SectionUndo, UndoAndRedoGiveTheFilesOfTheSameEditsByHand) {
    std::vector<std::string> files{Saved()};
    std::vector<std::string> names;
    const auto then = [&] {
        names.push_back(list.GetUndoName());
        files.push_back(Saved());
    };
    Focus({1});
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertUnder));
    then();
    ASSERT_TRUE(report.Model().ApplyUserEdit(*report.Model().GetFocusedRecord(),
                                             report.FindColumn("Title"), "Named"));
    then();
    Focus({0, 0});
    text.Type("{\\rtf1 typed}");
    Focus({2});  // the body goes with the focus
    then();
    ASSERT_TRUE(list.MoveSection(Direction::Up));
    then();
    Focus({0});
    ASSERT_TRUE(list.RemoveSection(true));
    then();
    ASSERT_TRUE(list.DropSection("{C}", "{B}", Place::On));
    then();
    EXPECT_EQ(names, (std::vector<std::string>{"Undo Insert Section", "Undo Edit Section",
                                               "Undo Text Change", "Undo Move Section",
                                               "Undo Remove Section", "Undo Move Section"}));
    for (size_t i = files.size() - 1; i-- > 0;) {
        ASSERT_TRUE(list.Undo()) << i;
        EXPECT_TRUE(Saved() == files[i]) << "after taking back edit " << i + 1;
    }
    EXPECT_FALSE(list.Undo());
    EXPECT_EQ(list.GetUndoName(), "Undo");
    EXPECT_EQ(list.GetRedoName(), "Redo Insert Section");
    for (size_t i = 1; i < files.size(); ++i) {
        ASSERT_TRUE(list.Redo()) << i;
        EXPECT_TRUE(Saved() == files[i]) << "after doing edit " << i << " again";
    }
    EXPECT_FALSE(list.Redo());
}

TEST_F(SectionUndo, UndoToTheSavePointClearsTheModifiedMark) {
    EXPECT_FALSE(list.CanUndo());
    Focus({1});
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertBeside));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(list.Undo());
    EXPECT_FALSE(doc.IsModified()) << "back as opened";
    ASSERT_TRUE(list.Redo());
    EXPECT_TRUE(doc.IsModified());
    Saved();
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(list.Undo());
    EXPECT_TRUE(doc.IsModified()) << "behind the save";
    ASSERT_TRUE(list.Redo());
    EXPECT_FALSE(doc.IsModified());
    // A new edit after an undo drops what was taken back: the save point is gone for good.
    ASSERT_TRUE(list.Undo());
    Focus({0});
    ASSERT_TRUE(list.MoveSection(Direction::Down));
    EXPECT_FALSE(list.CanRedo());
    ASSERT_TRUE(list.Undo());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SectionUndo, ARemovedSectionComesBackWithItsBodyShown) {
    Focus({0, 0});
    EXPECT_EQ(text.body, "{\\rtf1 a1}");
    text.Type("{\\rtf1 unsaved}");
    EXPECT_EQ(list.GetUndoName(), "Undo Text Change") << "typing is what undo takes back first";
    Focus({0});
    ASSERT_TRUE(list.RemoveSection(true));
    ASSERT_TRUE(list.Undo());
    EXPECT_EQ(Rows(), (Numbers{"1 A", "1.1 A1", "2 B", "3 C"}));
    EXPECT_EQ(FocusedTitle(), "A");
    Focus({0, 0});
    EXPECT_EQ(text.body, "{\\rtf1 unsaved}") << "the stored body came back with its section";
    ASSERT_TRUE(list.Undo());
    EXPECT_EQ(FocusedTitle(), "A1");
    EXPECT_EQ(text.body, "{\\rtf1 a1}") << "the text view shows the body taken back";
    EXPECT_TRUE(text.enabled);
    EXPECT_FALSE(text.modified);
}

TEST_F(SectionUndo, TheRecoveryCopyHoldsTheTypedBodyUntilTheSave) {
    doc.SetRecoveryFolder(File("recovery"));
    doc.WriteRecoveryCopy();
    EXPECT_EQ(doc.Recovery(), nullptr) << "an unchanged document needs no copy";
    Focus({0, 0});
    text.Type("{\\rtf1 typed but not stored}");
    ASSERT_TRUE(list.MoveSection(Direction::Out));  // a change, while the body is being typed
    text.Type("{\\rtf1 typed but not stored}");
    doc.WriteRecoveryCopy();
    ASSERT_NE(doc.Recovery(), nullptr);
    doc.Recovery()->Flush();
    const std::string copy = testing_support::ReadFile(doc.Recovery()->DocumentPath());
    EXPECT_NE(copy.find("typed but not stored"), std::string::npos);
    EXPECT_TRUE(doc.IsModified());
    Saved();
    EXPECT_FALSE(platform::FileExists(doc.Recovery()->DocumentPath())) << "saved: no copy";

    // Back at the save by undo: the copy of the changes goes too.
    ASSERT_TRUE(list.Undo());
    doc.WriteRecoveryCopy();
    doc.Recovery()->Flush();
    EXPECT_TRUE(platform::FileExists(doc.Recovery()->DocumentPath()));
    ASSERT_TRUE(list.Redo());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(platform::FileExists(doc.Recovery()->DocumentPath()));
    ASSERT_TRUE(list.Undo());
    doc.WriteRecoveryCopy();
    doc.CloseDomain();
    EXPECT_FALSE(platform::FileExists(doc.Recovery()->DocumentPath())) << "closed: no copy";
}

TEST(EditHistory, TheSavePointSurvivesTheOldestEditsGoing) {
    ivXML tree;
    tree.LoadXml("<Document><Section ID=\"{A}\" Title=\"0\"/></Document>");
    ivTreeEditor editor;
    editor.SetTree(&tree);
    myEditHistory history(editor, {});
    editor.SetListener([&](const ivTreeEdit& edit) {
        if (!edit.replayed) {
            history.Record(edit);
        }
    });
    const auto edit = [&](int n) { editor.SetAttributes("{A}", {{"Title", std::to_string(n)}}); };
    for (int n = 1; n <= 10; ++n) {
        edit(n);
    }
    history.MarkSaved();
    for (int n = 11; n <= myEditHistory::kMaxEdits + 5; ++n) {
        edit(n);  // the first edits go, the save point's place moves with them
    }
    EXPECT_FALSE(history.IsAtSavePoint());
    int undone = 0;
    while (!history.IsAtSavePoint() && history.Undo(nullptr)) {
        ++undone;
    }
    EXPECT_EQ(undone, myEditHistory::kMaxEdits - 5);
    ASSERT_TRUE(editor.SelectSection("{A}"));
    EXPECT_EQ(tree.GetAttribute("Title"), "10") << "back at what was saved";
    // Further back than the history reaches: the saved state does not come again.
    while (history.Undo(nullptr)) {
    }
    EXPECT_FALSE(history.IsAtSavePoint());
    ASSERT_TRUE(editor.SelectSection("{A}"));
    EXPECT_EQ(tree.GetAttribute("Title"), "5");
}

TEST_F(SectionUndo, AGroupOfEditsIsOneStepAndKnowsTheSavePoint) {
    const std::string before = Saved();
    // A replacement across sections: a title and a body, then the edit after it.
    myEditHistory& history = doc.History();
    history.BeginGroup(ivEditGroup::Replace);
    ivTreeEditor& editor = doc.Store().Editor();
    ASSERT_TRUE(editor.SetAttributes("{B}", {{"Title", "Bee"}}));
    ASSERT_TRUE(editor.StoreBody("{A1}", "{\\rtf1 bee}", "now"));
    history.EndGroup();
    history.BeginGroup(ivEditGroup::Replace);
    history.EndGroup();  // an empty group leaves no step
    EXPECT_EQ(list.GetUndoName(), "Undo Replace");
    EXPECT_TRUE(doc.IsModified());
    const std::string replaced = Saved();
    ASSERT_TRUE(editor.SetAttributes("{C}", {{"Title", "Sea"}}));

    ASSERT_TRUE(list.Undo());
    EXPECT_EQ(list.GetUndoName(), "Undo Replace");
    EXPECT_FALSE(doc.IsModified()) << "back at the save after the replacement";
    ASSERT_TRUE(list.Undo());
    EXPECT_EQ(Saved(), before) << "both edits taken back in one step";
    EXPECT_EQ(list.GetRedoName(), "Redo Replace");
    EXPECT_EQ(FocusedTitle(), "B") << "the first edit's section is shown";
    ASSERT_TRUE(list.Redo());
    EXPECT_EQ(Saved(), replaced);
    EXPECT_EQ(list.GetRedoName(), "Redo Edit Section") << "the edit after it comes next";
}

}  // namespace

namespace {

// Several edits made as one step (an import) go back and come again together, and the
// document is unmodified again once the step is taken back.
TEST_F(SectionUndo, AStepOfSeveralEditsGoesInOneUndo) {
    ivTreeEditor& editor = *doc.GetTreeEditor();
    myEditHistory& history = doc.History();
    history.BeginGroup(ivEditGroup::Import);
    ASSERT_TRUE(editor.InsertSection("{B}", {{"ID", "{N}"}, {"Title", "N"}}));
    ASSERT_TRUE(editor.InsertSection("{N}", {{"ID", "{N1}"}, {"Title", "N1"}}));
    ASSERT_TRUE(editor.StoreBody("{N1}", "{\\rtf1 n1}", "heute"));
    history.EndGroup();
    list.LoadView(doc.GetTree(ivDomain::kDocumentTree));
    EXPECT_EQ(Rows(), (Numbers{"1 A", "1.1 A1", "2 B", "2.1 N", "2.1.1 N1", "3 C"}));
    EXPECT_EQ(list.GetUndoName(), "Undo Import Files");
    EXPECT_TRUE(doc.IsModified());

    ASSERT_TRUE(list.Undo());
    EXPECT_EQ(Rows(), (Numbers{"1 A", "1.1 A1", "2 B", "3 C"}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(list.GetRedoName(), "Redo Import Files");
    ASSERT_TRUE(list.Redo());
    EXPECT_EQ(Rows(), (Numbers{"1 A", "1.1 A1", "2 B", "2.1 N", "2.1.1 N1", "3 C"}));
    EXPECT_NE(Saved().find("n1"), std::string::npos) << "the body came back with its section";

    // A step of one edit keeps the step's name; a step without edits leaves nothing to take
    // back.
    history.BeginGroup(ivEditGroup::Import);
    ASSERT_TRUE(editor.RemoveSection("{C}"));
    history.EndGroup();
    EXPECT_EQ(list.GetUndoName(), "Undo Import Files");
    history.BeginGroup(ivEditGroup::Import);
    history.EndGroup();
    EXPECT_EQ(list.GetUndoName(), "Undo Import Files");
    ASSERT_TRUE(list.Undo());
    ASSERT_TRUE(list.Undo());
    EXPECT_EQ(Rows(), (Numbers{"1 A", "1.1 A1", "2 B", "3 C"}));
}

}  // namespace
