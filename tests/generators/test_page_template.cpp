#include "core/settings.h"
#include "generators/generator_chm.h"
#include "generators/generator_html.h"
#include "generators/page_navigation.h"
#include "generators/shipped_template.h"
#include "tests/generators/generator_test_util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace {

using generator_testing::EchoConvert;
using generator_testing::MakeDocument;
using generator_testing::RecordingIndicators;
using testing_support::IsolatedSettings;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The tree of a page without the marks that make it this page's.
std::string Unmarked(std::string tree) {
    for (const std::string mark : {" class=\"qv-current\" aria-current=\"page\"", " open"}) {
        for (size_t at = tree.find(mark); at != std::string::npos; at = tree.find(mark, at)) {
            tree.erase(at, mark.size());
        }
    }
    return tree;
}

// One, its child Two with the grandchild Three, then Four at the top level again.
std::vector<ivPageNavigation::Page> NestedPages() {
    return {
        {"one", "One", 1}, {"two", "Two", 2}, {"three", "Three", 3}, {"four", "Four & <Co>", 1}};
}

TEST(PageNavigation, TheTreeNestsAsTheSectionsAndMarksOnlyThePageAndTheBranchesAboveIt) {
    const ivPageNavigation navigation(NestedPages());
    const std::string deep = navigation.TreeFor(2);
    EXPECT_EQ(
        deep,
        "<ul class=\"qv-tree\">\n"
        "<li><details open><summary><a href=\"one.htm\">One</a></summary>\n<ul>\n"
        "<li><details open><summary><a href=\"two.htm\">Two</a></summary>\n<ul>\n"
        "<li><a class=\"qv-current\" aria-current=\"page\" href=\"three.htm\">Three</a></li>\n"
        "</ul></details></li>\n"
        "</ul></details></li>\n"
        "<li><a href=\"four.htm\">Four &amp; &lt;Co&gt;</a></li>\n"
        "</ul>\n");
    // A branch's own page opens it; a page elsewhere leaves every branch closed.
    const std::string branch = navigation.TreeFor(1);
    EXPECT_EQ(Count(branch, " open"), 2u);
    EXPECT_NE(branch.find("<a class=\"qv-current\" aria-current=\"page\" href=\"two.htm\">"),
              std::string::npos);
    const std::string top = navigation.TreeFor(3);
    EXPECT_EQ(Count(top, " open"), 0u);
    // Every page shows the same tree apart from its marks.
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Unmarked(navigation.TreeFor(i)), Unmarked(deep)) << i;
    }
}

TEST(PageNavigation, ALargeDocumentsTreeHoldsOnlyTheBranchesThatLeadToThePage) {
    const ivPageNavigation navigation(NestedPages(), 3);
    EXPECT_EQ(navigation.TreeFor(3),
              "<ul class=\"qv-tree\">\n"
              "<li class=\"qv-closed\"><a href=\"one.htm\">One</a></li>\n"
              "<li><a class=\"qv-current\" aria-current=\"page\" href=\"four.htm\">Four &amp; "
              "&lt;Co&gt;</a></li>\n"
              "</ul>\n");
    EXPECT_EQ(navigation.TreeFor(1),
              "<ul class=\"qv-tree\">\n"
              "<li><details open><summary><a href=\"one.htm\">One</a></summary>\n<ul>\n"
              "<li><details open><summary><a class=\"qv-current\" aria-current=\"page\" "
              "href=\"two.htm\">Two</a></summary>\n<ul>\n"
              "<li><a href=\"three.htm\">Three</a></li>\n"
              "</ul></details></li>\n"
              "</ul></details></li>\n"
              "<li><a href=\"four.htm\">Four &amp; &lt;Co&gt;</a></li>\n"
              "</ul>\n");
    // At the limit the whole tree is still given.
    EXPECT_EQ(ivPageNavigation(NestedPages(), 4).TreeFor(3),
              ivPageNavigation(NestedPages()).TreeFor(3));
}

TEST(PageNavigation, PreviousAndNextFollowReadingOrderAndStopAtTheEnds) {
    const ivPageNavigation navigation(NestedPages());
    EXPECT_EQ(navigation.PreviousOf(0), "");
    EXPECT_EQ(navigation.NextOf(0), "<a class=\"qv-next\" rel=\"next\" href=\"two.htm\">Two</a>");
    EXPECT_EQ(navigation.PreviousOf(3),
              "<a class=\"qv-prev\" rel=\"prev\" href=\"three.htm\">Three</a>");
    EXPECT_EQ(navigation.NextOf(3), "");
    // A one-page document has neither.
    const ivPageNavigation single({{"only", "Only", 1}});
    EXPECT_EQ(single.PreviousOf(0) + single.NextOf(0), "");
    EXPECT_EQ(single.TreeFor(0),
              "<ul class=\"qv-tree\">\n<li><a class=\"qv-current\" "
              "aria-current=\"page\" href=\"only.htm\">Only</a></li>\n</ul>\n");
}

TEST(PageNavigation, OnlyTemplatesThatAskForItGetIt) {
    EXPECT_FALSE(ivPageNavigation::Wanted("<%title%><%navigation%><%content%><%Next%>"));
    EXPECT_TRUE(ivPageNavigation::Wanted("x<%next%>"));
    std::string page = "<%document%>|<%previous%>|<%next%>|<%Next%>";
    ivPageNavigation(NestedPages()).Fill(page, 0, "Handbuch <1>");
    EXPECT_EQ(page,
              "Handbuch &lt;1&gt;||<a class=\"qv-next\" rel=\"next\" href=\"two.htm\">Two</a>"
              "|<%Next%>");
}

// Pages written with the template installed with the program, named "default".
class ShippedTemplate : public testing::Test {
protected:
    const char* const kDocument =
        "<Document>"
        "<Section ID=\"{1}\" Title=\"Einführung\" Text=\"{\\rtf1 a}\">"
        "<Section ID=\"{2}\" Title=\"Begriffe &amp; Zeichen\" Text=\"{\\rtf1 b}\">"
        "<Section ID=\"{3}\" Title=\"Tiefer\"/></Section></Section>"
        "<Section ID=\"{4}\" Title=\"Anhang\" Alias=\"anhang\" Text=\"{\\rtf1 d}\"/>"
        "<Section ID=\"{5}\" Title=\"Schluss\"/>"
        "</Document>";
    const std::vector<std::string> kAliases{"einf_hrung", "begriffe___zeichen", "tiefer", "anhang",
                                            "schluss"};

    bool Generate(myGeneratorHTML& generator) {
        generator.SetTargetPath(m_out.path());
        generator.SetIndicators(&m_indicators);
        generator.SetConverter(EchoConvert);
        generator.SetProjectName("Handbuch");
        auto tree = MakeDocument(kDocument);
        return generator.Run(tree.get());
    }

    void ExpectPages() {
        for (size_t i = 0; i < kAliases.size(); ++i) {
            SCOPED_TRACE(kAliases[i]);
            const std::string page = ReadFile(m_out.File(kAliases[i] + ".htm"));
            ASSERT_FALSE(page.empty());
            EXPECT_EQ(page.find("<%"), std::string::npos) << "a placeholder is left";
            EXPECT_EQ(Count(page, "<ul class=\"qv-tree\">"), 1u);
            for (const std::string& alias : kAliases) {
                EXPECT_NE(page.find("href=\"" + alias + ".htm\">"), std::string::npos) << alias;
            }
            EXPECT_EQ(Count(page, "aria-current=\"page\""), 1u);
            EXPECT_NE(page.find("aria-current=\"page\" href=\"" + kAliases[i] + ".htm\""),
                      std::string::npos);
            const std::regex previous("class=\"qv-prev\" rel=\"prev\" href=\"([^\"]*)\\.htm\"");
            const std::regex next("class=\"qv-next\" rel=\"next\" href=\"([^\"]*)\\.htm\"");
            std::smatch found;
            if (i == 0) {
                EXPECT_FALSE(std::regex_search(page, found, previous));
            } else {
                ASSERT_TRUE(std::regex_search(page, found, previous));
                EXPECT_EQ(found[1], kAliases[i - 1]);
            }
            if (i + 1 == kAliases.size()) {
                EXPECT_FALSE(std::regex_search(page, found, next));
            } else {
                ASSERT_TRUE(std::regex_search(page, found, next));
                EXPECT_EQ(found[1], kAliases[i + 1]);
            }
            EXPECT_NE(page.find("<title>"), std::string::npos);
            EXPECT_NE(page.find("@media print"), std::string::npos);
            EXPECT_NE(page.find("name=\"viewport\""), std::string::npos);
        }
    }

    IsolatedSettings m_settings;
    TempDir m_out;
    RecordingIndicators m_indicators;
};

TEST_F(ShippedTemplate, EveryPageHasTheTreeItsPlaceMarkedAndItsNeighbours) {
    SetSetting("/Generators/HTML/Template", kShippedTemplateName);
    myGeneratorHTML generator;
    ASSERT_NE(generator.GetTemplatePath(), kShippedTemplateName) << "not installed beside us";
    ASSERT_TRUE(Generate(generator)) << generator.GetError();
    ExpectPages();
    const std::string first = ReadFile(m_out.File("einf_hrung.htm"));
    EXPECT_NE(first.find("<title>Einführung - Handbuch</title>"), std::string::npos);
    EXPECT_NE(first.find("<h1 class=\"qv-title\">Einführung</h1>"), std::string::npos);
    EXPECT_NE(first.find("<p>[einf_hrung|Einführung|16] {\\rtf1 a}</p>"), std::string::npos);
    // The branches above a deep page are open for it; elsewhere they are closed.
    EXPECT_EQ(Count(ReadFile(m_out.File("tiefer.htm")), "<details open><summary><a"), 2u);
    EXPECT_EQ(Count(ReadFile(m_out.File("anhang.htm")), "<details open><summary><a"), 0u);
}

TEST_F(ShippedTemplate, HelpProjectPagesGetItToo) {
    myGeneratorCHM generator;
    generator.SetTemplatePath(kShippedTemplateName);
    generator.SetCompilerStarter(
        [](const std::vector<std::string>&, const std::string&) { return true; });
    ASSERT_TRUE(Generate(generator)) << generator.GetError();
    ExpectPages();
}

TEST(ShippedTemplatePath, FoundBesideTheProgramsOrInTheSharedDataFolder) {
    TempDir dir;
    EXPECT_EQ(FindShippedTemplate(dir.File("lib/quorvane-editor/")), "");
    std::filesystem::create_directories(dir.File("share/quorvane-editor/templates"));
    std::filesystem::create_directories(dir.File("lib/quorvane-editor/templates"));
    WriteFile(dir.File("share/quorvane-editor/templates/default.htm"), "<%content%>");
    EXPECT_EQ(FindShippedTemplate(dir.File("lib/quorvane-editor/")),
              dir.File("lib/quorvane-editor/../../share/quorvane-editor/templates/default.htm"));
    WriteFile(dir.File("lib/quorvane-editor/templates/default.htm"), "<%content%>");
    EXPECT_EQ(FindShippedTemplate(dir.File("lib/quorvane-editor/")),
              dir.File("lib/quorvane-editor/templates/default.htm"));
    // Any other setting names a file of the user's.
    EXPECT_EQ(ResolveTemplatePath("mine.htm"), "mine.htm");
    EXPECT_EQ(ResolveTemplatePath(""), "");
}

}  // namespace
