// The reader, fed small documents; checks the model it builds.

#include "rtf/html_writer.h"
#include "rtf/reader.h"
#include "rtf/reader_impl.h"
#include "rtf/rtf_writer.h"
#include "rtf/text_writer.h"
#include "rtf/tokenizer.h"
#include "tests/rtf/rtf_test_util.h"

#include <gtest/gtest.h>

namespace {

using rtf::Block;
using rtf::Document;
using rtf_test::Paragraphs;
using rtf_test::ParagraphText;

Document Read(const std::string& rtf) {
    return rtf::ReadRtf(rtf).document;
}

std::vector<std::string> Texts(const Document& d) {
    std::vector<std::string> texts;
    for (const rtf::Paragraph* p : Paragraphs(d)) {
        texts.push_back(ParagraphText(*p));
    }
    return texts;
}

TEST(Tokenizer, SplitsControlWordsParametersAndText) {
    rtf::Tokenizer t("{\\b0 x\\fs-24y\\'e9\\\\\\*\\u8364?\\bin3 {}}z}");
    auto next = [&] { return t.Next(); };
    EXPECT_EQ(next().kind, rtf::TokenKind::GroupStart);
    rtf::Token b = next();
    EXPECT_EQ(b.text, "b");
    EXPECT_TRUE(b.hasParam);
    EXPECT_EQ(b.param, 0);
    EXPECT_EQ(next().text, "x");  // the space after "\b0" belongs to the control word
    rtf::Token fs = next();
    EXPECT_EQ(fs.param, -24);
    EXPECT_EQ(next().text, "y");
    rtf::Token hex = next();
    EXPECT_EQ(hex.kind, rtf::TokenKind::Hex);
    EXPECT_EQ(hex.byte, 0xE9);
    EXPECT_EQ(next().text, "\\");
    EXPECT_EQ(next().byte, '*');
    EXPECT_EQ(next().param, 8364);
    EXPECT_EQ(next().text, "?");
    rtf::Token bin = next();
    EXPECT_EQ(bin.kind, rtf::TokenKind::Binary);
    EXPECT_EQ(bin.text, "{}}");  // \bin data is raw, braces included
    EXPECT_EQ(next().text, "z");
    EXPECT_EQ(next().kind, rtf::TokenKind::GroupEnd);
    EXPECT_EQ(next().kind, rtf::TokenKind::End);
}

TEST(Tokenizer, SaturatesParametersAndSkipsGroupsWithEscapedBraces) {
    rtf::Tokenizer t("\\li99999999999999 \\'zz{a\\}b{\\bin2 }}}}d");
    EXPECT_EQ(t.Next().param, INT32_MAX);
    EXPECT_EQ(t.Next().text, "zz");  // an invalid hex escape yields nothing
    EXPECT_EQ(t.Next().kind, rtf::TokenKind::GroupStart);
    t.SkipGroup();
    EXPECT_EQ(t.Next().text, "d");
}

TEST(Reader, TakesPlainTextWhenInputIsNoRtf) {
    rtf::ReadResult r = rtf::ReadRtf("first line\r\nzweite Zeile \xC3\xBC\n");
    EXPECT_FALSE(r.isRtf);
    EXPECT_EQ(Texts(r.document), (std::vector<std::string>{"first line", "zweite Zeile \xC3\xBC"}));
    // Not UTF-8: Windows-1252.
    EXPECT_EQ(Texts(Read("caf\xE9")), (std::vector<std::string>{"caf\xC3\xA9"}));
    EXPECT_TRUE(rtf::ReadRtf("\xEF\xBB\xBF  {\\rtf1 x}").isRtf);
}

TEST(Reader, SkipsUnicodeFallbackAsCountedByUc) {
    // The fallback is counted in characters: a hex escape and a control word count as one,
    // and the count ends at a group boundary.
    EXPECT_EQ(Texts(Read("{\\rtf1\\uc1\\u8364\\'80 a\\par}")).at(0), "\xE2\x82\xAC a");
    EXPECT_EQ(Texts(Read("{\\rtf1\\uc2\\u8364\\'80\\'80b\\par}")).at(0),
              "\xE2\x82\xAC"
              "b");
    EXPECT_EQ(Texts(Read("{\\rtf1\\uc1\\u8212\\emdash x\\par}")).at(0), "\xE2\x80\x94x");
    EXPECT_EQ(Texts(Read("{\\rtf1\\uc3\\u8364{a}b\\par}")).at(0),
              "\xE2\x82\xAC"
              "ab");
    EXPECT_EQ(Texts(Read("{\\rtf1{\\uc0\\u1488\\u1489}x\\par}")).at(0), "\xD7\x90\xD7\x91x");
    // \uc is group state: after the group the outer count applies again.
    EXPECT_EQ(Texts(Read("{\\rtf1\\uc1{\\uc0 a}\\u233?b\\par}")).at(0),
              "a\xC3\xA9"
              "b");
}

TEST(Reader, JoinsSurrogatePairsAndReplacesLoneHalves) {
    EXPECT_EQ(Texts(Read("{\\rtf1\\u-10179?\\u-8704?\\par}")).at(0), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Texts(Read("{\\rtf1\\u55357?\\par}")).size(), 1u);
    EXPECT_EQ(Texts(Read("{\\rtf1 a\\u55357?b\\u56832?c\\par}")).at(0),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD"
              "c");
}

TEST(Reader, DecodesDoubleByteCodePagesAcrossTokens) {
    // A trail byte may be a literal character, even an escaped backslash.
    const Document d = Read(
        "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0 Gothic;}}\\f0\\'83\\'65\\'95\\\\\\'82A\\par}");
    EXPECT_EQ(Texts(d).at(0), "\xE3\x83\x86\xE8\xA1\xA8\xEF\xBF\xBD");
    // A lead byte cut off by a control word is dropped, not glued to later text.
    EXPECT_EQ(Texts(Read("{\\rtf1\\ansicpg936\\'c4\\b x\\par}")).at(0), "x");
}

TEST(Reader, AnsiCharsetMeansWindows1252InAnyDocument) {
    const Document d = Read(
        "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1 Any;}}"
        "\\f0\\'e9\\f1\\'e9\\par}");
    EXPECT_EQ(Texts(d).at(0), "\xC3\xA9\xD0\xB9");
}

TEST(Reader, ReadsFontTablesWithAndWithoutGroups) {
    const Document d = Read(
        "{\\rtf1\\deff1{\\fonttbl\\f0\\froman Tms Rmn;\\f1\\fswiss Helv;}"
        "{\\fonttbl{\\f5\\fnil{\\*\\panose 0}{\\*\\falt X}Calibri ;}}x\\f5 y\\plain z\\par}");
    ASSERT_EQ(d.fonts.size(), 3u);
    EXPECT_EQ(d.fonts[0].name, "Tms Rmn");
    EXPECT_EQ(d.fonts[1].family, rtf::FontFamily::Swiss);
    EXPECT_EQ(d.fonts[2].name, "Calibri");
    EXPECT_EQ(d.defaultFont, 1);
    const rtf::Paragraph& p = *Paragraphs(d).at(0);
    ASSERT_EQ(p.runs.size(), 3u);
    EXPECT_EQ(p.runs[0].format.font, 1);  // before any \f: the default font
    EXPECT_EQ(p.runs[1].format.font, 2);
    EXPECT_EQ(p.runs[2].format.font, 1);  // \plain returns to it
}

TEST(Reader, KeepsCharacterFormattingPerGroup) {
    const Document d = Read(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "a{\\b\\i\\ul\\cf1\\chcbpat2\\fs30 b}c\\strike d\\strike0\\super e\\nosupersub\\par}");
    const rtf::Paragraph& p = *Paragraphs(d).at(0);
    ASSERT_EQ(p.runs.size(), 5u);
    const rtf::CharFormat& b = p.runs[1].format;
    EXPECT_TRUE(b.bold && b.italic);
    EXPECT_EQ(b.underline, rtf::Underline::Single);
    EXPECT_EQ(b.color, 0xFF0000u);
    EXPECT_EQ(b.background, 0x0000FFu);
    EXPECT_EQ(b.size, 30);
    EXPECT_EQ(p.runs[2].format, rtf::CharFormat{});
    EXPECT_TRUE(p.runs[3].format.strike);
    EXPECT_EQ(p.runs[4].format.valign, rtf::VerticalAlign::Superscript);
}

TEST(Reader, KeepsHiddenTextAndHiddenParagraphMarksForWritingBack) {
    const Document d = Read("{\\rtf1 a{\\v b}c\\par{\\v hidden\\par}d\\par}");
    EXPECT_EQ(Texts(d), (std::vector<std::string>{"abc", "hidden", "d"}));
    const auto ps = Paragraphs(d);
    EXPECT_TRUE(ps[0]->runs[1].format.hidden);
    EXPECT_FALSE(ps[0]->format.hiddenMark);
    EXPECT_TRUE(ps[1]->format.hiddenMark);
    EXPECT_FALSE(ps[1]->Shown());
    // Readers see none of it.
    EXPECT_EQ(rtf::WriteText(d), "ac\nd\n");
    rtf::HtmlOptions options;
    options.fragment = true;
    EXPECT_EQ(rtf::WriteHtml(d, options), "<p>ac</p>\n<p>d</p>\n");
    const std::string rtf = rtf::WriteRtf(d);
    EXPECT_NE(rtf.find("{\\v b}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\v\\par}"), std::string::npos) << rtf;
    EXPECT_TRUE(Read(rtf) == d);
}

TEST(Reader, ReadsBookmarksAsRunsAndCrossReferencesAsLinks) {
    const Document d = Read(
        "{\\rtf1 {\\*\\bkmkstart _Ref1}Target{\\*\\bkmkend _Ref1}\\par "
        "{\\field{\\*\\fldinst REF _Ref1 \\\\h }{\\fldrslt Target}} and "
        "{\\field{\\*\\fldinst PAGEREF _Ref1}{\\fldrslt 3}}\\par}");
    const auto ps = Paragraphs(d);
    ASSERT_EQ(ps[0]->runs.size(), 3u);
    EXPECT_EQ(ps[0]->runs[0].kind, rtf::RunKind::BookmarkStart);
    EXPECT_EQ(ps[0]->runs[0].text, "_Ref1");
    EXPECT_EQ(ps[0]->runs[2].kind, rtf::RunKind::BookmarkEnd);
    // A bookmark inside a link belongs to it, so that the link is written back whole.
    const Document inLink = Read(
        "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt a{\\*\\bkmkstart m}b}}\\par}");
    EXPECT_EQ(Paragraphs(inLink)[0]->runs[1].format.link, 0);
    EXPECT_TRUE(Read(rtf::WriteRtf(inLink)) == inLink);
    // A cross-reference inserted as a hyperlink leads to its bookmark; one without \h not.
    ASSERT_EQ(d.links, (std::vector<std::string>{"#_Ref1"}));
    EXPECT_EQ(ps[1]->runs[0].format.link, 0);
    EXPECT_EQ(ps[1]->runs.back().format.link, -1);
}

TEST(Reader, TakesHeadingsFromStyleNamesAndOutlineLevels) {
    const Document d = Read(
        "{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}{\\s7\\outlinelevel3 Titre;}"
        "{\\*\\cs10 heading 2;}}\\pard\\s1 A\\par\\pard\\s7 B\\par\\pard\\outlinelevel1 C\\par"
        "\\pard\\s10 D\\par}");
    const auto ps = Paragraphs(d);
    ASSERT_EQ(ps.size(), 4u);
    EXPECT_EQ(ps[0]->format.heading, 1);
    EXPECT_EQ(ps[1]->format.heading, 4);
    EXPECT_EQ(ps[2]->format.heading, 2);
    EXPECT_EQ(ps[3]->format.heading, 0);  // a character style is no paragraph style
}

TEST(Reader, ParsesHyperlinkInstructions) {
    using rtf::detail::HyperlinkTarget;
    EXPECT_EQ(HyperlinkTarget(" HYPERLINK \"http://x.example/a b\" "), "http://x.example/a b");
    EXPECT_EQ(HyperlinkTarget("HYPERLINK http://x.example/"), "http://x.example/");
    EXPECT_EQ(HyperlinkTarget("hyperlink \\l \"_Toc1\""), "#_Toc1");
    EXPECT_EQ(HyperlinkTarget("HYPERLINK \"doc.htm\" \\l \"part\" \\o \"tip\""), "doc.htm#part");
    EXPECT_EQ(HyperlinkTarget("HYPERLINK \\o \"tip\" \"http://y/\""), "http://y/");
    EXPECT_EQ(HyperlinkTarget("HYPERLINK \"\\\\\\\\server\\\\share\""), "\\\\server\\share");
    EXPECT_EQ(HyperlinkTarget("PAGE \\* MERGEFORMAT"), "");
    EXPECT_EQ(HyperlinkTarget("HYPERLINK \"unterminated"), "unterminated");
}

TEST(Reader, LinksOnlyTheFieldResult) {
    const Document d = Read(
        "{\\rtf1 a{\\field{\\*\\fldinst{HYPERLINK \"u\"}}{\\fldrslt{b}{\\plain c}}}d"
        "{\\field{\\*\\fldinst HYPERLINK \"v\"}{\\fldrslt e}}\\par}");
    const rtf::Paragraph& p = *Paragraphs(d).at(0);
    ASSERT_EQ(d.links, (std::vector<std::string>{"u", "v"}));
    ASSERT_EQ(p.runs.size(), 4u);
    EXPECT_EQ(p.runs[0].format.link, -1);
    EXPECT_EQ(p.runs[1].text, "bc");  // \plain keeps the link
    EXPECT_EQ(p.runs[1].format.link, 0);
    EXPECT_EQ(p.runs[2].format.link, -1);
    EXPECT_EQ(p.runs[3].format.link, 1);
}

TEST(Reader, ContinuesListNumberingAcrossInterruptions) {
    const std::string lists =
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat1}{\\listlevel\\levelnfc4"
        "\\levelstartat1}\\listid7}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}";
    const Document d = Read("{\\rtf1" + lists +
                            "\\pard\\ls1 a\\par b\\par\\pard\\ls1\\ilvl1 b1\\par\\pard x\\par"
                            "\\pard\\ls1 c\\par\\pard\\ls1\\ilvl1 c1\\par}");
    ASSERT_EQ(d.blocks.size(), 3u);
    const rtf::List* first = d.blocks[0].AsList();
    const rtf::List* second = d.blocks[2].AsList();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->style, rtf::ListStyle::Decimal);
    EXPECT_EQ(first->items.size(), 2u);
    ASSERT_EQ(first->items[1].blocks.size(), 2u);
    EXPECT_EQ(first->items[1].blocks[1].AsList()->style, rtf::ListStyle::LowerAlpha);
    EXPECT_EQ(second->start, 3);
    EXPECT_EQ(second->items[0].blocks[1].AsList()->start, 1);  // the lower level restarts
}

TEST(Reader, ReadsLegacyParagraphNumbering) {
    const Document d = Read(
        "{\\rtf1\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pnucltr\\pnstart2{\\pntxta .}}a\\par"
        "{\\pntext 2.\\tab}b\\par\\pard{\\*\\pn\\pnlvlblt{\\pntxtb o}}c\\par}");
    ASSERT_EQ(d.blocks.size(), 2u);
    EXPECT_EQ(d.blocks[0].AsList()->style, rtf::ListStyle::UpperAlpha);
    EXPECT_EQ(d.blocks[0].AsList()->start, 2);
    EXPECT_EQ(d.blocks[0].AsList()->items.size(), 2u);
    EXPECT_EQ(d.blocks[1].AsList()->style, rtf::ListStyle::Bullet);
    EXPECT_EQ(Texts(d), (std::vector<std::string>{"a", "b", "c"}));  // \pntext is no text
}

TEST(Reader, BuildsTablesEvenWhenRowsAreUnfinished) {
    // A row without \row at the end of the document, and cells after a \trowd that follows
    // them (as Word 2007 repeats it).
    const Document d = Read(
        "{\\rtf1\\trowd\\cellx1000\\cellx3000\\intbl a\\cell b\\cell\\row"
        "\\intbl c\\cell d\\cell\\trowd\\cellx500\\cellx900\\row\\intbl e\\cell}");
    ASSERT_EQ(d.blocks.size(), 1u);
    const rtf::Table* t = d.blocks[0].AsTable();
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->rows.size(), 3u);
    EXPECT_EQ(t->rows[0].cells[1].width, 2000);
    EXPECT_EQ(t->rows[1].cells[1].width, 400);
    EXPECT_EQ(t->rows[2].cells.size(), 1u);
    EXPECT_EQ(Texts(d), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

TEST(Reader, NestsTablesByDepth) {
    const Document d = Read(
        "{\\rtf1\\trowd\\cellx5000\\pard\\intbl\\itap2 x\\nestcell y\\nestcell"
        "{\\*\\nesttableprops\\trowd\\cellx100\\cellx300\\nestrow}{\\nonesttables\\par}"
        "\\pard\\intbl\\itap1 after\\cell\\row\\pard z\\par}");
    ASSERT_EQ(d.blocks.size(), 2u);
    const rtf::Table* outer = d.blocks[0].AsTable();
    ASSERT_EQ(outer->rows.size(), 1u);
    const rtf::TableCell& cell = outer->rows[0].cells.at(0);
    ASSERT_EQ(cell.blocks.size(), 2u);
    const rtf::Table* inner = cell.blocks[0].AsTable();
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->rows[0].cells[1].width, 200);
    EXPECT_EQ(ParagraphText(*cell.blocks[1].AsParagraph()), "after");
    EXPECT_EQ(Texts(d), (std::vector<std::string>{"x", "y", "after", "z"}));
}

TEST(Reader, KeepsPngAndJpegAndSkipsFallbacks) {
    const Document d = Read(
        "{\\rtf1{\\*\\shppict{\\pict\\pngblip\\picwgoal300\\pichgoal150 89504E47}}"
        "{\\nonshppict{\\pict\\wmetafile8 0102}}"
        "{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv{\\pict\\jpegblip\\picw4\\pich2 FFD8}}}}"
        "{\\shprslt{\\pict\\wmetafile8 0102}}}\\par}");
    ASSERT_EQ(d.pictures.size(), 2u);
    EXPECT_EQ(d.pictures[0].format, rtf::PictureFormat::Png);
    EXPECT_EQ(d.pictures[0].data, std::string("\x89PNG", 4));
    EXPECT_EQ(d.pictures[0].width, 300);
    EXPECT_EQ(d.pictures[0].height, 150);
    EXPECT_EQ(d.pictures[1].format, rtf::PictureFormat::Jpeg);
    EXPECT_EQ(d.pictures[1].width, 60);  // pixels at 96 per inch
}

TEST(Reader, PutsFootnotesInTheirOwnFlow) {
    const Document d = Read(
        "{\\rtf1\\trowd\\cellx900\\intbl a{\\super\\chftn}{\\footnote\\pard\\plain note\\par}"
        " b\\cell\\row}");
    ASSERT_EQ(d.footnotes.size(), 1u);
    ASSERT_EQ(d.footnotes[0].size(), 1u);
    EXPECT_NE(d.footnotes[0][0].AsParagraph(), nullptr);  // not in a table of its own
    EXPECT_EQ(ParagraphText(*d.footnotes[0][0].AsParagraph()), "note");
    const rtf::Paragraph& cell = *Paragraphs(d).at(0);
    EXPECT_EQ(ParagraphText(cell), "a b");
    EXPECT_EQ(cell.runs[1].kind, rtf::RunKind::FootnoteRef);
}

TEST(Reader, UsesTheUnicodeHalfOfUpr) {
    EXPECT_EQ(Texts(Read("{\\rtf1{\\upr{ANSI}{\\*\\ud{\\u916?}}}\\par}")).at(0), "\xCE\x94");
}

}  // namespace
