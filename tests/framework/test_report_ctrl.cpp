#include "framework/report_ctrl.h"
#include "framework/report_printout.h"
#include "tests/framework/report_test_util.h"
#include "tests/support/gui_test_support.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

namespace {

// Hooks that record what the report tells its view.
class RecordingHooks : public ivReportHooks {
public:
    void OnFocusHook(int) override { ++focus; }
    void OnValueChangedHook(int column) override { changed.push_back(column); }
    void OnDoubleClickHook(int column) override { activated.push_back(column); }
    int focus = 0;
    std::vector<int> changed;
    std::vector<int> activated;
};

// A frame with a report control over a report of the test columns: a root row "All" shown,
// three rows below it, the first with a child.
class ReportWindow : public testing::Test {
protected:
    void SetUp() override {
        AddTestColumns(report);
        report.SetHooks(&hooks);
        report.Model().SetRootShown(true);
        ivReportViewData& rows = *report.GetData();
        rows.AddNode("Root");
        rows.AddAttributeEx("", "All", {}, 0, item_flag::kReadOnly);
        for (const char* name : {"alpha", "beta", "gamma"}) {
            AddRow(rows, "Row", {name, "1", "", "0", "note"});
            rows.EndNode();
        }
        rows.GoChild(0);
        AddRow(rows, "Row", {"alpha child", "2", "", "0", "note"});
        report.ApplyStyle();
        frame = new wxFrame(nullptr, wxID_ANY, "Report", wxDefaultPosition, wxSize(700, 400));
        control = new ivReportCtrl(frame, wxID_ANY, report);
        frame->Show();
        frame->Raise();
        PumpEvents(200);
        control->SetFocus();
        PumpEvents(50);
    }
    void TearDown() override {
        frame->Destroy();
        PumpEvents(50);
    }
    CXTPReportRecordEx* Row(int i) { return report.Model().GetRoot()->GetChild(i); }
    // Centre of a row's cell in the control's window.
    wxPoint CellCentre(CXTPReportRecordEx* record, int itemIndex) {
        const wxRect rect = control->GetItemRect(ivReportCtrl::ItemOf(record),
                                                 control->ColumnOfItemIndex(itemIndex));
        return wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2);
    }
    void Press(int key, int modifiers = wxMOD_NONE) {
        person.Char(key, modifiers);
        PumpEvents(150);
    }

    ivReportCore report;
    RecordingHooks hooks;
    wxFrame* frame = nullptr;
    ivReportCtrl* control = nullptr;
    wxUIActionSimulator person;
};

TEST_F(ReportWindow, ClickingARowFocusesItAndTypingEditsTheCell) {
    ClickAt(*control->GetMainWindow(), CellCentre(Row(1), 0));
    EXPECT_EQ(report.Model().GetFocusedRecord(), Row(1));
    EXPECT_GE(hooks.focus, 1);
    Press(WXK_F2);
    person.Text("renamed");
    PumpEvents(100);
    Press(WXK_RETURN);
    EXPECT_EQ(Row(1)->GetItem(0)->GetString(), "renamed");
    EXPECT_EQ(hooks.changed, (std::vector<int>{0}));

    // Escape leaves the cell as it was.
    Press(WXK_F2);
    person.Text("never");
    PumpEvents(100);
    Press(WXK_ESCAPE);
    EXPECT_EQ(Row(1)->GetItem(0)->GetString(), "renamed");
    EXPECT_EQ(hooks.changed.size(), 1u);
    SaveScreenshot("report_control");
}

TEST_F(ReportWindow, WithEditOnClickOneClickOpensTheEditor) {
    report.SetStyle(report_style::kEditOnClick);
    report.ApplyStyle();
    PumpEvents(100);
    ClickAt(*control->GetMainWindow(), CellCentre(Row(2), 0));
    PumpEvents(200);
    person.Text("clicked");
    PumpEvents(100);
    Press(WXK_RETURN);
    EXPECT_EQ(Row(2)->GetItem(0)->GetString(), "clicked");
}

TEST_F(ReportWindow, ReadOnlyItemsOpenNoEditor) {
    report.Model().SetFocusedRecord(report.Model().GetRoot());
    PumpEvents(50);
    Press(WXK_F2);
    person.Text("x");
    PumpEvents(100);
    Press(WXK_RETURN);
    EXPECT_EQ(report.Model().GetRoot()->GetItem(0)->GetString(), "All");
    EXPECT_TRUE(hooks.changed.empty());
}

TEST_F(ReportWindow, AClickOnACheckBoxTogglesItsRow) {
    report.Model().SetFocusedRecord(Row(0));
    PumpEvents(50);
    ClickAt(*control->GetMainWindow(), CellCentre(Row(2), 3));
    EXPECT_TRUE(Row(2)->GetItem(3)->IsChecked());
    EXPECT_EQ(report.Model().GetFocusedRecord(), Row(2)) << "the clicked row is focused";
    EXPECT_EQ(hooks.changed, (std::vector<int>{3}));
}

TEST_F(ReportWindow, LeftAndRightFoldAndUnfold) {
    report.Model().SetFocusedRecord(Row(0));
    PumpEvents(50);
    ASSERT_TRUE(control->IsExpanded(ivReportCtrl::ItemOf(Row(0))));
    Press(WXK_LEFT);
    EXPECT_FALSE(Row(0)->IsExpanded());
    EXPECT_FALSE(control->IsExpanded(ivReportCtrl::ItemOf(Row(0))));
    Press(WXK_LEFT);
    EXPECT_EQ(report.Model().GetFocusedRecord(), report.Model().GetRoot()) << "up to the parent";
    Press(WXK_DOWN);
    EXPECT_EQ(report.Model().GetFocusedRecord(), Row(0));
    Press(WXK_RIGHT);
    EXPECT_TRUE(control->IsExpanded(ivReportCtrl::ItemOf(Row(0))));
    Press(WXK_RIGHT);
    EXPECT_EQ(report.Model().GetFocusedRecord(), Row(0)->GetChild(0));
}

TEST_F(ReportWindow, TheHeaderOffersTheColumnsToShowAndHide) {
    report.Model().SetColumnVisible(report.Model().FindColumnByName("Note"), false);
    PumpEvents(50);
    EXPECT_EQ(control->ColumnOfItemIndex(4), nullptr);
    // A person right-clicks the header, goes down to the last entry of the menu and picks it.
    wxTimer pick;
    pick.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        for (int i = 0; i < 5; ++i) {
            person.Char(WXK_DOWN);
            wxMilliSleep(30);
        }
        person.Char(WXK_RETURN);
    });
    control->Bind(wxEVT_MENU_OPEN, [&pick](wxMenuEvent& event) {
        event.Skip();
        pick.StartOnce(300);
    });
    const wxRect header = control->GetItemRect(ivReportCtrl::ItemOf(report.Model().GetRoot()),
                                               control->ColumnOfItemIndex(0));
    ClickAt(*control->GetMainWindow(), wxPoint(header.x + 20, std::max(2, header.y - 10)), true);
    PumpEvents(300);
    EXPECT_TRUE(report.Model().FindColumnByName("Note")->IsVisible());
    EXPECT_NE(control->ColumnOfItemIndex(4), nullptr);
}

TEST_F(ReportWindow, TheHeaderSortsAndAThirdClickGoesBackToTheOrderOfTheRecords) {
    auto above = [this](int first, int second) {
        return control->GetItemRect(ivReportCtrl::ItemOf(Row(first))).y <
               control->GetItemRect(ivReportCtrl::ItemOf(Row(second))).y;
    };
    // Names sort as the records stand; the counts the other way round.
    report.GetData()->SetCurrentRecord(Row(0));
    report.GetData()->SetAttribute("Name", "zeta");
    PumpEvents(50);
    const wxRect header = control->GetItemRect(ivReportCtrl::ItemOf(report.Model().GetRoot()),
                                               control->ColumnOfItemIndex(0));
    const wxPoint onName(header.x + 20, std::max(2, header.y - 10));
    ClickAt(*control->GetMainWindow(), onName);
    EXPECT_TRUE(above(1, 0)) << "beta before zeta";
    ASSERT_EQ(report.Model().SortOrder().size(), 1u);
    EXPECT_TRUE(report.Model().SortOrder()[0].ascending);
    ClickAt(*control->GetMainWindow(), onName);
    EXPECT_TRUE(above(0, 2)) << "zeta before gamma";
    EXPECT_FALSE(report.Model().SortOrder()[0].ascending);
    ClickAt(*control->GetMainWindow(), onName);
    EXPECT_TRUE(report.Model().SortOrder().empty());
    EXPECT_TRUE(above(0, 1) && above(1, 2)) << "the records' own order again";
}

TEST_F(ReportWindow, AMovedBlockOfRowsShowsAtItsNewPlace) {
    CXTPReportRecordEx* alpha = Row(0);
    CXTPReportRecordEx* child = alpha->GetChild(0);
    report.Model().SetFocusedRecord(child);
    PumpEvents(50);
    const auto top = [&](CXTPReportRecordEx* record) {
        return control->GetItemRect(ivReportCtrl::ItemOf(record)).y;
    };
    ASSERT_TRUE(report.Model().MoveRecord(*alpha, *report.Model().GetRoot(), -1));
    PumpEvents(100);
    EXPECT_LT(top(Row(0)), top(Row(1)));
    EXPECT_LT(top(Row(1)), top(alpha)) << "beta and gamma now above alpha";
    EXPECT_TRUE(control->IsExpanded(ivReportCtrl::ItemOf(alpha)));
    EXPECT_GT(control->GetItemRect(ivReportCtrl::ItemOf(child)).height, 0)
        << "its child came along, shown";
    EXPECT_LT(top(alpha), top(child));
    EXPECT_EQ(ivReportCtrl::RecordOf(control->GetSelection()), child)
        << "the focus is shown where it went";
    EXPECT_EQ(report.Model().GetFocusedRecord(), child);

    // Under a folded row: hidden there until the row opens.
    report.Model().SetExpanded(*alpha, false);
    PumpEvents(50);
    CXTPReportRecordEx* beta = Row(0);
    ASSERT_TRUE(report.Model().MoveRecord(*beta, *alpha, -1));
    PumpEvents(100);
    EXPECT_FALSE(control->IsExpanded(ivReportCtrl::ItemOf(alpha)));
    report.Model().SetExpanded(*alpha, true);
    PumpEvents(100);
    EXPECT_LT(top(child), top(beta));
}

TEST_F(ReportWindow, ModelChangesReachTheWindow) {
    ivReportViewData& rows = *report.GetData();
    rows.SetCurrentRecord(Row(2));
    AddRow(rows, "Row", {"delta"});
    PumpEvents(50);
    CXTPReportRecordEx* delta = Row(2)->GetChild(0);
    EXPECT_TRUE(control->IsExpanded(ivReportCtrl::ItemOf(Row(2))))
        << "a row that gets its first child shows it";
    EXPECT_GT(control->GetItemRect(ivReportCtrl::ItemOf(delta)).height, 0);
    rows.SetAttribute("Name", "delta changed");
    rows.SetCurrentRecord(delta);
    ASSERT_TRUE(rows.RemoveNode());
    PumpEvents(50);
    rows.Close();
    rows.AddNode("Root");
    for (int i = 0; i < 500; ++i) {
        AddRow(rows, "Row", {"row " + std::to_string(i)});
        rows.EndNode();
    }
    report.ApplyStyle();
    PumpEvents(100);
    EXPECT_EQ(report.GetRecordCount(), 500);
    report.Model().SetFocusedRecord(Row(499));
    PumpEvents(100);
    EXPECT_EQ(ivReportCtrl::RecordOf(control->GetSelection()), Row(499));

    // On paper: every row, over more than one page.
    wxBitmap page(800, 1100);
    wxMemoryDC dc(page);
    ivReportPrintout printout(report.Model(), "Report");
    printout.SetDC(&dc);
    printout.SetPageSizePixels(800, 1100);
    printout.SetPPIScreen(96, 96);
    printout.SetPPIPrinter(96, 96);
    printout.SetPaperRectPixels(wxRect(0, 0, 800, 1100));
    printout.OnPreparePrinting();
    EXPECT_EQ(printout.GetRowCount(), 501u);
    EXPECT_GT(printout.GetPageCount(), 1);
    EXPECT_TRUE(printout.OnPrintPage(printout.GetPageCount()));
    EXPECT_FALSE(printout.HasPage(printout.GetPageCount() + 1));
}

}  // namespace

wxApp* CreateGuiTestApp() {
    return CreatePlainGuiTestApp();
}
