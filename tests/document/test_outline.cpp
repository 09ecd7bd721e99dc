#include "document/iv_xml.h"
#include "document/outline.h"
#include "tests/document/xml_test_util.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Lines(ivXML& xml) {
    std::vector<std::string> lines;
    for (const OutlineRow& row : BuildOutline(xml)) {
        lines.push_back(row.numbering + "|" + row.title + "|" + row.id + "|" +
                        std::to_string(row.depth));
    }
    return lines;
}

TEST(Outline, NumbersSectionsInDocumentOrder) {
    ivXML xml;
    ASSERT_TRUE(
        ParseInto(xml,
                  "<Document><Section ID=\"a\" Title=\"One\"><Section ID=\"b\" Title=\"One.One\"/>"
                  "<Section ID=\"c\" Title=\"One.Two\"><Section ID=\"d\" Title=\"Deep\"/></Section>"
                  "</Section><Section ID=\"e\" Title=\"Two\"/></Document>"));
    EXPECT_EQ(Lines(xml),
              (std::vector<std::string>{"|Document||0", "1|One|a|1", "1.1|One.One|b|2",
                                        "1.2|One.Two|c|2", "1.2.1|Deep|d|3", "2|Two|e|1"}));
    EXPECT_EQ(xml.GetName(), "Document") << "the cursor ends where it started";
}

TEST(Outline, CommentsAndTextTakeAPlaceWithoutARow) {
    ivXML xml;
    ASSERT_TRUE(ParseInto(
        xml,
        "<Document><!--c--><Section ID=\"a\" Title=\"A\">text<Section Title=\"No ID\"/></Section>"
        "<Other Title=\"O\"/></Document>"));
    EXPECT_EQ(Lines(xml),
              (std::vector<std::string>{"|Document||0", "2|A|a|1", "2.2|No ID||2", "3|O||1"}));
}

TEST(Outline, StartsFromAnyNamedNode) {
    ivXML xml;
    ASSERT_TRUE(ParseInto(xml,
                          "<Document><Section ID=\"a\" Title=\"A\"><Section ID=\"b\" "
                          "Title=\"B\"/></Section></Document>"));
    ASSERT_TRUE(xml.GoChild(0));
    EXPECT_EQ(Lines(xml), (std::vector<std::string>{"|A|a|0", "1|B|b|1"}));
    ASSERT_TRUE(xml.GoParent());
    ASSERT_TRUE(xml.GoParent());
    EXPECT_TRUE(BuildOutline(xml).empty()) << "the document node has no name";
}

}  // namespace
