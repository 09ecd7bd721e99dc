#include "document/iv_xml.h"
#include "document/outline.h"
#include "document/tree_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Direction = ivTreeEditor::Direction;

// 1 A (1.1 A1 with a body, 1.2 A2), 2 B, 3 C; a comment before A takes the place 1.
constexpr const char* kStart =
    "<Document><!-- note --><Section ID=\"{A}\" Title=\"A\" Alias=\"a\">"
    "<Section ID=\"{A1}\" Title=\"A1\" Text=\"{\\rtf1 one}\"/><Section ID=\"{A2}\" Title=\"A2\"/>"
    "</Section><Section ID=\"{B}\" Title=\"B\"/><Section ID=\"{C}\" Title=\"C\"/></Document>";

class TreeMoves : public testing::Test {
protected:
    void SetUp() override {
        tree.LoadXml(kStart);
        editor.SetTree(&tree);
        editor.SetListener([this](const ivTreeEdit& edit) { heard.push_back(edit); });
        start = Xml();
    }
    std::string Xml() { return tree.SaveToString(); }
    // "numbering title" of every section row, in document order.
    std::vector<std::string> Outline() {
        tree.GoRoot();
        std::vector<std::string> rows;
        for (const OutlineRow& row : BuildOutline(tree)) {
            if (!row.id.empty()) {
                rows.push_back(row.numbering + " " + row.title);
            }
        }
        return rows;
    }
    ivXML tree;
    ivTreeEditor editor;
    std::vector<ivTreeEdit> heard;
    std::string start;
};

using Rows = std::vector<std::string>;

TEST_F(TreeMoves, UpAndDownAmongSiblingsStopAtTheEdges) {
    EXPECT_FALSE(editor.MoveSection("{A}", Direction::Up)) << "a comment is no sibling to pass";
    EXPECT_FALSE(editor.MoveSection("{C}", Direction::Down));
    EXPECT_FALSE(editor.MoveSection("{A1}", Direction::Up));
    EXPECT_FALSE(editor.MoveSection("{A2}", Direction::Down));
    EXPECT_EQ(Xml(), start);
    EXPECT_TRUE(heard.empty()) << "a refused move is not told";

    ivTreeEdit done;
    ASSERT_TRUE(editor.MoveSection("{C}", Direction::Up, &done));
    EXPECT_EQ(done.kind, ivTreeEdit::Kind::MoveSection);
    EXPECT_EQ(done.childIndex, 3);
    EXPECT_EQ(done.newChildIndex, 2);
    EXPECT_EQ(Outline(), (Rows{"2 A", "2.1 A1", "2.2 A2", "3 C", "4 B"}));
    ASSERT_TRUE(editor.MoveSection("{A}", Direction::Down));
    EXPECT_EQ(tree.GetAttribute("ID"), "{A}") << "the cursor ends on the moved section";
    EXPECT_EQ(Outline(), (Rows{"2 C", "3 A", "3.1 A1", "3.2 A2", "4 B"}));
    ASSERT_TRUE(editor.MoveSection("{A2}", Direction::Up));
    EXPECT_EQ(Outline(), (Rows{"2 C", "3 A", "3.1 A2", "3.2 A1", "4 B"}));
}

TEST_F(TreeMoves, OutAndInChangeTheLevel) {
    EXPECT_FALSE(editor.MoveSection("{A}", Direction::Out)) << "already at the top level";
    EXPECT_FALSE(editor.MoveSection("{A}", Direction::In)) << "no section before it";
    EXPECT_FALSE(editor.MoveSection("{A1}", Direction::In));

    ASSERT_TRUE(editor.MoveSection("{A1}", Direction::Out));
    EXPECT_EQ(Outline(), (Rows{"2 A", "2.1 A2", "3 A1", "4 B", "5 C"}));
    ASSERT_TRUE(editor.SelectSection("{A1}"));
    EXPECT_EQ(tree.GetAttribute("Text"), "{\\rtf1 one}") << "the body moves along";

    // In: the last child of the section before it.
    ASSERT_TRUE(editor.MoveSection("{B}", Direction::In));
    ASSERT_TRUE(editor.MoveSection("{C}", Direction::In));
    EXPECT_EQ(Outline(), (Rows{"2 A", "2.1 A2", "3 A1", "3.1 B", "3.2 C"}));
    ASSERT_TRUE(editor.MoveSection("{A1}", Direction::In));
    EXPECT_EQ(Outline(), (Rows{"2 A", "2.1 A2", "2.2 A1", "2.2.1 B", "2.2.2 C"}))
        << "it takes its subsections with it";
}

TEST_F(TreeMoves, ArbitraryPlacesAndRefusals) {
    EXPECT_FALSE(editor.MoveSection("{A}", "{A1}", -1)) << "not under its own subsection";
    EXPECT_FALSE(editor.MoveSection("{A}", "{A}", 0)) << "not under itself";
    EXPECT_FALSE(editor.MoveSection("{A}", "", 1)) << "already there";
    EXPECT_FALSE(editor.MoveSection("{A}", "{missing}", 0));
    EXPECT_FALSE(editor.MoveSection("{missing}", "", 0));
    EXPECT_EQ(Xml(), start);

    // Dropped on a row: its last child. Between rows: that place among the siblings.
    ASSERT_TRUE(editor.MoveSection("{A}", "{C}", -1));
    EXPECT_EQ(Outline(), (Rows{"2 B", "3 C", "3.1 A", "3.1.1 A1", "3.1.2 A2"}));
    ASSERT_TRUE(editor.MoveSection("{A2}", "", 0));
    EXPECT_EQ(Outline(), (Rows{"1 A2", "3 B", "4 C", "4.1 A", "4.1.1 A1"}));
    ivTreeEdit done;
    ASSERT_TRUE(editor.MoveSection("{B}", "", 99, &done)) << "past the end appends";
    EXPECT_EQ(done.newChildIndex, 3);
    EXPECT_EQ(Outline(), (Rows{"1 A2", "3 C", "3.1 A", "3.1.1 A1", "4 B"}));
    ASSERT_TRUE(editor.SelectSection("{A}"));
    EXPECT_EQ(tree.GetAttribute("Alias"), "a") << "attributes and ID stay";
}

TEST_F(TreeMoves, AMoveThatWouldNestTooDeepLeavesTheTreeAsItWas) {
    std::string deep = "<Document><Section ID=\"{T}\"/>";
    // The chain reaches the deepest level a document may have.
    for (int i = 0; i < ivData::kMaxDepth - 1; ++i) {
        deep += "<Section ID=\"{D" + std::to_string(i) + "}\">";
    }
    for (int i = 0; i < ivData::kMaxDepth - 1; ++i) {
        deep += "</Section>";
    }
    deep += "</Document>";
    tree.LoadXml(deep);
    const std::string before = Xml();
    ASSERT_FALSE(before.empty());
    EXPECT_FALSE(editor.MoveSection("{D0}", "{T}", -1));
    EXPECT_TRUE(Xml() == before);
    EXPECT_TRUE(editor.MoveSection("{T}", "{D0}", -1)) << "a leaf fits one level down";
}

TEST_F(TreeMoves, EveryKindOfEditIsTakenBackAndDoneAgainExactly) {
    std::vector<ivTreeEdit> edits(7);
    std::vector<std::string> states{start};
    const auto then = [&] { states.push_back(Xml()); };
    ASSERT_TRUE(editor.InsertSection("{B}", {{"ID", "{N}"}, {"Title", "New"}}, &edits[0]));
    then();
    ASSERT_TRUE(editor.SetAttributes("{N}", {{"Title", "Named"}, {"Link", "x"}}, &edits[1]));
    then();
    ASSERT_TRUE(editor.StoreBody("{A1}", "{\\rtf1 two}", "later", &edits[2]));
    then();
    ASSERT_TRUE(editor.MoveSection("{A}", "{N}", -1, &edits[3]));
    then();
    ASSERT_TRUE(editor.RemoveSection("{B}", &edits[4]));
    then();
    ASSERT_TRUE(editor.MoveSection("{C}", "", 0, &edits[5]));
    then();
    ASSERT_TRUE(editor.SetAttributes("{C}", {{"Title", "C2"}, {"Title", "C3"}}, &edits[6]));
    then();
    for (size_t i = edits.size(); i-- > 0;) {
        ASSERT_TRUE(editor.Undo(edits[i])) << i;
        EXPECT_EQ(Xml(), states[i]) << "after undoing edit " << i;
    }
    EXPECT_EQ(Xml(), start);
    for (size_t i = 0; i < edits.size(); ++i) {
        ASSERT_TRUE(editor.Redo(edits[i])) << i;
        EXPECT_EQ(Xml(), states[i + 1]) << "after redoing edit " << i;
    }
    // And back part of the way, then forward again: the records stay good.
    for (size_t i = edits.size(); i-- > 3;) {
        ASSERT_TRUE(editor.Undo(edits[i]));
    }
    EXPECT_EQ(Xml(), states[3]);
    ASSERT_TRUE(editor.Redo(edits[3]));
    EXPECT_EQ(Xml(), states[4]);
}

TEST_F(TreeMoves, ReplaysAreToldAsSuch) {
    ivTreeEdit removed;
    ASSERT_TRUE(editor.RemoveSection("{A}", &removed));
    ASSERT_TRUE(editor.Undo(removed));
    EXPECT_EQ(Xml(), start) << "the removed section comes back with its subsections";
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_FALSE(heard[0].replayed);
    EXPECT_TRUE(heard[1].replayed);
    EXPECT_FALSE(editor.Undo(removed)) << "already back";
    ASSERT_TRUE(editor.Redo(removed));
    EXPECT_FALSE(editor.SelectSection("{A1}"));
}

}  // namespace
