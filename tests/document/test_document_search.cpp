#include "document/document_search.h"
#include "document/iv_xml.h"
#include "document/text_fold.h"
#include "document/tree_editor.h"
#include "rtf/convert.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// An RTF body of paragraphs, each given as RTF text.
std::string Body(std::initializer_list<const char*> paragraphs) {
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}";
    for (const char* p : paragraphs) {
        rtf += p;
        rtf += "\\par\n";
    }
    return rtf + "}";
}

std::string Escaped(const std::string& rtf) {
    std::string out;
    for (const char c : rtf) {
        if (c == '"') {
            out += "&quot;";
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '\n') {
            out += "&#10;";
        } else {
            out += c;
        }
    }
    return out;
}

class DocumentSearch : public testing::Test {
protected:
    void SetUp() override {
        tree.LoadXml("<Document><Section ID=\"{A}\" Title=\"Über Grüße\" Text=\"" +
                     Escaped(Body({"Erste Zeile", "Die Stra\\u223?e f\\'fchrt zum Ufer.",
                                   "{\\b Fett}{\\i gedruckt} und ufer"})) +
                     "\"><Section ID=\"{A1}\" Title=\"Ufer\" Text=\"" +
                     Escaped(Body({"Kein Treffer hier", "UFERWEG, Ufer-Weg"})) +
                     "\"/></Section><Section ID=\"{B}\" Title=\"Zweites\"/></Document>");
        editor.SetTree(&tree);
        search.SetTree(&tree);
        search.Attach(editor);
    }
    std::string Attribute(const std::string& id, const std::string& name) {
        editor.SelectSection(id);
        return tree.GetAttribute(name);
    }
    ivXML tree;
    ivTreeEditor editor;
    ivDocumentSearch search;
};

TEST(TextFold, FoldsEuropeanCapitalsAndMapsOffsetsBack) {
    EXPECT_EQ(FoldCase("ÄÖÜ Straße STRASSE ẞ"), "äöü strasse strasse ss");
    EXPECT_EQ(FoldCase("ΑΒΓ ПРИВЕТ Łódź Ÿ"), "αβγ привет łódź ÿ");
    // "ẞ" is three bytes and folds to two: offsets after it move.
    const std::string text = "aẞb";
    const ivFoldedText folded(text);
    EXPECT_EQ(folded.Folded(), "assb");
    EXPECT_EQ(folded.OriginalOffset(0), 0u);
    EXPECT_EQ(folded.OriginalOffset(1), 1u);
    EXPECT_EQ(folded.OriginalOffset(2), 1u) << "inside the folded character: its start";
    EXPECT_EQ(folded.OriginalOffset(3), 4u);
    EXPECT_EQ(folded.OriginalOffset(4), 5u);
    // Invalid bytes stay and do not end the text.
    EXPECT_EQ(FoldCase(std::string("A\xFF\xC3") + "B"), std::string("a\xFF\xC3") + "b");
}

TEST(TextFold, WholeWordsKnowLettersBeyondAscii) {
    const std::string text = "Grüße, grüß";
    const ivFoldedText folded(text);
    EXPECT_TRUE(FindMatches(text, folded, FoldCase("grü"), true, 10).empty());
    const auto matches = FindMatches(text, folded, FoldCase("GRÜSSE"), true, 10);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(text.substr(matches[0].first, matches[0].second - matches[0].first), "Grüße");
    EXPECT_EQ(FindMatches(text, folded, FoldCase("grü"), false, 10).size(), 2u);
    EXPECT_EQ(FindMatches(text, folded, FoldCase("grü"), false, 1).size(), 1u) << "limit";
}

TEST_F(DocumentSearch, FindsInTitlesAndBodiesWithoutRegardToCase) {
    const auto hits = search.Find("ufer");
    ASSERT_EQ(hits.size(), 5u);
    // {A}'s body: "Ufer." on line 1 and "ufer" on line 2; then {A1}'s title and body.
    EXPECT_EQ(hits[0].sectionId, "{A}");
    EXPECT_FALSE(hits[0].inTitle);
    EXPECT_EQ(hits[0].line, 1);
    EXPECT_EQ(hits[0].lineText, "Die Straße führt zum Ufer.");
    EXPECT_EQ(hits[0].lineText.substr(hits[0].matchStart, hits[0].matchLength), "Ufer");
    EXPECT_EQ(hits[1].line, 2);
    EXPECT_EQ(hits[1].lineText, "Fettgedruckt und ufer") << "text across runs is one line";
    EXPECT_EQ(hits[2].sectionId, "{A1}");
    EXPECT_TRUE(hits[2].inTitle);
    EXPECT_EQ(hits[2].numbering, "1.1");
    EXPECT_EQ(hits[3].lineText.substr(hits[3].matchStart, hits[3].matchLength), "UFER");
    EXPECT_EQ(hits[4].matchStart, 9u);

    const auto words = search.Find("ufer", {.wholeWords = true});
    ASSERT_EQ(words.size(), 4u) << "UFERWEG is no whole word, Ufer-Weg has one";
    EXPECT_EQ(words[3].lineText.substr(words[3].matchStart), "Ufer-Weg");

    const auto umlaut = search.Find("GRÜSSE");
    ASSERT_EQ(umlaut.size(), 1u);
    EXPECT_TRUE(umlaut[0].inTitle);
    EXPECT_EQ(umlaut[0].title, "Über Grüße");
    EXPECT_EQ(search.Find("STRASSE").size(), 1u) << "\\u223 read as ß";
    EXPECT_TRUE(search.Find("").empty());
    EXPECT_TRUE(search.Find("fonttbl").empty()) << "RTF control words are not text";
    EXPECT_EQ(search.Find("e", {.maxHits = 3}).size(), 3u);
}

TEST_F(DocumentSearch, EditsThroughTheEditorAreSeenAndOthersAfterInvalidate) {
    EXPECT_TRUE(search.Find("Neu").empty());
    ASSERT_TRUE(editor.StoreBody("{B}", Body({"Neu geschrieben"}), "now"));
    ASSERT_EQ(search.Find("neu").size(), 1u);
    ASSERT_TRUE(editor.SetAttributes("{A1}", {{"Title", "Strand"}}));
    EXPECT_EQ(search.Find("strand").size(), 1u);
    ASSERT_TRUE(editor.RemoveSection("{A}"));
    const auto hits = search.Find("ufer");
    EXPECT_TRUE(hits.empty()) << "sections that are gone are not found";
    ASSERT_TRUE(editor.InsertSection("", {{"ID", "{C}"}, {"Text", Body({"ufer"})}}));
    ASSERT_EQ(search.Find("ufer").size(), 1u);
    EXPECT_EQ(search.Find("ufer")[0].numbering, "2");

    // Past the editor nothing is heard until the section is named.
    editor.SelectSection("{C}");
    tree.SetAttribute("Text", Body({"anders"}));
    EXPECT_EQ(search.Find("ufer").size(), 1u);
    search.Invalidate("{C}");
    EXPECT_TRUE(search.Find("ufer").empty());
    EXPECT_EQ(search.Find("anders").size(), 1u);
}

TEST_F(DocumentSearch, NextHitGoesAcrossSectionsAndRoundToTheStart) {
    auto hit = search.FindNext("ufer", {}, nullptr);
    ASSERT_TRUE(hit);
    std::vector<std::string> order;
    for (int i = 0; i < 6 && hit; ++i) {
        order.push_back(hit->sectionId + (hit->inTitle ? "t" : "b") +
                        std::to_string(hit->textOffset));
        hit = search.FindNext("ufer", {}, &*hit);
    }
    ASSERT_EQ(order.size(), 6u);
    EXPECT_EQ(order[0], order[5]) << "after the last hit comes the first";
    EXPECT_NE(order[0], order[4]);
    EXPECT_EQ(order[2], "{A1}t0");
    // A hit of a section that moved is still placed by its ID.
    ivSearchHit stale = search.Find("ufer")[2];
    stale.sectionIndex = 99;
    hit = search.FindNext("ufer", {}, &stale);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->sectionId, "{A1}");
    EXPECT_FALSE(hit->inTitle);
    EXPECT_FALSE(search.FindNext("nirgends", {}, nullptr));
}

TEST_F(DocumentSearch, ReplacePlansEverySectionAndAppliesInOneGo) {
    const auto plan = search.PlanReplace("ufer", "Küste");
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_TRUE(plan[0].inTitle);
    EXPECT_EQ(plan[0].after, "Küste");
    EXPECT_EQ(plan[1].sectionId, "{A}");
    EXPECT_EQ(plan[1].count, 2);
    EXPECT_EQ(plan[2].count, 2);
    EXPECT_EQ(Attribute("{A}", "Text"), plan[1].before) << "a plan changes nothing";

    std::vector<ivTreeEdit> done;
    ASSERT_TRUE(ivDocumentSearch::ApplyReplace(plan, editor, "stamp", &done));
    EXPECT_EQ(done.size(), 3u);
    EXPECT_EQ(Attribute("{A1}", "Title"), "Küste");
    const std::string body = rtf::RtfToText(Attribute("{A}", "Text"));
    EXPECT_NE(body.find("zum Küste."), std::string::npos) << body;
    EXPECT_NE(body.find("Fettgedruckt und Küste"), std::string::npos);
    EXPECT_EQ(Attribute("{A}", "Modified"), "stamp");
    EXPECT_EQ(rtf::RtfToText(Attribute("{A1}", "Text")),
              "Kein Treffer hier\nKüsteWEG, Küste-Weg\n");
    EXPECT_TRUE(search.Find("ufer").empty()) << "the cache heard of the edits";

    // A plan made before another edit is refused whole.
    const auto stalePlan = search.PlanReplace("küste", "Meer");
    ASSERT_TRUE(editor.StoreBody("{A}", Body({"anders"}), "x"));
    EXPECT_FALSE(ivDocumentSearch::ApplyReplace(stalePlan, editor, "y"));
    EXPECT_EQ(Attribute("{A1}", "Title"), "Küste") << "nothing was changed";
}

TEST_F(DocumentSearch, ReplaceAcrossRunsKeepsTheFirstRunsFormat) {
    ASSERT_TRUE(editor.StoreBody("{B}", Body({"{\\b Satt}{\\i gelb} bleibt"}), "x"));
    const auto plan = search.PlanReplace("attge", "ATT-GE");
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(rtf::RtfToText(plan[0].after), "SATT-GElb bleibt\n");
    EXPECT_NE(plan[0].after.find("\\b SATT-GE"), std::string::npos) << plan[0].after;
    // Whole words across runs.
    EXPECT_TRUE(search.PlanReplace("satt", "x", {.wholeWords = true}).empty());
    EXPECT_EQ(search.PlanReplace("sattgelb", "Breit", {.wholeWords = true}).size(), 1u);
}

TEST_F(DocumentSearch, CheckedMatchesAloneAreReplacedAndCaseCanCount) {
    // Every match of the plan carries its paragraph before and after, in replacing order.
    auto plan = search.PlanReplace("ufer", "Küste");
    ASSERT_EQ(plan.size(), 3u);
    ASSERT_EQ(plan[2].matches.size(), 2u);
    EXPECT_EQ(plan[2].matches[0].before, "UFERWEG, Ufer-Weg");
    EXPECT_EQ(plan[2].matches[0].after, "KüsteWEG, Ufer-Weg");
    EXPECT_EQ(plan[2].matches[1].after, "UFERWEG, Küste-Weg");
    EXPECT_EQ(plan[2].matches[1].start, 9u);
    EXPECT_EQ(plan[0].matches.at(0).before, "Ufer") << "a title's match";

    // The first match of the body left out: the second alone changes.
    ivDocumentSearch::ChooseMatches(plan[2], {false, true}, "ufer", "Küste", {});
    EXPECT_EQ(plan[2].count, 1);
    EXPECT_EQ(rtf::RtfToText(plan[2].after), "Kein Treffer hier\nUFERWEG, Küste-Weg\n");
    ivDocumentSearch::ChooseMatches(plan[0], {false}, "ufer", "Küste", {});
    EXPECT_EQ(plan[0].count, 0);
    EXPECT_EQ(plan[0].after, "Ufer");

    // Match case: "ÄRGER" is not "Ärger"; folded it is.
    ASSERT_TRUE(editor.StoreBody("{B}", Body({"\\u196?RGER und \\u196?rger"}), "x"));
    ivSearchOptions exact;
    exact.matchCase = true;
    const auto cased = search.PlanReplace("Ärger", "Freude", exact);
    ASSERT_EQ(cased.size(), 1u);
    EXPECT_EQ(cased[0].count, 1);
    EXPECT_EQ(rtf::RtfToText(cased[0].after), "ÄRGER und Freude\n");
    EXPECT_EQ(search.PlanReplace("ärger", "Freude").at(0).count, 2);
    EXPECT_TRUE(search.PlanReplace("ärger", "Freude", exact).empty());
}

TEST(DocumentSearchBackground, PreparedTextIsTakenOverAndEditsMeanwhileWin) {
    // Enough sections for the worker to share them among the cores.
    std::string xml = "<Document>";
    for (int i = 0; i < 300; ++i) {
        xml += "<Section ID=\"{S" + std::to_string(i) + "}\" Title=\"T" + std::to_string(i) +
               "\" Text=\"" + Escaped(Body({"Gr\\u252?\\u223?e aus Nummer", "Zeile zwei"})) +
               "\"/>";
    }
    xml += "</Document>";
    ivXML tree;
    tree.LoadXml(xml);
    ivTreeEditor editor;
    editor.SetTree(&tree);
    ivDocumentSearch search;
    search.SetTree(&tree);
    search.Attach(editor);

    search.PrepareInBackground();
    // An edit while the worker reads: the edited body is searched as it is now.
    ASSERT_TRUE(editor.StoreBody("{S7}", Body({"ganz anders"}), "x"));
    ASSERT_TRUE(editor.SetAttributes("{S8}", {{"Title", "GRÜSSE im Titel"}}));
    const auto hits = search.Find("GRÜSSE");
    EXPECT_FALSE(search.IsPreparing());
    ASSERT_EQ(hits.size(), 300u) << "299 bodies and one title";
    EXPECT_TRUE(std::none_of(hits.begin(), hits.end(),
                             [](const ivSearchHit& h) { return h.sectionId == "{S7}"; }));
    EXPECT_TRUE(hits[7].inTitle);
    EXPECT_EQ(hits[7].sectionId, "{S8}");
    EXPECT_EQ(hits[8].lineText, "Grüße aus Nummer") << "{S8}'s body is still read";
    EXPECT_EQ(search.BodyText("{S7}"), "ganz anders\n");

    // Another tree while a preparation runs drops what it read.
    search.PrepareInBackground();
    search.Invalidate("{S1}");
    search.PrepareInBackground();
    ivXML other;
    other.LoadXml("<Document><Section ID=\"{X}\" Title=\"Grüße\"/></Document>");
    search.SetTree(&other);
    EXPECT_EQ(search.Find("grüsse").size(), 1u);
}

}  // namespace
