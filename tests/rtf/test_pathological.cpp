// Hostile and broken input: nothing may crash, hang or grow without bound, and the text
// around the damage should survive.

#include "rtf/convert.h"
#include "rtf/docx_writer.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "rtf/text_writer.h"
#include "tests/rtf/rtf_test_util.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Runs every writer over what the reader made of input.
rtf::Document ReadAndWriteAll(const std::string& input) {
    rtf::Document d = rtf::ReadRtf(input).document;
    rtf::HtmlOptions options;
    (void)rtf::WriteHtml(d, options);
    (void)rtf::WriteText(d);
    rtf::DocxContext context;
    (void)rtf::WriteWordprocessingML(d, context);
    (void)rtf::ReadRtf(rtf::WriteRtf(d));
    return d;
}

std::string Text(const std::string& input) {
    return rtf::WriteText(ReadAndWriteAll(input));
}

TEST(Pathological, HundredThousandNestedGroups) {
    const std::string open(100000, '{');
    const std::string close(100000, '}');
    EXPECT_EQ(Text("{\\rtf1 before" + open + "deep" + close + " after\\par}"),
              "beforedeep after\n");
    // Never closed, and closed too often.
    EXPECT_EQ(Text("{\\rtf1 a" + open + "b"), "ab\n");
    EXPECT_EQ(Text("{\\rtf1 a\\par}" + close + "{\\rtf1 not read}"), "a\n");
}

TEST(Pathological, DeeplyNestedDestinationsAreSkippedWhole) {
    std::string deep;
    for (int i = 0; i < 50000; ++i) {
        deep += "{\\*\\unknown ";
    }
    deep += std::string(50000, '}');
    EXPECT_EQ(Text("{\\rtf1 a" + deep + "b\\par}"), "ab\n");
}

TEST(Pathological, TenMegabyteControlWordAndParameter) {
    const std::string word(10 << 20, 'x');
    const std::string digits(1 << 20, '9');
    EXPECT_EQ(Text("{\\rtf1 a\\" + word + " b\\fs" + digits + " c\\par}"), "abc\n");
}

TEST(Pathological, BinWithHugeOrNegativeLength) {
    EXPECT_EQ(Text("{\\rtf1 a{\\pict\\pngblip\\bin2147483647 xyz}"), "a\n");
    EXPECT_EQ(Text("{\\rtf1 a\\bin-5 b\\par}"), "ab\n");
    EXPECT_EQ(Text("{\\rtf1 a{\\*\\x\\bin99999999999 }}}}"), "a\n");
}

TEST(Pathological, InvalidHexAndStrayBytes) {
    // An escape without hex digits is dropped; one digit is a byte (a control character
    // here, so dropped too).
    EXPECT_EQ(Text("{\\rtf1 a\\'zzb\\'4g\\'\\par}"), "azzbg\n");
    EXPECT_EQ(Text(std::string("{\\rtf1 a\0b\x01\x7F\tc\\par}", 16)), "ab\tc\n");
}

TEST(Pathological, EveryPrefixOfRealDocuments) {
    for (const char* name : {"word_tables.rtf", "word_lists.rtf", "hyperlinks.rtf", "pictures.rtf",
                             "code_pages.rtf", "footnotes_hidden.rtf", "word_nested_tables.rtf"}) {
        const std::string rtf = rtf_test::ReadBytes(rtf_test::FixturePath(name));
        ASSERT_FALSE(rtf.empty()) << name;
        for (size_t length = 0; length <= rtf.size(); length += 7) {
            ReadAndWriteAll(rtf.substr(0, length));
        }
    }
}

TEST(Pathological, ExtremeTableStructures) {
    std::string cells = "{\\rtf1\\trowd";
    for (int i = 0; i < 100000; ++i) {
        cells += "\\cellx" + std::to_string(i);
    }
    cells += "\\intbl a\\cell\\row}";
    const rtf::Document many = ReadAndWriteAll(cells);
    EXPECT_EQ(many.blocks.at(0).AsTable()->rows.at(0).cells.at(0).width, 0);

    // Table depth far beyond any real document is clamped, so writers recurse boundedly.
    const rtf::Document deep =
        ReadAndWriteAll("{\\rtf1\\pard\\intbl\\itap2000000 deep\\nestcell\\nestrow\\pard x\\par}");
    int depth = 0;
    const rtf::Table* t = deep.blocks.at(0).AsTable();
    while (t != nullptr) {
        ++depth;
        const rtf::Block& first = t->rows.at(0).cells.at(0).blocks.at(0);
        t = first.AsTable();
    }
    EXPECT_EQ(depth, rtf::ReadLimits{}.maxTableDepth);

    // Cells and rows with nothing, rows without a table.
    ReadAndWriteAll("{\\rtf1\\row\\cell\\nestrow\\nestcell\\intbl\\row\\row\\cell\\cell}");
}

// Found by fuzzing: a cell width made from \trleft and \cellx near the ends of the int range
// overflowed (4320 - -2147483647).
TEST(Pathological, RowLeftAtTheIntLimitDoesNotOverflowTheCellWidth) {
    const rtf::Document d =
        ReadAndWriteAll("{\\rtf1\\trowd\\trleft-2147483647\\cellx4320 a\\cell\\row}");
    EXPECT_EQ(d.blocks.at(0).AsTable()->rows.at(0).cells.at(0).width, 4320 + (1 << 24))
        << "cell edges are clamped to about 22 m either side";
    // A thousand merged cells zigzagging between the far ends add up their widths in range.
    std::string merged = "{\\rtf1\\trowd\\trleft-2147483648\\clmgf\\cellx-2147483648";
    std::string cells;
    for (int i = 1; i < 1000; ++i) {
        merged += i % 2 == 1 ? "\\clmrg\\cellx2147483647" : "\\clmrg\\cellx-2147483648";
        cells += " b\\cell";
    }
    const rtf::Document m = ReadAndWriteAll(merged + " a\\cell" + cells + "\\row}");
    const rtf::TableCell& cell = m.blocks.at(0).AsTable()->rows.at(0).cells.at(0);
    EXPECT_GT(cell.width, 0);
    EXPECT_LE(cell.width, 1 << 26) << "merged widths are capped";
}

TEST(Pathological, ListLevelsAndNumbersOutOfRange) {
    const std::string lists =
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc999\\levelstartat-2147483647}\\listid1}}"
        "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}";
    const rtf::Document d = ReadAndWriteAll(
        "{\\rtf1" + lists + "\\pard\\ls1\\ilvl99999 a\\par\\pard\\ls1\\ilvl-9 b\\par}");
    EXPECT_EQ(rtf_test::Words(rtf::WriteText(d)).back(), "b");
}

TEST(Pathological, ModelLimitStopsReading) {
    std::string big = "{\\rtf1 ";
    for (int i = 0; i < 20000; ++i) {
        big += "word\\par ";
    }
    big += "}";
    rtf::ReadLimits limits;
    limits.maxModelBytes = 1000;
    const rtf::ReadResult r = rtf::ReadRtf(big, limits);
    EXPECT_TRUE(r.truncated);
    EXPECT_LT(r.document.blocks.size(), 1000u);
    EXPECT_FALSE(rtf::ReadRtf(big).truncated);
}

TEST(Pathological, PictureLargerThanTheLimitIsDropped) {
    rtf::ReadLimits limits;
    limits.maxPictureBytes = 1000;
    const std::string hex(4000, 'a');
    const rtf::ReadResult r =
        rtf::ReadRtf("{\\rtf1 a{\\pict\\pngblip " + hex + "}{\\pict\\pngblip abab}b\\par}", limits);
    ASSERT_EQ(r.document.pictures.size(), 1u);
    EXPECT_EQ(r.document.pictures[0].data, "\xAB\xAB");
}

TEST(Pathological, NestedFootnotesAndFieldsDoNotConfuseTheFlows) {
    const rtf::Document d = ReadAndWriteAll(
        "{\\rtf1 a{\\footnote b{\\footnote c}d{\\field{\\*\\fldinst{\\field{\\*\\fldinst HYPERLINK "
        "\"x\"}{\\fldrslt y}}}{\\fldrslt z}}}e{\\fldrslt orphan}\\par}");
    ASSERT_EQ(d.footnotes.size(), 1u);
    EXPECT_EQ(rtf::WriteText(d), "a[1]eorphan\n\n[1] bdz\n");
}

TEST(Pathological, RandomBytesAndRandomTokens) {
    std::mt19937 random(12345);
    const std::vector<std::string> pieces = {"{",
                                             "}",
                                             "\\par ",
                                             "\\cell ",
                                             "\\row ",
                                             "\\intbl ",
                                             "\\itap3 ",
                                             "\\nestcell ",
                                             "\\trowd ",
                                             "\\cellx500 ",
                                             "{\\*\\nesttableprops ",
                                             "\\ls1 ",
                                             "\\ilvl2 ",
                                             "{\\pict\\pngblip ",
                                             "ab",
                                             "\\u-1?",
                                             "\\uc5 ",
                                             "\\'82",
                                             "{\\field{\\*\\fldinst HYPERLINK \"q\"}{\\fldrslt ",
                                             "{\\footnote ",
                                             "\\pard ",
                                             "\\plain ",
                                             "{\\upr{",
                                             "{\\*\\ud ",
                                             "\\bin4 ",
                                             "{\\fonttbl ",
                                             "\\f1 ",
                                             "\\fcharset128 ",
                                             ";",
                                             "{\\stylesheet ",
                                             "\\s1 ",
                                             "{\\listtable ",
                                             "\\v ",
                                             "{\\shp{\\*\\shpinst ",
                                             "\\line ",
                                             "\\clvmrg ",
                                             "\\clmrg "};
    for (int round = 0; round < 300; ++round) {
        std::string input = "{\\rtf1 ";
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) {
            if (random() % 10 == 0) {
                input += static_cast<char>(random() % 256);
            } else {
                input += pieces[random() % pieces.size()];
            }
        }
        ReadAndWriteAll(input);
    }
}

// Cell edges anywhere in the integer range, in any order, must give widths, grids and spans
// without overflow (UBSan watches) and a table every writer can write.
TEST(Pathological, CellEdgesAtTheEndsOfTheIntegerRange) {
    std::string rtf = "{\\rtf1 ";
    std::mt19937 random(3);
    for (int row = 0; row < 50; ++row) {
        rtf += "\\trowd\\trleft" + std::to_string(static_cast<int>(random())) + "\\trgaph" +
               std::to_string(static_cast<int>(random()));
        for (int cell = 0; cell < 20; ++cell) {
            const int edge = cell % 3 == 0   ? 2147483647
                             : cell % 3 == 1 ? -2147483647 - 1
                                             : static_cast<int>(random());
            rtf += (cell % 2 ? "\\clmrg" : "\\clvmrg") + std::string("\\clpadl") +
                   std::to_string(static_cast<int>(random())) + "\\clbrdrt\\brdrs\\brdrw" +
                   std::to_string(static_cast<int>(random())) + "\\cellx" + std::to_string(edge);
        }
        rtf += "\\pard\\intbl x\\cell y\\cell\\row ";
    }
    rtf += "}";
    const rtf::Document d = ReadAndWriteAll(rtf);
    ASSERT_EQ(d.blocks.size(), 1u);
    const rtf::Table* table = d.blocks[0].AsTable();
    ASSERT_NE(table, nullptr);
    for (const rtf::TableRow& row : table->rows) {
        for (const rtf::TableCell& cell : row.cells) {
            EXPECT_GE(cell.width, 0);
            EXPECT_GE(cell.colSpan, 1);
            EXPECT_LE(cell.padding.left, 2880);
            EXPECT_LE(cell.borders.top.width, 1440);
        }
    }
}

TEST(Pathological, BookmarksWithoutEndsHugeNamesAndMisplacedStandIns) {
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 2000; ++i) {
        rtf += "{\\*\\bkmkstart b" + std::to_string(i) + "}";
    }
    rtf += "{\\*\\bkmkstart " + std::string(1 << 20, 'n') + "}{\\*\\bkmkend never}";
    // A stand-in without its picture, and one inside a field instruction.
    rtf +=
        "{\\nonshppict{\\pict\\pngblip 89504e47}}{\\field{\\*\\fldinst {\\nonshppict{\\pict "
        "\\pngblip 00}}}{\\fldrslt r}} end\\par}";
    const rtf::Document d = ReadAndWriteAll(rtf);
    const auto& runs = d.blocks.at(0).AsParagraph()->runs;
    size_t longest = 0;
    for (const rtf::Run& run : runs) {
        longest = std::max(longest, run.text.size());
    }
    EXPECT_LE(longest, 256u) << "names are bounded";
    // The lone stand-in is a picture of its own; the one in the instruction is none.
    EXPECT_EQ(d.pictures.size(), 1u);
    rtf::DocxContext context;
    const std::string xml = rtf::WriteWordprocessingML(d, context);
    EXPECT_EQ(xml.find("bookmarkEnd w:id=\"-1\""), std::string::npos);
}

TEST(Pathological, BrokenUtf8AndSurrogatesAtEveryBoundary) {
    EXPECT_EQ(Text("{\\rtf1\\ansicpg65001 a\\'f0\\'9f\\par b\\'80\\'c3 \\'a9\\par}"),
              "a\xEF\xBF\xBD\nb\xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD\n");
    // A high half before a paragraph end stands alone there, not in the next paragraph.
    EXPECT_EQ(Text("{\\rtf1 a\\u-10179?\\par\\u-8704?b\\par}"),
              "a\xEF\xBF\xBD\n\xEF\xBF\xBD"
              "b\n");
    EXPECT_EQ(Text("{\\rtf1 {\\b\\u-10179?}\\i\\u-8704? c\\par}"), "\xF0\x9F\x98\x80 c\n");
}

}  // namespace
