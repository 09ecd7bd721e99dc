// The HTML, RTF and text writers on models built in the test.

#include "rtf/html_writer.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "rtf/text_writer.h"

#include <gtest/gtest.h>

namespace {

using namespace rtf;

Run Text(std::string text, CharFormat format = {}) {
    return rtf::Run{RunKind::Text, format, std::move(text), -1};
}

Document OneParagraph(std::vector<rtf::Run> runs) {
    Document d;
    Paragraph p;
    p.runs = std::move(runs);
    d.blocks.push_back(std::move(p));
    return d;
}

std::string Fragment(const Document& d) {
    HtmlOptions options;
    options.fragment = true;
    return WriteHtml(d, options);
}

TEST(HtmlWriter, EscapesTextAndAttributesInOnePlace) {
    Document d = OneParagraph({Text("<script>alert(\"x\") & 'y'</script>")});
    d.fonts.push_back(Font{"Evil\"; background:url(javascript:x)", FontFamily::Nil, 0});
    d.links.push_back("http://x.example/?a=1&b=\"2\"");
    d.blocks.push_back(Paragraph{{}, {Text("a", CharFormat{.font = 0}), Text("b")}});
    d.blocks.push_back(Paragraph{{}, {Text("<link>", CharFormat{.link = 0})}});
    const std::string html = Fragment(d);
    EXPECT_NE(html.find("&lt;script&gt;alert(&quot;x&quot;) &amp; 'y'&lt;/script&gt;"),
              std::string::npos);
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_NE(html.find("<a href=\"http://x.example/?a=1&amp;b=&quot;2&quot;\">&lt;link&gt;</a>"),
              std::string::npos);
    // A font name cannot leave its CSS declaration.
    EXPECT_NE(html.find("font-family:'Evil backgroundurljavascriptx'"), std::string::npos) << html;
}

TEST(HtmlWriter, WritesOnlySafeLinks) {
    Document d;
    d.links = {"javascript:alert(1)",
               "JaVaScRiPt:x",
               "data:text/html,x",
               "vbscript:x",
               "https://ok.example/",
               "mailto:a@b.example",
               "#anchor",
               "page.htm",
               "c:/x"};
    Paragraph p;
    for (int i = 0; i < static_cast<int>(d.links.size()); ++i) {
        p.runs.push_back(Text("t" + std::to_string(i) + " ", CharFormat{.link = i}));
    }
    d.blocks.push_back(std::move(p));
    const std::string html = Fragment(d);
    for (const char* bad : {"javascript", "JaVaScRiPt", "data:", "vbscript", "c:/x"}) {
        EXPECT_EQ(html.find(bad), std::string::npos) << bad;
    }
    for (const char* good : {"https://ok.example/", "mailto:a@b.example", "#anchor", "page.htm"}) {
        EXPECT_NE(html.find(std::string("href=\"") + good), std::string::npos) << good;
    }
}

TEST(HtmlWriter, WritesAWholePageOrAFragment) {
    const Document d = OneParagraph({Text("x")});
    HtmlOptions page;
    page.title = "A & B";
    page.defaultFontFamily = "Tahoma";
    page.defaultFontSize = "10";
    const std::string html = WriteHtml(d, page);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0u);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<title>A &amp; B</title>"), std::string::npos);
    EXPECT_NE(html.find("body{font-family:Tahoma;font-size:10pt;}"), std::string::npos);
    EXPECT_EQ(Fragment(d), "<p>x</p>\n");
}

TEST(HtmlWriter, WritesPicturesAsDataOrFiles) {
    Document d = OneParagraph(
        {rtf::Run{RunKind::Picture, {}, {}, 0}, rtf::Run{RunKind::Picture, {}, {}, 1}});
    d.pictures.push_back(Picture{PictureFormat::Png, "abc", 1500, 750});
    d.pictures.push_back(Picture{PictureFormat::Emf, "xyz", 0, 0});
    std::string html = Fragment(d);
    EXPECT_NE(
        html.find("<img src=\"data:image/png;base64,YWJj\" alt=\"\" width=\"100\" height=\"50\">"),
        std::string::npos);
    EXPECT_NE(html.find("<span class=\"picture-unsupported\" title=\"emf picture\"></span>"),
              std::string::npos);

    HtmlOptions options;
    options.fragment = true;
    options.pictures = PictureMode::Files;
    options.pictureBaseName = "intro";
    std::vector<HtmlFile> files;
    html = WriteHtml(d, options, &files);
    EXPECT_NE(html.find("<img src=\"intro_1.png\""), std::string::npos);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].name, "intro_1.png");
    EXPECT_EQ(files[0].bytes, "abc");
}

TEST(HtmlWriter, KeepsRunsOfSpacesAndEmptyParagraphs) {
    Document d = OneParagraph({Text(" a  b\tc")});
    d.blocks.push_back(Paragraph{});
    EXPECT_EQ(Fragment(d), "<p>&nbsp;a &nbsp;b&emsp;c</p>\n<p><br></p>\n");
}

TEST(RtfWriter, EscapesTextAndWritesUnicodeAsSignedUnits) {
    std::string out;
    AppendRtfText(out, "a\\{}\t\xC3\xA9\xE2\x82\xAC\xEF\xBF\xBF\xF0\x9F\x98\x80\x01");
    EXPECT_EQ(out, "a\\\\\\{\\}\\tab \\u233?\\u8364?\\u-1?\\u-10179?\\u-8704?");
}

TEST(RtfWriter, WritesWhatTheReaderReadsBack) {
    Document d;
    d.fonts.push_back(Font{"Arial \xC3\x9C", FontFamily::Swiss, 0});
    d.defaultFont = 0;
    d.links.push_back("http://x.example/\"q\"\\");
    CharFormat rich;
    rich.font = 0;
    rich.size = 21;
    rich.bold = rich.italic = rich.strike = rich.caps = true;
    rich.underline = Underline::Dotted;
    rich.valign = VerticalAlign::Subscript;
    rich.color = 0x123456;
    rich.background = 0xABCDEF;
    Paragraph p;
    p.format.align = Alignment::Right;
    p.format.heading = 2;
    p.format.leftIndent = 720;
    p.format.firstIndent = -360;
    p.format.spaceAfter = 120;
    p.runs = {Text("plain ", CharFormat{.font = 0}), Text("rich", rich),
              rtf::Run{RunKind::LineBreak, CharFormat{.font = 0}, {}, -1},
              Text("link", CharFormat{.font = 0, .link = 0})};
    d.blocks.push_back(std::move(p));
    const std::string written = WriteRtf(d);
    const ReadResult back = ReadRtf(written);
    EXPECT_TRUE(back.isRtf);
    EXPECT_TRUE(back.document == d) << written;
}

TEST(TextWriter, NumbersListItems) {
    EXPECT_EQ(ListMarker(ListStyle::Decimal, 12), "12.");
    EXPECT_EQ(ListMarker(ListStyle::LowerAlpha, 28), "ab.");
    EXPECT_EQ(ListMarker(ListStyle::UpperAlpha, 26), "Z.");
    EXPECT_EQ(ListMarker(ListStyle::LowerRoman, 1994), "mcmxciv.");
    EXPECT_EQ(ListMarker(ListStyle::UpperRoman, 4), "IV.");
    EXPECT_EQ(ListMarker(ListStyle::Bullet, 3), "\xE2\x80\xA2");
}

TEST(TextWriter, WritesTablesAsTabSeparatedRowsAndFootnotesLast) {
    Document d;
    Table t;
    TableRow row;
    TableCell a;
    a.blocks = {Paragraph{{}, {Text("a1")}}, Paragraph{{}, {Text("a2")}}};
    TableCell b;
    b.blocks = {Paragraph{{}, {Text("b"), rtf::Run{RunKind::FootnoteRef, {}, {}, 0}}}};
    row.cells = {a, b};
    t.rows = {row};
    d.blocks.push_back(std::move(t));
    d.footnotes.push_back({Block(Paragraph{{}, {Text("note")}})});
    EXPECT_EQ(WriteText(d), "a1 a2\tb[1]\n\n[1] note\n");
}

}  // namespace
