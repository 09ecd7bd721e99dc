// librtftohtml.so as a program loads it: by file name, through its one export.

#include "platform/dynamic_library.h"
#include "platform/paths.h"
#include "rtf/rtftohtml.h"
#include "tests/rtf/rtf_test_util.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

class Library : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_library.Load(platform::ExecutableDirectory() + "librtftohtml.so"))
            << m_library.Error();
        m_convert = reinterpret_cast<RtfToHtmlFileFunction>(m_library.Symbol("rtftohtml_file"));
        ASSERT_NE(m_convert, nullptr);
        std::memset(&m_options, 0, sizeof m_options);
        std::strcpy(m_options.title, "T\xC3\xADtulo <1>");
        std::strcpy(m_options.extension, ".htm");
        std::strcpy(m_options.fontFace, "Tahoma");
        std::strcpy(m_options.fontSize, "10");
    }

    int Convert(const std::string& rtfPath, const std::string& folder) {
        return m_convert(rtfPath.c_str(), folder.c_str(), m_options);
    }

    platform::DynamicLibrary m_library;
    RtfToHtmlFileFunction m_convert = nullptr;
    RtfToHtmlOptions m_options;
    TempDir m_dir;
};

TEST_F(Library, ExportsOnlyItsEntryPoint) {
    EXPECT_EQ(m_library.Symbol(
                  "_ZN3rtf7ReadRtfESt17basic_string_viewIcSt11char_traitsIcEERKNS_10ReadLimitsE"),
              nullptr);
}

TEST_F(Library, WritesAWholePageNamedAfterTheRtfFile) {
    WriteFile(m_dir.File("intro.rtf"), "{\\rtf1 Hello \\b world\\b0 .\\par}");
    ASSERT_EQ(Convert(m_dir.File("intro.rtf"), m_dir.path()), kRtfToHtmlOk);
    const std::string html = ReadFile(m_dir.File("intro.htm"));
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<title>T\xC3\xADtulo &lt;1&gt;</title>"), std::string::npos);
    EXPECT_NE(html.find("font-family:Tahoma;font-size:10pt"), std::string::npos);
    EXPECT_NE(html.find("Hello <strong>world</strong>."), std::string::npos);
}

TEST_F(Library, WritesAFragmentForATemplateAndHonoursTheExtension) {
    m_options.templateContent = 1;
    std::strcpy(m_options.extension, ".html");
    WriteFile(m_dir.File("a.b.rtf"), "{\\rtf1 x\\par}");
    // The folder argument may lack its separator.
    std::string folder = m_dir.path();
    folder.pop_back();
    ASSERT_EQ(Convert(m_dir.File("a.b.rtf"), folder), kRtfToHtmlOk);
    EXPECT_EQ(ReadFile(m_dir.File("a.b.html")), "<p>x</p>\n");
}

TEST_F(Library, CutsAnUnterminatedTitleAtItsField) {
    std::memset(m_options.title, 'a', sizeof m_options.title);  // no NUL at all
    WriteFile(m_dir.File("t.rtf"), "{\\rtf1 x}");
    ASSERT_EQ(Convert(m_dir.File("t.rtf"), m_dir.path()), kRtfToHtmlOk);
    EXPECT_NE(ReadFile(m_dir.File("t.htm")).find("<title>" + std::string(120, 'a') + "</title>"),
              std::string::npos);
}

TEST_F(Library, WritesPicturesBesideThePageWhenAsked) {
    m_options.pictureFiles = 1;
    WriteFile(m_dir.File("pics.rtf"), rtf_test::ReadBytes(rtf_test::FixturePath("pictures.rtf")));
    ASSERT_EQ(Convert(m_dir.File("pics.rtf"), m_dir.path()), kRtfToHtmlOk);
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("pics_1.png")));
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("pics_2.jpg")));
    EXPECT_NE(ReadFile(m_dir.File("pics.htm")).find("src=\"pics_2.jpg\""), std::string::npos);
}

TEST_F(Library, ReportsFailures) {
    EXPECT_EQ(Convert(m_dir.File("missing.rtf"), m_dir.path()), kRtfToHtmlCannotRead);
    WriteFile(m_dir.File("x.rtf"), "{\\rtf1 x}");
    EXPECT_EQ(Convert(m_dir.File("x.rtf"), m_dir.File("no-such-folder/")), kRtfToHtmlCannotWrite);
    std::strcpy(m_options.extension, "/../e");
    EXPECT_EQ(Convert(m_dir.File("x.rtf"), m_dir.path()), kRtfToHtmlBadArguments);
    EXPECT_EQ(m_convert(nullptr, "/tmp/", m_options), kRtfToHtmlBadArguments);
}

// The library opened "<folder><name>.htm" with truncation and followed a link planted
// there to a file outside the folder.
TEST_F(Library, NeverWritesThroughALinkAndReplacesOnlyPlainFiles) {
    TempDir outside;
    WriteFile(outside.File("victim"), "keep");
    WriteFile(m_dir.File("intro.rtf"), "{\\rtf1 x\\par}");
    std::filesystem::create_symlink(outside.File("victim"), m_dir.File("intro.htm"));
    EXPECT_EQ(Convert(m_dir.File("intro.rtf"), m_dir.path()), kRtfToHtmlCannotWrite);
    EXPECT_EQ(ReadFile(outside.File("victim")), "keep");
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir.File("intro.htm")));

    // A page of an earlier run is replaced by a new file; its other name keeps the old one.
    std::filesystem::remove(m_dir.File("intro.htm"));
    WriteFile(m_dir.File("intro.htm"), "old page");
    std::filesystem::create_hard_link(m_dir.File("intro.htm"), outside.File("second-name"));
    ASSERT_EQ(Convert(m_dir.File("intro.rtf"), m_dir.path()), kRtfToHtmlOk);
    EXPECT_NE(ReadFile(m_dir.File("intro.htm")).find("<p>x</p>"), std::string::npos);
    EXPECT_EQ(ReadFile(outside.File("second-name")), "old page");

    // Nor is an RTF file read that is a pipe: it would wait for a writer for ever.
    ASSERT_EQ(mkfifo(m_dir.File("pipe.rtf").c_str(), 0600), 0);
    EXPECT_EQ(Convert(m_dir.File("pipe.rtf"), m_dir.path()), kRtfToHtmlCannotRead);
}

}  // namespace
