#include "core/directories.h"
#include "generators/automation.h"
#include "generators/docx_document.h"
#include "generators/generator_word.h"
#include "platform/desktop.h"
#include "tests/generators/generator_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using generator_testing::ExpectGolden;
using generator_testing::kGenerating;
using generator_testing::MakeDocument;
using generator_testing::RecordingIndicators;
using testing_support::IsolatedSettings;
using testing_support::ReadFile;
using testing_support::TempDir;

// A stand-in for the word processor that records every call as "Object.Member(args)" and
// hands out further recording objects; InsertFile records the content of the file it gets.
class Recorder {
public:
    class Object : public ivDispatch {
    public:
        Object(Recorder& recorder, std::string name)
            : m_recorder(recorder), m_name(std::move(name)) {}
        bool Invoke(const std::string& member, ivInvokeKind kind,
                    const std::vector<ivVariant>& args, ivVariant& result) override {
            std::string line = m_name + "." + member;
            if (kind == ivInvokeKind::PropertyPut) {
                line += " = " + args.at(0).Describe();
            } else if (kind == ivInvokeKind::Method) {
                line += "(";
                for (size_t i = 0; i < args.size(); ++i) {
                    line += (i ? ", " : "") + Arg(args[i]);
                }
                line += ")";
            }
            m_recorder.m_calls.push_back(line);
            if (member == m_recorder.m_failAt) {
                return false;
            }
            const std::string made = Makes(member);
            if (!made.empty()) {
                result = ivVariant::Object(std::make_shared<Object>(m_recorder, made));
            }
            return true;
        }

    private:
        std::string Arg(const ivVariant& v) const {
            if (v.type == ivVariant::Type::Object) {
                return "<" + static_cast<Object&>(*v.object).m_name + ">";
            }
            // The temporary file's name is fresh every time; its place and content are what
            // can be checked.
            if (v.type == ivVariant::Type::String && v.text.ends_with(".rtf")) {
                const bool inTemp = v.text.starts_with(GetTempDirectory());
                return std::string(inTemp ? "temp" : "elsewhere") + ":" + ReadFile(v.text);
            }
            return v.Describe();
        }
        std::string Makes(const std::string& member) const {
            if (member == "Documents")
                return "Documents";
            if (member == "Add")
                return m_name == "Documents" ? "Document" : "Paragraph";
            if (member == "Content")
                return "Content";
            if (member == "Bookmarks")
                return "Bookmarks";
            if (member == "Item")
                return "Bookmark";
            if (member == "Range")
                return m_name == "Bookmark" ? "End" : "Range";
            if (member == "Paragraphs")
                return "Paragraphs";
            return {};
        }

        Recorder& m_recorder;
        std::string m_name;
    };

    Recorder() {
        m_previous = SetDispatchFactory([this](const std::string& id) -> ivDispatchPtr {
            m_calls.push_back("create " + id);
            return id == "Word.Application" && !m_noApplication
                       ? std::make_shared<Object>(*this, "Application")
                       : nullptr;
        });
    }
    ~Recorder() { SetDispatchFactory(std::move(m_previous)); }

    std::vector<std::string> m_calls;
    std::string m_failAt;
    bool m_noApplication = false;

private:
    ivDispatchFactory m_previous;
};

const std::vector<std::string> kAppendParagraph = {
    "Document.Content", "Document.Bookmarks", "Bookmarks.Item(\"\\endofdoc\")",
    "Bookmark.Range",   "Content.Paragraphs", "Paragraphs.Add(<End>)"};

class WordGenerator : public testing::Test {
protected:
    WordGenerator() {
        platform::SetLauncher([this](const std::vector<std::string>& argv, const std::string&) {
            m_launched.push_back(argv);
            return true;
        });
    }
    ~WordGenerator() override { platform::SetLauncher({}); }

    bool Generate(const std::string& document, bool open = true) {
        myGeneratorMicrosoftWord generator;
        generator.SetTargetPath(m_out.path());
        generator.SetProjectName("Manual");
        generator.SetIndicators(&m_indicators);
        generator.SetOpenResult(open);
        auto tree = MakeDocument(document);
        const bool ok = generator.Run(tree.get());
        m_output = generator.GetOutputPath();
        return ok;
    }

    // A section's calls; its heading gets the bookmark that links to the section lead to.
    static std::vector<std::string> SectionCalls(const std::string& title, const std::string& rtf,
                                                 const std::string& bookmark) {
        std::vector<std::string> calls = kAppendParagraph;
        calls.insert(calls.end(),
                     {"Paragraph.Range", "Range.Text = \"" + title + "\"", "Paragraph.Style = -2",
                      "Document.Bookmarks", "Bookmarks.Add(\"" + bookmark + "\", <Range>)",
                      "Range.InsertParagraphAfter()"});
        calls.insert(calls.end(), kAppendParagraph.begin(), kAppendParagraph.end());
        calls.insert(calls.end(), {"Paragraph.Range",
                                   "Range.InsertFile(temp:" + rtf + ", \"\", false, false, false)",
                                   "Range.InsertParagraphAfter()"});
        return calls;
    }

    std::vector<std::string> TempFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(GetTempDirectory())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    IsolatedSettings m_settings;
    TempDir m_out;
    RecordingIndicators m_indicators;
    std::vector<std::vector<std::string>> m_launched;
    std::string m_output;
};

TEST_F(WordGenerator, CallsTheWordProcessorInOrder) {
    Recorder word;
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='One' Text='{\\rtf1 a}'>"
                 "<Section ID='{2}' Title='Two' Text='{\\rtf1 b}'><Section ID='{3}' Title='Three'/>"
                 "</Section></Section></Document>"));
    std::vector<std::string> expected = {"create Word.Application", "Application.Visible = true",
                                         "Application.Documents", "Documents.Add()",
                                         "Document.UpdateStyles()"};
    for (const auto& [title, rtf, bookmark] : {std::tuple{"One", "{\\rtf1 a}", "_Sec1"},
                                               {"Two", "{\\rtf1 b}", "_Sec2"},
                                               {"Three", "", "_Sec3"}}) {
        const auto calls = SectionCalls(title, rtf, bookmark);
        expected.insert(expected.end(), calls.begin(), calls.end());
    }
    expected.push_back("Document.SaveAs2(\"" + m_out.File("Manual.docx") + "\")");
    EXPECT_EQ(word.m_calls, expected);
    EXPECT_TRUE(TempFiles().empty()) << "the temporary RTF files are removed";
    EXPECT_EQ(m_indicators.Values("PROGRESS"), (std::vector<int>{0, 0}));
    EXPECT_EQ(m_indicators.Values("MODE"), (std::vector<int>{kGenerating, 0}));
    EXPECT_EQ(m_launched,
              (std::vector<std::vector<std::string>>{{"xdg-open", m_out.File("Manual.docx")}}));
}

TEST_F(WordGenerator, DocumentWithoutSectionsIsStillMade) {
    Recorder word;
    ASSERT_TRUE(Generate("<Document/>", false));
    EXPECT_EQ(word.m_calls.back(), "Document.SaveAs2(\"" + m_out.File("Manual.docx") + "\")");
    EXPECT_EQ(word.m_calls.size(), 6u);
    EXPECT_TRUE(m_launched.empty()) << "not opened when the caller says so";
}

TEST_F(WordGenerator, ARejectedCallStopsTheRun) {
    Recorder word;
    word.m_failAt = "InsertFile";
    EXPECT_FALSE(
        Generate("<Document><Section ID='{1}' Title='A'/><Section ID='{2}' Title='B'/>"
                 "</Document>"));
    EXPECT_TRUE(word.m_calls.back().starts_with("Range.InsertFile")) << "nothing after it";
    EXPECT_EQ(m_indicators.Values("MODE").back(), 0);
    EXPECT_TRUE(m_launched.empty());
    EXPECT_EQ(m_output, "");
}

TEST_F(WordGenerator, NoWordProcessorFailsTheRun) {
    Recorder word;
    word.m_noApplication = true;
    EXPECT_FALSE(Generate("<Document><Section ID='{1}' Title='A'/></Document>"));
    EXPECT_EQ(word.m_calls, (std::vector<std::string>{"create Word.Application"}));
}

// Our writer: headings in "Heading 1" whatever the depth, bodies through the RTF engine.
TEST_F(WordGenerator, WritesADocxPackage) {
    ASSERT_TRUE(Generate(
        "<Document><Section ID='{1}' Title='One &amp; &lt;1&gt;' "
        "Text='{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello \\b bold\\b0\\par Second\\par}'>"
        "<Section ID='{2}' Title='Two' Text='{\\rtf1 Plain}'><Section ID='{3}' "
        "Title='Dr\xc3\xaai'/></Section></Section></Document>",
        false));
    ASSERT_EQ(m_output, m_out.File("Manual.docx"));
    const auto parts = ReadDocxParts(m_output);
    std::vector<std::string> names;
    for (const auto& [name, bytes] : parts) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"[Content_Types].xml", "_rels/.rels",
                                               "word/_rels/document.xml.rels", "word/document.xml",
                                               "word/styles.xml"}));
    if (parts.size() == names.size()) {
        ExpectGolden("three_sections.document.xml", parts.at("word/document.xml"));
        ExpectGolden("three_sections.styles.xml", parts.at("word/styles.xml"));
        ExpectGolden("three_sections.content_types.xml", parts.at("[Content_Types].xml"));
        ExpectGolden("three_sections.document.xml.rels", parts.at("word/_rels/document.xml.rels"));
    }
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(WordGenerator, LinkInPlaceOfTheDocumentIsNotWrittenThrough) {
    TempDir outside;
    testing_support::WriteFile(outside.File("victim"), "keep");
    std::filesystem::create_symlink(outside.File("victim"), m_out.File("Manual.docx"));
    EXPECT_FALSE(Generate("<Document><Section ID='{1}' Title='A'/></Document>", false));
    EXPECT_EQ(ReadFile(outside.File("victim")), "keep");
    EXPECT_TRUE(std::filesystem::is_symlink(m_out.File("Manual.docx")));
    EXPECT_TRUE(m_launched.empty());
}

TEST_F(WordGenerator, LibreOfficeOpensTheDocument) {
    if (!testing_support::HaveLibreOffice()) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    ASSERT_TRUE(Generate(
        "<Document><Section ID='{1}' Title='Heading one' Text='{\\rtf1 Body \\i text\\i0.\\par}'>"
        "<Section ID='{2}' Title='Heading two' Text='{\\rtf1 More.}'/></Section></Document>",
        false));
    std::string log;
    ASSERT_EQ(
        testing_support::RunLibreOffice(m_out.path(), "--convert-to txt:Text Manual.docx", &log), 0)
        << log;
    std::string text = ReadFile(m_out.File("Manual.txt"));
    if (text.starts_with("\xef\xbb\xbf")) {
        text.erase(0, 3);
    }
    EXPECT_EQ(text, "Heading one\nBody text.\nHeading two\nMore.\n\n")
        << ReadFile(m_out.File("soffice.log"));
}

// Bodies with lists, pictures, hyperlinks and footnotes bring their parts into the package,
// and LibreOffice reads it all.
TEST_F(WordGenerator, BodiesBringTheirPartsIntoThePackage) {
    ivXML tree;
    tree.Create();
    tree.AddNode("Document");
    int n = 0;
    for (const char* fixture : {"word_lists.rtf", "pictures.rtf", "hyperlinks.rtf",
                                "footnotes_hidden.rtf", "word_tables.rtf", "metafiles.rtf",
                                "tables_borders_shading.rtf", "bookmarks.rtf", "emoji.rtf"}) {
        tree.AddNode("Section");
        tree.AddAttribute("ID", "{" + std::to_string(++n) + "}");
        tree.AddAttribute("Title", fixture);
        tree.AddAttribute("Text", ReadFile(std::string(QV_RTF_FIXTURES) + "/" + fixture));
        tree.EndNode();
    }
    tree.EndNode();
    myGeneratorMicrosoftWord generator;
    generator.SetTargetPath(m_out.path());
    generator.SetProjectName("Parts");
    generator.SetOpenResult(false);
    ASSERT_TRUE(generator.Run(&tree));
    const auto parts = ReadDocxParts(m_out.File("Parts.docx"));
    ASSERT_TRUE(parts.count("word/numbering.xml"));
    ASSERT_TRUE(parts.count("word/footnotes.xml"));
    const std::string& types = parts.at("[Content_Types].xml");
    const std::string& rels = parts.at("word/_rels/document.xml.rels");
    EXPECT_NE(rels.find("Target=\"http://a.example/\" TargetMode=\"External\""), std::string::npos)
        << rels;
    int media = 0;
    for (const auto& [name, bytes] : parts) {
        if (name.starts_with("word/media/")) {
            ++media;
            EXPECT_NE(types.find("PartName=\"/" + name + "\""), std::string::npos) << name;
            EXPECT_NE(rels.find("Target=\"" + name.substr(5) + "\""), std::string::npos) << name;
        }
    }
    EXPECT_GT(media, 0);

    if (!testing_support::HaveLibreOffice()) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    std::string log;
    ASSERT_EQ(
        testing_support::RunLibreOffice(m_out.path(), "--convert-to txt:Text Parts.docx", &log), 0)
        << log;
    const std::string text = ReadFile(m_out.File("Parts.txt"));
    for (const char* expected :
         {"word_lists.rtf", "first link", "word_tables.rtf", "Heading across two",
          "Boxed paragraph.", "Details with a figure", "\xF0\x9F\x98\x80", "\xF0\xA0\x80\x80"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    }
    EXPECT_EQ(text.find("hidden words"), std::string::npos) << text;
    EXPECT_EQ(text.find("A hidden paragraph"), std::string::npos) << text;
    // Every picture comes back as a picture, metafiles included: LibreOffice's HTML export
    // names one image file per picture it could read.
    ASSERT_EQ(testing_support::RunLibreOffice(
                  m_out.path(), "--convert-to 'html:HTML (StarWriter)' Parts.docx", &log),
              0)
        << log;
    const std::string html = ReadFile(m_out.File("Parts.html"));
    size_t images = 0;
    for (size_t at = html.find("<img "); at != std::string::npos; at = html.find("<img ", at + 1)) {
        ++images;
    }
    EXPECT_EQ(images, static_cast<size_t>(media)) << html.substr(0, 2000);
}

}  // namespace
