// The HTML, RTF and text writers on models built in the test.

#include "rtf/code_page.h"
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
    EXPECT_NE(html.find("&lt;script&gt;alert(&quot;x&quot;) &amp; &#39;y&#39;&lt;/script&gt;"),
              std::string::npos);
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_NE(html.find("<a href=\"http://x.example/?a=1&amp;b=&quot;2&quot;\">&lt;link&gt;</a>"),
              std::string::npos);
    // A font name cannot leave its CSS declaration.
    EXPECT_NE(html.find("font-family:&#39;Evil backgroundurljavascriptx&#39;"), std::string::npos)
        << html;
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
    d.pictures.push_back(Picture{PictureFormat::Png, "abc", 1500, 750, {}});
    d.pictures.push_back(Picture{PictureFormat::Emf, "xyz", 0, 0, {}});
    std::string html = Fragment(d);
    EXPECT_NE(
        html.find("<img src=\"data:image/png;base64,YWJj\" alt=\"\" width=\"100\" height=\"50\">"),
        std::string::npos);
    // Without a renderer a metafile stays a visible placeholder of an inch square.
    EXPECT_NE(
        html.find("<span class=\"picture-missing\" role=\"img\" title=\"EMF picture\" "
                  "style=\"display:inline-block;box-sizing:border-box;width:96px;height:96px;"),
        std::string::npos)
        << html;

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

// The one HTML escaper: its output may stand in element text and in attribute values in
// either quote, and is valid UTF-8 whatever it was given.
TEST(HtmlWriter, AnchorsStayOutsideLinksAndHiddenTextStaysOut) {
    Document d = OneParagraph(
        {rtf::Run{RunKind::BookmarkStart, {}, "top", -1}, Text("see ", CharFormat{.link = 0}),
         rtf::Run{RunKind::BookmarkStart, {}, "in\"side", -1},
         rtf::Run{RunKind::BookmarkEnd, CharFormat{.link = 0}, "x", -1},
         Text("secret", CharFormat{.link = 0, .hidden = true}), Text("here", CharFormat{.link = 0}),
         rtf::Run{RunKind::BookmarkEnd, {}, "top", -1}});
    d.links.push_back("#top");
    // An element with an id inside a link must not be another link.
    EXPECT_EQ(Fragment(d),
              "<p><a id=\"top\" name=\"top\"></a><a href=\"#top\">see <span "
              "id=\"in&quot;side\"></span>here</a></p>\n");
}

TEST(HtmlWriter, WritesLengthsLineSpacingAndListIndents) {
    Document d;
    Paragraph p;
    p.format.leftIndent = -108;  // negative and not whole points
    p.format.firstIndent = 1;
    p.format.lineSpacing = 259;
    p.format.lineMultiple = true;
    p.runs.push_back(Text("a"));
    d.blocks.push_back(p);
    p.format = ParagraphFormat{};
    p.format.lineSpacing = -300;  // exactly 15 points
    d.blocks.push_back(p);
    List outer;
    ListItem item;
    Paragraph first;
    first.format.leftIndent = 720;
    first.runs.push_back(Text("one"));
    item.blocks.push_back(first);
    List inner;
    ListItem innerItem;
    first.format.leftIndent = 1440;
    innerItem.blocks.push_back(first);
    inner.items.push_back(innerItem);
    item.blocks.push_back(inner);
    outer.items.push_back(item);
    d.blocks.push_back(outer);
    const std::string html = Fragment(d);
    EXPECT_NE(
        html.find("<p style=\"margin:0pt 0pt 0pt -5.40pt;text-indent:0.05pt;line-height:1.08;\">"),
        std::string::npos)
        << html;
    EXPECT_NE(html.find("<p style=\"line-height:15pt;\">"), std::string::npos) << html;
    // Each list is indented by what its items add to the list around it.
    EXPECT_NE(html.find("<ul style=\"margin-top:0;margin-bottom:0;padding-left:36pt\">\n<li>one\n"
                        "<ul style=\"margin-top:0;margin-bottom:0;padding-left:36pt\">"),
              std::string::npos)
        << html;
}

TEST(HtmlWriter, TheDocumentsFontWinsOverTheCallersDefault) {
    Document d = OneParagraph({Text("x")});
    HtmlOptions options;
    options.defaultFontFamily = "Tahoma";
    options.defaultFontSize = "10";
    EXPECT_NE(WriteHtml(d, options).find("body{font-family:Tahoma;font-size:10pt;}"),
              std::string::npos);
    d.fonts.push_back(Font{"Georgia", FontFamily::Roman, 0});
    d.defaultFont = 0;
    d.defaultSize = 23;
    EXPECT_NE(WriteHtml(d, options).find("body{font-family:Georgia,serif;font-size:11.5pt;}"),
              std::string::npos);
    d.defaultSize = 0;  // a document that names its font but not its size
    EXPECT_NE(WriteHtml(d, options).find("body{font-family:Georgia,serif;font-size:10pt;}"),
              std::string::npos);
}

TEST(HtmlEscape, EscapesMarkupCharactersAndRepairsUtf8) {
    EXPECT_EQ(EscapeHtml("a<b>&\"c\" 'd'\te"), "a&lt;b&gt;&amp;&quot;c&quot; &#39;d&#39;\te");
    EXPECT_EQ(EscapeHtml("&amp;"), "&amp;amp;") << "references are text, not markup";
    // Valid sequences of two, three and four bytes, U+FFFD itself and the last code point
    // pass unchanged.
    const std::string valid = "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD\xF4\x8F\xBF\xBF";
    EXPECT_EQ(EscapeHtml(valid), valid);
    const std::string fffd = "\xEF\xBF\xBD";
    // Every byte that is not part of a valid sequence becomes one U+FFFD: stray
    // continuation bytes, bytes that never start UTF-8, truncated sequences, overlong
    // forms, surrogates and code points beyond U+10FFFF.
    EXPECT_EQ(EscapeHtml("a\x80z"), "a" + fffd + "z");
    EXPECT_EQ(EscapeHtml("\xFF\xFE"), fffd + fffd);
    EXPECT_EQ(EscapeHtml("\xE2\x82<"), fffd + fffd + "&lt;");
    EXPECT_EQ(EscapeHtml("\xF0\x9F\x98"), fffd + fffd + fffd);
    EXPECT_EQ(EscapeHtml("\xC0\xBC"), fffd + fffd) << "an overlong '<' stays no markup";
    EXPECT_EQ(EscapeHtml("\xE0\x80\xBC"), fffd + fffd + fffd);
    EXPECT_EQ(EscapeHtml("\xF0\x80\x80\xBC"), fffd + fffd + fffd + fffd);
    EXPECT_EQ(EscapeHtml("\xED\xA0\x80"), fffd + fffd + fffd);
    EXPECT_EQ(EscapeHtml("\xF4\x90\x80\x80"), fffd + fffd + fffd + fffd);
    EXPECT_EQ(EscapeHtml(std::string_view("a\0b", 3)), std::string("a\0b", 3));

    std::string out = "<p>";
    AppendHtmlEscaped(out, "x'");
    EXPECT_EQ(out, "<p>x&#39;");
}

// The one UTF-8 walker: one code point per call, or U+FFFD and one byte.
TEST(Utf8, WalksCodePointsAndStepsOverMalformedBytesOneAtATime) {
    const auto walk = [](std::string_view text) {
        std::vector<std::pair<char32_t, size_t>> steps;
        for (size_t pos = 0; pos < text.size();) {
            const size_t before = pos;
            const char32_t c = NextUtf8(text, pos);
            steps.emplace_back(c, pos - before);
        }
        return steps;
    };
    using Steps = std::vector<std::pair<char32_t, size_t>>;
    EXPECT_EQ(walk("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
              (Steps{{'a', 1}, {0xE9, 2}, {0x20AC, 3}, {0x1F600, 4}}));
    EXPECT_EQ(walk("\xC1\xBF"), (Steps{{0xFFFD, 1}, {0xFFFD, 1}})) << "overlong";
    EXPECT_EQ(walk("\xE0\x9F\xBF"), (Steps{{0xFFFD, 1}, {0xFFFD, 1}, {0xFFFD, 1}}));
    EXPECT_EQ(walk("\xED\xBF\xBF"), (Steps{{0xFFFD, 1}, {0xFFFD, 1}, {0xFFFD, 1}}));
    EXPECT_EQ(walk("\xF5\x80\x80\x80").size(), 4u);
    EXPECT_EQ(walk("\xE2\x82z"), (Steps{{0xFFFD, 1}, {0xFFFD, 1}, {'z', 1}})) << "truncated";
    EXPECT_EQ(walk("\xEF\xBF\xBD"), (Steps{{0xFFFD, 3}})) << "U+FFFD itself";
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
    // A link that names no field of its own is written as a hyperlink field, which is read
    // back as one.
    Document expected = d;
    expected.fields.push_back(Field{"HYPERLINK \"http://x.example/\\\"q\\\"\\\\\"", -1});
    std::get<Paragraph>(expected.blocks[0].content).runs[3].format.field = 0;
    EXPECT_TRUE(back.document == expected) << written;
    EXPECT_EQ(WriteRtf(back.document), written);
}

TEST(RtfWriter, KeepsFieldsAndTheirNesting) {
    const std::string rtf =
        "{\\rtf1 Page {\\field{\\*\\fldinst { PAGE \\\\* MERGEFORMAT }}{\\fldrslt 7}} of "
        "{\\field{\\*\\fldinst HYPERLINK \\\\l \"toc\"}{\\fldrslt see {\\field{\\*\\fldinst "
        "PAGEREF "
        "toc}{\\fldrslt 3}} here}}.\\par}";
    const Document d = ReadRtf(rtf).document;
    ASSERT_EQ(d.fields.size(), 3u);
    EXPECT_EQ(d.fields[0].instruction, " PAGE \\* MERGEFORMAT ");
    EXPECT_EQ(d.fields[2].parent, 1) << "the page reference lies in the link's result";
    const std::string written = WriteRtf(d);
    EXPECT_NE(written.find("{\\field{\\*\\fldinst{ PAGE \\\\* MERGEFORMAT }}{\\fldrslt{"),
              std::string::npos)
        << written;
    EXPECT_TRUE(ReadRtf(written).document == d) << written;
    EXPECT_EQ(WriteText(d), "Page 7 of see 3 here.\n");
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
