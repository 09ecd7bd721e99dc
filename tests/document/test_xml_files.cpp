#include "document/iv_xml.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

// A rich-edit body with everything an XML writer can get wrong in an attribute.
const std::string kBody =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n\\pard \"quoted\" & <tag> 'apos'\ttab\\par\r\n"
    "second line\n\n  indented\r\r}";

TEST(XmlFiles, CreatedDocumentHoldsOnlyTheDeclaration) {
    TempDir dir;
    ivXML xml;
    ASSERT_TRUE(xml.Create());
    ASSERT_TRUE(xml.Save(dir.File("empty.xml")));
    const std::string text = ReadFile(dir.File("empty.xml"));
    EXPECT_EQ(text, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n");
    ivXML back;
    EXPECT_FALSE(back.Load(dir.File("empty.xml"))) << "a document without a root is not one";
    EXPECT_FALSE(back.GetError().empty());
}

TEST(XmlFiles, BodiesReadBackByteForByte) {
    TempDir dir;
    ivXML xml;
    ASSERT_TRUE(xml.Create());
    ASSERT_TRUE(xml.AddNode("Document"));
    ASSERT_TRUE(xml.AddNode("Section"));
    ASSERT_TRUE(xml.AddAttribute("Text", kBody));
    ASSERT_TRUE(xml.Save(dir.File("doc.etf")));

    const std::string file = ReadFile(dir.File("doc.etf"));
    EXPECT_EQ(file.find('\t', file.find("<Document")), std::string::npos)
        << "tabs in attributes are written as references";
    EXPECT_NE(file.find("&#10;"), std::string::npos);
    EXPECT_NE(file.find("&#13;"), std::string::npos);
    EXPECT_NE(file.find("&#9;"), std::string::npos);

    ivXML back;
    ASSERT_TRUE(back.Load(dir.File("doc.etf")));
    ASSERT_TRUE(back.GoRoot());
    ASSERT_TRUE(back.GoChild(0));
    EXPECT_EQ(back.GetAttribute("Text"), kBody);
}

TEST(XmlFiles, TextBeyondLatin1SurvivesAsCharacterReferences) {
    TempDir dir;
    const std::string greek = "\xce\x95\xce\xbb\xce\xbb\xce\xb7\xce\xbd\xce\xb9\xce\xba\xce\xac";
    const std::string cjk = "\xe7\xab\xa0\xe8\x8a\x82";  // two CJK ideographs
    const std::string emoji = "\xf0\x9f\x93\x98";        // beyond the BMP
    const std::string latin1 =
        "Gr\xc3\xbc\xc3\x9f"
        "e \xc3\xa9t\xc3\xa9";
    ivXML xml;
    ASSERT_TRUE(xml.Create());
    ASSERT_TRUE(xml.AddNode("Document"));
    for (const std::string& title : {greek, cjk, emoji, latin1}) {
        ASSERT_TRUE(xml.AddNode("Section"));
        ASSERT_TRUE(xml.AddAttribute("Title", title));
        ASSERT_TRUE(xml.EndNode());
    }
    ASSERT_TRUE(xml.Save(dir.File("intl.etf")));

    const std::string file = ReadFile(dir.File("intl.etf"));
    EXPECT_NE(file.find("&#"), std::string::npos);
    // Latin-1 characters are single bytes; nothing else above 127 appears.
    EXPECT_NE(file.find("Gr\xfc\xdf"), std::string::npos);
    for (unsigned char c : file) {
        EXPECT_TRUE(c < 0x80 || c == 0xfc || c == 0xdf || c == 0xe9) << int(c);
    }

    ivXML back;
    ASSERT_TRUE(back.Load(dir.File("intl.etf")));
    ASSERT_TRUE(back.GoRoot());
    const std::string expected[] = {greek, cjk, emoji, latin1};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(back.GoChild(i));
        EXPECT_EQ(back.GetAttribute("Title"), expected[i]);
        ASSERT_TRUE(back.GoParent());
    }
}

// An empty document in each of the two encodings our files are written in.
const char* const kEmptyDocumentInEachEncoding[] = {
    "<?xml version='1.0' encoding='ISO-8859-1'?><Document/>",
    "<?xml version='1.0' encoding='UTF-8'?><Document/>"};

// Saving writes the text out in pieces; characters of several bytes are cut between two
// pieces wherever the pieces end, in both encodings of our files.
TEST(XmlFiles, LongTextOfManyByteCharactersReadsBack) {
    std::string text;
    for (int i = 0; text.size() < 300000; ++i) {
        text += i % 3 == 0 ? "\xc3\xa4" : i % 3 == 1 ? "\xe2\x82\xac" : "\xf0\x9f\x93\x98";
        text += std::string(static_cast<size_t>(i % 7), 'x');
    }
    for (const char* declaration : kEmptyDocumentInEachEncoding) {
        ivXML xml;
        xml.LoadXml(declaration);
        ASSERT_TRUE(xml.GoRoot());
        ASSERT_TRUE(xml.AddAttribute("Text", text));
        xml.SetText(text);
        ivXML back;
        back.LoadXml(xml.SaveToString());
        ASSERT_TRUE(back.GoRoot()) << back.GetError();
        EXPECT_TRUE(back.GetAttribute("Text") == text) << declaration;
        EXPECT_TRUE(back.GetText() == text) << declaration;
    }
}

// A title with a control character that XML cannot hold (pasted from elsewhere), or bytes
// that are no UTF-8, made a file that could not be opened again: the document was lost. Such
// characters are written as U+FFFD.
TEST(XmlFiles, WhatXmlCannotHoldIsReplacedSoThatTheFileReadsBack) {
    TempDir dir;
    const std::string bad = std::string(
                                "a\x01"
                                "b\x1f"
                                "c\xff"
                                "d\xe2\x82") +
                            "\xef\xbf\xbe";
    const std::string replaced =
        "a\xef\xbf\xbd"
        "b\xef\xbf\xbd"
        "c\xef\xbf\xbd"
        "d\xef\xbf\xbd"
        "\xef\xbf\xbd";
    for (const char* declaration : kEmptyDocumentInEachEncoding) {
        ivXML xml;
        xml.LoadXml(declaration);
        ASSERT_TRUE(xml.GoRoot());
        ASSERT_TRUE(xml.AddAttribute("Title", bad));
        xml.SetText(bad + "\t\n");
        ASSERT_TRUE(xml.Save(dir.File("doc.etf")));
        ivXML back;
        ASSERT_TRUE(back.Load(dir.File("doc.etf"))) << back.GetError();
        ASSERT_TRUE(back.GoRoot());
        EXPECT_EQ(back.GetAttribute("Title"), replaced) << declaration;
        EXPECT_EQ(back.GetText(), replaced + "\t\n") << "tabs and line feeds are kept";
    }
}

TEST(XmlFiles, IndentationBetweenElementsIsDropped) {
    ivXML compact, indented;
    compact.LoadXml(
        "<Document><Section ID=\"1\"><Section ID=\"2\"/></Section><!--c--><Section/></Document>");
    indented.LoadXml(
        "<?xml version=\"1.0\"?>\n<Document>\n  <Section ID=\"1\">\r\n\t<Section ID=\"2\"/>\n  "
        "</Section>\n"
        "  <!--c-->\n  <Section/>\n</Document>\n");
    ASSERT_TRUE(compact.GoRoot());
    ASSERT_TRUE(indented.GoRoot());
    EXPECT_EQ(indented.GetXml(), compact.GetXml());
    EXPECT_EQ(indented.GetChildCount(), 3);
}

TEST(XmlFiles, DeclaredEncodingsAreHonoured) {
    TempDir dir;
    WriteFile(dir.File("latin1.etf"),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Document><Section Title=\"M\xe4rz "
              "\xa9\"/></Document>");
    ivXML xml;
    ASSERT_TRUE(xml.Load(dir.File("latin1.etf")));
    ASSERT_TRUE(xml.GoRoot());
    ASSERT_TRUE(xml.GoChild(0));
    EXPECT_EQ(xml.GetAttribute("Title"), "M\xc3\xa4rz \xc2\xa9");

    // Bytes that are not UTF-8 in a file that is (by default or by declaration) fail the load.
    WriteFile(dir.File("bad.etf"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Document Title=\"\xe4\xff\"/>");
    EXPECT_FALSE(xml.Load(dir.File("bad.etf")));
    WriteFile(dir.File("bad2.etf"), "<Document Title=\"\xc3\"/>");
    EXPECT_FALSE(xml.Load(dir.File("bad2.etf")));
    EXPECT_FALSE(xml.GetError().empty());
    EXPECT_FALSE(xml.GoRoot()) << "a failed load leaves an empty document";
}

// Regression: a file declared in another encoding was written back through iconv, which
// dropped characters it cannot hold ("β" vanished from a title).
TEST(XmlFiles, OtherDeclaredEncodingsAreWrittenWithoutLoss) {
    TempDir dir;
    for (const char* declared : {"windows-1252", "ISO-885-9-1", "US-ASCII"}) {
        WriteFile(dir.File("in.etf"), std::string("<?xml version=\"1.0\" encoding=\"") + declared +
                                          "\"?><Document Title=\"A &#946; &#8364; &#228;\"/>");
        ivXML xml;
        ASSERT_TRUE(xml.Load(dir.File("in.etf"))) << declared;
        ASSERT_TRUE(xml.Save(dir.File("out.etf")));
        EXPECT_EQ(
            ReadFile(dir.File("out.etf")).find("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"),
            0u)
            << declared;
        ivXML back;
        ASSERT_TRUE(back.Load(dir.File("out.etf"))) << declared;
        ASSERT_TRUE(back.GoRoot());
        EXPECT_EQ(back.GetAttribute("Title"), "A \xce\xb2 \xe2\x82\xac \xc3\xa4") << declared;
    }
    // Where no character reference can stand (a name), UTF-8 keeps the text.
    {
        ivXML xml;
        ASSERT_TRUE(xml.Create());
        ASSERT_TRUE(xml.AddNode("Document"));
        ASSERT_TRUE(xml.AddNode("\xd0\xb1"));
        ASSERT_TRUE(xml.AddAttribute("\xd1\x84", "\xd1\x84"));
        ASSERT_TRUE(xml.Save(dir.File("out.etf")));
        EXPECT_NE(ReadFile(dir.File("out.etf")).find("encoding=\"UTF-8\""), std::string::npos);
        ivXML back;
        ASSERT_TRUE(back.Load(dir.File("out.etf")));
        ASSERT_TRUE(back.GoRoot());
        ASSERT_TRUE(back.GoChild(0));
        EXPECT_EQ(back.GetName(), "\xd0\xb1");
        EXPECT_EQ(back.GetAttribute("\xd1\x84"), "\xd1\x84");
    }
    // UTF-8 stays UTF-8.
    WriteFile(dir.File("in.etf"),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?><Document Title=\"\xce\xb2\"/>");
    ivXML xml;
    ASSERT_TRUE(xml.Load(dir.File("in.etf")));
    ASSERT_TRUE(xml.Save(dir.File("out.etf")));
    EXPECT_EQ(ReadFile(dir.File("out.etf")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document Title=\"\xce\xb2\"/>\n");
}

TEST(XmlFiles, FailedSavesLeaveThePreviousFile) {
    TempDir dir;
    const std::string path = dir.File("doc.etf");
    WriteFile(path, "previous");
    ivXML xml;
    ASSERT_TRUE(xml.Create());
    ASSERT_TRUE(xml.AddNode("Document"));
    ASSERT_TRUE(xml.AddAttribute("Text", std::string(100000, 'x')));
    {
        testing_support::FileSizeLimit limit(4096);
        EXPECT_FALSE(xml.Save(path));
    }
    EXPECT_EQ(ReadFile(path), "previous");
    EXPECT_FALSE(xml.Save(dir.File("no/such/folder/doc.etf")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("no")));
}

TEST(XmlFiles, LoadingAMissingFileFails) {
    ivXML xml;
    EXPECT_FALSE(xml.Load("/nonexistent/quorvane/doc.etf"));
    EXPECT_FALSE(xml.GetError().empty());
    EXPECT_FALSE(xml.GoRoot());
}

}  // namespace
