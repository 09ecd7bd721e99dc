#include "core/settings.h"
#include "generators/generator_html.h"
#include "rtf/convert.h"
#include "tests/generators/generator_test_util.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

namespace {

using generator_testing::EchoConvert;
using generator_testing::ExpectGolden;
using generator_testing::kGenerating;
using generator_testing::MakeDocument;
using generator_testing::RecordingIndicators;
using testing_support::IsolatedSettings;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

class HtmlGenerator : public testing::Test {
protected:
    // Runs a fresh HTML generator over the document, with the echoing converter.
    bool Generate(const std::string& document, const std::string& templateText = {}) {
        if (!templateText.empty()) {
            WriteFile(m_settings.dir().File("template.htm"), templateText);
            SetSetting("/Generators/HTML/Template", m_settings.dir().File("template.htm"));
        }
        myGeneratorHTML generator;
        generator.SetTargetPath(m_out.path());
        generator.SetIndicators(&m_indicators);
        generator.SetConverter(EchoConvert);
        auto tree = MakeDocument(document);
        const bool ok = generator.Run(tree.get());
        m_navigation = generator.GetNavigationList();
        m_error = generator.GetError();
        return ok;
    }

    std::string Page(const std::string& alias) const {
        return ReadFile(m_out.File(alias + ".htm"));
    }

    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_out.path())) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    IsolatedSettings m_settings;
    TempDir m_out;
    RecordingIndicators m_indicators;
    std::string m_navigation;
    std::string m_error;
};

TEST_F(HtmlGenerator, WithoutTemplateAPageIsTheConvertedBody) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='Intro' Text='{\\rtf1 one}'>"
                 "<Section ID='{2}' Title='Sub' Alias='details' Text='{\\rtf1 two}'/></Section>"
                 "<Section ID='{3}' Title='Empty'/></Document>"));
    EXPECT_EQ(Files(), (std::set<std::string>{"intro.htm", "details.htm", "empty.htm"}))
        << "one page per section and nothing else";
    EXPECT_EQ(Page("intro"), "<p>[intro|Intro|0] {\\rtf1 one}</p>");
    EXPECT_EQ(Page("details"), "<p>[details|Sub|0] {\\rtf1 two}</p>");
    EXPECT_EQ(Page("empty"),
              "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Empty</title>\n"
              "</head>\n<body>\n<h1>Empty</h1>\n</body>\n</html>\n")
        << "an empty body is not converted; its page shows the title";
    EXPECT_EQ(m_navigation,
              "<a href=\"intro.htm\" title=\"Intro\">Intro</a><br>\n"
              "<a href=\"details.htm\" title=\"Sub\">Sub</a><br>\n"
              "<a href=\"empty.htm\" title=\"Empty\">Empty</a><br>\n");
}

TEST_F(HtmlGenerator, TemplateGetsNavigationTitleAndContent) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='A' Alias='a' Text='x'/>"
                 "<Section ID='{2}' Title='B' Alias='b' Text='y'/></Document>",
                 "<html><title><%title%></title><nav><%navigation%></nav><main><%content%></main>\n"
                 "<%title%>|<%Title%>|<%CONTENT%>|<% title %></html>\n"));
    ExpectGolden("template_a.htm", Page("a"));
    ExpectGolden("template_b.htm", Page("b"));
}

TEST_F(HtmlGenerator, TitlesAreEscapedWhereverTheyEnterMarkup) {
    ASSERT_TRUE(Generate(
        "<Document><Section ID='{1}' Title='a &lt; b &amp; \"c\" &lt;%content%&gt;' Alias='t' "
        "Text='&lt;%navigation%&gt; &lt;b&gt;'/></Document>",
        "<h1><%title%></h1><%navigation%><%content%>"));
    EXPECT_EQ(Page("t"),
              "<h1>a &lt; b &amp; &quot;c&quot; &lt;%content%&gt;</h1>"
              "<a href=\"t.htm\" title=\"a &lt; b &amp; &quot;c&quot; &lt;%content%&gt;\">"
              "a &lt; b &amp; &quot;c&quot; &lt;%content%&gt;</a><br>\n"
              "<p>[t|a < b & \"c\" <%content%>|16] <%navigation%> <b></p>")
        << "the body is inserted as converted; placeholders inside it stay";
}

TEST_F(HtmlGenerator, TemplateWithoutPlaceholdersLeavesThingsOut) {
    ASSERT_TRUE(Generate("<Document><Section ID='{1}' Title='A' Text='x'/></Document>",
                         "<p>static <%navigation%></p>"));
    EXPECT_EQ(Page("a"), "<p>static <a href=\"a.htm\" title=\"A\">A</a><br>\n</p>");
}

// A template that is missing, a pipe, a device or 2 GB gave exit 0 and pages without it (or
// gigabytes per page); now the run fails before it writes anything, naming the file.
TEST_F(HtmlGenerator, TemplateThatCannotBeReadOrIsTooLargeFailsTheRunNamingIt) {
    const std::string pipe = m_settings.dir().File("pipe.htm");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string huge = m_settings.dir().File("huge.htm");
    WriteFile(huge, "");
    ASSERT_EQ(truncate(huge.c_str(), off_t{2} << 30), 0) << "sparse: nothing is written";
    const std::string missing = m_settings.dir().File("missing.htm");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {missing, missing + ": " + std::strerror(ENOENT)},
        {pipe, pipe + ": Not a regular file"},
        {"/dev/zero", "/dev/zero: Not a regular file"},
        {huge, huge + ": Larger than 4 MB"},
    };
    for (const auto& [path, reason] : cases) {
        SetSetting("/Generators/HTML/Template", path);
        EXPECT_FALSE(Generate("<Document><Section ID='{1}' Title='A' Text='x'/></Document>"));
        EXPECT_EQ(m_error, "The page template cannot be read: " + reason);
        EXPECT_TRUE(Files().empty()) << path;
    }
    // An empty template is read, and frames nothing.
    WriteFile(m_settings.dir().File("empty.htm"), "");
    SetSetting("/Generators/HTML/Template", m_settings.dir().File("empty.htm"));
    ASSERT_TRUE(Generate("<Document><Section ID='{1}' Title='A' Text='x'/></Document>"));
    EXPECT_EQ(Page("a"), "<p>[a|A|16] x</p>") << "the flag still says a template was set";
}

TEST_F(HtmlGenerator, AliasesAreUniqueAndStayInsideTheTargetFolder) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='Intro'/><Section ID='{2}' Title='intro'/>"
                 "<Section ID='{3}' Title='INTRO'/><Section ID='{4}' Title='x' Alias='../../evil'/>"
                 "<Section ID='{5}' Title='y' Alias='/tmp/abs'/><Section ID='{6}' Title=''/>"
                 "<Section ID='{7}'/><Section ID='{8}' Title='z' Alias='My-Page.v2'/></Document>"));
    EXPECT_EQ(Files(), (std::set<std::string>{"intro.htm", "intro_2.htm", "intro_3.htm",
                                              "______evil.htm", "_tmp_abs.htm", "section.htm",
                                              "section_2.htm", "My-Page.v2.htm"}));
    EXPECT_FALSE(std::filesystem::exists(m_out.path() + "../../evil.htm"));
}

TEST_F(HtmlGenerator, UserAliasTakenBeforeNumberingIsSkipped) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='u' Alias='intro_2'/>"
                 "<Section ID='{2}' Title='Intro'/><Section ID='{3}' Title='Intro'/></Document>"));
    EXPECT_EQ(Files(), (std::set<std::string>{"intro_2.htm", "intro.htm", "intro_3.htm"}));
}

TEST_F(HtmlGenerator, SectionsSharingAnIdEachGetTheirPage) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='First' Text='one'/>"
                 "<Section ID='{1}' Title='Second' Text='two'/></Document>"));
    EXPECT_EQ(Page("first"), "<p>[first|First|0] one</p>");
    EXPECT_EQ(Page("second"), "<p>[second|Second|0] two</p>");
}

TEST_F(HtmlGenerator, CommentsBetweenSectionsAreNoSections) {
    ASSERT_TRUE(
        Generate("<Document><!-- a --><Section ID='{1}' Title='A'><!-- b --></Section>text<?pi x?>"
                 "</Document>"));
    EXPECT_TRUE(Files().count("a.htm"));
}

TEST_F(HtmlGenerator, DocumentWithoutSectionsWritesNothing) {
    ASSERT_TRUE(Generate("<Document/>"));
    EXPECT_TRUE(Files().empty());
    EXPECT_EQ(m_indicators.Values("PROGRESS"), (std::vector<int>{0, 0}));
}

TEST_F(HtmlGenerator, ProgressGoesUpOncePerSection) {
    ASSERT_TRUE(Generate("<Document><Section ID='{1}' Title='A'/></Document>"));
    EXPECT_EQ(m_indicators.Values("PROGRESS"), (std::vector<int>{0, 100, 0}));
    EXPECT_EQ(m_indicators.Values("MODE"), (std::vector<int>{kGenerating, kGenerating, 0}));
}

TEST_F(HtmlGenerator, ProgressRoundsDown) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='A'><Section ID='{2}' Title='B'/></Section>"
                 "<Section ID='{3}' Title='C'/></Document>"));
    EXPECT_EQ(m_indicators.Values("PROGRESS"), (std::vector<int>{0, 33, 66, 100, 0}));
}

TEST_F(HtmlGenerator, AFolderThatCannotBeWrittenFailsTheRun) {
    if (geteuid() == 0) {
        // root writes anywhere; a missing folder fails for everyone.
        std::filesystem::remove_all(m_out.path());
    } else {
        chmod(m_out.path().c_str(), 0500);
    }
    EXPECT_FALSE(Generate("<Document><Section ID='{1}' Title='A'/></Document>"));
    EXPECT_EQ(m_indicators.Calls().back(), std::make_pair(std::string("PROGRESS"), 0));
    EXPECT_EQ(m_indicators.Values("MODE").back(), 0);
    chmod(m_out.path().c_str(), 0700);
}

TEST_F(HtmlGenerator, TemplateIsReadOncePerRun) {
    // The template lies in the target folder and a section's page overwrites it; every page
    // still gets the template as it was when the run began.
    WriteFile(m_out.File("tpl.htm"), "[<%content%>]");
    SetSetting("/Generators/HTML/Template", m_out.File("tpl.htm"));
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='tpl' Text='1'/>"
                 "<Section ID='{2}' Title='b' Text='2'/></Document>"));
    EXPECT_EQ(Page("b"), "[<p>[b|b|16] 2</p>]");
}

TEST_F(HtmlGenerator, TemplateWithoutCharsetIsDeclaredUtf8) {
    ASSERT_TRUE(Generate("<Document><Section ID='{1}' Title='\xc3\x9c' Alias='u'/></Document>",
                         "<html><head><title><%title%></title></head></html>"));
    EXPECT_EQ(Page("u"),
              "<html><head><meta charset=\"utf-8\"><title>\xc3\x9c</title></head></html>");
}

// With the real converter: bodies become pages of their own, UTF-8 and saying so, and the
// converter's temporary files are gone afterwards.
TEST_F(HtmlGenerator, ConvertsBodiesThroughTheConverter) {
    myGeneratorHTML generator;
    generator.SetTargetPath(m_out.path());
    auto tree = MakeDocument(
        "<Document><Section ID='{1}' Title='Caf\xc3\xa9' Alias='cafe' Text=\"{\\rtf1\\ansi "
        "Gr\\'fc\\'dfe \\b fett\\b0\\par}\"/></Document>");
    ASSERT_TRUE(generator.Run(tree.get()));
    const std::string page = Page("cafe");
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos) << page;
    EXPECT_NE(page.find("<title>Caf\xc3\xa9</title>"), std::string::npos) << page;
    EXPECT_NE(page.find("Gr\xc3\xbc\xc3\x9f"
                        "e <strong>fett</strong>"),
              std::string::npos)
        << page;
    EXPECT_EQ(Files(), (std::set<std::string>{"cafe.htm"}));
    EXPECT_TRUE(std::filesystem::is_empty(m_settings.dir().File("temp")))
        << "the converter's private folder is gone";
}

// A link planted in the target folder under a page's name let the converter truncate and
// write the file it pointed at, outside the folder. Now neither the converter (working in a
// private folder) nor the generator writes through it or replaces it, and the run fails,
// naming the page.
TEST_F(HtmlGenerator, LinkInTheTargetFolderIsNeitherWrittenThroughNorReplaced) {
    TempDir outside;
    WriteFile(outside.File("victim.txt"), "precious");
    const std::string link = m_out.File("intro.htm");
    std::filesystem::create_symlink(outside.File("victim.txt"), link);
    myGeneratorHTML generator;
    generator.SetTargetPath(m_out.path());
    auto tree = MakeDocument(
        "<Document><Section ID='{1}' Title='Intro' Text='{\\rtf1 overwritten\\par}'/></Document>");
    EXPECT_FALSE(generator.Run(tree.get()));
    EXPECT_EQ(generator.GetError(), link + ": A symbolic link, which is not written through");
    EXPECT_EQ(ReadFile(outside.File("victim.txt")), "precious");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Files(), (std::set<std::string>{"intro.htm"})) << "no temporary file in the target";
    EXPECT_TRUE(std::filesystem::is_empty(m_settings.dir().File("temp")));
}

// Text for an XML attribute in single quotes.
std::string EscapeXml(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '\'' ? "&apos;" : std::string(1, c);
    }
    return out;
}

// Links reach bookmarks wherever they are: in the same body as "#name", in another
// section's body as "page.htm#name"; a local file with a fragment naming a bookmark of the
// document counts as a link to it. Links elsewhere stay as they are.
TEST(HtmlGeneratorLinks, LinksToBookmarksReachTheirPages) {
    IsolatedSettings settings;
    TempDir out;
    myGeneratorHTML generator;
    generator.SetTargetPath(out.path());
    generator.SetIndicators(nullptr);
    generator.SetConverter([](const std::string& rtf, const std::string&, const std::string&,
                              const std::string&, unsigned) {
        rtf::HtmlOptions options;
        options.fragment = true;
        return rtf::RtfToHtml(rtf, options);
    });
    const std::string first =
        "{\\rtf1 {\\*\\bkmkstart here}Here{\\*\\bkmkend here} "
        "{\\field{\\*\\fldinst HYPERLINK \\\\l \"here\"}{\\fldrslt same}} "
        "{\\field{\\*\\fldinst HYPERLINK \\\\l \"there\"}{\\fldrslt other}} "
        "{\\field{\\*\\fldinst HYPERLINK \"manual.doc#there\"}{\\fldrslt file}} "
        "{\\field{\\*\\fldinst HYPERLINK \"http://x.example/#there\"}{\\fldrslt web}} "
        "{\\field{\\*\\fldinst HYPERLINK \\\\l \"nowhere\"}{\\fldrslt dead}}}";
    const std::string second =
        "{\\rtf1 {\\*\\bkmkstart there}There{\\*\\bkmkend there} "
        "{\\field{\\*\\fldinst REF here \\\\h}{\\fldrslt back}}}";
    auto tree = MakeDocument("<Document><Section ID='{1}' Title='One' Text='" + EscapeXml(first) +
                             "'/><Section ID='{2}' Title='Two' Text='" + EscapeXml(second) +
                             "'/></Document>");
    ASSERT_TRUE(generator.Run(tree.get()));
    const std::string one = ReadFile(out.File("one.htm"));
    EXPECT_NE(one.find("<a id=\"here\" name=\"here\"></a>"), std::string::npos) << one;
    EXPECT_NE(one.find("<a href=\"#here\">same</a>"), std::string::npos) << one;
    EXPECT_NE(one.find("<a href=\"two.htm#there\">other</a>"), std::string::npos) << one;
    EXPECT_NE(one.find("<a href=\"two.htm#there\">file</a>"), std::string::npos) << one;
    EXPECT_NE(one.find("<a href=\"http://x.example/#there\">web</a>"), std::string::npos) << one;
    EXPECT_NE(one.find("<a href=\"#nowhere\">dead</a>"), std::string::npos) << one;
    const std::string two = ReadFile(out.File("two.htm"));
    EXPECT_NE(two.find("<a href=\"one.htm#here\">back</a>"), std::string::npos) << two;
}

// A section without a title is named by its own alias, or as "Section", wherever readers see
// its name: in the navigation, the template's title and its page.
TEST_F(HtmlGenerator, UntitledSectionsAreNamedForReaders) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='' Alias='faq' Text='x'/>"
                 "<Section ID='{2}' Title=''/></Document>",
                 "<title><%title%></title><%navigation%><%content%>"));
    EXPECT_EQ(m_navigation,
              "<a href=\"faq.htm\" title=\"faq\">faq</a><br>\n"
              "<a href=\"section.htm\" title=\"Section\">Section</a><br>\n");
    EXPECT_EQ(Page("section").rfind("<title>Section</title>", 0), 0u) << Page("section");
    EXPECT_EQ(Page("faq").rfind("<title>faq</title>", 0), 0u) << Page("faq");
}

}  // namespace
