// Each fixture NAME.rtf is converted to an HTML fragment and to plain text and compared byte
// for byte with NAME.html and NAME.txt. After a deliberate change of the output, run the test
// with QV_REFRESH_GOLDEN=1 to rewrite the expected files, then review their diff.

#include "rtf/convert.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "tests/rtf/rtf_test_util.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using rtf_test::FixturePath;
using rtf_test::ReadBytes;

class Fixture : public testing::TestWithParam<std::string> {};

TEST_P(Fixture, MatchesExpectedHtmlAndText) {
    const std::string rtf = ReadBytes(FixturePath(GetParam() + ".rtf"));
    ASSERT_FALSE(rtf.empty());
    rtf::HtmlOptions options;
    options.fragment = true;
    testing_support::ExpectGolden(FixturePath(GetParam() + ".html"), rtf::RtfToHtml(rtf, options));
    testing_support::ExpectGolden(FixturePath(GetParam() + ".txt"), rtf::RtfToText(rtf));
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
