#include "document/file_import.h"
#include "document/iv_xml.h"
#include "document/outline.h"
#include "document/section_link.h"
#include "document/tree_editor.h"
#include "rtf/convert.h"
#include "rtf/reader.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

// A 2x2 PNG.
std::string Png() {
    static const unsigned char bytes[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
        0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0xfd,
        0xd4, 0x9a, 0x73, 0x00, 0x00, 0x00, 0x11, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
        0xcf, 0xc0, 0x00, 0x44, 0x60, 0xe2, 0x3f, 0x03, 0x00, 0x1d, 0xf0, 0x03, 0xfd, 0xa0, 0x33,
        0x09, 0x89, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class FileImport : public testing::Test {
protected:
    void SetUp() override {
        tree.LoadXml("<Document><Section ID=\"{OLD}\" Title=\"Vorher\"/></Document>");
        editor.SetTree(&tree);
    }

    // The tree as text: titles indented by depth, each body's lines after "| ", its links
    // by the titles of the sections they lead to, and its pictures.
    std::string Dump() {
        tree.GoRoot();
        std::map<std::string, std::string> titles;
        const std::vector<OutlineRow> rows = BuildOutline(tree);
        for (const OutlineRow& row : rows) {
            titles[row.id] = row.title;
        }
        std::string out;
        tree.GoRoot();
        BuildOutline(tree, [&](const OutlineRow& row, ivData& cursor) {
            if (row.depth == 0) {
                return;
            }
            const std::string indent(2 * (row.depth - 1), ' ');
            out += indent + row.numbering + " " + row.title + "\n";
            const std::string body = cursor.GetAttribute("Text");
            std::string text = rtf::RtfToText(body);
            for (size_t from = 0; from < text.size();) {
                const size_t nl = text.find('\n', from);
                out += indent + "| " + text.substr(from, nl - from) + "\n";
                from = nl == std::string::npos ? text.size() : nl + 1;
            }
            for (const std::string& id : section_link::LinkedIds(body)) {
                out += indent + "-> " + (titles.count(id) ? titles[id] : "?" + id) + "\n";
            }
            const rtf::Document read = rtf::ReadRtf(body).document;
            for (const rtf::Picture& picture : read.pictures) {
                out += indent + "[picture " + std::to_string(picture.data.size()) + " bytes, " +
                       std::to_string(picture.width) + "x" + std::to_string(picture.height) +
                       " twips]\n";
            }
        });
        return out;
    }

    ivXML tree;
    ivTreeEditor editor;
    TempDir dir;
};

TEST_F(FileImport, FolderOfMixedFilesBecomesATreeOfSections) {
    const std::string src = dir.File("Handbuch");
    fs::create_directories(src + "/b-kapitel/tief");
    WriteFile(src + "/a.html",
              "<html><head><title>Äpfel &amp; Birnen</title></head><body><h1>Überschrift</h1>"
              "<p>Text mit <b>fett</b> und <a href=\"b-kapitel/intro.md#x\">Einleitung</a>, "
              "<a href=\"https://example.org/\">außen</a>.</p>"
              "<img src=\"b-kapitel/pic.png\" alt=\"Bild\"><img src=\"../geheim.png\" "
              "alt=\"draußen\"><img src=\"/etc/passwd\" alt=\"absolut\">"
              "<ul><li>eins</li><li>zwei <i>kursiv</i></li></ul><ol><li>erstens</li></ol>"
              "<table><tr><th>Kopf</th><td>Zelle</td></tr></table>"
              "<pre>code  mit\n  Einzug</pre><script>alert(1)</script></body></html>");
    WriteFile(src + "/b-kapitel/intro.md",
              "# Einführung\n\nSiehe [A](../a.html) und **mehr**.\n\n- x\n- y\n\n"
              "![Bild](pic.png)\n");
    WriteFile(src + "/b-kapitel/pic.png", Png());
    WriteFile(src + "/b-kapitel/tief/leer.txt", "");
    WriteFile(src + "/c.txt", "Zeile eins\nZeile zwei mit ö\n");
    WriteFile(src + "/d.rtf",
              "{\\rtf1\\ansi {\\pard\\outlinelevel0\\b Kopf aus RTF\\par}Verweis auf "
              "{\\field{\\*\\fldinst{HYPERLINK \"c.txt\"}}{\\fldrslt C}}\\par}");
    WriteFile(src + "/e.html", "<p>Ohne Titel</p>");
    WriteFile(src + "/zz.bin", "no section");
    WriteFile(dir.File("geheim.png"), Png());

    ivImportResult result;
    ivFileImporter importer(editor);
    ASSERT_TRUE(importer.Import({src}, "", result));
    EXPECT_EQ(result.sectionIds.size(), 9u);
    EXPECT_TRUE(result.skipped.empty());
    testing_support::ExpectGolden(std::string(QV_GOLDEN_DIR) + "/import_mixed.txt", Dump());
}

TEST_F(FileImport, NothingOutsideTheFolderIsRead) {
    const std::string src = dir.File("in");
    fs::create_directories(src + "/sub");
    WriteFile(dir.File("outside.txt"), "geheim");
    WriteFile(dir.File("outside.png"), Png());
    fs::create_symlink(dir.File("outside.txt"), src + "/link.txt");
    fs::create_symlink(src, src + "/sub/loop");
    WriteFile(src + "/page.md", "![x](../outside.png) ![y](" + dir.File("outside.png") +
                                    ") ![z](sub/../../outside.png)\n");
    ivImportResult result;
    ivFileImporter importer(editor);
    ASSERT_TRUE(importer.Import({src}, "{OLD}", result));
    const std::string dump = Dump();
    EXPECT_EQ(dump.find("geheim"), std::string::npos) << dump;
    EXPECT_EQ(dump.find("[picture"), std::string::npos) << dump;
    EXPECT_NE(dump.find("  1.1 in\n    1.1.1 page.md\n    | x y z\n    1.1.2 sub\n"),
              std::string::npos)
        << "below the section named, the folder loop not followed\n"
        << dump;
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_NE(result.skipped[0].find("link.txt"), std::string::npos);
}

TEST_F(FileImport, FilesGivenAloneAndFailures) {
    WriteFile(dir.File("eins.txt"), "1");
    WriteFile(dir.File("zwei.md"), "Kein Titel, [eins](eins.txt)\n");
    ivImportResult result;
    ivFileImporter importer(editor);
    EXPECT_FALSE(importer.Import({dir.File("eins.txt")}, "{MISSING}", result));
    EXPECT_TRUE(result.sectionIds.empty());
    ASSERT_TRUE(importer.Import({dir.File("zwei.md"), dir.File("eins.txt")}, "", result));
    const std::string dump = Dump();
    EXPECT_NE(dump.find("2 zwei.md\n| Kein Titel, eins\n-> eins.txt\n3 eins.txt\n"),
              std::string::npos)
        << "a link to a file given beside it\n"
        << dump;
    EXPECT_FALSE(importer.Import({dir.File("nicht-da.txt")}, "", result));
}

// Every RTF and text file of the corpus, read in place as one folder.
TEST_F(FileImport, CorpusImportsWholeWithoutLosingText) {
    const std::string corpus = QV_RTF_CORPUS;
    if (!fs::is_directory(corpus)) {
        GTEST_SKIP() << "no corpus at " << corpus;
    }
    std::vector<std::string> expected;
    size_t entries = 1;
    for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_directory()) {
            ++entries;
        } else if (ext == ".rtf" || ext == ".txt" || ext == ".md") {
            ++entries;
            if (ext != ".md") {
                expected.push_back(rtf::RtfToText(testing_support::ReadFile(entry.path())));
            }
        }
    }
    ivImportResult result;
    ivFileImporter importer(editor);
    ASSERT_TRUE(importer.Import({corpus}, "", result));
    EXPECT_EQ(result.sectionIds.size(), entries);

    std::vector<std::string> actual;
    tree.GoRoot();
    BuildOutline(tree, [&](const OutlineRow& row, ivData& cursor) {
        const std::string body = cursor.GetAttribute("Text");
        if (row.depth > 0 && !body.empty()) {
            actual.push_back(rtf::RtfToText(body));
        }
    });
    // Each file's text is some section's text.
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    std::vector<std::string> lost;
    std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(),
                        std::back_inserter(lost));
    EXPECT_TRUE(lost.empty()) << lost.size() << " files lost text, e.g.:\n"
                              << (lost.empty() ? "" : lost[0].substr(0, 300));
    // The document still saves and reads back.
    ivXML reread;
    reread.LoadXml(tree.SaveToString());
    reread.GoRoot();
    EXPECT_EQ(BuildOutline(reread).size(), entries + 2) << "with the document and \"Vorher\"";
}

// The words of a Markdown file, with its syntax gone, are the words of its section, in order:
// nothing of headings, lists, quotes, tables, code or inline markup is lost or doubled.
TEST_F(FileImport, MarkdownKeepsEveryWordOfItsText) {
    WriteFile(dir.File("notes.md"),
              "Vorwort ohne Überschrift\n\n"
              "# Größe & Maß\n\n"
              "Ein *kursives*, **fettes** und ~~gestrichenes~~ Wort, `code<x>` und "
              "<https://example.org/a?b=1&c=2> sowie &copy; und <b>roh</b>.\\\n"
              "Nach dem harten Umbruch.\n\n"
              "## Liste\n\n"
              "1. erstens\n"
              "   - verschachtelt eins\n"
              "   - verschachtelt zwei\n"
              "2. zweitens\n\n"
              "> zitiert\n> weiter\n\n"
              "| Kopf A | Kopf B |\n|---|---|\n| Zelle 1 | Zelle 2 |\n\n"
              "```\nif (a < b && c) { return; }\n```\n\n"
              "Ende.\n");
    ivImportResult result;
    ivFileImporter importer(editor);
    ASSERT_TRUE(importer.Import({dir.File("notes.md")}, "", result));
    ASSERT_EQ(result.sectionIds.size(), 1u);
    tree.GoRoot();
    std::string body;
    std::string title;
    BuildOutline(tree, [&](const OutlineRow& row, ivData& cursor) {
        if (row.id == result.sectionIds[0]) {
            body = cursor.GetAttribute("Text");
            title = row.title;
        }
    });
    EXPECT_EQ(title, "Größe & Maß") << "the first heading, not the text before it";
    const auto words = [](const std::string& text) {
        std::vector<std::string> out;
        std::string word;
        for (const char c : text + " ") {
            const bool space = c == ' ' || c == '\n' || c == '\t' || c == '\r';
            if (!space) {
                word += c;
            } else if (!word.empty()) {
                out.push_back(word);
                word.clear();
            }
        }
        return out;
    };
    std::vector<std::string> text = words(rtf::RtfToText(body));
    // The list numbers and bullets are the list's own marks, not words of the file.
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](const std::string& w) {
                                  return w == "1." || w == "2." || w == "\u2022" || w == "\u25E6";
                              }),
               text.end());
    EXPECT_EQ(text, words("Vorwort ohne Überschrift Größe & Maß Ein kursives, fettes und "
                          "gestrichenes Wort, code<x> und https://example.org/a?b=1&c=2 sowie "
                          "© und roh. Nach dem harten Umbruch. Liste erstens verschachtelt eins "
                          "verschachtelt zwei zweitens zitiert weiter Kopf A Kopf B Zelle 1 "
                          "Zelle 2 if (a < b && c) { return; } Ende."));
}

}  // namespace
