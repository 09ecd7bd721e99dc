// ivConverter_RTF_HTML: the temporary files in their private folder, how the library is
// loaded and called, the options record it receives, and that nothing is left behind.

#include "core/directories.h"
#include "generators/iv_converter_rtf_html.h"
#include "platform/guid.h"
#include "rtf/rtftohtml.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

using testing_support::IsolatedSettings;
using testing_support::ReadFile;

constexpr const char* kBody = "{\\rtf1\\ansi Hello {\\b world}.\\par}";

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Converter : public testing::Test {
protected:
    // What the recording library received.
    struct Call {
        std::string rtfPath;
        std::string folder;
        RtfToHtmlOptions options;
    };

    Call LastCall() {
        const std::string bytes = ReadFile(m_folder + "call.bin");
        Call call{};
        const size_t first = bytes.find('\n');
        const size_t second = bytes.find('\n', first + 1);
        EXPECT_EQ(bytes.size() - second - 1, sizeof(RtfToHtmlOptions));
        call.rtfPath = bytes.substr(0, first);
        call.folder = bytes.substr(first + 1, second - first - 1);
        std::memcpy(&call.options, bytes.data() + second + 1, sizeof call.options);
        std::filesystem::remove(m_folder + "call.bin");
        return call;
    }

    IsolatedSettings m_settings;
    std::string m_folder = m_settings.dir().path() + "out/";
    ivConverter_RTF_HTML m_converter;

    void SetUp() override { std::filesystem::create_directories(m_folder); }
};

TEST_F(Converter, ConvertsThroughTheLibraryAndRemovesBothFiles) {
    const std::string html = m_converter.Convert(kBody, m_folder, "intro", "Intro", 0);
    EXPECT_NE(html.find("<title>Intro</title>"), std::string::npos);
    EXPECT_NE(html.find("Hello <strong>world</strong>."), std::string::npos);
    EXPECT_TRUE(FilesIn(m_folder).empty());
    // Bit 4 asks for the template's content only.
    EXPECT_EQ(m_converter.Convert(kBody, m_folder, "intro", "Intro", 16),
              "<p>Hello <strong>world</strong>.</p>\n");
}

// The working folder of a call: "<parent>quorvane-<pid>-XXXXXX/".
void ExpectWorkingFolder(const std::string& folder, const std::string& parent) {
    const std::string maker = parent + "quorvane-" + std::to_string(getpid()) + "-";
    EXPECT_EQ(folder.rfind(maker, 0), 0u) << folder;
    EXPECT_EQ(folder.size(), maker.size() + 7) << folder;
    EXPECT_EQ(folder.back(), '/');
}

TEST_F(Converter, FillsTheOptionsRecordAndPathBuffers) {
    m_converter.SetLibraryName("librtftohtml_recorder.so");
    const std::string html =
        m_converter.Convert(kBody, m_folder, "intro", "Einf\xC3\xBChrung", 0x13);
    EXPECT_EQ(html, std::string("converted:") + kBody);
    const Call call = LastCall();
    ExpectWorkingFolder(call.folder, m_folder);
    EXPECT_EQ(call.rtfPath, call.folder + "intro.rtf");
    const RtfToHtmlOptions& o = call.options;
    EXPECT_EQ(o.flags, 3);
    EXPECT_STREQ(o.title, "Einf\xC3\xBChrung");
    EXPECT_EQ(std::memcmp(o.extension, ".htm", 5), 0);
    EXPECT_EQ(std::memcmp(o.fontFace, "Tahoma", 7), 0);
    EXPECT_EQ(std::memcmp(o.fontSize, "10", 3), 0);
    EXPECT_EQ(std::vector<int>(o.switches, o.switches + 7),
              (std::vector<int>{1, 1, 1, 1, 1, 1, 9}));
    EXPECT_EQ(o.templateContent, 1);
    EXPECT_STREQ(o.outputFolder, call.folder.c_str());
    EXPECT_EQ(std::memcmp(o.reserved728, "ts", 3), 0);
    EXPECT_EQ(o.reserved852[0], '\0');
    EXPECT_EQ(o.pictureFiles, 0);
    EXPECT_EQ(o.reserved976, 1);
    EXPECT_TRUE(FilesIn(m_folder).empty()) << "the working folder is gone";
}

TEST_F(Converter, FitsTitlesIntoTheirFieldAtCharacterBoundaries) {
    m_converter.SetLibraryName("librtftohtml_recorder.so");
    const std::string exact(119, 't');
    m_converter.Convert(kBody, m_folder, "a", exact, 0);
    Call call = LastCall();
    EXPECT_EQ(std::string(call.options.title, 119), exact);
    EXPECT_EQ(call.options.title[119], '\0');

    // 118 bytes and a two-byte character: the character does not fit with the NUL.
    const std::string cut = std::string(118, 'x') + "\xC3\xA9" + "more";
    m_converter.Convert(kBody, m_folder, "a", cut, 0);
    call = LastCall();
    EXPECT_STREQ(call.options.title, std::string(118, 'x').c_str());
}

TEST_F(Converter, NamesTemporaryFilesWithANewGuidWhenNameIsNoPlainName) {
    m_converter.SetLibraryName("librtftohtml_recorder.so");
    std::vector<std::string> names;
    for (const char* name : {"", "", "../escape", "."}) {
        EXPECT_FALSE(m_converter.Convert(kBody, m_folder, name, "t", 0).empty());
        const Call call = LastCall();
        ExpectWorkingFolder(call.folder, m_folder);
        const std::string file = call.rtfPath.substr(call.folder.size());
        ASSERT_EQ(file.size(), 42u) << file;
        EXPECT_TRUE(platform::IsGuidString(file.substr(0, 38))) << file;
        EXPECT_EQ(file.substr(38), ".rtf");
        names.push_back(file);
    }
    EXPECT_NE(names[0], names[1]);
    EXPECT_TRUE(FilesIn(m_folder).empty());
}

TEST_F(Converter, UsesTheTemporaryFolderWhenFolderIsEmpty) {
    m_converter.SetLibraryName("librtftohtml_recorder.so");
    EXPECT_FALSE(m_converter.Convert(kBody, "", "x", "t", 0).empty());
    const std::string temp = GetTempDirectory();
    EXPECT_EQ(temp, m_settings.dir().path() + "temp/");
    const std::string call = ReadFile(temp + "call.bin");
    const std::string folder = call.substr(0, call.rfind('/', call.find('\n')) + 1);
    ExpectWorkingFolder(folder, temp);
    EXPECT_EQ(call.rfind(folder + "x.rtf\n" + folder + "\n", 0), 0u);
}

// A missing library, a failed conversion or a library that writes nothing left the
// temporary RTF file (and what the library wrote) in the target folder for good.
TEST_F(Converter, NoConversionLeavesAnythingBehind) {
    m_converter.SetLibraryName("librtftohtml_missing.so");
    for (const char* name : {"one", "two"}) {
        EXPECT_EQ(m_converter.Convert(kBody, m_folder, name, "t", 0), "");
    }
    // A library without the export is no better.
    m_converter.SetLibraryName("libc.so.6");
    EXPECT_EQ(m_converter.Convert(kBody, m_folder, "three", "t", 0), "");
    EXPECT_TRUE(FilesIn(m_folder).empty());

    m_converter.SetLibraryName("librtftohtml_recorder.so");
    EXPECT_EQ(m_converter.Convert(kBody, m_folder, "bad", "fail", 0), "");
    EXPECT_EQ(FilesIn(m_folder), (std::vector<std::string>{"call.bin"}));
    // Success claimed but no HTML written: empty, and nothing left either.
    EXPECT_EQ(m_converter.Convert(kBody, m_folder, "quiet", "none", 0), "");
    EXPECT_EQ(FilesIn(m_folder), (std::vector<std::string>{"call.bin"}));
}

TEST_F(Converter, RefusesPathsLongerThanTheBuffers) {
    m_converter.SetLibraryName("librtftohtml_recorder.so");
    const std::string name(PATH_MAX, 'n');
    EXPECT_EQ(m_converter.Convert(kBody, m_folder, name, "t", 0), "");
    EXPECT_FALSE(std::filesystem::exists(m_folder + "call.bin"));
    EXPECT_TRUE(FilesIn(m_folder).empty());
}

TEST_F(Converter, IsCreatableByClassName) {
    std::unique_ptr<wxObject> object(wxCreateDynamicObject("ivConverter_RTF_HTML"));
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(wxCLASSINFO(ivObject)));
    auto* converter = dynamic_cast<ivConverter_RTF_HTML*>(object.get());
    ASSERT_NE(converter, nullptr);
    EXPECT_EQ(converter->LibraryName(), "librtftohtml.so");
}

}  // namespace
