#include "document/iv_xml.h"
#include "document/outline.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

constexpr const char* kSecret = "TOP-SECRET-MARKER";

// Loads text from a file and returns everything the document shows; the load result in ok.
std::string LoadAndShow(const TempDir& dir, const std::string& text, bool& ok) {
    WriteFile(dir.File("secret.txt"), kSecret);
    WriteFile(dir.File("secret.dtd"), std::string("<!ENTITY leak \"") + kSecret + "\">");
    WriteFile(dir.File("doc.etf"), text);
    ivXML xml;
    ok = xml.Load(dir.File("doc.etf"));
    std::string shown = xml.GetError();
    if (xml.GoRoot()) {
        shown += xml.GetXml() + xml.GetText();
        for (int i = 0; i < xml.GetAttributeCount(); ++i) {
            shown += xml.GetAttributeValue(i);
        }
        for (const OutlineRow& row : BuildOutline(xml)) {
            shown += row.title;
        }
        shown += xml.SaveToString();
    }
    return shown;
}

TEST(HostileXml, ExternalEntitiesAndDtdsAreNeverRead) {
    TempDir dir;
    const std::string secret = dir.File("secret.txt");
    const std::string cases[] = {
        "<!DOCTYPE Document [<!ENTITY xxe SYSTEM \"file://" + secret +
            "\">]>"
            "<Document><Section Title=\"&xxe;\">&xxe;</Section></Document>",
        "<!DOCTYPE Document [<!ENTITY xxe SYSTEM \"" + secret + "\">]><Document>&xxe;</Document>",
        "<!DOCTYPE Document SYSTEM \"" + dir.File("secret.dtd") + "\"><Document>&leak;</Document>",
        "<!DOCTYPE Document [<!ENTITY % p SYSTEM \"" + dir.File("secret.dtd") +
            "\"> %p;]>"
            "<Document Title=\"&leak;\"/>",
        "<!DOCTYPE Document [<!ENTITY xxe SYSTEM "
        "\"http://127.0.0.1:9/x\">]><Document>&xxe;</Document>",
        "<Document xmlns:xi=\"http://www.w3.org/2001/XInclude\"><xi:include href=\"" + secret +
            "\" parse=\"text\"/></Document>",
    };
    for (const std::string& text : cases) {
        bool ok = false;
        const std::string shown = LoadAndShow(dir, text, ok);
        EXPECT_EQ(shown.find(kSecret), std::string::npos) << text;
    }
}

TEST(HostileXml, EntityExpansionBombsDoNotExpand) {
    std::string dtd = "<!DOCTYPE Document [<!ENTITY a0 \"lollollollollol\">";
    for (int i = 1; i <= 12; ++i) {
        dtd += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) {
            dtd += "&a" + std::to_string(i - 1) + ";";
        }
        dtd += "\">";
    }
    dtd += "]>";
    TempDir dir;
    bool ok = true;
    std::string shown = LoadAndShow(dir, dtd + "<Document Title=\"&a12;\">&a12;</Document>", ok);
    EXPECT_LT(shown.size(), 100000u);

    // Quadratic blow-up: one large entity referenced many times.
    std::string quadratic =
        "<!DOCTYPE Document [<!ENTITY big \"" + std::string(50000, 'x') + "\">]><Document>";
    for (int i = 0; i < 20000; ++i) {
        quadratic += "&big;";
    }
    quadratic += "</Document>";
    shown = LoadAndShow(dir, quadratic, ok);
    EXPECT_LT(shown.size(), 10000000u);
}

TEST(HostileXml, DeepNestingFailsCleanlyOrWalksWithinBounds) {
    TempDir dir;
    std::string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<Section>";
    }
    bool ok = true;
    LoadAndShow(dir, "<Document>" + deep + "</Document>", ok);
    EXPECT_FALSE(ok) << "100,000 levels are refused";

    // As deep as a document may nest: the document element and its sections.
    constexpr int kSections = ivData::kMaxDepth - 1;
    std::string nested = "<Document>";
    for (int i = 0; i < kSections; ++i) {
        nested += "<Section Title=\"t\">";
    }
    for (int i = 0; i < kSections; ++i) {
        nested += "</Section>";
    }
    nested += "</Document>";
    ivXML xml;
    xml.LoadXml(nested);
    ASSERT_TRUE(xml.GoRoot());
    const std::vector<OutlineRow> rows = BuildOutline(xml);
    ASSERT_EQ(rows.size(), static_cast<size_t>(kSections) + 1);
    EXPECT_EQ(rows.back().depth, kSections);
}

// Every walk over a whole tree (blank text, text content, search by attribute, the choice
// of encoding on saving) reaches the deepest element of a deeply nested, indented file.
TEST(HostileXml, TreeWalksReachTheDeepestElement) {
    // With the document element, the needle and the element added below it, as deep as a
    // tree may nest.
    constexpr int kDepth = ivData::kMaxDepth - 3;
    std::string nested = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>";
    for (int i = 0; i < kDepth; ++i) {
        nested += "\n  <Section Title=\"t\">";
    }
    nested += "<Section Title=\"needle\">deep <![CDATA[text]]><!-- no text --></Section>";
    for (int i = 0; i < kDepth; ++i) {
        nested += "</Section>\n";
    }
    nested += "</Document>";
    ivXML xml;
    xml.LoadXml(nested);
    ASSERT_TRUE(xml.GoRoot());
    EXPECT_EQ(xml.GetText(), "deep text") << "blank text between elements is dropped";
    EXPECT_EQ(xml.SaveToString().rfind("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", 0), 0u);
    EXPECT_FALSE(xml.SelectWhere("Section", "Title", "none",
                                 ivData::SELECT_ANYWHERE | ivData::SELECT_ATTRIBUTE));
    ASSERT_TRUE(xml.SelectWhere("Section", "Title", "needle",
                                ivData::SELECT_ANYWHERE | ivData::SELECT_ATTRIBUTE));
    EXPECT_EQ(xml.GetText(), "deep text");
    // A name beyond Latin-1 at the bottom makes the whole file UTF-8: no character reference
    // can stand in a name.
    ASSERT_TRUE(xml.AddNode("\xCE\xB2"));
    const std::string saved = xml.SaveToString();
    EXPECT_EQ(saved.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    EXPECT_NE(saved.find("<\xCE\xB2/>"), std::string::npos);
}

TEST(HostileXml, GarbageAndTruncationFailCleanly) {
    TempDir dir;
    const std::string cases[] = {
        "",
        "not xml at all",
        std::string("<Document>\0</Document>", 22),
        "<Document><Section Title=\"unterminated",
        "<Document></document>",
        "\xef\xbb\xbf\xef\xbb\xbf<Document/>",
        "<Document a=\"1\" a=\"2\"/>",
        "<Document>&#0;</Document>",
        "<Document>&#xD800;</Document>",
    };
    for (const std::string& text : cases) {
        bool ok = true;
        LoadAndShow(dir, text, ok);
        EXPECT_FALSE(ok) << text;
    }
}

TEST(HostileXml, LargeBodiesLoad) {
    // Pictures make single section bodies of many megabytes; they must not be refused.
    ivXML xml;
    xml.LoadXml("<Document><Section Text=\"" + std::string(12 * 1024 * 1024, 'a') +
                "\"/></Document>");
    ASSERT_TRUE(xml.GoRoot());
    ASSERT_TRUE(xml.GoChild(0));
    EXPECT_EQ(xml.GetAttribute("Text").size(), 12u * 1024 * 1024);
}

}  // namespace
