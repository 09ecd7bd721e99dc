#include "core/settings.h"
#include "document/domain.h"
#include "document/domain_store.h"
#include "document/outline.h"
#include "platform/guid.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

using testing_support::IsolatedSettings;
using testing_support::MessageRecorder;
using testing_support::ReadFile;
using testing_support::WriteFile;

constexpr int kDoc = ivDomain::kDocumentTree;
constexpr int kViews = ivDomain::kViewStateTree;

class DomainStore : public testing::Test {
protected:
    std::string File(const std::string& name) const { return m_settings.dir().File(name); }
    std::string ViewFile() const { return m_settings.ConfDir() + "Editor.xml"; }

    IsolatedSettings m_settings;
    MessageRecorder m_messages;
};

TEST_F(DomainStore, NewDocumentIsAnEmptyDocumentElement) {
    myDomainStore store;
    ASSERT_TRUE(store.New());
    EXPECT_FALSE(store.New()) << "a store with a tree refuses a second New";
    EXPECT_FALSE(store.Open(File("x.etf")));
    ASSERT_NE(store.GetTree(kDoc), nullptr);
    ASSERT_NE(store.GetTree(kViews), nullptr);
    EXPECT_EQ(store.GetTree(1), nullptr);
    EXPECT_EQ(store.GetTree(kDoc)->SaveToString(),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document/>\n");
    EXPECT_EQ(store.GetTree(kDoc)->GetName(), "") << "the cursor starts on the document";
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(DomainStore, OpenChecksTheRootElement) {
    WriteFile(File("lower.etf"), "<document/>");
    WriteFile(File("junk.etf"), "{\\rtf1 not xml}");
    WriteFile(File("empty.etf"), "<Document/>");
    {
        myDomainStore store;
        EXPECT_FALSE(store.Open(File("lower.etf")));
        EXPECT_EQ(store.GetTree(kDoc), nullptr);
    }
    {
        myDomainStore store;
        EXPECT_FALSE(store.Open(File("junk.etf")));
        EXPECT_FALSE(store.Open(File("missing.etf")));
        EXPECT_EQ(store.GetTree(kDoc), nullptr);
    }
    // Each failure to load says why on the line below the message.
    EXPECT_EQ(
        m_messages.Messages(),
        (std::vector<std::string>{
            "Identifying document failed.",
            "Loading document failed.\nLine 1, column 1: Start tag expected, '<' not found",
            "Loading document failed.\n" + File("missing.etf") + ": " + std::strerror(ENOENT)}));
    EXPECT_EQ(m_messages.Flags()[0], kMessageError);

    myDomainStore store;
    ASSERT_TRUE(store.Open(File("empty.etf")));
    ASSERT_TRUE(store.GetTree(kDoc)->GoRoot());
    EXPECT_EQ(BuildOutline(*store.GetTree(kDoc)).size(), 1u) << "no sections";
}

TEST_F(DomainStore, AnyExtensionIsRead) {
    WriteFile(File("notes.xml"), "<Document><Section ID=\"{1}\" Title=\"a\"/></Document>");
    myDomainStore store;
    ASSERT_TRUE(store.Open(File("notes.xml")));
    ASSERT_NE(store.GetTree(kDoc), nullptr);
    EXPECT_TRUE(store.Save(File("notes.xml")));
}

TEST_F(DomainStore, ViewStateFileIsMadeByTheFirstSave) {
    ASSERT_FALSE(std::filesystem::exists(ViewFile()));
    myDomainStore store;
    ASSERT_TRUE(store.New());
    ASSERT_TRUE(store.Save(File("a.etf")));
    EXPECT_EQ(ReadFile(ViewFile()),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document><Views/></Document>\n");
    EXPECT_EQ(ReadFile(File("a.etf")),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document/>\n");
}

TEST_F(DomainStore, UnreadableViewStateIsReplacedAndIncompleteOneKept) {
    WriteFile(ViewFile(), "<Document><Views><View ID=\"1\" Count=\"10\">");
    myDomainStore broken;
    ASSERT_TRUE(broken.New());
    ivXML* views = broken.GetTree(kViews);
    ASSERT_TRUE(views->GoRoot());
    EXPECT_TRUE(views->Select("Views")) << "a fresh tree takes the place of a broken file";

    // A file that loads but lacks "Views" does not stop a document from opening, and is
    // written back as it is.
    WriteFile(ViewFile(), "<Document><Other/></Document>");
    WriteFile(File("d.etf"), "<Document/>");
    myDomainStore store;
    ASSERT_TRUE(store.Open(File("d.etf")));
    ASSERT_TRUE(store.Save(File("d.etf")));
    EXPECT_NE(ReadFile(ViewFile()).find("<Document><Other/></Document>"), std::string::npos);
}

TEST_F(DomainStore, UnwritableViewStateStillWritesTheDocument) {
    myDomainStore store;
    ASSERT_TRUE(store.New());
    // A file where the configuration folder should be: nothing can be written there, even
    // by root.
    WriteFile(File("blocker"), "");
    SetSetting("/ConfPath", File("blocker") + "/conf");
    EXPECT_FALSE(store.Save(File("doc.etf")));
    EXPECT_TRUE(std::filesystem::exists(File("doc.etf")));
    EXPECT_EQ(m_messages.Messages(),
              (std::vector<std::string>{"Saving view state failed.\n" + File("blocker") +
                                        "/conf/Editor.xml: " + std::strerror(ENOTDIR)}));
}

TEST_F(DomainStore, FailedDocumentSaveKeepsTheOldFile) {
    WriteFile(File("doc.etf"), "<Document><Section ID=\"{1}\" Title=\"kept\"/></Document>");
    myDomainStore store;
    ASSERT_TRUE(store.Open(File("doc.etf")));
    ivXML* tree = store.GetTree(kDoc);
    ASSERT_TRUE(tree->GoRoot());
    ASSERT_TRUE(tree->GoChild(0));
    tree->SetAttribute("Text", std::string(200000, 'x'));
    {
        testing_support::FileSizeLimit limit(8192);
        EXPECT_FALSE(store.Save(File("doc.etf")));
    }
    EXPECT_EQ(ReadFile(File("doc.etf")),
              "<Document><Section ID=\"{1}\" Title=\"kept\"/></Document>");
    EXPECT_EQ(m_messages.Messages(),
              (std::vector<std::string>{"Saving document failed.\n" + File("doc.etf") + ": " +
                                        std::strerror(EFBIG)}));
}

TEST_F(DomainStore, SaveFlushesViewsFirst) {
    myDomainStore store;
    int flushes = 0;
    store.SetFlushHook([&] {
        ++flushes;
        if (ivXML* tree = store.GetTree(kDoc)) {
            tree->GoRoot();
            tree->SetAttribute("Flushed", "yes");
        }
    });
    EXPECT_FALSE(store.Save(File("none.etf"))) << "nothing to save without a tree";
    EXPECT_EQ(flushes, 1);
    ASSERT_TRUE(store.New());
    ASSERT_TRUE(store.Save(File("a.etf")));
    EXPECT_EQ(flushes, 2);
    EXPECT_NE(ReadFile(File("a.etf")).find("Flushed=\"yes\""), std::string::npos);
}

TEST_F(DomainStore, LastSavedDocumentDecidesTheSharedViewState) {
    myDomainStore first, second;
    ASSERT_TRUE(first.New());
    ASSERT_TRUE(second.New());
    for (const auto& [store, layout] : {std::pair{&first, "one"}, std::pair{&second, "two"}}) {
        ivXML* views = store->GetTree(kViews);
        ASSERT_TRUE(views->GoRoot());
        ASSERT_TRUE(views->Select("Views"));
        views->AddNode("View");
        views->AddAttribute("ID", "1");
        views->SetText(layout);
    }
    ASSERT_TRUE(second.Save(File("2.etf")));
    ASSERT_TRUE(first.Save(File("1.etf")));
    EXPECT_NE(ReadFile(ViewFile()).find(">one</View>"), std::string::npos);
}

TEST_F(DomainStore, ForeignContentSurvivesAResave) {
    const std::string original =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
        "<Document><!--note--><Section ID=\"{A}\" Title=\"T\" Custom=\"x\"><Extra>kept</Extra>"
        "</Section>stray</Document>\n";
    WriteFile(File("in.etf"), original);
    myDomainStore store;
    ASSERT_TRUE(store.Open(File("in.etf")));
    ASSERT_TRUE(store.Save(File("out.etf")));
    EXPECT_EQ(ReadFile(File("out.etf")), original);
}

TEST_F(DomainStore, FindsSectionsByIdInALargeDocument) {
    myDomainStore store;
    ASSERT_TRUE(store.New());
    ivXML* tree = store.GetTree(kDoc);
    ASSERT_TRUE(tree->GoRoot());
    std::vector<std::string> ids;
    for (int i = 0; i < 10000; ++i) {
        ids.push_back(platform::NewGuidString());
        tree->AddNode("Section");
        tree->AddAttribute("ID", ids.back());
        tree->AddAttribute("Title", "Section " + std::to_string(i));
        if (i % 10 != 9) {
            tree->EndNode();
        }
        if (i % 100 == 99) {
            tree->GoRoot();
        }
    }
    ASSERT_TRUE(store.Save(File("big.etf")));
    myDomainStore reopened;
    ASSERT_TRUE(reopened.Open(File("big.etf")));
    ivXML* back = reopened.GetTree(kDoc);
    for (int i : {0, 4321, 9999}) {
        ASSERT_TRUE(back->GoRoot());
        ASSERT_TRUE(back->SelectWhere("Section", "ID", ids[i],
                                      ivData::SELECT_ANYWHERE | ivData::SELECT_ATTRIBUTE));
        EXPECT_EQ(back->GetAttribute("Title"), "Section " + std::to_string(i));
    }
    ASSERT_TRUE(back->GoRoot());
    EXPECT_EQ(BuildOutline(*back).size(), 10001u);
}

}  // namespace
