#include "document/iv_xml.h"
#include "document/tree_editor.h"

#include <gtest/gtest.h>

namespace {

class TreeEditor : public testing::Test {
protected:
    void SetUp() override {
        tree.LoadXml(
            "<Document><!-- c --><Section ID=\"{A}\" Title=\"A\"><Section ID=\"{A1}\" "
            "Title=\"A1\" Text=\"body\"/></Section><Section ID=\"{B}\" Title=\"B\"/></Document>");
        editor.SetTree(&tree);
        editor.SetListener([this](const ivTreeEdit& edit) { heard.push_back(edit); });
    }
    std::string Xml() {
        tree.GoRoot();
        return tree.GetXml();
    }
    ivXML tree;
    ivTreeEditor editor;
    std::vector<ivTreeEdit> heard;
};

TEST_F(TreeEditor, InsertsAppendAndTellWhereTheyWent) {
    ivTreeEdit done;
    ASSERT_TRUE(editor.InsertSection("{A}", {{"ID", "{N}"}, {"Title", "New"}}, &done));
    EXPECT_EQ(done.kind, ivTreeEdit::Kind::InsertSection);
    EXPECT_EQ(done.sectionId, "{N}");
    EXPECT_EQ(done.parentId, "{A}");
    EXPECT_EQ(done.childIndex, 1);
    ASSERT_EQ(done.changes.size(), 2u);
    EXPECT_EQ(tree.GetAttribute("Title"), "New") << "the cursor is on the new section";
    ASSERT_TRUE(editor.InsertSection("", {{"ID", "{T}"}}, &done));
    EXPECT_EQ(done.childIndex, 3) << "the comment counts among the root's children";
    EXPECT_EQ(done.parentId, "");
    EXPECT_EQ(heard.size(), 2u);

    EXPECT_FALSE(editor.InsertSection("{missing}", {{"ID", "{X}"}}));
    EXPECT_FALSE(editor.InsertSection("", {{"bad name", "x"}})) << "refused attribute";
    EXPECT_EQ(Xml().find("{X}"), std::string::npos);
    EXPECT_EQ(Xml().find("bad"), std::string::npos) << "nothing half-made stays";
    EXPECT_EQ(heard.size(), 2u) << "failures are not told";
}

TEST_F(TreeEditor, RemovesKeepWhatWasRemoved) {
    ivTreeEdit done;
    ASSERT_TRUE(editor.RemoveSection("{A}", &done));
    EXPECT_EQ(done.parentId, "");
    EXPECT_EQ(done.childIndex, 1);
    EXPECT_NE(done.removedXml.find("Text=\"body\""), std::string::npos);
    EXPECT_EQ(Xml().find("{A1}"), std::string::npos);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_FALSE(editor.RemoveSection("{A1}")) << "gone with its parent";
    EXPECT_FALSE(editor.RemoveSection(""));
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(TreeEditor, AttributeChangesRecordWhatWasThere) {
    ivTreeEdit done;
    ASSERT_TRUE(editor.SetAttributes("{A1}", {{"Title", "Renamed"}, {"Alias", "a1"}}, &done));
    ASSERT_EQ(done.changes.size(), 2u);
    EXPECT_TRUE(done.changes[0].existed);
    EXPECT_EQ(done.changes[0].before, "A1");
    EXPECT_EQ(done.changes[0].after, "Renamed");
    EXPECT_FALSE(done.changes[1].existed);
    ASSERT_TRUE(editor.StoreBody("{B}", "{\\rtf1 b}", "now", &done));
    EXPECT_EQ(done.kind, ivTreeEdit::Kind::StoreBody);
    ASSERT_TRUE(editor.SelectSection("{B}"));
    EXPECT_EQ(tree.GetAttribute("Text"), "{\\rtf1 b}");
    EXPECT_EQ(tree.GetAttributeName(2), "Modified") << "the time before the body";
    EXPECT_FALSE(editor.SetAttributes("{Z}", {{"Title", "x"}}));
    EXPECT_EQ(heard.size(), 2u);

    ivTreeEditor none;
    EXPECT_FALSE(none.SelectSection("{A}"));
    EXPECT_FALSE(none.InsertSection("", {}));
}

}  // namespace
