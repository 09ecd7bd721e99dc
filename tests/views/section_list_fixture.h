#pragma once

#include "document/domain.h"
#include "document/domain_store.h"
#include "tests/framework/report_test_util.h"
#include "tests/support/test_support.h"
#include "views/section_list.h"
#include "views/text_view_interface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A text view that keeps its body in a string.
class FakeTextView : public myTextViewInterface {
public:
    std::string GetRTF() override { return body; }
    void SetRTF(const std::string& rtf) override {
        body = rtf;
        ++loads;
    }
    bool IsModified() override { return modified; }
    void SetModified(bool m) override { modified = m; }
    void EnableView(bool e) override { enabled = e; }
    // What typing does.
    void Type(const std::string& rtf) {
        body = rtf;
        modified = true;
    }
    std::string body;
    bool modified = false;
    bool enabled = false;
    int loads = 0;
};

// A document without windows: the store's trees, its edit path, and a count of the edits that
// marked it modified. Refresh rebuilds the list at once.
class TestDomain : public ivDomain, public mySectionListHost {
public:
    TestDomain() {
        store.Editor().SetListener([this](const ivTreeEdit& edit) { edits.push_back(edit); });
    }
    void UpdateViews(wxObject* hint) override {
        if (list != nullptr) {
            list->OnUpdateHook(hint);
        }
    }
    ivXML* GetTree(int kind) override { return store.GetTree(kind); }
    ivTreeEditor* GetTreeEditor() override { return &store.Editor(); }
    void Refresh() override { UpdateViews(store.GetTree(kDocumentTree)); }
    void RequestRefresh() override { Refresh(); }
    void ActivateNextPane() override { ++nextPane; }

    myDomainStore store;
    mySectionList* list = nullptr;
    std::vector<ivTreeEdit> edits;
    int nextPane = 0;
};

// A section list over a document, as its window would drive it.
class SectionListTest : public testing::Test {
protected:
    void SetUp() override {
        report.SetDomain(&domain);
        domain.list = &list;
        list.SetTextView(&text);
    }
    // Opens a document with this content (a new one when empty) and shows it.
    void Open(const std::string& xml = {}) {
        if (xml.empty()) {
            ASSERT_TRUE(domain.store.New());
        } else {
            testing_support::WriteFile(settings.dir().File("doc.etf"), xml);
            ASSERT_TRUE(domain.store.Open(settings.dir().File("doc.etf")));
        }
        list.OnInitialUpdateHook();
    }
    ivReportModel& model() { return report.Model(); }
    ivReportViewData& rows() { return *report.GetData(); }
    CXTPReportRecordEx* Root() { return model().GetRoot(); }
    // The row at a path of child positions below the document row.
    CXTPReportRecordEx* Row(std::initializer_list<int> path) { return RowAt(model(), path); }
    std::string Cell(CXTPReportRecordEx* record, const char* column) {
        return CellText(report, *record, column);
    }
    // Numbering of every row below the document in document order.
    std::vector<std::string> Numbers() {
        std::vector<std::string> numbers;
        model().ForEachRecord([&](CXTPReportRecordEx& record) {
            if (record.GetParent() != nullptr) {
                numbers.push_back(Cell(&record, "Numbering"));
            }
            return true;
        });
        return numbers;
    }
    void Focus(CXTPReportRecordEx* record) { model().SetFocusedRecord(record); }
    // The document tree's XML.
    std::string Xml() {
        ivXML* tree = domain.store.GetTree(ivDomain::kDocumentTree);
        return tree != nullptr && tree->GoRoot() ? tree->GetXml() : std::string();
    }
    // Types into the focused row's cell as the user does.
    bool TypeInto(const char* column, const std::string& text) {
        return model().ApplyUserEdit(*model().GetFocusedRecord(), report.FindColumn(column), text);
    }

    testing_support::IsolatedSettings settings;
    testing_support::MessageRecorder messages{kAnswerYes};
    ivReportCore report;
    TestDomain domain;
    mySectionList list{report, &domain};
    FakeTextView text;
};
