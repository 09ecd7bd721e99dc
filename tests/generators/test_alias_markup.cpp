#include "document/iv_xml.h"
#include "generators/alias.h"
#include "generators/file_util.h"
#include "generators/generator.h"
#include "generators/generator_chm.h"
#include "generators/generator_html.h"
#include "generators/generator_word.h"
#include "generators/markup.h"
#include "generators/page_pictures.h"
#include "platform/guid.h"
#include "rtf/html_writer.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <set>

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

TEST(MakeAlias, OneCharacterPerCodePoint) {
    EXPECT_EQ(MakeAlias("\xc3\x9c"
                        "ber uns 2"),
              "_ber_uns_2");
    EXPECT_EQ(MakeAlias("Intro"), "intro");
    EXPECT_EQ(MakeAlias("A-Z_09"), "a_z_09");
    EXPECT_EQ(MakeAlias(""), "");
    EXPECT_EQ(MakeAlias("\xe2\x82\xac\xf0\x9f\x98\x80x"), "__x") << "euro sign and an emoji";
    EXPECT_EQ(MakeAlias("a\xff\xc3"
                        "b"),
              "a__b")
        << "bytes that are not UTF-8 count one each";
    EXPECT_EQ(MakeAlias(std::string(1000, 'x')).size(), 200u) << "long titles are cut";
}

TEST(MakeSafeAlias, KeepsFileNamesAndMendsPaths) {
    EXPECT_EQ(MakeSafeAlias("Intro-2.old_x"), "Intro-2.old_x") << "kept unchanged, case too";
    EXPECT_EQ(MakeSafeAlias(""), "");
    EXPECT_EQ(MakeSafeAlias("../etc/passwd"), "___etc_passwd");
    EXPECT_EQ(MakeSafeAlias(".."), "__");
    EXPECT_EQ(MakeSafeAlias("a..b"), "a__b");
    EXPECT_EQ(MakeSafeAlias("/abs"), "_abs");
    EXPECT_EQ(MakeSafeAlias("tab\there"), "tab_here");
    EXPECT_EQ(MakeSafeAlias("caf\xc3\xa9"), "caf_");
    EXPECT_EQ(MakeSafeAlias(std::string(300, 'a')).size(), 200u);
}

TEST(AliasRegistry, NumbersFromTwoUpwardOnTheBaseAlias) {
    AliasRegistry registry;
    EXPECT_EQ(registry.Claim(MakeAlias("Intro")), "intro");
    EXPECT_EQ(registry.Claim(MakeAlias("intro")), "intro_2");
    EXPECT_EQ(registry.Claim(MakeAlias("INTRO")), "intro_3");
    EXPECT_EQ(registry.Claim("Intro"), "Intro") << "comparison is case-sensitive";

    AliasRegistry userFirst;
    EXPECT_EQ(userFirst.Claim("intro_2"), "intro_2");
    EXPECT_EQ(userFirst.Claim("intro"), "intro");
    EXPECT_EQ(userFirst.Claim("intro"), "intro_3") << "intro_2 is taken by the user's alias";
    EXPECT_EQ(userFirst.Claim("intro_3"), "intro_3_2");
}

TEST(AliasRegistry, ManyEqualTitlesStayUniqueAndFast) {
    AliasRegistry registry;
    std::set<std::string> seen;
    for (int i = 0; i < 20000; ++i) {
        EXPECT_TRUE(seen.insert(registry.Claim("section")).second);
    }
    EXPECT_TRUE(registry.IsTaken("section_20000"));
    EXPECT_FALSE(registry.IsTaken("section_20001"));
}

TEST(Markup, EscapesTitlesAndWritesLatin1) {
    EXPECT_EQ(rtf::EscapeHtml("a < b & \"c\" 'd' <%content%>"),
              "a &lt; b &amp; &quot;c&quot; &#39;d&#39; &lt;%content%&gt;");
    EXPECT_EQ(ToLatin1WithReferences("\xc3\x9c"
                                     "ber \xe2\x82\xac \xf0\x9f\x98\x80"),
              "\xdc"
              "ber &#8364; &#128512;");
    EXPECT_EQ(ToLatin1WithReferences("a\xff"
                                     "b"),
              "a&#65533;b");

    std::string text = "<%x%><%x%><%X%>";
    ReplaceAll(text, "<%x%>", "<%x%>!");
    EXPECT_EQ(text, "<%x%>!<%x%>!<%X%>") << "replaced values are not scanned again";
}

TEST(Markup, TemplatesWithoutCharsetAreDeclaredUtf8) {
    std::string page = "<HTML><Head lang=de><title>t</title></Head><header>";
    DeclareUtf8(page);
    EXPECT_EQ(page, "<HTML><Head lang=de><meta charset=\"utf-8\"><title>t</title></Head><header>");
    page = "<html><header></header><head>";
    DeclareUtf8(page);
    EXPECT_EQ(page, "<html><header></header><head><meta charset=\"utf-8\">");
    for (std::string kept : {"<head><meta http-equiv=x content=\"text/html; CHARSET=latin1\">",
                             "<p>no head</p>", "<head"}) {
        const std::string before = kept;
        DeclareUtf8(kept);
        EXPECT_EQ(kept, before);
    }
}

TEST(GeneratorBase, TargetFolderGetsOneSeparator) {
    myGenerator generator;
    generator.SetTargetPath("/out");
    EXPECT_EQ(generator.GetTargetPath(), "/out/");
    generator.SetTargetPath("/out/");
    EXPECT_EQ(generator.GetTargetPath(), "/out/");
    generator.SetTargetPath("");
    EXPECT_EQ(generator.GetTargetPath(), "");
}

TEST(GeneratorBase, ReferencesReadTheirLeadingNumber) {
    EXPECT_EQ(myGenerator::ParseReference("12abc"), 12);
    EXPECT_EQ(myGenerator::ParseReference("abc"), 0);
    EXPECT_EQ(myGenerator::ParseReference("1000.000000"), 1000);
    EXPECT_EQ(myGenerator::ParseReference("  -1"), -1);
    EXPECT_EQ(myGenerator::ParseReference("+7"), 7);
    EXPECT_EQ(myGenerator::ParseReference(""), 0);
}

TEST(GeneratorBase, RunNeedsADocumentWithARoot) {
    myGenerator generator;
    EXPECT_FALSE(generator.Run(nullptr));
    ivXML empty;
    EXPECT_FALSE(generator.Run(&empty));
}

TEST(CreateGenerator, NamesAreExactAndCaseSensitive) {
    EXPECT_NE(dynamic_cast<myGeneratorHTML*>(CreateGenerator("HTML").get()), nullptr);
    EXPECT_NE(dynamic_cast<myGeneratorCHM*>(CreateGenerator("CHM").get()), nullptr);
    EXPECT_NE(dynamic_cast<myGeneratorMicrosoftWord*>(CreateGenerator("DOC").get()), nullptr);
    std::unique_ptr<wxObject> byName(wxCreateDynamicObject("myGeneratorCHM"));
    EXPECT_NE(dynamic_cast<myGeneratorCHM*>(byName.get()), nullptr) << "runtime-creatable";
    EXPECT_EQ(CreateGenerator("html"), nullptr);
    EXPECT_EQ(CreateGenerator("HTML "), nullptr);
    EXPECT_EQ(CreateGenerator(""), nullptr);
}

TEST(FileUtil, WritesWholeFilesAndReadsThemBack) {
    TempDir dir;
    const std::string bytes("a\0b\r\n\xff", 6);
    ASSERT_TRUE(WriteWholeFile(dir.File("f.bin"), bytes));
    EXPECT_EQ(ReadWholeFile(dir.File("f.bin")), bytes);
    ASSERT_TRUE(WriteWholeFile(dir.File("f.bin"), "short"));
    EXPECT_EQ(ReadFile(dir.File("f.bin")), "short") << "an existing file is replaced";
    EXPECT_EQ(ReadWholeFile(dir.File("missing")), "");
    EXPECT_EQ(ReadWholeFile(dir.path()), "") << "a folder reads as nothing";
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    EXPECT_EQ(ReadWholeFile(dir.File("pipe")), "") << "a pipe without writer does not block";
    EXPECT_EQ(ReadWholeFile("/dev/zero"), "") << "a device that never ends is not read";
    EXPECT_FALSE(WriteWholeFile(dir.File("no/such/folder/f"), "x"));
    EXPECT_FALSE(WriteWholeFile("", "x"));

    // A link in the folder is neither followed to the file it names nor replaced.
    TempDir outside;
    testing_support::WriteFile(outside.File("victim"), "keep");
    std::filesystem::create_symlink(outside.File("victim"), dir.File("link.htm"));
    platform::FileError error;
    EXPECT_FALSE(WriteWholeFile(dir.File("link.htm"), "page", &error));
    EXPECT_EQ(error.kind, platform::FileError::Kind::SymbolicLink);
    EXPECT_EQ(ReadFile(outside.File("victim")), "keep");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.htm")));
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"f.bin", "link.htm", "pipe"}))
        << "no temporary file is left";
}

TEST(FileUtil, GuidsAreFreshRegistryForm) {
    const std::string a = NewGuidString();
    const std::string b = NewGuidString();
    EXPECT_TRUE(platform::IsGuidString(a));
    EXPECT_EQ(a.size(), 38u);
    EXPECT_NE(a, b);
    EXPECT_EQ(a.find_first_of("abcdef"), std::string::npos) << "upper case";
}

TEST(PagePictures, PicturesInsideAPageBecomeFiles) {
    std::vector<ivPageFile> files;
    const std::string page = MovePicturesIntoFiles(
        "<p><img src=\"data:image/png;base64,YWJj\" alt=\"\"> and "
        "<img src=\"data:image/bmp;base64,QkM=\"> "
        "<img src=\"data:image/svg+xml;base64,PHN2Zy8+\"> <img src=\"data:image/png;base64,*\"> "
        "<img src=\"x.png\"></p>",
        "intro", files);
    EXPECT_EQ(
        page,
        "<p><img src=\"intro_1.png\" alt=\"\"> and <img src=\"intro_2.bmp\"> "
        "<img src=\"data:image/svg+xml;base64,PHN2Zy8+\"> <img src=\"data:image/png;base64,*\"> "
        "<img src=\"x.png\"></p>")
        << "kinds the viewers do not know and broken data stay as they are";
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "intro_1.png");
    EXPECT_EQ(files[0].bytes, "abc");
    EXPECT_EQ(files[1].bytes, "BC");
}

}  // namespace
