// WordprocessingML written from fixtures must be well-formed, namespace-correct and
// structured as Word requires; the context must hold everything it refers to.

#include "rtf/docx_writer.h"
#include "rtf/reader.h"
#include "tests/rtf/rtf_test_util.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>
#include <set>

namespace {

constexpr const char* kW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

struct XmlDoc {
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc{nullptr, xmlFreeDoc};

    explicit XmlDoc(const std::string& xml) {
        doc.reset(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "part.xml", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    }

    // Values of an XPath expression (node text or attribute values).
    std::vector<std::string> Query(const char* expression) const {
        std::vector<std::string> values;
        std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(
            xmlXPathNewContext(doc.get()), xmlXPathFreeContext);
        xmlXPathRegisterNs(context.get(), BAD_CAST "w", BAD_CAST kW);
        xmlXPathRegisterNs(context.get(), BAD_CAST "r",
                           BAD_CAST
                           "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
        xmlXPathRegisterNs(context.get(), BAD_CAST "a",
                           BAD_CAST "http://schemas.openxmlformats.org/drawingml/2006/main");
        std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
            xmlXPathEvalExpression(BAD_CAST expression, context.get()), xmlXPathFreeObject);
        if (result == nullptr || result->nodesetval == nullptr) {
            return values;
        }
        for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
            xmlChar* content = xmlNodeGetContent(result->nodesetval->nodeTab[i]);
            values.emplace_back(content != nullptr ? reinterpret_cast<const char*>(content) : "");
            xmlFree(content);
        }
        return values;
    }
};

// Body content wrapped into a main document part.
std::string DocumentPart(const std::string& body) {
    return std::string("<w:document ") + rtf::kDocxNamespaces + "><w:body>" + body +
           "</w:body></w:document>";
}

rtf::Document Fixture(const char* name) {
    return rtf::ReadRtf(rtf_test::ReadBytes(rtf_test::FixturePath(name))).document;
}

TEST(DocxWriter, WritesWellFormedPartsForEveryFixture) {
    for (const std::string& path : rtf_test::ListFiles(QV_RTF_FIXTURES, ".rtf")) {
        const rtf::Document d = rtf::ReadRtf(rtf_test::ReadBytes(path)).document;
        rtf::DocxContext context;
        const XmlDoc part(DocumentPart(rtf::WriteWordprocessingML(d, context)));
        ASSERT_NE(part.doc, nullptr) << path;
        // Word refuses a cell that does not end with a paragraph.
        EXPECT_TRUE(part.Query("//w:tc[not(*[last()][self::w:p])]").empty()) << path;
        EXPECT_TRUE(part.Query("//w:tbl[not(w:tblGrid/w:gridCol)]").empty()) << path;
        if (context.HasNumbering()) {
            EXPECT_NE(XmlDoc(context.NumberingXml()).doc, nullptr) << path;
        }
        if (context.HasFootnotes()) {
            EXPECT_NE(XmlDoc(context.FootnotesXml()).doc, nullptr) << path;
        }
        const std::string rels =
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/"
            "package/2006/relationships\">" +
            context.RelationshipsXml() + "</Relationships>";
        EXPECT_NE(XmlDoc(rels).doc, nullptr) << path;
    }
}

TEST(DocxWriter, RefersToHyperlinksThroughRelationships) {
    rtf::DocxContext context(50);
    const XmlDoc part(DocumentPart(rtf::WriteWordprocessingML(Fixture("hyperlinks.rtf"), context)));
    const std::vector<std::string> ids = part.Query("//w:hyperlink/@r:id");
    ASSERT_EQ(ids, (std::vector<std::string>{"rId50", "rId51", "rId52"}));
    EXPECT_EQ(part.Query("//w:hyperlink/@w:anchor"), std::vector<std::string>{"_Toc123"});
    ASSERT_EQ(context.Relationships().size(), 3u);
    EXPECT_EQ(context.Relationships()[1].target, "http://b.example/path?x=1&y=2");
    EXPECT_TRUE(context.Relationships()[1].external);
    EXPECT_NE(context.RelationshipsXml().find("Target=\"http://b.example/path?x=1&amp;y=2\" "
                                              "TargetMode=\"External\""),
              std::string::npos);
    // The script link is text only.
    EXPECT_EQ(part.Query("//w:hyperlink[.//w:t[contains(., 'not a link')]]").size(), 0u);
}

TEST(DocxWriter, CollectsPicturesAsMediaParts) {
    rtf::DocxContext context;
    const XmlDoc part(DocumentPart(rtf::WriteWordprocessingML(Fixture("pictures.rtf"), context)));
    // PNG, JPEG and the binary PNG; the metafile is cut short and stays a placeholder.
    ASSERT_EQ(context.Media().size(), 3u);
    EXPECT_EQ(context.Media()[0].partName, "media/image1.png");
    EXPECT_EQ(context.Media()[1].contentType, "image/jpeg");
    EXPECT_EQ(part.Query("//w:t[.='[WMF picture]']").size(), 1u);
    const std::vector<std::string> embeds = part.Query("//a:blip/@r:embed");
    ASSERT_EQ(embeds.size(), 3u);
    for (size_t i = 0; i < embeds.size(); ++i) {
        EXPECT_EQ(embeds[i], context.Relationships()[i].id);
        EXPECT_EQ(context.Relationships()[i].target, context.Media()[i].partName);
    }
    // 20 pixels (300 twips) is 190500 EMU.
    EXPECT_EQ(part.Query("//w:drawing//*[local-name()='extent']/@cx")[1], "190500");
    const std::vector<std::string> ids = part.Query("//*[local-name()='docPr']/@id");
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size());
}

TEST(DocxWriter, NumbersListsAndNestsTables) {
    rtf::DocxContext context;
    const XmlDoc lists(
        DocumentPart(rtf::WriteWordprocessingML(Fixture("word_lists.rtf"), context)));
    EXPECT_EQ(lists.Query("//w:p[w:pPr/w:numPr/w:ilvl/@w:val='2']//w:t"),
              std::vector<std::string>{"Deeper i"});
    const XmlDoc numbering(context.NumberingXml());
    EXPECT_EQ(numbering.Query("//w:abstractNum[1]/w:lvl[2]/w:numFmt/@w:val"),
              std::vector<std::string>{"decimal"});
    EXPECT_EQ(numbering.Query("//w:num[w:abstractNumId/@w:val='1']/@w:numId"),
              std::vector<std::string>{"2"});

    rtf::DocxContext tables;
    const XmlDoc nested(
        DocumentPart(rtf::WriteWordprocessingML(Fixture("word_nested_tables.rtf"), tables)));
    EXPECT_EQ(nested.Query("//w:tbl//w:tbl//w:t").size(), 4u);
    rtf::DocxContext merged;
    const XmlDoc spans(
        DocumentPart(rtf::WriteWordprocessingML(Fixture("word_tables.rtf"), merged)));
    EXPECT_EQ(spans.Query("//w:gridSpan/@w:val"), std::vector<std::string>{"2"});
    EXPECT_EQ(spans.Query("//w:vMerge/@w:val"), std::vector<std::string>{"restart"});
    EXPECT_EQ(spans.Query("//w:vMerge").size(), 2u);
}

TEST(DocxWriter, PutsFootnotesIntoTheirPart) {
    rtf::DocxContext context;
    const XmlDoc part(
        DocumentPart(rtf::WriteWordprocessingML(Fixture("footnotes_hidden.rtf"), context)));
    EXPECT_EQ(part.Query("//w:footnoteReference/@w:id"), (std::vector<std::string>{"1", "2"}));
    const XmlDoc notes(context.FootnotesXml());
    EXPECT_EQ(notes.Query("//w:footnote[@w:id='2']/w:p").size(), 2u);
    EXPECT_EQ(notes.Query("//w:footnote[@w:id='1']//w:footnoteRef").size(), 1u);
}

TEST(DocxWriter, EscapesTextAndDropsWhatXmlForbids) {
    std::string out;
    rtf::AppendXmlEscaped(out, "a<b>&\"c\"\x01\xFF\xEF\xBF\xBE\xC3\xA9");
    EXPECT_EQ(out, "a&lt;b&gt;&amp;&quot;c&quot;\xEF\xBF\xBD\xC3\xA9");
}

TEST(DocxWriter, DeclaresHeadingStylesInUse) {
    rtf::DocxContext context;
    const XmlDoc part(
        DocumentPart(rtf::WriteWordprocessingML(Fixture("word_headings.rtf"), context)));
    EXPECT_EQ(part.Query("//w:pStyle/@w:val"),
              (std::vector<std::string>{"Heading1", "Heading2", "Heading3"}));
    const std::string styles = std::string("<w:styles ") + rtf::kDocxNamespaces + ">" +
                               context.HeadingStylesXml() + "</w:styles>";
    EXPECT_EQ(XmlDoc(styles).Query("//w:style/@w:styleId").size(), 3u);
}

// The body parts of the table, bookmark and default-font fixtures, byte for byte
// (QV_REFRESH_GOLDEN=1 rewrites them).
TEST(DocxWriter, MatchesExpectedBodies) {
    for (const char* name : {"tables_borders_shading", "bookmarks", "document_defaults"}) {
        rtf::DocxContext context;
        const std::string body =
            rtf::WriteWordprocessingML(Fixture((std::string(name) + ".rtf").c_str()), context);
        testing_support::ExpectGolden(rtf_test::FixturePath(std::string(name) + ".document.xml"),
                                      body);
    }
}

TEST(DocxWriter, WritesBordersShadingSpansAndPadding) {
    rtf::DocxContext context;
    const XmlDoc part(
        DocumentPart(rtf::WriteWordprocessingML(Fixture("tables_borders_shading.rtf"), context)));
    ASSERT_NE(part.doc, nullptr);
    EXPECT_EQ(part.Query("//w:tblGrid/w:gridCol/@w:w"),
              (std::vector<std::string>{"1440", "1548", "1440", "1440", "2880"}));
    // The cell that continues a vertical merge is written too, as Word wants it.
    EXPECT_EQ(part.Query("//w:gridSpan/@w:val"),
              (std::vector<std::string>{"4", "2", "2", "2", "2", "3"}));
    EXPECT_EQ(part.Query("//w:vMerge/@w:val"), (std::vector<std::string>{"restart"}));
    EXPECT_EQ(part.Query("//w:vMerge").size(), 2u);
    EXPECT_EQ(part.Query("//w:gridBefore/@w:val"), std::vector<std::string>{"1"});
    EXPECT_EQ(part.Query("//w:tcBorders/w:bottom[@w:val='double']/@w:color"),
              (std::vector<std::string>{"C00000", "C00000"}));
    EXPECT_EQ(part.Query("//w:tcBorders/w:left[@w:val='dotted']/@w:color"),
              std::vector<std::string>{"0066CC"});
    EXPECT_EQ(part.Query("//w:tc/w:tcPr/w:shd/@w:fill"),
              (std::vector<std::string>{"FFF2CC", "BFBFBF"}));
    EXPECT_EQ(part.Query("//w:tcMar/w:left[@w:w='360']").size(), 1u);
    EXPECT_EQ(part.Query("//w:vAlign/@w:val"), (std::vector<std::string>{"center", "bottom"}));
    EXPECT_EQ(part.Query("//w:tblPr/w:jc/@w:val"), std::vector<std::string>{"center"});
    EXPECT_EQ(part.Query("//w:pBdr/w:top/@w:val"), std::vector<std::string>{"single"});
    EXPECT_EQ(part.Query("//w:pPr/w:shd/@w:fill"), std::vector<std::string>{"FFF2CC"});
    EXPECT_EQ(part.Query("//w:spacing[@w:lineRule='auto']/@w:line"),
              std::vector<std::string>{"360"});
    EXPECT_EQ(part.Query("//w:spacing[@w:lineRule='exact']/@w:line"),
              std::vector<std::string>{"240"});
}

TEST(DocxWriter, BookmarksPairAndLinksToThemStayInTheDocument) {
    rtf::DocxContext context;
    const XmlDoc part(DocumentPart(rtf::WriteWordprocessingML(Fixture("bookmarks.rtf"), context)));
    ASSERT_NE(part.doc, nullptr);
    const std::vector<std::string> names = part.Query("//w:bookmarkStart/@w:name");
    EXPECT_EQ(names, (std::vector<std::string>{"_Toc1", "details", "_Ref7", "hidden_mark"}));
    // Every start has its end with the same id, the unended one at the end of the body.
    for (const std::string& id : part.Query("//w:bookmarkStart/@w:id")) {
        EXPECT_EQ(part.Query(("//w:bookmarkEnd[@w:id='" + id + "']").c_str()).size(), 1u) << id;
    }
    // Links to bookmarks, the one through another file's name included, are internal.
    EXPECT_EQ(part.Query("//w:hyperlink/@w:anchor"),
              (std::vector<std::string>{"details", "_Ref7", "_Ref7", "_Toc1", "_Toc1"}));
    EXPECT_TRUE(context.Relationships().empty());
    EXPECT_TRUE(part.Query("//w:t[contains(., 'hidden')]").empty()) << "hidden text is left out";
}

TEST(DocxWriter, StatesZeroSpacingAndUsesLookingHeadingStyles) {
    rtf::DocxContext context;
    const XmlDoc part(
        DocumentPart(rtf::WriteWordprocessingML(Fixture("document_defaults.rtf"), context)));
    // Code lines say they have no space around them; the document's default must not apply.
    EXPECT_EQ(part.Query("//w:p[.//w:t[starts-with(., 'code')]]/w:pPr/w:spacing/@w:after"),
              (std::vector<std::string>{"0", "0"}));
    const XmlDoc styles(std::string("<w:styles ") + rtf::kDocxNamespaces + ">" +
                        context.HeadingStylesXml() + "</w:styles>");
    EXPECT_EQ(styles.Query("//w:style[@w:styleId='Heading1']/w:rPr/w:sz/@w:val"),
              std::vector<std::string>{"32"});
    EXPECT_EQ(styles.Query("//w:style[@w:styleId='Heading1']/w:pPr/w:outlineLvl/@w:val"),
              std::vector<std::string>{"0"});
    EXPECT_FALSE(
        styles.Query("//w:style[@w:styleId='Heading1']/w:pPr/w:spacing/@w:before").empty());
}

}  // namespace
