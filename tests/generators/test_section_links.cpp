#include "document/domain.h"
#include "document/domain_store.h"
#include "document/section_link.h"
#include "generators/docx_document.h"
#include "generators/generate_document.h"
#include "rtf/convert.h"
#include "rtf/reader.h"
#include "tests/generators/generator_test_util.h"

#include <gtest/gtest.h>

namespace {

using testing_support::IsolatedSettings;
using testing_support::ReadFile;
using testing_support::TempDir;

constexpr const char* kTarget = "{0A1B2C3D-0000-4000-8000-00000000000B}";
constexpr const char* kGone = "{0A1B2C3D-0000-4000-8000-0000000000FF}";

std::string Body(const std::string& content) {
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}Siehe " + content + " und weiter.\\par}";
}

TEST(SectionLink, TargetsNameTheSectionAndSurviveReading) {
    EXPECT_EQ(section_link::Target(kTarget), std::string("quorvane-section:") + kTarget);
    EXPECT_EQ(section_link::IdOf(section_link::Target(kTarget)), kTarget);
    EXPECT_EQ(section_link::IdOf(std::string("Quorvane-Section:") + kTarget), kTarget);
    EXPECT_EQ(section_link::IdOf("https://example.org/"), "");
    EXPECT_EQ(section_link::IdOf("quorvane-sectio"), "");

    const std::string body = Body(section_link::RtfField(kTarget, "das Ziel {1}"));
    const rtf::Document read = rtf::ReadRtf(body).document;
    ASSERT_EQ(read.links.size(), 1u) << body;
    EXPECT_EQ(read.links[0], section_link::Target(kTarget)) << "braces escaped and read back";
    EXPECT_EQ(rtf::RtfToText(body), "Siehe das Ziel {1} und weiter.\n");
    EXPECT_EQ(section_link::LinkedIds(body), (std::vector<std::string>{kTarget}));
}

TEST(SectionLink, ResolveRewritesKnownSectionsAndUnlinksMissingOnes) {
    const std::string body = Body(section_link::RtfField(kTarget, "hier") + ", " +
                                  section_link::RtfField(kGone, "dort") +
                                  ", {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/\"}}"
                                  "{\\fldrslt web}}");
    std::vector<std::string> missing;
    const std::string resolved = section_link::Resolve(
        body, [](const std::string& id) { return id == kTarget ? "ziel.htm" : ""; }, &missing);
    EXPECT_EQ(missing, (std::vector<std::string>{kGone}));
    const rtf::Document read = rtf::ReadRtf(resolved).document;
    EXPECT_EQ(read.links, (std::vector<std::string>{"ziel.htm", "https://example.org/"}));
    EXPECT_EQ(rtf::RtfToText(resolved), "Siehe hier, dort, web und weiter.\n")
        << "the missing link's text stays";
    EXPECT_EQ(resolved.find("quorvane-section"), std::string::npos);

    const std::string plain = Body("nichts");
    EXPECT_EQ(section_link::Resolve(
                  plain, [](const std::string&) { return "x"; }, &missing),
              plain)
        << "a body without section links is not written anew";
}

// A link from one section to another survives a rename of title and alias, a move and a
// save and reopen, and every generator resolves it.
class SectionLinks : public testing::Test {
protected:
    void SetUp() override {
        const std::string file = m_settings.dir().File("links.etf");
        {
            myDomainStore store;
            ASSERT_TRUE(store.New());
            ivTreeEditor& editor = store.Editor();
            const std::string linking =
                Body(section_link::RtfField(kTarget, "das Ziel") + " oder " +
                     section_link::RtfField(kGone, "Verlorenes"));
            ASSERT_TRUE(
                editor.InsertSection("", {{"ID", "{A}"}, {"Title", "Start"}, {"Text", linking}}));
            ASSERT_TRUE(editor.InsertSection("", {{"ID", "{C}"}, {"Title", "Kapitel"}}));
            ASSERT_TRUE(editor.InsertSection(
                "", {{"ID", kTarget}, {"Title", "Ziel"}, {"Alias", "ziel"}, {"Text", Body("z")}}));
            // Renamed, then moved under "Kapitel" (taken out and put in again, as a move does).
            ASSERT_TRUE(editor.SetAttributes(kTarget, {{"Title", "Neues Ziel"}, {"Alias", "neu"}}));
            ASSERT_TRUE(editor.RemoveSection(kTarget));
            ASSERT_TRUE(editor.InsertSection(
                "{C}",
                {{"ID", kTarget}, {"Title", "Neues Ziel"}, {"Alias", "neu"}, {"Text", Body("z")}}));
            ASSERT_TRUE(store.Save(file));
        }
        ASSERT_TRUE(m_store.Open(file));
    }
    bool Generate(const std::string& kind) {
        ivGenerateOptions options;
        options.openResult = false;
        options.rememberFolder = false;
        options.startCompiler = [](const std::vector<std::string>&, const std::string&) {
            return true;
        };
        options.missingLinks = &m_missing;
        return GenerateDocument(m_store, kind, m_out.path(), "Links", options);
    }
    void ExpectGoneReported() {
        ASSERT_EQ(m_missing.size(), 1u);
        EXPECT_EQ(m_missing[0].fromId, "{A}");
        EXPECT_EQ(m_missing[0].fromTitle, "Start");
        EXPECT_EQ(m_missing[0].targetId, kGone);
    }

    IsolatedSettings m_settings;
    TempDir m_out;
    myDomainStore m_store;
    std::vector<section_link::Missing> m_missing;
};

TEST_F(SectionLinks, HtmlAndChmLinkToTheSectionsPage) {
    for (const char* kind : {"HTML", "CHM"}) {
        SCOPED_TRACE(kind);
        m_missing.clear();
        ASSERT_TRUE(Generate(kind));
        const std::string page = ReadFile(m_out.File("start.htm"));
        EXPECT_NE(page.find("href=\"neu.htm\""), std::string::npos) << page;
        EXPECT_NE(page.find("Verlorenes"), std::string::npos);
        EXPECT_EQ(page.find("quorvane-section"), std::string::npos);
        EXPECT_EQ(page.find("FF}"), std::string::npos) << "no link to the missing section";
        ExpectGoneReported();
    }
}

TEST_F(SectionLinks, WordLinksToTheSectionsHeading) {
    ASSERT_TRUE(Generate("DOC"));
    const auto parts = ReadDocxParts(m_out.File("Links.docx"));
    ASSERT_TRUE(parts.count("word/document.xml"));
    const std::string& xml = parts.at("word/document.xml");
    const std::string bookmark = "_Sec0A1B2C3D00004000800000000000000B";
    EXPECT_NE(xml.find("<w:hyperlink w:anchor=\"" + bookmark + "\""), std::string::npos) << xml;
    const size_t start = xml.find("w:name=\"" + bookmark + "\"");
    ASSERT_NE(start, std::string::npos);
    EXPECT_LT(start, xml.find("Neues Ziel")) << "the bookmark stands around the heading";
    EXPECT_LT(xml.find("Neues Ziel"), xml.find("<w:bookmarkEnd", start));
    EXPECT_EQ(xml.find("quorvane-section"), std::string::npos);
    EXPECT_NE(xml.find("Verlorenes"), std::string::npos);
    ExpectGoneReported();
}

}  // namespace
