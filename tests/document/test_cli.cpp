#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

using Result = testing_support::CommandResult;

// Runs quorvane-cli with its own home folder; standard error is folded into the output.
Result RunCli(const TempDir& home, const std::string& args, const std::string& env = {}) {
    return testing_support::RunShell("HOME='" + home.path() + "' XDG_CONFIG_HOME='" + home.path() +
                                     "cfg' " + env + " '" + QV_CLI_PATH + "' " + args + " 2>&1");
}

TEST(Cli, OutlinePrintsTheSectionList) {
    TempDir dir;
    WriteFile(dir.File("doc.etf"),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>\n"
              "  <Section ID=\"{A}\" Title=\"Intro &amp; \xe4\">\n    <!-- draft -->\n"
              "    <Section ID=\"{B}\" Title=\"Sub\"/>\n  </Section>\n"
              "  <Section ID=\"{C}\" Title=\"&#946;\"/>\n</Document>\n");
    const Result r = RunCli(dir, "outline '" + dir.File("doc.etf") + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "\tDocument\t\n1\tIntro & \xc3\xa4\t{A}\n1.2\tSub\t{B}\n2\t\xce\xb2\t{C}\n");
}

TEST(Cli, ReportsDocumentsThatCannotBeOpened) {
    TempDir dir;
    WriteFile(dir.File("broken.etf"), "<Document><Section>");
    WriteFile(dir.File("other.etf"), "<html/>");
    // The message as it stands, and why on the line below it.
    Result r = RunCli(dir, "outline '" + dir.File("broken.etf") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "Loading document failed.\n"
              "Line 1, column 20: Premature end of data in tag Section line 1\n");
    r = RunCli(dir, "outline '" + dir.File("other.etf") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Identifying document failed.\n");
    r = RunCli(dir, "resave '" + dir.File("missing.etf") + "' '" + dir.File("out.etf") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Loading document failed.\n" + dir.File("missing.etf") + ": " +
                         std::strerror(ENOENT) + "\n");
    // In German, what the program says itself is translated.
    r = RunCli(dir, "outline '" + dir.File("broken.etf") + "'", "LANG=de_DE.UTF-8");
    EXPECT_EQ(r.out,
              "Laden des Dokuments fehlgeschlagen.\n"
              "Zeile 1, Spalte 20: Premature end of data in tag Section line 1\n");
}

std::string NestedDocument(int levels) {
    std::string xml = "<Document>\n";
    for (int i = 0; i < levels; ++i) {
        xml += "<Section Title=\"t\">";
    }
    for (int i = 0; i < levels; ++i) {
        xml += "</Section>";
    }
    return xml + "</Document>\n";
}

// 20,000 levels overflowed the stack of the outline's row walk.
TEST(Cli, OutlineOfADocumentNestedTooDeeplyIsRefusedInsteadOfCrashing) {
    TempDir dir;
    WriteFile(dir.File("deep.etf"), NestedDocument(20000));
    Result r = RunCli(dir, "outline '" + dir.File("deep.etf") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "Loading document failed.\nLine 2: the document nests deeper than 256 "
              "levels.\n");
    r = RunCli(dir, "outline '" + dir.File("deep.etf") + "'", "LANG=de_DE.UTF-8");
    EXPECT_EQ(r.out,
              "Laden des Dokuments fehlgeschlagen.\nZeile 2: Das Dokument ist tiefer als 256 "
              "Ebenen verschachtelt.\n");

    // As deep as allowed: every level gets its row.
    WriteFile(dir.File("deepest.etf"), NestedDocument(255));
    r = RunCli(dir, "outline '" + dir.File("deepest.etf") + "' | tail -n 1 | cut -c 1-8");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1.1.1.1.\n");
    r = RunCli(dir, "outline '" + dir.File("deepest.etf") + "' | wc -l");
    EXPECT_EQ(r.out, "256\n");
}

TEST(Cli, ResaveNormalisesThroughTheDocumentWriter) {
    TempDir dir;
    WriteFile(dir.File("in.etf"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document>\n  <Section ID=\"{A}\" "
              "Title=\"\xce\xb2\" Text=\"{\\rtf1&#10;a&#9;b}\"/>\n</Document>\n");
    Result r = RunCli(dir, "resave '" + dir.File("in.etf") + "' '" + dir.File("out.etf") + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(ReadFile(dir.File("out.etf")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document><Section ID=\"{A}\" "
              "Title=\"\xce\xb2\" Text=\"{\\rtf1&#10;a&#9;b}\"/></Document>\n");
    EXPECT_NE(ReadFile(dir.path() + "cfg/Quorvane/Editor/Editor.xml").find("<Views/>"),
              std::string::npos)
        << "the view state is saved with the document";
    r = RunCli(dir, "resave '" + dir.File("in.etf") + "' '" + dir.File("nofolder/out.etf") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Saving document failed.\n" + dir.File("nofolder/out.etf") + ": " +
                         std::strerror(ENOENT) + "\n");
}

TEST(Cli, HelpVersionAndUsage) {
    TempDir dir;
    Result r = RunCli(dir, "--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1.0.1.23\n");
    r = RunCli(dir, "--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("outline FILE"), std::string::npos);
    EXPECT_NE(r.out.find("resave IN OUT"), std::string::npos);
    EXPECT_EQ(RunCli(dir, "").status, 2);
    EXPECT_EQ(RunCli(dir, "frobnicate").status, 2);
    EXPECT_EQ(RunCli(dir, "outline").status, 2);
    EXPECT_EQ(RunCli(dir, "resave onlyone").status, 2);
}

}  // namespace

namespace {

TEST(Cli, ImportAddsFilesAsSectionsAndSaves) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("notes"));
    WriteFile(dir.File("notes/a.md"), "# Erste Seite\n\nSiehe [b](b.txt).\n");
    WriteFile(dir.File("notes/b.txt"), "Zweite\n");
    // A document that does not exist yet is made.
    Result r = RunCli(dir, "import '" + dir.File("doc.etf") + "' '" + dir.File("notes") + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "3 sections imported.\n");
    r = RunCli(dir, "outline '" + dir.File("doc.etf") + "'");
    ASSERT_EQ(r.status, 0);
    ASSERT_NE(r.out.find("1\tnotes\t"), std::string::npos) << r.out;
    const std::string notesId = r.out.substr(r.out.find("1\tnotes\t") + 8, 38);
    EXPECT_NE(r.out.find("1.1\tErste Seite\t{"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1.2\tb.txt\t{"), std::string::npos);

    // Below a section given by its ID; an unknown ID changes nothing.
    WriteFile(dir.File("c.html"), "<title>Drei</title><p>x</p>");
    r = RunCli(dir, "import '" + dir.File("doc.etf") + "' '" + dir.File("c.html") + "' --under '" +
                        notesId + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    r = RunCli(
        dir, "import '" + dir.File("doc.etf") + "' '" + dir.File("c.html") + "' --under '{NONE}'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("There is no section with the ID {NONE}."), std::string::npos) << r.out;
    r = RunCli(dir, "outline '" + dir.File("doc.etf") + "'");
    EXPECT_NE(r.out.find("1.3\tDrei\t{"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("2\tDrei"), std::string::npos);
    EXPECT_EQ(RunCli(dir, "import '" + dir.File("doc.etf") + "'").status, 2) << "no files";
}

TEST(Cli, GenerateNamesLinksToMissingSections) {
    TempDir dir;
    WriteFile(dir.File("doc.etf"),
              "<Document><Section ID=\"{A}\" Title=\"Start\" Text=\"{\\rtf1 "
              "{\\field{\\*\\fldinst{HYPERLINK &quot;quorvane-section:\\{GONE\\}&quot;}}"
              "{\\fldrslt weg}}\\par}\"/></Document>");
    const Result r =
        RunCli(dir, "generate HTML '" + dir.File("doc.etf") + "' '" + dir.File("out") + "'");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("\"Start\" links to a section that does not exist: {GONE}"),
              std::string::npos)
        << r.out;
    EXPECT_NE(ReadFile(dir.File("out/start.htm")).find("weg"), std::string::npos);
}

}  // namespace
