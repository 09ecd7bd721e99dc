#include "document/iv_xml.h"
#include "tests/document/xml_test_util.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr unsigned kAnywhere = ivData::SELECT_ANYWHERE;
constexpr unsigned kKeep = ivData::SELECT_KEEP;
constexpr unsigned kAttribute = ivData::SELECT_ATTRIBUTE;

TEST(XmlCursor, IsCreatedByItsClassName) {
    std::unique_ptr<wxObject> object(wxCreateDynamicObject("ivXML"));
    ASSERT_NE(object, nullptr);
    EXPECT_NE(dynamic_cast<ivXML*>(object.get()), nullptr);
    EXPECT_TRUE(object->IsKindOf(wxCLASSINFO(ivData)));
}

TEST(XmlCursor, EveryOperationFailsWithoutADocument) {
    ivXML xml;
    EXPECT_FALSE(xml.Reset());
    EXPECT_FALSE(xml.AddNode("Document"));
    EXPECT_FALSE(xml.GoRoot());
    EXPECT_FALSE(xml.GoParent());
    EXPECT_FALSE(xml.GoChild(0));
    EXPECT_FALSE(xml.Select("*"));
    EXPECT_FALSE(xml.AddAttribute("a", "b"));
    EXPECT_FALSE(xml.RemoveNode());
    EXPECT_EQ(xml.GetChildCount(), 0);
    EXPECT_EQ(xml.GetName(), "");
    EXPECT_EQ(xml.GetXml(), "");
    EXPECT_EQ(xml.GetError(), "");
    xml.SetText("x");
    xml.SetAttribute("a", "b");
    EXPECT_FALSE(xml.Save("/nonexistent/never-written.xml"));
}

TEST(XmlCursor, BuildsTreesFromTheDocumentDown) {
    ivXML xml;
    ASSERT_TRUE(xml.Create());
    ASSERT_TRUE(xml.AddNode("Document"));  // on the document: makes the root
    ASSERT_TRUE(xml.AddNode("Section"));   // then its child
    EXPECT_TRUE(xml.AddAttribute("ID", "1"));
    EXPECT_FALSE(xml.AddAttribute("bad name", "x"));
    EXPECT_TRUE(xml.EndNode());
    EXPECT_TRUE(xml.AddNodeText("Note", "a < b"));
    EXPECT_EQ(xml.GetName(), "Document") << "AddNodeText returns to the parent";
    EXPECT_FALSE(xml.AddNode("")) << "an invalid name makes no element";
    EXPECT_FALSE(xml.AddNode("two words"));

    // GoParent from the root stands on the document node; from there it fails, and a second
    // root cannot be added.
    ASSERT_TRUE(xml.GoParent());
    EXPECT_EQ(xml.GetName(), "");
    EXPECT_FALSE(xml.GoParent());
    EXPECT_FALSE(xml.AddNode("Second"));
    EXPECT_TRUE(xml.Reset());
    EXPECT_FALSE(xml.AddNode("Second"));

    ASSERT_TRUE(xml.GoRoot());
    EXPECT_EQ(xml.GetXml(), "<Document><Section ID=\"1\"/><Note>a &lt; b</Note></Document>");
}

TEST(XmlCursor, NoNodeIsCurrentUntilGoRoot) {
    ivXML xml;
    xml.LoadXml("<Document><Section ID=\"a\"/></Document>");
    EXPECT_FALSE(xml.Select("Section"));
    EXPECT_EQ(xml.GetAttribute("ID"), "");
    EXPECT_EQ(xml.GetChildCount(), 0);
    ASSERT_TRUE(xml.GoRoot());
    EXPECT_TRUE(xml.Select("Section"));
    EXPECT_EQ(xml.GetAttribute("ID"), "a");
}

TEST(XmlCursor, ChildrenOfEveryKindAreCounted) {
    ivXML xml;
    ASSERT_TRUE(ParseInto(xml, "<D>text<!--c--><S/><?pi data?><![CDATA[x]]></D>"));
    EXPECT_EQ(xml.GetChildCount(), 5);
    const char* names[] = {"", "", "S", "pi", ""};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(xml.GoChild(i));
        EXPECT_EQ(xml.GetName(), names[i]) << i;
        ASSERT_TRUE(xml.GoParent());
    }
    EXPECT_FALSE(xml.GoChild(5));
    EXPECT_FALSE(xml.GoChild(-1));
    EXPECT_EQ(xml.GetName(), "D") << "a failed move leaves the cursor";
    // An element's text is that of its text descendants, not of comments or instructions.
    EXPECT_EQ(xml.GetText(), "textx");
    EXPECT_EQ(xml.GetChildText(0), "text");
    EXPECT_EQ(xml.GetChildText(1), "c");
    EXPECT_EQ(xml.GetChildText(9), "");
}

TEST(XmlCursor, SequentialChildVisitsSurviveChangesToTheTree) {
    ivXML xml;
    ASSERT_TRUE(ParseInto(xml, "<D><a/><b/><c/><d/></D>"));
    ASSERT_TRUE(xml.GoChild(2));
    EXPECT_EQ(xml.GetName(), "c");
    ASSERT_TRUE(xml.RemoveNode());
    ASSERT_TRUE(xml.GoChild(2));
    EXPECT_EQ(xml.GetName(), "d") << "the removed child's place is taken by the next";
    ASSERT_TRUE(xml.GoParent());
    ASSERT_TRUE(xml.GoChild(1));
    EXPECT_EQ(xml.GetName(), "b");
    ASSERT_TRUE(xml.GoParent());
    ASSERT_TRUE(xml.GoChild(0));
    EXPECT_EQ(xml.GetName(), "a") << "going back to an earlier index";
    ASSERT_TRUE(xml.GoParent());
    xml.SetText("");
    EXPECT_FALSE(xml.GoChild(0));
}

TEST(XmlCursor, AttributesKeepTheirOrderAndAreReplacedInPlace) {
    ivXML xml;
    ASSERT_TRUE(ParseInto(xml, "<S ID=\"1\" Title=\"t\" Created=\"c\"/>"));
    xml.SetAttribute("Title", "new");
    xml.SetAttribute("Alias", "intro");
    ASSERT_EQ(xml.GetAttributeCount(), 4);
    const char* names[] = {"ID", "Title", "Created", "Alias"};
    const char* values[] = {"1", "new", "c", "intro"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(xml.GetAttributeName(i), names[i]);
        EXPECT_EQ(xml.GetAttributeValue(i), values[i]);
    }
    EXPECT_EQ(xml.GetAttributeName(4), "");
    EXPECT_EQ(xml.GetAttribute("Missing"), "");
    xml.SetAttributeValue(0, "ignored");
    EXPECT_EQ(xml.GetAttribute("ID"), "1");
}

TEST(XmlCursor, SelectWhereMatchesValuesExactly) {
    ivXML xml;
    ASSERT_TRUE(
        ParseInto(xml,
                  "<Document>"
                  "<Section ID=\"1\" Title='say \"hi\"'><Section ID=\"2\" Title=\"x\"/></Section>"
                  "<Section ID=\"3\" Title=\"it's &quot;both&quot;\"/>"
                  "<Section ID=\"4\" Title=\"x\"/>"
                  "</Document>"));
    // Values with either or both kinds of quote match exactly instead of breaking the path.
    EXPECT_TRUE(xml.SelectWhere("Section", "Title", "say \"hi\"", kAttribute));
    EXPECT_EQ(xml.GetAttribute("ID"), "1");
    ASSERT_TRUE(xml.GoRoot());
    EXPECT_TRUE(xml.SelectWhere("Section", "Title", "it's \"both\"", kAttribute));
    EXPECT_EQ(xml.GetAttribute("ID"), "3");
    ASSERT_TRUE(xml.GoRoot());
    EXPECT_FALSE(xml.SelectWhere("Section", "Title", "say \"hi", kAttribute));

    // Without SELECT_ANYWHERE only children are searched; with it, the first in document order.
    EXPECT_FALSE(xml.SelectWhere("Section", "ID", "2", kAttribute));
    EXPECT_EQ(xml.GetName(), "Document") << "no match leaves the cursor";
    EXPECT_TRUE(xml.SelectWhere("Section", "Title", "x", kAttribute | kAnywhere));
    EXPECT_EQ(xml.GetAttribute("ID"), "2");

    // SELECT_KEEP tests without moving.
    ASSERT_TRUE(xml.GoRoot());
    EXPECT_TRUE(xml.SelectWhere("Section", "ID", "4", kAttribute | kAnywhere | kKeep));
    EXPECT_EQ(xml.GetName(), "Document");
    EXPECT_FALSE(xml.SelectWhere("Section", "ID", "5", kAttribute | kAnywhere | kKeep));
    EXPECT_FALSE(xml.SelectWhere("Bad[", "ID", "1", kAttribute)) << "a broken path matches nothing";
    EXPECT_TRUE(xml.SelectByAttribute("Section", "ID", "3", 0));
}

TEST(XmlCursor, LookUpsByIdStayRightThroughEveryKindOfEdit) {
    ivXML xml;
    ASSERT_TRUE(ParseInto(xml,
                          "<Document><Section ID=\"a\"><Section ID=\"b\"/></Section>"
                          "<Section ID=\"c\"/><Section ID=\"b\" Title=\"second b\"/></Document>"));
    const auto find = [&](const char* id) {
        return xml.GoRoot() && xml.SelectWhere("Section", "ID", id, kAttribute | kAnywhere);
    };
    // Looked up again and again (which builds an index): the first in document order.
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(find("b"));
        EXPECT_EQ(xml.GetAttribute("Title"), "");
        EXPECT_TRUE(find("c"));
        EXPECT_FALSE(find("z"));
    }
    // An ID changed, added and removed.
    ASSERT_TRUE(find("c"));
    xml.SetAttribute("ID", "z");
    EXPECT_FALSE(find("c"));
    ASSERT_TRUE(find("z"));
    ASSERT_TRUE(xml.RemoveAttribute("ID"));
    EXPECT_FALSE(find("z"));
    // The first "b" removed: the second is found, never the freed node.
    ASSERT_TRUE(find("b"));
    ASSERT_TRUE(xml.RemoveNode());
    ASSERT_TRUE(find("b"));
    EXPECT_EQ(xml.GetAttribute("Title"), "second b");
    // A new section, and one moved before the others.
    ASSERT_TRUE(find("a"));
    ASSERT_TRUE(xml.AddNode("Section"));
    ASSERT_TRUE(xml.AddAttribute("ID", "b"));
    ASSERT_TRUE(xml.AddAttribute("Title", "new b"));
    ASSERT_TRUE(find("b"));
    EXPECT_EQ(xml.GetAttribute("Title"), "new b");
    ASSERT_TRUE(find("a"));
    const auto fragment = xml.DetachNode();
    ASSERT_NE(fragment, nullptr);
    EXPECT_FALSE(find("a"));
    ASSERT_TRUE(xml.GoRoot() && xml.GoChild(0));
    ASSERT_TRUE(xml.AttachNode(fragment, 0));
    ASSERT_TRUE(find("b"));
    EXPECT_EQ(xml.GetAttribute("Title"), "new b");
    // A new document under the same cursor.
    xml.LoadXml("<Document><Section ID=\"b\" Title=\"loaded\"/></Document>");
    ASSERT_TRUE(find("b"));
    EXPECT_EQ(xml.GetAttribute("Title"), "loaded");
    EXPECT_FALSE(find("a"));
}

TEST(XmlCursor, SelectWhereAgreesWithThePathItStandsFor) {
    const char* text =
        "<Document xmlns:x=\"urn:x\"><x:Section ID=\"n\"/><Section x:ID=\"n\" ID=\"m\"/>"
        "<Section ID=\"n\"><Section ID=\"a&amp;b\"/><Other ID=\"q\"/></Section>"
        "<Section ID=\"\"/></Document>";
    struct Case {
        const char* element;
        const char* value;
        unsigned flags;
        const char* path;
    } cases[] = {
        {"Section", "n", kAttribute, "Section[@ID = \"n\"]"},
        {"Section", "n", kAttribute | kAnywhere, "//Section[@ID = \"n\"]"},
        {"Section", "a&b", kAttribute | kAnywhere, "//Section[@ID = \"a&b\"]"},
        {"*", "q", kAttribute | kAnywhere, "//*[@ID = \"q\"]"},
        {"Section", "", kAttribute, "Section[@ID = \"\"]"},
        {"Section", "q", kAttribute, "Section[@ID = \"q\"]"},
    };
    for (const Case& c : cases) {
        ivXML fast, path;
        ASSERT_TRUE(ParseInto(fast, text));
        ASSERT_TRUE(ParseInto(path, text));
        const bool selected = fast.SelectWhere(c.element, "ID", c.value, c.flags);
        EXPECT_EQ(selected, path.Select(c.path)) << c.path;
        EXPECT_EQ(fast.GetXml(), path.GetXml()) << c.path;
    }
}

TEST(XmlCursor, SelectWhereByChildText) {
    ivXML xml;
    ASSERT_TRUE(
        ParseInto(xml, "<rss><item><guid>7</guid></item><item><guid>8</guid></item></rss>"));
    EXPECT_TRUE(xml.SelectByChild("item", "guid", "8", 0));
    EXPECT_EQ(xml.GetTextOf("guid"), "8");
}

TEST(XmlCursor, ChildScanOfTheGenericCursor) {
    ivXML xml;
    ASSERT_TRUE(ParseInto(
        xml,
        "<Views><View ID=\"2\"/><!--x--><View ID=\"1\">L</View><Other><k>v</k></Other></Views>"));
    ivData& data = xml;
    EXPECT_TRUE(data.ivData::SelectWhere("View", "ID", "1", kAttribute));
    EXPECT_EQ(xml.GetText(), "L");
    ASSERT_TRUE(xml.GoParent());
    EXPECT_TRUE(data.ivData::SelectWhere("*", "k", "v", 0));
    EXPECT_EQ(xml.GetName(), "Other");
    ASSERT_TRUE(xml.GoParent());
    EXPECT_FALSE(data.ivData::SelectWhere("View", "ID", "3", kAttribute));
    EXPECT_EQ(xml.GetName(), "Views");
    EXPECT_FALSE(data.ivData::SelectWhere("View", "ID", "1", kAttribute | kKeep));
    EXPECT_FALSE(data.ivData::SelectWhere("View", "ID", "1", kAttribute | kAnywhere));
    EXPECT_FALSE(data.ivData::SelectWhere("", "ID", "1", kAttribute));
}

TEST(XmlCursor, TextIsTakenLiterally) {
    ivXML xml;
    ASSERT_TRUE(ParseInto(xml, "<View ID=\"1\"><old/>text</View>"));
    xml.SetText("<ReportControl a=\"&amp;\"/>");
    EXPECT_EQ(xml.GetChildCount(), 1);
    EXPECT_EQ(xml.GetText(), "<ReportControl a=\"&amp;\"/>");
    EXPECT_TRUE(xml.SetTextOf("@ID", "2"));
    EXPECT_EQ(xml.GetAttribute("ID"), "2");
    EXPECT_FALSE(xml.SetTextOf("missing", "x"));
    EXPECT_TRUE(xml.SetChildText(0, "replaced"));
    EXPECT_EQ(xml.GetText(), "replaced");
    EXPECT_FALSE(xml.SetChildText(3, "x"));
}

TEST(XmlCursor, RemoveNodeMovesToTheParent) {
    ivXML xml;
    ASSERT_TRUE(
        ParseInto(xml, "<Document><Section ID=\"1\"><Section ID=\"2\"/></Section></Document>"));
    ASSERT_TRUE(xml.SelectWhere("Section", "ID", "2", kAttribute | kAnywhere));
    ASSERT_TRUE(xml.RemoveNode());
    EXPECT_EQ(xml.GetAttribute("ID"), "1");
    ASSERT_TRUE(xml.GoParent());
    ASSERT_TRUE(xml.RemoveNode());  // the root goes too
    EXPECT_EQ(xml.GetName(), "");
    EXPECT_FALSE(xml.RemoveNode()) << "the document node has no parent";
    EXPECT_FALSE(xml.GoRoot());
}

TEST(XmlCursor, ANodeLeftFromAReplacedDocumentStaysUsable) {
    ivXML xml;
    ASSERT_TRUE(ParseInto(xml, "<Old><Child/></Old>"));
    ASSERT_TRUE(xml.Create());  // the current node still refers to the old tree
    EXPECT_EQ(xml.GetName(), "Old");
    EXPECT_TRUE(xml.GoChild(0));
    EXPECT_EQ(xml.GetName(), "Child");
    EXPECT_FALSE(xml.GoRoot()) << "the new document has no root yet";
    EXPECT_TRUE(xml.Reset());
    EXPECT_TRUE(xml.AddNode("New"));
    EXPECT_TRUE(xml.GoRoot());
    EXPECT_EQ(xml.GetName(), "New");
}

TEST(XmlCursor, LoadXmlReportsParseErrors) {
    ivXML xml;
    xml.LoadXml("<Document><Section></Document>");
    EXPECT_FALSE(xml.GoRoot());
    EXPECT_FALSE(xml.GetError().empty());
    xml.LoadXml("<a x='1'>t</a>");
    EXPECT_TRUE(xml.GoRoot());
    EXPECT_EQ(xml.GetError(), "");
    EXPECT_EQ(xml.GetXml(), "<a x=\"1\">t</a>");
}

}  // namespace
