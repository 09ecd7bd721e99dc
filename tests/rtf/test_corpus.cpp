// The shared corpus of real RTF files: each converts, its words match the text LibreOffice
// exports from it, and it survives an RTF round trip.

#include "rtf/convert.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "rtf/text_writer.h"
#include "tests/rtf/rtf_test_util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <unordered_map>

namespace {

using rtf_test::CorpusPath;
using rtf_test::ReadBytes;
using rtf_test::Words;

// Files where LibreOffice's text is not what the writing program meant, and why. "Keeps"
// files: LibreOffice loses text that we keep, so its words must all be among ours in order.
// "Close" files: the texts differ in a few places for the reasons given; most words match.
enum class Deviation { Keeps, Close };

const std::map<std::string, std::pair<Deviation, const char*>>& KnownDeviations() {
    static const std::map<std::string, std::pair<Deviation, const char*>> known = {
        {"RtfPipe__Issue50-2.rtf",
         {Deviation::Keeps,
          "damaged file (the backslashes before * and ' are lost); "
          "LibreOffice shows only asterisks"}},
        {"pandoc__table_nested_malformed_itap.rtf",
         {Deviation::Keeps, "\\itap skips a level; LibreOffice drops the whole table"}},
        {"pandoc__table_simple.rtf",
         {Deviation::Keeps, "four cells share one \\cellx; LibreOffice keeps the first only"}},
        {"pandoc__list_legacy.rtf",
         {Deviation::Keeps, "LibreOffice drops the numbers and bullets of \\pn lists"}},
        {"rtf.js__sample.rtf",
         {Deviation::Close, "LibreOffice exports hidden text and puts footnotes inline"}},
        {"RtfPipe__inline_mix.rtf",
         {Deviation::Close, "LibreOffice exports hidden text and puts footnotes inline"}},
        {"pandoc__formatting.rtf", {Deviation::Close, "LibreOffice exports hidden text"}},
        {"RtfPipe__old3_from_web.rtf",
         {Deviation::Close,
          "LibreOffice exports hidden text, numbers a \\pn list from 2 where the file's own "
          "\\pntext says 1, and turns Symbol-font Greek into private-use characters"}},
        {"RtfPipe__Test01.rtf",
         {Deviation::Close, "LibreOffice shows both halves of \\upr and drops Symbol-font Greek"}},
        {"RtfPipe__outline_list.rtf",
         {Deviation::Close,
          "the last item is \"b.\" by the file's own \\listtext; LibreOffice "
          "counts it as 5"}},
    };
    return known;
}

bool IsSubsequence(const std::vector<std::string>& small, const std::vector<std::string>& big) {
    size_t i = 0;
    for (const std::string& word : big) {
        if (i < small.size() && small[i] == word) {
            ++i;
        }
    }
    return i == small.size();
}

// Share of words the two texts have in common, counted with multiplicity.
double CommonShare(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::unordered_map<std::string, long> counts;
    for (const std::string& w : a) {
        ++counts[w];
    }
    size_t common = 0;
    for (const std::string& w : b) {
        if (counts[w]-- > 0) {
            ++common;
        }
    }
    const size_t larger = std::max(a.size(), b.size());
    return larger == 0 ? 1.0 : static_cast<double>(common) / static_cast<double>(larger);
}

class CorpusFile : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (!rtf_test::CorpusAvailable()) {
            GTEST_SKIP() << "no RTF corpus at " << CorpusPath("");
        }
    }
    std::string Name() const { return std::filesystem::path(GetParam()).filename().string(); }
};

TEST_P(CorpusFile, ConvertsAndKeepsTheText) {
    const std::string rtf = ReadBytes(GetParam());
    const rtf::ReadResult read = rtf::ReadRtf(rtf);
    ASSERT_TRUE(read.isRtf);
    ASSERT_FALSE(read.truncated);
    rtf::HtmlOptions options;
    EXPECT_NE(rtf::WriteHtml(read.document, options).find("</html>"), std::string::npos);

    const std::string stem = std::filesystem::path(GetParam()).stem().string();
    const std::vector<std::string> expected =
        Words(ReadBytes(CorpusPath("expected-text/" + stem + ".txt")));
    const std::vector<std::string> ours = Words(rtf::WriteText(read.document));
    auto known = KnownDeviations().find(Name());
    if (known == KnownDeviations().end()) {
        EXPECT_EQ(expected, ours);
    } else if (known->second.first == Deviation::Keeps) {
        EXPECT_TRUE(IsSubsequence(expected, ours)) << known->second.second;
    } else {
        EXPECT_GE(CommonShare(expected, ours), 0.9) << known->second.second;
    }
}

TEST_P(CorpusFile, SurvivesRtfRoundTrip) {
    const rtf::Document first = rtf::ReadRtf(ReadBytes(GetParam())).document;
    const rtf::Document second = rtf::ReadRtf(rtf::WriteRtf(first)).document;
    EXPECT_TRUE(first == second);
    EXPECT_EQ(rtf::WriteText(first), rtf::WriteText(second));
}

std::vector<std::string> CorpusFiles(const char* folder) {
    if (!rtf_test::CorpusAvailable()) {
        return {""};  // one case, which skips
    }
    return rtf_test::ListFiles(CorpusPath(folder), "");
}

std::string CaseName(const testing::TestParamInfo<std::string>& info) {
    std::string name = std::filesystem::path(info.param).stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name.empty() ? "none" : name;
}

INSTANTIATE_TEST_SUITE_P(Public, CorpusFile, testing::ValuesIn(CorpusFiles("public")), CaseName);

TEST(CorpusMalformed, ConvertWithoutFailure) {
    if (!rtf_test::CorpusAvailable()) {
        GTEST_SKIP() << "no RTF corpus";
    }
    for (const std::string& path : rtf_test::ListFiles(CorpusPath("malformed"), "")) {
        const std::string html = rtf::RtfToHtml(ReadBytes(path), rtf::HtmlOptions{});
        EXPECT_NE(html.find("</html>"), std::string::npos) << path;
    }
}

}  // namespace
