#include "core/app_registry.h"
#include "core/settings.h"
#include "framework/report_layout.h"
#include "platform/registry_store.h"
#include "platform/time_stamp.h"
#include "tests/framework/report_test_util.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

std::time_t Local(int year, int month, int day) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_isdst = -1;
    return mktime(&t);
}

class ReportModel : public testing::Test {
protected:
    void SetUp() override {
        AddTestColumns(report);
        rows = report.GetData();
        rows->AddNode("Root");
        AddRow(*rows, "Row", {"first", "3", "", "1", "note"});
        record = rows->GetCurrentRecord();
    }
    ivReportModel& model() { return report.Model(); }

    ivReportCore report;
    ivReportViewData* rows = nullptr;
    CXTPReportRecordEx* record = nullptr;
};

TEST_F(ReportModel, ColumnsTakeTheirFlags) {
    // Width in units of ten pixels; zero or less is the default of 100 pixels.
    EXPECT_EQ(report.Model().FindColumnByName("Name")->GetWidth(), 200);
    EXPECT_EQ(report.Model().FindColumnByName("Count")->GetWidth(), 100);
    EXPECT_TRUE(model().FindColumnByName("Name")->IsTree());
    EXPECT_TRUE(model().FindColumnByName("Count")->IsRightAligned());
    EXPECT_FALSE(model().FindColumnByName("Note")->IsEditable());
    EXPECT_TRUE(model().Options().editing);

    ivReportCore other;
    other.AddColumn("Hidden", "Hidden", 1, 0x1, 0, {});
    other.AddColumn("Grouped", "Grouped", 1, 0x40000 | 0x20000 | 0x80000, 0, {});
    other.AddColumn("Preview", "Preview", 1, 0x80000000 | 0x40000000 | 0x20000, 0, {});
    other.AddColumn("Choice", "Choice", 2, 0x4000000 | 0x80, 0, {});
    other.AddColumn("Sorted", "Sorted", 1, 0x20000 | 0x2 | 0x8000, 0, {});
    const ivReportModel& m = other.Model();
    EXPECT_FALSE(m.FindColumnByName("Hidden")->IsVisible());
    EXPECT_FALSE(m.FindColumnByName("Grouped")->IsVisible()) << "a group column is hidden";
    ASSERT_EQ(m.GroupOrder().size(), 1u);
    EXPECT_FALSE(m.GroupOrder()[0].ascending);
    const CXTPReportColumnEx* preview = m.FindColumnByName("Preview");
    EXPECT_TRUE(preview->IsPreview());
    EXPECT_FALSE(preview->IsTree()) << "a preview column carries no tree";
    EXPECT_FALSE(preview->IsVisible());
    EXPECT_TRUE(m.Options().previewMode);
    EXPECT_FALSE(m.FindColumnByName("Choice")->IsRightAligned()) << "drop-down numbers";
    EXPECT_TRUE(m.FindColumnByName("Choice")->IsComboEdit());
    const CXTPReportColumnEx* sorted = m.FindColumnByName("Sorted");
    EXPECT_FALSE(sorted->IsSortable());
    EXPECT_FALSE(sorted->IsAutoSize());
    ASSERT_EQ(m.SortOrder().size(), 1u) << "only the plain sort column sorts";
    EXPECT_EQ(m.SortOrder()[0].itemIndex, 4);

    // Item indices stay with the columns wherever they move.
    EXPECT_EQ(other.FindColumn("Sorted"), 4);
    other.Model().MoveColumn(other.Model().FindColumnByName("Sorted"), 0);
    EXPECT_EQ(other.FindColumn("Sorted"), 4);
    EXPECT_EQ(other.GetColumnName(4), "Sorted");
    EXPECT_EQ(other.GetColumnName(9), "");
    EXPECT_EQ(other.FindColumn("sorted"), -1) << "names compare exactly";

    other.ClearColumns();
    EXPECT_EQ(other.GetColumnCount(), 0);
    EXPECT_TRUE(other.Model().SortOrder().empty());
    EXPECT_FALSE(other.Model().Options().editing);
    EXPECT_FALSE(other.Model().Options().previewMode);
}

TEST_F(ReportModel, ItemsGiveTheirTextByKind) {
    EXPECT_EQ(rows->GetAttributeValue(0), "first");
    EXPECT_EQ(rows->GetAttributeValue(1), "3.000000");
    EXPECT_EQ(rows->GetAttributeValue(2), "") << "no date";
    EXPECT_EQ(rows->GetAttributeValue(3), "1");
    EXPECT_EQ(rows->GetAttribute("Count"), "3.000000");
    EXPECT_EQ(rows->GetAttribute("count"), "");
    EXPECT_EQ(rows->GetAttributeValue(5), "") << "no item beyond the last";
    EXPECT_EQ(rows->GetAttributeCount(), 5);

    // As the C library reads numbers: what follows the number is ignored, no number is 0.
    rows->SetAttribute("Count", "12.5 apples");
    EXPECT_EQ(rows->GetAttribute("Count"), "12.500000");
    rows->SetAttribute("Count", "many");
    EXPECT_EQ(rows->GetAttribute("Count"), "0.000000");
    rows->SetAttribute("Done", "0");
    EXPECT_EQ(rows->GetAttribute("Done"), "0");
    const std::string stamp = platform::FormatTimeStamp(Local(2026, 3, 14) + 3600);
    rows->SetAttribute("Due", stamp);
    EXPECT_EQ(rows->GetAttribute("Due"), stamp);
    rows->SetAttribute("Due", "not a date");
    EXPECT_EQ(rows->GetAttribute("Due"), "") << "a failed conversion is a null date";
}

TEST_F(ReportModel, NumberEditsReadDotAndCommaAndFollowConstraints) {
    EXPECT_TRUE(model().ApplyUserEdit(*record, 1, "12.5"));
    EXPECT_EQ(rows->GetAttribute("Count"), "12.500000");
    EXPECT_TRUE(model().ApplyUserEdit(*record, 1, "7,25"));
    EXPECT_EQ(rows->GetAttribute("Count"), "7.250000");
    EXPECT_FALSE(model().ApplyUserEdit(*record, 1, "seven")) << "no number, no change";
    EXPECT_FALSE(model().ApplyUserEdit(*record, 1, "1.2.3"));
    EXPECT_EQ(rows->GetAttribute("Count"), "7.250000");

    ASSERT_TRUE(report.AddConstraint(1, "10", "ten"));
    ASSERT_TRUE(report.AddConstraint(1, "20", "twenty"));
    EXPECT_FALSE(report.AddConstraint(0, "1", "one")) << "text columns take none";
    EXPECT_FALSE(report.AddConstraint(42, "1", "one"));
    EXPECT_TRUE(model().ApplyUserEdit(*record, 1, "twenty"));
    EXPECT_EQ(rows->GetAttribute("Count"), "20.000000");
    EXPECT_FALSE(model().ApplyUserEdit(*record, 1, "12")) << "only captions are taken";
    EXPECT_EQ(model().GetFocusedRecord(), record) << "an edited row is the focused one";
    EXPECT_EQ(report.GetFocusedItemText(1), "twenty");
    model().SetFocusedRecord(nullptr);
    EXPECT_EQ(report.GetFocusedItemText(1), "");
    model().SetFocusedRecord(record);
    rows->SetAttribute("Count", "15");
    EXPECT_EQ(report.GetFocusedItemText(1), "") << "a value no constraint has shows nothing";
}

TEST_F(ReportModel, DateEditsFollowTheirRules) {
    const std::time_t before = std::time(nullptr);
    ASSERT_TRUE(model().ApplyUserEdit(*record, 2, "now"));
    std::time_t stored = record->GetItem(2)->GetDate();
    EXPECT_GE(stored + 1, before);
    EXPECT_LE(stored, std::time(nullptr) + 1);

    ASSERT_TRUE(model().ApplyUserEdit(*record, 2, "2009"));
    EXPECT_EQ(record->GetItem(2)->GetDate(), Local(2009, 1, 1));
    ASSERT_TRUE(model().ApplyUserEdit(*record, 2, "28.02.2009"));
    EXPECT_EQ(record->GetItem(2)->GetDate(), Local(2009, 2, 28));
    EXPECT_FALSE(model().ApplyUserEdit(*record, 2, "31.02.2009")) << "no such day";
    EXPECT_FALSE(model().ApplyUserEdit(*record, 2, "someday"));
    EXPECT_EQ(record->GetItem(2)->GetDate(), Local(2009, 2, 28)) << "the old date stays";
    const std::string stamp = platform::FormatTimeStamp(Local(2027, 5, 6) + 60);
    ASSERT_TRUE(model().ApplyUserEdit(*record, 2, stamp)) << "the locale's own form";
    EXPECT_EQ(rows->GetAttribute("Due"), stamp);
    ASSERT_TRUE(model().ApplyUserEdit(*record, 2, ""));
    EXPECT_FALSE(record->GetItem(2)->HasDate()) << "clearing the cell empties it";
    EXPECT_EQ(rows->GetAttribute("Due"), "");
}

TEST_F(ReportModel, OnlyEditableItemsAreEditedAndEditsAreTold) {
    RecordingListener listener;
    model().AddListener(&listener);
    EXPECT_FALSE(model().ApplyUserEdit(*record, 4, "changed")) << "a read-only column";
    rows->SetAttributeValueEx(0, "locked", {}, 0, item_flag::kReadOnly);
    EXPECT_FALSE(model().ApplyUserEdit(*record, 0, "changed")) << "a read-only item";
    rows->SetAttributeValueEx(0, "open", {}, 0, item_flag::kBold);
    EXPECT_TRUE(record->GetItem(0)->IsBold());
    EXPECT_TRUE(model().ApplyUserEdit(*record, 0, "changed"));
    EXPECT_FALSE(model().ApplyUserEdit(*record, 0, "changed")) << "the same text changes nothing";
    EXPECT_TRUE(model().ToggleCheck(*record, 3));
    EXPECT_EQ(rows->GetAttribute("Done"), "0");
    EXPECT_EQ(listener.edited, (std::vector<int>{0, 3}));
    model().RemoveListener(&listener);
}

TEST_F(ReportModel, FlagsShapeItems) {
    rows->SetAttributeValueEx(
        4, "x", "%s", 0,
        item_flag::kHyperlink | item_flag::kRed | item_flag::kBackground | 0x40000000);
    const ivReportItem& note = *record->GetItem(4);
    EXPECT_TRUE(note.IsHyperlink());
    EXPECT_TRUE(note.IsRed());
    EXPECT_TRUE(note.HasBackground());
    EXPECT_TRUE(record->GetState());
    EXPECT_EQ(note.GetFormat(), "%s");
    rows->SetAttributeValueEx(4, "x", "%s", 0, item_flag::kPlain | item_flag::kHyperlink);
    EXPECT_FALSE(note.IsHyperlink()) << "plain items have no link";
    EXPECT_EQ(note.GetFormat(), "") << "nor a format";
    EXPECT_FALSE(note.IsEditable());
    rows->SetAttributeValueEx(4, "x", {}, 0, item_flag::kCheckBox);
    EXPECT_TRUE(note.HasCheckBox());

    // Images the report cannot show leave the item's image as it was.
    model().SetImageCatalog([](int image) { return image == 137; });
    rows->SetAttributeValueEx(4, "x", {}, 137, 0);
    EXPECT_EQ(note.GetImage(), 137);
    rows->SetAttributeValueEx(4, "x", {}, 99, 0);
    EXPECT_EQ(note.GetImage(), 137);
    rows->SetAttributeValueEx(4, "x", {}, 0, 0);
    EXPECT_EQ(note.GetImage(), 0);
}

TEST_F(ReportModel, LayoutRoundTripsAndIgnoresWhatDoesNotFit) {
    model().SetColumnWidth(model().FindColumnByName("Count"), 321);
    model().SetColumnVisible(model().FindColumnByName("Note"), false);
    model().MoveColumn(model().FindColumnByName("Done"), 0);
    model().SetSortColumn(1, false);
    const std::string layout = report.GetLayoutXML();
    EXPECT_EQ(layout.rfind("<ReportControl", 0), 0u) << layout;

    ivReportCore fresh;
    AddTestColumns(fresh);
    fresh.SetLayoutXML(layout);
    EXPECT_EQ(fresh.Model().GetColumnAt(0)->GetName(), "Done");
    EXPECT_EQ(fresh.Model().FindColumnByName("Count")->GetWidth(), 321);
    EXPECT_FALSE(fresh.Model().FindColumnByName("Note")->IsVisible());
    ASSERT_EQ(fresh.Model().SortOrder().size(), 1u);
    EXPECT_FALSE(fresh.Model().SortOrder()[0].ascending);
    EXPECT_EQ(fresh.GetLayoutXML(), layout);

    // Text that does not parse, or is no layout, changes nothing.
    for (const char* bad : {"", "<ReportControl", "garbage", "<Other/>"}) {
        fresh.SetLayoutXML(bad);
        EXPECT_EQ(fresh.GetLayoutXML(), layout) << bad;
    }
    // Entries for columns there are not, or of other names, are passed over.
    fresh.SetLayoutXML(
        "<ReportControl><Column ItemIndex=\"7\" Name=\"Count\" Width=\"10\"/>"
        "<Column ItemIndex=\"1\" Name=\"Other\" Width=\"10\"/>"
        "<Column ItemIndex=\"1\" Name=\"Count\" Width=\"999999\" Visible=\"0\"/></ReportControl>");
    EXPECT_EQ(fresh.Model().FindColumnByName("Count")->GetWidth(), CXTPReportColumnEx::kMaxWidth);
    EXPECT_FALSE(fresh.Model().FindColumnByName("Count")->IsVisible());
    EXPECT_EQ(fresh.Model().GetColumnAt(0)->GetName(), "Count");
}

TEST_F(ReportModel, StoredLayoutsNeedTheirMarkerAndTheSetting) {
    testing_support::IsolatedSettings settings;
    SetAppRegistryPath(settings.dir().File("registry.conf"));
    ivReportCore fresh;
    AddTestColumns(fresh);
    const std::string original = fresh.GetLayoutXML();
    fresh.LoadReportLayout("ListLayout");
    EXPECT_EQ(fresh.GetLayoutXML(), original) << "never saved: nothing to load";

    model().SetColumnVisible(model().FindColumnByName("Note"), false);
    report.SaveReportLayout("ListLayout");
    EXPECT_EQ(AppRegistry().GetInt("ListLayout", "Type", 0), 1);
    SetSetting("/LoadLayout", "0");
    fresh.LoadReportLayout("ListLayout");
    EXPECT_TRUE(fresh.Model().FindColumnByName("Note")->IsVisible()) << "\"/LoadLayout\" is 0";
    SetSetting("/LoadLayout", "1");
    fresh.LoadReportLayout("ListLayout");
    EXPECT_FALSE(fresh.Model().FindColumnByName("Note")->IsVisible());
    ReleaseAppRegistry();
}

TEST_F(ReportModel, ColumnChooserTogglesAColumn) {
    ivReportCore hidden;
    hidden.AddColumn("Shown", "Shown", 1, 0, 0, {});
    hidden.AddColumn("Image", "", 1, 0x1, 0, {});
    std::vector<ivColumnChoice> choices = hidden.GetColumnChoices();
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[1].caption, "Image") << "a column without a caption is offered by name";
    EXPECT_FALSE(choices[1].visible);
    hidden.ToggleColumnAt(1);
    EXPECT_TRUE(hidden.GetColumnChoices()[1].visible);
    hidden.ToggleColumnAt(1);
    EXPECT_FALSE(hidden.GetColumnChoices()[1].visible);
    hidden.ToggleColumnAt(5);  // no such entry
    EXPECT_TRUE(hidden.GetColumnChoices()[0].visible);
}

TEST_F(ReportModel, ARebuildIsToldOnceAndSingleChangesAsTheyHappen) {
    RecordingListener listener;
    model().AddListener(&listener);
    report.ApplyStyle();
    EXPECT_EQ(listener.resets, 1);
    EXPECT_EQ(listener.added, 0) << "rows made during a rebuild come with it";

    rows->SetCurrentRecord(model().GetRoot());
    AddRow(*rows, "Row", {"second"});
    EXPECT_EQ(listener.added, 1);
    model().BeginBatch();
    rows->SetAttribute("Name", "a");
    rows->SetAttribute("Name", "b");
    rows->SetCurrentRecord(record);
    rows->SetAttribute("Name", "c");
    EXPECT_TRUE(listener.changed.size() == 1u) << "the item added before the batch";
    model().EndBatch();
    ASSERT_EQ(listener.changed.size(), 2u);
    EXPECT_EQ(listener.changed.back(), 2u) << "two rows changed in the batch, told once";

    rows->Close();
    AddRow(*rows, "Root", {});
    AddRow(*rows, "Row", {});
    EXPECT_EQ(listener.added, 1);
    report.ApplyStyle();
    EXPECT_EQ(listener.resets, 2);
    model().RemoveListener(&listener);
}

TEST_F(ReportModel, RemovingTheFocusedRowFocusesANeighbour) {
    rows->SetCurrentRecord(model().GetRoot());
    AddRow(*rows, "Row", {"second"});
    CXTPReportRecordEx* second = rows->GetCurrentRecord();
    rows->SetCurrentRecord(model().GetRoot());
    AddRow(*rows, "Row", {"third"});
    CXTPReportRecordEx* third = rows->GetCurrentRecord();
    report.ApplyStyle();
    model().SetFocusedRecord(second);
    ASSERT_TRUE(model().RemoveRecord(*second));
    EXPECT_EQ(model().GetFocusedRecord(), third) << "the next one";
    ASSERT_TRUE(model().RemoveRecord(*third));
    EXPECT_EQ(model().GetFocusedRecord(), record) << "else the one before";
    ASSERT_TRUE(model().RemoveRecord(*record));
    EXPECT_EQ(model().GetFocusedRecord(), nullptr) << "the root is no row here";
    EXPECT_FALSE(model().RemoveRecord(*model().GetRoot()));
}

TEST_F(ReportModel, AMovedRecordTakesItsDescendantsFocusAndFoldAlong) {
    AddRow(*rows, "Row", {"first child"});
    CXTPReportRecordEx* child = rows->GetCurrentRecord();
    CXTPReportRecordEx* root = model().GetRoot();
    for (const char* name : {"second", "third"}) {
        rows->SetCurrentRecord(root);
        AddRow(*rows, "Row", {name});
    }
    CXTPReportRecordEx* second = root->GetChild(1);
    CXTPReportRecordEx* third = root->GetChild(2);
    report.ApplyStyle();
    model().SetExpanded(*record, false);
    model().SetFocusedRecord(child);
    RecordingListener listener;
    model().AddListener(&listener);

    ASSERT_TRUE(model().MoveRecord(*record, *root, -1));
    EXPECT_EQ(root->GetChild(0), second);
    EXPECT_EQ(root->GetChild(2), record);
    EXPECT_EQ(record->GetIndex(), 2);
    EXPECT_EQ(third->GetIndex(), 1) << "the siblings it left close up";
    EXPECT_EQ(record->GetChild(0), child);
    EXPECT_FALSE(record->IsExpanded());
    EXPECT_EQ(model().GetFocusedRecord(), child);
    EXPECT_EQ(listener.removed, 1);
    EXPECT_EQ(listener.added, 1) << "the block is told once, not row by row";
    EXPECT_EQ(listener.resets, 0);
    EXPECT_EQ(listener.focus, 0);

    ASSERT_TRUE(model().MoveRecord(*record, *third, 0));
    EXPECT_EQ(record->GetParent(), third);
    EXPECT_EQ(root->GetChildCount(), 2);
    ASSERT_TRUE(model().MoveRecord(*record, *root, 0));
    EXPECT_EQ(root->GetChild(0), record);
    EXPECT_EQ(second->GetIndex(), 1);
    EXPECT_EQ(listener.added, 3);

    EXPECT_TRUE(model().MoveRecord(*record, *root, 0)) << "already there";
    EXPECT_TRUE(model().MoveRecord(*third, *root, 99)) << "already last";
    EXPECT_EQ(listener.added, 3) << "nothing to tell";
    EXPECT_FALSE(model().MoveRecord(*record, *child, 0)) << "not under itself";
    EXPECT_FALSE(model().MoveRecord(*record, *record, 0));
    EXPECT_FALSE(model().MoveRecord(*root, *record, 0)) << "the root stays";
    EXPECT_EQ(root->GetChild(0), record);
    model().RemoveListener(&listener);
}

TEST_F(ReportModel, ExpansionAndFocusOperations) {
    AddRow(*rows, "Child", {"child"});
    CXTPReportRecordEx* child = rows->GetCurrentRecord();
    report.ApplyStyle();
    report.CollapseAll();
    EXPECT_FALSE(record->IsExpanded());
    rows->SetCurrentRecord(child);
    report.ShowCurrentRecord();
    EXPECT_EQ(model().GetFocusedRecord(), child);
    EXPECT_TRUE(record->IsExpanded()) << "the rows above it open";
    rows->SetCurrentRecord(nullptr);
    report.TakeFocusedRecord();
    EXPECT_EQ(rows->GetCurrentRecord(), child);
    model().SetFocusedRecord(record);
    report.CollapseFocused();
    EXPECT_FALSE(record->IsExpanded());
    report.ExpandFocused();
    EXPECT_TRUE(record->IsExpanded());
    report.FocusColumnByName("Count");
    EXPECT_EQ(report.GetFocusedColumn(), 1);
    report.FocusColumn(77);
    EXPECT_EQ(report.GetFocusedColumn(), 1) << "no such column: the focus stays";
    EXPECT_EQ(report.GetRecordCount(), 1);
}

}  // namespace
