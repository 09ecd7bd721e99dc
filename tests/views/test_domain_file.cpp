#include "core/command_ids.h"
#include "core/settings.h"
#include "tests/support/test_support.h"
#include "views/domain_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

using testing_support::IsolatedSettings;
using testing_support::MessageRecorder;
using testing_support::ReadFile;
using testing_support::WriteFile;

// A view that keeps state of its own, as the section list does: storing it marks the
// document modified, and it records the hints it is updated with.
class StatefulView : public wxView, public ivViewStateStore {
public:
    void OnDraw(wxDC*) override {}
    void OnUpdate(wxView*, wxObject* hint) override { hints.push_back(hint); }
    void SaveViewState() override {
        ++stores;
        GetDocument()->Modify(true);
        ivXML* tree = static_cast<myDomainFile*>(GetDocument())->GetTree(ivDomain::kDocumentTree);
        if (tree != nullptr && tree->GoRoot()) {
            tree->SetAttribute("Stored", std::to_string(stores));
        }
    }
    int stores = 0;
    std::vector<wxObject*> hints;
};

class DomainFile : public testing::Test {
protected:
    std::string File(const std::string& name) const { return m_settings.dir().File(name); }
    // A document (with auto-save read from the settings) and one view on it.
    myDomainFile* Make(bool autoSave) {
        SetSetting("/AutoSave", autoSave ? "1" : "0");
        m_doc = std::make_unique<myDomainFile>();
        m_view = new StatefulView;
        m_view->SetDocument(m_doc.get());
        return m_doc.get();
    }
    void TearDown() override {
        // As in the editor, a document goes with its last view, asking to save it first when
        // it is modified; unmodified, it goes without asking.
        if (m_doc) {
            m_doc->Modify(false);
            (void)m_doc.release();
            delete m_view;
        }
    }

    IsolatedSettings m_settings;
    MessageRecorder m_messages;
    std::unique_ptr<myDomainFile> m_doc;
    StatefulView* m_view = nullptr;
};

TEST_F(DomainFile, NewAndOpenLeaveTheDocumentUnmodified) {
    myDomainFile* doc = Make(false);
    EXPECT_EQ(doc->GetAutoSave(), 0);
    EXPECT_EQ(doc->GetGeneratorName(), "");
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_FALSE(doc->IsModified());
    ASSERT_NE(doc->GetTree(ivDomain::kDocumentTree), nullptr);
    EXPECT_FALSE(doc->OnNewDocument()) << "a document with a tree refuses a second New";

    WriteFile(File("a.etf"), "<Document><Section ID=\"{1}\" Title=\"T\"/></Document>");
    auto opened = std::make_unique<myDomainFile>();
    ASSERT_TRUE(opened->OnOpenDocument(File("a.etf")));
    EXPECT_FALSE(opened->IsModified());
    EXPECT_EQ(opened->GetFilename().utf8_string(), File("a.etf"));
}

TEST_F(DomainFile, FailedOpenLeavesNoTree) {
    myDomainFile* doc = Make(false);
    WriteFile(File("bad.etf"), "<Documents/>");
    EXPECT_FALSE(doc->OnOpenDocument(File("bad.etf")));
    EXPECT_EQ(doc->GetTree(ivDomain::kDocumentTree), nullptr);
    EXPECT_EQ(m_messages.Messages(), (std::vector<std::string>{"Identifying document failed."}));
}

TEST_F(DomainFile, WithoutAutoSaveAnEditOnlyMarksTheDocument) {
    myDomainFile* doc = Make(false);
    WriteFile(File("a.etf"), "<Document/>");
    ASSERT_TRUE(doc->OnOpenDocument(File("a.etf")));
    doc->Modify(true);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadFile(File("a.etf")), "<Document/>");
    EXPECT_EQ(m_view->stores, 0);
}

TEST_F(DomainFile, AutoSaveWritesEveryChangeOnceTheDocumentHasAFile) {
    myDomainFile* doc = Make(true);
    EXPECT_EQ(doc->GetAutoSave(), 1);
    ASSERT_TRUE(doc->OnNewDocument());
    doc->Modify(true);
    EXPECT_TRUE(doc->IsModified()) << "an untitled document has nowhere to go";
    EXPECT_EQ(m_view->stores, 0);

    ASSERT_TRUE(doc->OnSaveDocument(File("auto.etf")));
    EXPECT_EQ(m_view->stores, 1) << "storing the view state inside the save starts no second save";
    EXPECT_FALSE(doc->IsModified());

    doc->Modify(true);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(m_view->stores, 2);
    EXPECT_NE(ReadFile(File("auto.etf")).find("Stored=\"2\""), std::string::npos);
}

TEST_F(DomainFile, FailedSaveKeepsTheDocumentModifiedAndTheOldFile) {
    myDomainFile* doc = Make(false);
    WriteFile(File("a.etf"), "<Document/>");
    ASSERT_TRUE(doc->OnOpenDocument(File("a.etf")));
    doc->Modify(true);
    EXPECT_FALSE(doc->OnSaveDocument(File("missing/a.etf")));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetFilename().utf8_string(), File("a.etf"));
    EXPECT_EQ(m_messages.Messages(),
              (std::vector<std::string>{"Saving document failed.\n" + File("missing/a.etf") + ": " +
                                        std::strerror(ENOENT)}));
}

// Saving over a read-only document replaced it silently, and the new file kept mode 0444.
TEST_F(DomainFile, ReadOnlyDocumentIsNotReplacedAndStaysModified) {
    myDomainFile* doc = Make(false);
    WriteFile(File("a.etf"), "<Document/>");
    ASSERT_TRUE(doc->OnOpenDocument(File("a.etf")));
    ASSERT_EQ(chmod(File("a.etf").c_str(), 0444), 0);
    doc->Modify(true);
    EXPECT_FALSE(doc->OnSaveDocument(File("a.etf")));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadFile(File("a.etf")), "<Document/>");
    EXPECT_EQ(m_messages.Messages(),
              (std::vector<std::string>{"Saving document failed.\n" + File("a.etf") + ": " +
                                        std::strerror(EACCES)}));
    // Once the user may write it again, it is saved.
    ASSERT_EQ(chmod(File("a.etf").c_str(), 0644), 0);
    EXPECT_TRUE(doc->OnSaveDocument(File("a.etf")));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DomainFile, RefreshUpdatesViewsWithTheDocumentTree) {
    myDomainFile* doc = Make(false);
    doc->Refresh();
    EXPECT_TRUE(m_view->hints.empty()) << "nothing to show without a tree";
    ASSERT_TRUE(doc->OnNewDocument());
    doc->Refresh();
    ASSERT_EQ(m_view->hints.size(), 1u);
    EXPECT_EQ(m_view->hints[0], doc->GetTree(ivDomain::kDocumentTree));
}

TEST_F(DomainFile, EveryTreeEditMarksTheDocumentAndAutoSaveWritesIt) {
    WriteFile(File("a.etf"), "<Document><Section ID=\"{A}\" Title=\"A\"/></Document>");
    SetSetting("/AutoSave", "0");
    auto manual = std::make_unique<myDomainFile>();
    ASSERT_TRUE(manual->OnOpenDocument(File("a.etf")));
    ivTreeEditor* editor = manual->GetTreeEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->SetAttributes("{A}", {{"Title", "Changed"}}));
    EXPECT_TRUE(manual->IsModified());
    EXPECT_EQ(ReadFile(File("a.etf")).find("Changed"), std::string::npos);
    manual->Modify(false);

    myDomainFile* automatic = Make(true);
    ASSERT_TRUE(automatic->OnOpenDocument(File("a.etf")));
    ASSERT_TRUE(automatic->GetTreeEditor()->InsertSection("{A}", {{"ID", "{B}"}}));
    EXPECT_FALSE(automatic->IsModified()) << "saved at once";
    EXPECT_NE(ReadFile(File("a.etf")).find("{B}"), std::string::npos);
    ASSERT_TRUE(automatic->GetTreeEditor()->StoreBody("{B}", "{\\rtf1 x}", "now"));
    EXPECT_NE(ReadFile(File("a.etf")).find("rtf1 x"), std::string::npos);

    auto empty = std::make_unique<myDomainFile>();
    EXPECT_EQ(empty->GetTreeEditor(), nullptr) << "no tree, nothing to edit";
}

TEST_F(DomainFile, RefreshAndTheGeneratorBoxAreTheDocumentsCommands) {
    myDomainFile* doc = Make(false);
    ASSERT_TRUE(doc->OnNewDocument());
    wxCommandEvent refresh(wxEVT_MENU, command_id::kViewRefresh);
    EXPECT_TRUE(doc->ProcessEvent(refresh));
    ASSERT_EQ(m_view->hints.size(), 1u);
    EXPECT_EQ(m_view->hints[0], doc->GetTree(ivDomain::kDocumentTree));

    wxCommandEvent pick(wxEVT_COMBOBOX, command_id::kToolsGeneratorBox);
    pick.SetString("CHM");
    EXPECT_TRUE(doc->ProcessEvent(pick));
    EXPECT_EQ(doc->GetGeneratorName(), "CHM");
    wxUpdateUIEvent update(command_id::kToolsGeneratorBox);
    EXPECT_TRUE(doc->ProcessEvent(update));
    EXPECT_EQ(update.GetText().utf8_string(), "CHM") << "the box shows this document's choice";
}

}  // namespace
