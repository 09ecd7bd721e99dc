// Each fixture NAME.rtf is converted to an HTML fragment and to plain text and compared byte
// for byte with NAME.html and NAME.txt. After a deliberate change of the output, run the test
// with QV_UPDATE_GOLDEN=1 to rewrite the expected files, then review their diff.

#include "rtf/convert.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "tests/rtf/rtf_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using rtf_test::FixturePath;
using rtf_test::ReadBytes;

bool Updating() {
    const char* flag = std::getenv("QV_UPDATE_GOLDEN");
    return flag != nullptr && std::string(flag) == "1";
}

void CompareGolden(const std::string& path, const std::string& actual) {
    if (Updating()) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path))
        << path << " is missing (QV_UPDATE_GOLDEN=1 writes it)";
    EXPECT_EQ(ReadBytes(path), actual) << "output differs from " << path;
}

class Fixture : public testing::TestWithParam<std::string> {};

TEST_P(Fixture, MatchesExpectedHtmlAndText) {
    const std::string rtf = ReadBytes(FixturePath(GetParam() + ".rtf"));
    ASSERT_FALSE(rtf.empty());
    rtf::HtmlOptions options;
    options.fragment = true;
    CompareGolden(FixturePath(GetParam() + ".html"), rtf::RtfToHtml(rtf, options));
    CompareGolden(FixturePath(GetParam() + ".txt"), rtf::RtfToText(rtf));
}

TEST_P(Fixture, SurvivesRtfRoundTrip) {
    const rtf::Document first = rtf::ReadRtf(ReadBytes(FixturePath(GetParam() + ".rtf"))).document;
    const std::string written = rtf::WriteRtf(first);
    const rtf::Document second = rtf::ReadRtf(written).document;
    EXPECT_TRUE(first == second) << "written as:\n" << written;
    // What we write we read back to the same RTF.
    EXPECT_EQ(written, rtf::WriteRtf(second));
}

std::vector<std::string> FixtureNames() {
    std::vector<std::string> names;
    for (const std::string& path : rtf_test::ListFiles(QV_RTF_FIXTURES, ".rtf")) {
        names.push_back(std::filesystem::path(path).stem().string());
    }
    return names;
}

INSTANTIATE_TEST_SUITE_P(Rtf, Fixture, testing::ValuesIn(FixtureNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

}  // namespace
