#include "tests/framework/report_test_util.h"

#include <gtest/gtest.h>

namespace {

class RecordCursor : public testing::Test {
protected:
    void SetUp() override { AddTestColumns(report); }
    ivReportCore report;
    ivReportViewData& rows = *report.GetData();
};

TEST_F(RecordCursor, NodesAreRecordsBelowTheFirst) {
    EXPECT_FALSE(ivReportViewData().AddNode("x")) << "no report attached";
    EXPECT_TRUE(rows.Create());
    EXPECT_FALSE(rows.GoRoot()) << "no root yet";
    ASSERT_TRUE(rows.AddNode("Root"));
    EXPECT_EQ(rows.GetName(), "Root");
    ASSERT_TRUE(rows.AddNode("A"));
    ASSERT_TRUE(rows.AddNode("A1"));
    ASSERT_TRUE(rows.EndNode());
    ASSERT_TRUE(rows.EndNode());
    ASSERT_TRUE(rows.AddNode("B"));
    ASSERT_TRUE(rows.EndNode());
    EXPECT_EQ(rows.GetChildCount(), 2);
    EXPECT_EQ(report.GetRecordCount(), 2);
    ASSERT_TRUE(rows.GoChild(0));
    EXPECT_EQ(rows.GetName(), "A");
    ASSERT_TRUE(rows.GoChild(0));
    EXPECT_EQ(rows.GetName(), "A1");
    EXPECT_FALSE(rows.GoChild(0));
    ASSERT_TRUE(rows.GoRoot());
    EXPECT_FALSE(rows.GoChild(2));
    EXPECT_TRUE(rows.GoParent()) << "from the root to no record";
    EXPECT_FALSE(rows.GoParent());
    EXPECT_FALSE(rows.AddNode("C")) << "a root exists but no record is current";
    EXPECT_FALSE(rows.Select("A")) << "no paths over records";
    EXPECT_EQ(rows.GetText(), "");
    EXPECT_FALSE(rows.Save("/tmp/x"));
    EXPECT_FALSE(rows.Load("/tmp/x"));
}

TEST_F(RecordCursor, ValuesGoToTheNextColumnWhateverTheirName) {
    rows.AddNode("Root");
    rows.AddNode("Row");
    rows.AddAttribute("Done", "alpha");  // the name is not compared with the column
    rows.AddAttribute("Name", "4");
    EXPECT_EQ(rows.GetAttribute("Name"), "alpha");
    EXPECT_EQ(rows.GetAttribute("Count"), "4.000000");
    // An unknown name in SetAttributeEx writes the next column's item.
    rows.SetAttributeEx("Nothing", "1.1.2020", {}, 0, 0);
    EXPECT_EQ(rows.GetAttributeCount(), 3);
    EXPECT_NE(rows.GetAttribute("Due"), "");
    rows.SetAttribute("Count", "5");
    EXPECT_EQ(rows.GetAttribute("Count"), "5.000000") << "a known name changes its item";
    rows.SetAttributeValue(7, "x");  // nothing there
    EXPECT_EQ(rows.GetAttributeCount(), 3);
    EXPECT_TRUE(rows.SetItem(-1, "1", {}, 0, 0));
    EXPECT_TRUE(rows.SetItem(-1, "n", {}, 0, 0));
    EXPECT_FALSE(rows.SetItem(-1, "more", {}, 0, 0)) << "no sixth column";
}

TEST_F(RecordCursor, SelectWhereScansTheChildren) {
    rows.AddNode("Root");
    AddRow(rows, "Row", {"first"});
    rows.EndNode();
    AddRow(rows, "Row", {"second"});
    rows.EndNode();
    ASSERT_TRUE(rows.SelectByAttribute("Row", "Name", "second", 0));
    EXPECT_EQ(rows.GetAttribute("Name"), "second");
    rows.GoRoot();
    EXPECT_FALSE(rows.SelectByAttribute("Row", "Name", "second", ivData::SELECT_ANYWHERE));
    EXPECT_TRUE(rows.SelectByAttribute("*", "Name", "first", 0));
}

TEST_F(RecordCursor, RemovingRecordsKeepsTheCursorSound) {
    rows.AddNode("Root");
    AddRow(rows, "A", {"a"});
    AddRow(rows, "A1", {"a1"});
    CXTPReportRecordEx* inner = rows.GetCurrentRecord();
    rows.GoParent();
    ASSERT_TRUE(rows.RemoveNode());
    EXPECT_EQ(rows.GetName(), "Root") << "the cursor goes to the parent";
    EXPECT_FALSE(rows.RemoveNode()) << "the root goes only with Close";
    EXPECT_EQ(rows.GetChildCount(), 0);

    // A record removed by other means is no longer current.
    AddRow(rows, "B", {"b"});
    CXTPReportRecordEx* b = rows.GetCurrentRecord();
    ivReportViewData other(&report.Model());
    other.SetCurrentRecord(b);
    ASSERT_TRUE(rows.RemoveNode());
    EXPECT_EQ(other.GetCurrentRecord(), nullptr);
    EXPECT_EQ(other.GetName(), "");
    EXPECT_FALSE(other.AddNode("C"));
    (void)inner;

    rows.Close();
    EXPECT_EQ(rows.GetCurrentRecord(), nullptr);
    EXPECT_FALSE(rows.GoRoot());
    ASSERT_TRUE(rows.AddNode("NewRoot")) << "after Close the next record is the root";
    EXPECT_EQ(report.Model().GetRoot()->GetName(), "NewRoot");
}

TEST_F(RecordCursor, ClearColumnsClosesTheRecords) {
    rows.AddNode("Root");
    AddRow(rows, "A", {"a"});
    report.ClearColumns();
    EXPECT_EQ(report.Model().GetRoot(), nullptr);
    EXPECT_EQ(rows.GetCurrentRecord(), nullptr);
}

}  // namespace
