#include "core/settings.h"
#include "generators/generator_chm.h"
#include "tests/generators/generator_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using generator_testing::ExpectGolden;
using generator_testing::MakeDocument;
using generator_testing::RecordingIndicators;
using testing_support::IsolatedSettings;
using testing_support::ReadFile;
using testing_support::TempDir;

struct CompilerCall {
    std::vector<std::string> argv;
    std::string folder;
};

class ChmGenerator : public testing::Test {
protected:
    // Runs a compiled-help generator for project name over the document; the compiler is
    // recorded, not started, unless startCompiler says otherwise.
    bool Generate(const std::string& document, const std::string& name = "Manual",
                  myGeneratorCHM::CompilerStarter startCompiler = {}) {
        myGeneratorCHM generator;
        generator.SetTargetPath(m_out.path());
        generator.SetProjectName(name);
        generator.SetIndicators(&m_indicators);
        generator.SetConverter([](const std::string& rtf, const std::string&, const std::string&,
                                  const std::string& title, unsigned) {
            return "<html><head><title>" + title + "</title></head><body><p>" + rtf +
                   "</p></body></html>";
        });
        if (!startCompiler) {
            startCompiler = [this](const std::vector<std::string>& argv,
                                   const std::string& folder) {
                m_calls.push_back({argv, folder});
                return true;
            };
        }
        generator.SetCompilerStarter(startCompiler);
        auto tree = MakeDocument(document);
        return generator.Run(tree.get());
    }

    std::string File(const std::string& name) const { return ReadFile(m_out.File(name)); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(m_out.File(name)); }

    IsolatedSettings m_settings;
    TempDir m_out;
    RecordingIndicators m_indicators;
    std::vector<CompilerCall> m_calls;
};

TEST_F(ChmGenerator, ManualProjectFilesLineByLine) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='Intro' Alias='intro' Reference='1000' "
                 "Text='Hello'/></Document>"));
    EXPECT_EQ(File("intro.htm"),
              "<html><head><title>Intro</title></head><body><p>Hello</p></body></html>");
    ExpectGolden("manual.hhc", File("Manual.hhc"));
    ExpectGolden("manual.hhp", File("Manual.hhp"));
    EXPECT_EQ(File("Manual.hhk"), File("Manual.hhc"));
    const std::string project = File("Manual.hhp");
    EXPECT_NE(project.find("\nDefault topic=intro.htm\n"), std::string::npos);
    EXPECT_NE(project.find("\n[FILES]\nintro.htm\n\n[ALIAS]\nintro=intro.htm\n\n"
                           "[MAP]\n#define intro\t0x3e8\n\n"),
              std::string::npos);
    EXPECT_EQ(project.find('\r'), std::string::npos);

    ASSERT_EQ(m_calls.size(), 1u);
    EXPECT_EQ(m_calls[0].argv, (std::vector<std::string>{"chmcmd", m_out.File("Manual.hhp")}));
    EXPECT_EQ(m_calls[0].folder, m_out.path());
}

TEST_F(ChmGenerator, MapLinesOnlyForNonZeroReferences) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='a' Reference='1000' Text='x'/>"
                 "<Section ID='{2}' Title='b' Reference='0' Text='x'/>"
                 "<Section ID='{3}' Title='c' Reference='-1' Text='x'/>"
                 "<Section ID='{4}' Title='d' Reference='12abc' Text='x'/></Document>"));
    const std::string project = File("Manual.hhp");
    EXPECT_NE(project.find("\n[MAP]\n#define a\t0x3e8\n#define c\t0xffffffff\n#define d\t0xc\n\n"),
              std::string::npos)
        << project;
}

TEST_F(ChmGenerator, ParentWithoutBodyIsAHeadingWithoutPage) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='Parent'>"
                 "<Section ID='{2}' Title='One' Text='1'/><Section ID='{3}' Title='Two'/>"
                 "</Section></Document>"));
    ExpectGolden("parent_heading.hhc", File("Manual.hhc"));
    EXPECT_FALSE(Exists("parent.htm"));
    EXPECT_TRUE(Exists("one.htm"));
    EXPECT_EQ(File("two.htm"),
              "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Two</title>\n"
              "</head>\n<body>\n<h1>Two</h1>\n</body>\n</html>\n")
        << "a leaf with an empty body still gets its page, with its title";
    const std::string project = File("Manual.hhp");
    EXPECT_NE(project.find("[FILES]\none.htm\ntwo.htm\n\n[ALIAS]\none=one.htm\ntwo=two.htm\n\n"),
              std::string::npos)
        << project;
    EXPECT_NE(project.find("Default topic=parent.htm"), std::string::npos)
        << "the first top-level section names the default topic";
}

TEST_F(ChmGenerator, ContentsNestLikeTheDocument) {
    ASSERT_TRUE(Generate(
        "<Document><Section ID='{1}' Title='1' Text='x'><Section ID='{2}' Title='1.1' Text='x'>"
        "<Section ID='{3}' Title='1.1.1' Text='x'/><!-- note --></Section></Section>"
        "<Section ID='{4}' Title='2' Text='x'><!-- only a comment --></Section></Document>"));
    ExpectGolden("nested.hhc", File("Manual.hhc"));
}

TEST_F(ChmGenerator, DocumentWithoutSections) {
    ASSERT_TRUE(Generate("<Document/>"));
    ExpectGolden("empty.hhc", File("Manual.hhc"));
    ExpectGolden("empty.hhp", File("Manual.hhp"));
}

TEST_F(ChmGenerator, ContentsAreLatin1WithReferencesAndEscapedNames) {
    ASSERT_TRUE(
        Generate("<Document><Section ID='{1}' Title='\xc3\x9c"
                 "ber &lt;uns&gt; &amp; \xe2\x82\xac' "
                 "Text='x'/></Document>",
                 "Caf\xc3\xa9"));
    const std::string contents = File("Caf\xc3\xa9.hhc");
    EXPECT_NE(contents.find("<param name=\"Name\" value=\"\xdc"
                            "ber &lt;uns&gt; &amp; &#8364;\">"),
              std::string::npos)
        << contents;
    EXPECT_NE(File("Caf\xc3\xa9.hhp").find("Title=Caf\xc3\xa9\n"), std::string::npos)
        << "the project file keeps the file names as the folder has them";
}

TEST_F(ChmGenerator, ProjectNameCannotLeaveTheFolder) {
    ASSERT_TRUE(Generate("<Document><Section ID='{1}' Title='a' Text='x'/></Document>", "../up"));
    EXPECT_TRUE(Exists(".._up.hhp"));
    ASSERT_TRUE(Generate("<Document/>", ""));
    EXPECT_TRUE(Exists("help.hhp"));
}

TEST_F(ChmGenerator, ProjectNameCannotBreakTheProjectFile) {
    ASSERT_TRUE(Generate("<Document><Section ID='{1}' Title='a' Text='x'/></Document>",
                         "A \"b\",c=d\n[FILES]"));
    const std::string project = File("A _b_,c=d_[FILES].hhp");
    EXPECT_NE(project.find("\nTitle=A \"b\",c=d [FILES]\n"), std::string::npos) << project;
    EXPECT_NE(project.find("\nDefault Window=A _b__c_d [FILES]\n"), std::string::npos) << project;
    EXPECT_NE(project.find("\nA _b__c_d [FILES]=\"A _b__c_d [FILES]\",\"A _b_,c=d_[FILES].hhc\""),
              std::string::npos)
        << project;
    EXPECT_EQ(project.find("\n[FILES]\n"), project.rfind("\n[FILES]\n"));
}

TEST_F(ChmGenerator, MissingCompilerDoesNotFailTheRun) {
    SetSetting("/Generators/HTML Help Workshop/Compiler", "/no/such/compiler");
    myGeneratorCHM generator;
    generator.SetTargetPath(m_out.path());
    generator.SetProjectName("P");
    generator.SetIndicators(&m_indicators);
    auto tree = MakeDocument("<Document><Section ID='{1}' Title='a'/></Document>");
    EXPECT_TRUE(generator.Run(tree.get()));
    EXPECT_FALSE(generator.CompilerStarted());
    EXPECT_TRUE(Exists("P.hhp"));
}

TEST_F(ChmGenerator, FailedPagesStopBeforeTheProject) {
    std::filesystem::remove_all(m_out.path());
    EXPECT_FALSE(Generate("<Document><Section ID='{1}' Title='a'/></Document>"));
    EXPECT_TRUE(m_calls.empty()) << "the compiler is not started";
}

// The compiler writes the help file through whatever is in its place.
TEST_F(ChmGenerator, LinkInPlaceOfTheHelpFileStopsTheRunBeforeTheCompiler) {
    TempDir outside;
    testing_support::WriteFile(outside.File("victim"), "keep");
    std::filesystem::create_symlink(outside.File("victim"), m_out.File("Manual.chm"));
    EXPECT_FALSE(Generate("<Document><Section ID='{1}' Title='a'/></Document>"));
    EXPECT_TRUE(m_calls.empty()) << "the compiler is not started";
    EXPECT_EQ(ReadFile(outside.File("victim")), "keep");
}

// The real compiler turns what we write into a help file whose table of contents, pages and
// index are all there.
TEST_F(ChmGenerator, ChmcmdCompilesTheProject) {
    if (std::system("command -v chmcmd >/dev/null 2>&1 && command -v chmls >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "chmcmd or chmls is not installed";
    }
    int status = -1;
    ASSERT_TRUE(Generate(
        "<Document><Section ID='{1}' Title='Intro &amp; \xc3\x9c' Reference='1000' Text='Hello'>"
        "<Section ID='{2}' Title='Details' Alias='details' Reference='-1' Text='World'/>"
        "</Section><Section ID='{3}' Title='Chapter' Text='Text'/></Document>",
        "My Manual", [&status](const std::vector<std::string>& argv, const std::string& folder) {
            std::string command =
                "cd '" + folder + "' && '" + argv[0] + "' '" + argv[1] + "' >compile.log 2>&1";
            status = std::system(command.c_str());
            return true;
        }));
    ASSERT_EQ(status, 0) << File("compile.log");
    ASSERT_TRUE(Exists("My Manual.chm"));
    const std::string chm = m_out.File("My Manual.chm");
    const std::string list = m_out.File("list.txt");
    ASSERT_EQ(std::system(("chmls -n list '" + chm + "' >'" + list + "' 2>/dev/null").c_str()), 0);
    const std::string files = ReadFile(list);
    for (const char* name : {"/intro____.htm", "/details.htm", "/chapter.htm", "/My Manual.hhc",
                             "/My Manual.hhk", "/#SYSTEM", "/$FIftiMain"}) {
        EXPECT_NE(files.find(name), std::string::npos) << name << " missing in\n" << files;
    }
    const std::string page = m_out.File("extracted.htm");
    ASSERT_EQ(
        std::system(
            ("chmls extract '" + chm + "' /details.htm '" + page + "' >/dev/null 2>&1").c_str()),
        0);
    EXPECT_EQ(ReadFile(page), File("details.htm"));
    const std::string toc = m_out.File("toc.txt");
    ASSERT_EQ(std::system(("chmls extracttoc '" + chm + "' '" + toc + "' >/dev/null 2>&1").c_str()),
              0);
    EXPECT_NE(ReadFile(toc).find("Intro &amp; \xdc"), std::string::npos) << ReadFile(toc);
}

// chmcmd cannot index a project without a single word; sections without bodies must not
// make one.
TEST_F(ChmGenerator, ChmcmdCompilesSectionsWithoutBodies) {
    if (std::system("command -v chmcmd >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "chmcmd is not installed";
    }
    int status = -1;
    ASSERT_TRUE(Generate(
        "<Document><Section ID='{1}' Title='A'/><Section ID='{2}' Title='B'/></Document>", "Empty",
        [&status](const std::vector<std::string>& argv, const std::string& folder) {
            status = std::system(
                ("cd '" + folder + "' && '" + argv[0] + "' '" + argv[1] + "' >compile.log 2>&1")
                    .c_str());
            return true;
        }));
    EXPECT_EQ(status, 0) << File("compile.log");
    EXPECT_TRUE(Exists("Empty.chm"));
}

// chmcmd crashes on contents and index entries without a name (exit 217 with a few dozen of
// them); untitled sections are named by their alias or as "Section".
TEST_F(ChmGenerator, UntitledSectionsAreNamedAndTheProjectCompiles) {
    std::string document = "<Document><Section ID='{a}' Title='' Alias='overview' Text='x'/>";
    for (int i = 0; i < 80; ++i) {
        document += "<Section ID='{" + std::to_string(i) + "}' Title='" +
                    (i % 3 == 0 ? std::string() : "T" + std::to_string(i)) + "' Text='Body " +
                    std::to_string(i) + "'/>";
    }
    document += "</Document>";
    int status = -1;
    const bool haveCompiler = std::system("command -v chmcmd >/dev/null 2>&1") == 0;
    ASSERT_TRUE(Generate(
        document, "Untitled", [&](const std::vector<std::string>& argv, const std::string& folder) {
            if (haveCompiler) {
                status = std::system(
                    ("cd '" + folder + "' && '" + argv[0] + "' '" + argv[1] + "' >compile.log 2>&1")
                        .c_str());
            }
            return true;
        }));
    const std::string contents = File("Untitled.hhc");
    EXPECT_EQ(contents.find("value=\"\""), std::string::npos) << contents;
    EXPECT_NE(contents.find("<param name=\"Name\" value=\"overview\">"), std::string::npos);
    EXPECT_NE(contents.find("<param name=\"Name\" value=\"Section\">"), std::string::npos);
    EXPECT_EQ(File("Untitled.hhk"), contents);
    EXPECT_NE(File("section.htm").find("<title>Section</title>"), std::string::npos);
    if (!haveCompiler) {
        GTEST_SKIP() << "chmcmd is not installed";
    }
    EXPECT_EQ(status, 0) << File("compile.log");
    EXPECT_TRUE(Exists("Untitled.chm"));
}

// Pictures, metafiles drawn as PNG included, become files of the help project: help
// viewers show none that a page holds inside itself.
TEST(ChmPictures, PicturesAreFilesOfTheProjectAndCompiled) {
    IsolatedSettings settings;
    TempDir out;
    ivXML tree;
    tree.Create();
    tree.AddNode("Document");
    tree.AddNode("Section");
    tree.AddAttribute("ID", "{1}");
    tree.AddAttribute("Title", "Pictures");
    tree.AddAttribute("Text", ReadFile(std::string(QV_RTF_FIXTURES) + "/metafiles.rtf"));
    tree.EndNode();
    tree.EndNode();
    int status = -1;
    const bool haveCompiler = std::system("command -v chmcmd >/dev/null 2>&1") == 0;
    myGeneratorCHM generator;
    generator.SetTargetPath(out.path());
    generator.SetProjectName("Pictures");
    generator.SetIndicators(nullptr);
    generator.SetCompilerStarter(
        [&](const std::vector<std::string>& argv, const std::string& folder) {
            if (haveCompiler) {
                status = std::system(
                    ("cd '" + folder + "' && '" + argv[0] + "' '" + argv[1] + "' >compile.log 2>&1")
                        .c_str());
            }
            return true;
        });
    ASSERT_TRUE(generator.Run(&tree));
    const std::string page = ReadFile(out.File("pictures.htm"));
    EXPECT_EQ(page.find("src=\"data:"), std::string::npos);
    const std::string project = ReadFile(out.File("Pictures.hhp"));
    // The two metafiles, the PNG, the EMF beside its WMF and the bitmap; the Macintosh
    // picture stays a placeholder.
    for (const char* name : {"pictures_1.png", "pictures_2.png", "pictures_3.png", "pictures_4.png",
                             "pictures_5.bmp"}) {
        EXPECT_NE(page.find(std::string("<img src=\"") + name + "\""), std::string::npos) << name;
        EXPECT_TRUE(std::filesystem::exists(out.File(name))) << name;
        EXPECT_NE(project.find(std::string("\n") + name + "\n"), std::string::npos) << name;
    }
    EXPECT_NE(page.find("[PICT picture]"), std::string::npos);
    if (!haveCompiler || std::system("command -v chmls >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "chmcmd or chmls is not installed";
    }
    ASSERT_EQ(status, 0) << ReadFile(out.File("compile.log"));
    const std::string list = out.File("list.txt");
    ASSERT_EQ(
        std::system(("chmls -n list '" + out.File("Pictures.chm") + "' >'" + list + "' 2>/dev/null")
                        .c_str()),
        0);
    EXPECT_NE(ReadFile(list).find("/pictures_1.png"), std::string::npos) << ReadFile(list);
}

}  // namespace
