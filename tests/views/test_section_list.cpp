#include "core/settings.h"
#include "document/iv_xml.h"
#include "tests/views/section_list_fixture.h"

namespace {

using Sections = SectionListTest;

const char* const kThree =
    "<Document><Section ID=\"{A}\" Title=\"One\" Created=\"x\"/>"
    "<Section ID=\"{B}\" Title=\"Two\" Created=\"x\"><Section ID=\"{B1}\" Title=\"Two.One\"/>"
    "</Section><Section ID=\"{C}\" Title=\"Three\" Created=\"x\" Auto=\"1\" Text=\"{\\rtf1 c}\"/>"
    "</Document>";

TEST_F(Sections, ANewDocumentShowsItsRowAndInsertsNumberAsTheyGo) {
    Open();
    ASSERT_NE(Root(), nullptr);
    EXPECT_EQ(Root()->GetName(), "Document");
    EXPECT_EQ(Cell(Root(), "Title"), "Document");
    EXPECT_EQ(Root()->GetChildCount(), 0);
    EXPECT_EQ(report.GetColumnCount(), 10);

    RecordingListener requests;
    model().AddListener(&requests);
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertBeside));
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertBeside));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(model().GetFocusedRecord(), Row({1})) << "the new row is focused";
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertUnder));
    EXPECT_EQ(Cell(Row({1, 0}), "Numbering"), "2.1");
    EXPECT_EQ(requests.editRequests.back(), report.FindColumn("Title"))
        << "its title is being edited";
    EXPECT_EQ(requests.editRequests.size(), 3u);

    // With 2.1 focused: one level above gives 3, beside it 2.2.
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertAbove));
    Focus(Row({1, 0}));
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertBeside));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "2", "2.1", "2.2", "3"}));

    // The tree holds the same, and new sections carry only ID, Title and Created.
    ivXML& tree = *domain.store.GetTree(ivDomain::kDocumentTree);
    ASSERT_TRUE(tree.GoRoot());
    EXPECT_EQ(tree.GetChildCount(), 3);
    ASSERT_TRUE(tree.GoChild(1));
    EXPECT_EQ(tree.GetChildCount(), 2);
    ASSERT_TRUE(tree.GoChild(1));
    EXPECT_EQ(tree.GetAttributeCount(), 3);
    EXPECT_EQ(tree.GetAttributeName(0), "ID");
    EXPECT_EQ(tree.GetAttributeName(1), "Title");
    EXPECT_EQ(tree.GetAttributeName(2), "Created");
    EXPECT_EQ(tree.GetAttribute("Title"), "Section");
    EXPECT_EQ(tree.GetAttribute("ID"), Cell(Row({1, 1}), "ID"));
    EXPECT_EQ(domain.edits.size(), 5u) << "each insert marks the document modified";
    model().RemoveListener(&requests);
}

TEST_F(Sections, NumbersStayRightAfterRemovesAndMatchARebuild) {
    Open(kThree);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "2", "2.1", "3"}));
    Focus(Row({0}));
    ASSERT_TRUE(list.RemoveSection(true));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "1.1", "2"}))
        << "the rows below are numbered again at once, with their children";
    EXPECT_EQ(model().GetFocusedRecord(), Row({0})) << "the next row has the focus";
    Focus(Row({1}));
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertBeside));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "1.1", "2", "3"})) << "no duplicate 3";
    const std::vector<std::string> before = Numbers();
    domain.Refresh();
    EXPECT_EQ(Numbers(), before) << "a rebuild numbers the same";
    EXPECT_EQ(messages.Messages().size(), 0u) << "a quiet remove asks nothing";
}

TEST_F(Sections, CommentsAndTextTakeAPlaceInTheNumbers) {
    Open(
        "<Document><!-- note --><Section ID=\"{A}\" Title=\"A\"/>text<Section ID=\"{B}\"/>"
        "<Section ID=\"{C}\"/></Document>");
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"2", "4", "5"}));
    Focus(Row({1}));
    ASSERT_TRUE(list.RemoveSection(true));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"2", "4"}));
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertBeside));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"2", "4", "5"}));
    const std::vector<std::string> now = Numbers();
    domain.Refresh();
    EXPECT_EQ(Numbers(), now);
}

TEST_F(Sections, RemoveAsksAndNoChangesNothing) {
    Open(kThree);
    Focus(Row({1}));
    const std::string xml = Xml();
    {
        testing_support::MessageRecorder no(kAnswerNo);
        EXPECT_FALSE(list.RemoveSection(false));
        EXPECT_EQ(no.Messages(), (std::vector<std::string>{"Really remove the current section?"}));
    }
    EXPECT_EQ(Xml(), xml);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "2", "2.1", "3"}));
    EXPECT_TRUE(domain.edits.empty()) << "nothing marked modified";

    ASSERT_TRUE(list.RemoveSection(false));
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "2"})) << "with its subsections";
    EXPECT_EQ(Xml().find("{B1}"), std::string::npos);
    ASSERT_EQ(domain.edits.size(), 1u);
    EXPECT_EQ(domain.edits[0].kind, ivTreeEdit::Kind::RemoveSection);
    EXPECT_NE(domain.edits[0].removedXml.find("Two.One"), std::string::npos);
}

TEST_F(Sections, SectionCommandsNeedASectionRow) {
    Open(kThree);
    EXPECT_FALSE(list.IsSectionFocused()) << "no row";
    EXPECT_FALSE(list.RemoveSection(true));
    Focus(Root());
    EXPECT_FALSE(list.IsSectionFocused()) << "the document row";
    EXPECT_FALSE(list.RemoveSection(true));
    Focus(Row({0}));
    EXPECT_TRUE(list.IsSectionFocused());
    // Inserting from the document row adds at the top level.
    Focus(Root());
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertUnder));
    EXPECT_EQ(Cell(Row({3}), "Numbering"), "4");
}

TEST_F(Sections, AliasesAreNormalisedAndNumberedToStayUnique) {
    Open(kThree);
    auto setAlias = [&](std::initializer_list<int> row, const std::string& typed) {
        Focus(Row(row));
        EXPECT_TRUE(TypeInto("Alias", typed));
        return Cell(Row(row), "Alias");
    };
    EXPECT_EQ(setAlias({0}, "Intro Page"), "intro_page");
    EXPECT_EQ(setAlias({1}, "Intro Page"), "intro_page_2");
    EXPECT_EQ(setAlias({2}, "intro_page"), "intro_page_3");
    Focus(Row({0}));
    EXPECT_TRUE(list.SetValue("Alias", "intro_page"));
    EXPECT_EQ(Cell(Row({0}), "Alias"), "intro_page") << "its own alias stands";
    EXPECT_EQ(setAlias({1, 0}, "Über uns 2"), "_ber_uns_2") << "one mark per character";
    EXPECT_EQ(setAlias({1}, ""), "") << "clearing an alias keeps it clear";
    EXPECT_EQ(setAlias({2}, ""), "");
    ivTreeEditor& editor = domain.store.Editor();
    ASSERT_TRUE(editor.SelectSection("{B}"));
    EXPECT_EQ(editor.GetTree()->GetAttribute("Alias"), "");
    ASSERT_TRUE(editor.SelectSection("{A}"));
    EXPECT_EQ(editor.GetTree()->GetAttribute("Alias"), "intro_page");
}

TEST_F(Sections, CellEditsReachTheTreeWithTheirTime) {
    Open(kThree);
    Focus(Row({0}));
    ASSERT_TRUE(TypeInto("Reference", "12"));
    ASSERT_TRUE(domain.store.Editor().SelectSection("{A}"));
    ivXML& tree = *domain.store.GetTree(ivDomain::kDocumentTree);
    EXPECT_EQ(tree.GetAttribute("Reference"), "12.000000");
    const std::string modified = tree.GetAttribute("Modified");
    EXPECT_FALSE(modified.empty());
    EXPECT_EQ(Cell(Row({0}), "Modified"), modified) << "the row shows the same time";
    EXPECT_EQ(tree.GetAttributeName(3), "Reference") << "attributes in the order first set";
    EXPECT_EQ(tree.GetAttributeName(4), "Modified");

    ASSERT_TRUE(TypeInto("Link", "see also"));
    ASSERT_TRUE(TypeInto("Title", "First"));
    EXPECT_EQ(domain.nextPane, 1) << "after a title the text view gets the focus";
    ASSERT_TRUE(domain.store.Editor().SelectSection("{A}"));
    EXPECT_EQ(tree.GetAttribute("Link"), "see also");
    EXPECT_EQ(tree.GetAttribute("Title"), "First");
    EXPECT_EQ(domain.edits.size(), 3u) << "every edit marks the document modified";
    for (const ivTreeEdit& edit : domain.edits) {
        ASSERT_EQ(edit.changes.size(), 2u);
        EXPECT_EQ(edit.changes[1].name, "Modified");
    }
    EXPECT_FALSE(domain.edits[0].changes[0].existed);
    EXPECT_TRUE(domain.edits[2].changes[0].existed);
    EXPECT_EQ(domain.edits[2].changes[0].before, "One");

    EXPECT_FALSE(list.SetValue("ID", "x")) << "the ID is never edited";
    EXPECT_FALSE(list.SetValue("", "x"));
}

TEST_F(Sections, TheDocumentRowKeepsItsTitle) {
    Open(kThree);
    Focus(Root());
    EXPECT_FALSE(TypeInto("Title", "Renamed")) << "typing there would be stored nowhere";
    EXPECT_EQ(Cell(Root(), "Title"), "Document");
    EXPECT_FALSE(model().ToggleCheck(*Root(), report.FindColumn("Auto")));
    EXPECT_FALSE(list.SetValue("Title", "Renamed"));
    EXPECT_TRUE(domain.edits.empty());
}

TEST_F(Sections, AutoIsClearedByEveryRebuildAndWrittenOnClick) {
    Open(kThree);
    EXPECT_EQ(Cell(Row({2}), "Auto"), "0") << "the file says 1";
    const int autoColumn = report.FindColumn("Auto");
    ASSERT_TRUE(model().ToggleCheck(*Row({2}), autoColumn)) << "clicking a row focuses it";
    ASSERT_TRUE(domain.store.Editor().SelectSection("{C}"));
    EXPECT_EQ(domain.store.GetTree(0)->GetAttribute("Auto"), "1");
    ASSERT_TRUE(model().ToggleCheck(*Row({2}), autoColumn));
    ASSERT_TRUE(domain.store.Editor().SelectSection("{C}"));
    EXPECT_EQ(domain.store.GetTree(0)->GetAttribute("Auto"), "0");
    ASSERT_TRUE(model().ToggleCheck(*Row({2}), autoColumn));
    domain.Refresh();
    EXPECT_EQ(Cell(Row({2}), "Auto"), "0");
}

TEST_F(Sections, BodiesAreHandedOverOnFocusChanges) {
    Open(kThree);
    EXPECT_EQ(Row({2})->GetItem(report.FindColumn("Status"))->GetImage(), kSectionBodyImage);
    EXPECT_EQ(Row({0})->GetItem(report.FindColumn("Status"))->GetImage(), 0);
    Focus(Row({2}));
    EXPECT_EQ(text.body, "{\\rtf1 c}");
    EXPECT_TRUE(text.enabled);
    Focus(Row({0}));
    EXPECT_EQ(text.body, "");
    text.Type("{\\rtf1 typed}");
    Focus(Row({1}));
    EXPECT_FALSE(text.modified);
    ASSERT_TRUE(domain.store.Editor().SelectSection("{A}"));
    EXPECT_EQ(domain.store.GetTree(0)->GetAttribute("Text"), "{\\rtf1 typed}");
    EXPECT_EQ(Row({0})->GetItem(report.FindColumn("Status"))->GetImage(), kSectionBodyImage);
    EXPECT_FALSE(Cell(Row({0}), "Modified").empty());
    ASSERT_EQ(domain.edits.size(), 1u);
    EXPECT_EQ(domain.edits[0].kind, ivTreeEdit::Kind::StoreBody);

    // The document row keeps the previous body in the text view.
    text.SetRTF("{\\rtf1 two}");
    Focus(Root());
    EXPECT_EQ(text.body, "{\\rtf1 two}");
    EXPECT_EQ(list.GetCurrentSectionId(), "{B}");

    // An emptied body takes the image away.
    Focus(Row({0}));
    text.Type("");
    Focus(Row({1}));
    EXPECT_EQ(Row({0})->GetItem(report.FindColumn("Status"))->GetImage(), 0);
}

TEST_F(Sections, TheTextViewIsCleanBeforeItsBodyMarksTheDocument) {
    // Marking the document modified may save it at once, and that save stores the body being
    // edited: by then it must be stored already.
    Open(kThree);
    Focus(Row({0}));
    std::vector<bool> modifiedWhenStored;
    domain.store.Editor().SetListener(
        [&](const ivTreeEdit&) { modifiedWhenStored.push_back(text.modified); });
    text.Type("{\\rtf1 saved once}");
    Focus(Row({1}));
    EXPECT_EQ(modifiedWhenStored, (std::vector<bool>{false}));
}

TEST_F(Sections, ABodyWhoseSectionIsGoneIsDropped) {
    Open(kThree);
    Focus(Row({0}));
    text.Type("{\\rtf1 orphan}");
    ASSERT_TRUE(domain.store.Editor().RemoveSection("{A}"));
    domain.edits.clear();
    Focus(Row({2}));
    EXPECT_FALSE(text.modified);
    EXPECT_EQ(text.body, "{\\rtf1 c}") << "the newly focused section loads";
    EXPECT_TRUE(domain.edits.empty());
}

TEST_F(Sections, RemovingHandsTheTextViewToTheNextRow) {
    Open(kThree);
    Focus(Row({1, 0}));
    text.Type("{\\rtf1 lost with its section}");
    ASSERT_TRUE(list.RemoveSection(true));
    EXPECT_EQ(model().GetFocusedRecord(), Row({1})) << "no sibling: the parent";
    EXPECT_FALSE(text.modified);
    EXPECT_TRUE(text.enabled);
    EXPECT_EQ(list.GetCurrentSectionId(), "{B}");
    ASSERT_TRUE(domain.store.Editor().SelectSection("{B}"));
    EXPECT_EQ(domain.store.GetTree(0)->GetAttribute("Text"), "");
    // The last top row goes: the document row is focused and the text view stays empty.
    Focus(Row({0}));
    ASSERT_TRUE(list.RemoveSection(true));
    Focus(Row({1}));
    ASSERT_TRUE(list.RemoveSection(true));
    ASSERT_TRUE(list.RemoveSection(true));
    EXPECT_EQ(model().GetFocusedRecord(), Root());
    EXPECT_EQ(text.body, "");
    EXPECT_FALSE(text.enabled);
}

TEST_F(Sections, TheStoredLayoutIsAppliedOnceWhenItFits) {
    Open(kThree);
    report.Model().SetColumnVisible(report.Model().FindColumnByName("Alias"), true);
    list.SaveViewState();
    ivXML& views = *domain.store.GetTree(ivDomain::kViewStateTree);
    ASSERT_TRUE(views.GoRoot());
    ASSERT_TRUE(views.Select("Views"));
    ASSERT_TRUE(views.SelectByAttribute("View", "ID", "1", 0));
    EXPECT_EQ(views.GetAttribute("Count"), "10");
    const std::string layout = views.GetText();
    EXPECT_NE(layout.find("ReportControl"), std::string::npos);

    // A second list over the same view state finds the layout.
    ivReportCore other;
    other.SetDomain(&domain);
    mySectionList second(other, nullptr);
    second.SetupColumns();
    second.LoadView(nullptr);  // an update without a tree leaves the stored layout unused
    EXPECT_EQ(other.Model().GetRoot(), nullptr);
    second.LoadView(domain.store.GetTree(ivDomain::kDocumentTree));
    EXPECT_TRUE(other.Model().FindColumnByName("Alias")->IsVisible());
    // Looked up once: later rebuilds keep what the list has.
    other.Model().SetColumnVisible(other.Model().FindColumnByName("Alias"), false);
    second.LoadView(domain.store.GetTree(ivDomain::kDocumentTree));
    EXPECT_FALSE(other.Model().FindColumnByName("Alias")->IsVisible());

    // A view stored for another number of columns is not applied.
    views.SetAttribute("Count", "9");
    ivReportCore third;
    third.SetDomain(&domain);
    mySectionList third_list(third, nullptr);
    third_list.SetupColumns();
    third_list.LoadView(nullptr);
    third_list.LoadView(domain.store.GetTree(ivDomain::kDocumentTree));
    EXPECT_FALSE(third.Model().FindColumnByName("Alias")->IsVisible());
    EXPECT_NE(third.Model().GetRoot(), nullptr);
}

TEST_F(Sections, AViewStateWithoutViewsStillShowsTheRows) {
    testing_support::WriteFile(settings.ConfDir() + "Editor.xml", "<Document/>");
    Open(kThree);
    EXPECT_EQ(Numbers().size(), 4u);
    list.SaveViewState();
    ivXML& views = *domain.store.GetTree(ivDomain::kViewStateTree);
    ASSERT_TRUE(views.GoRoot());
    EXPECT_EQ(views.GetChildCount(), 0) << "nothing is written into it";
    ASSERT_TRUE(list.InsertSection(mySectionList::kInsertBeside));
}

TEST_F(Sections, ARefreshKeepsTheFocusAndTheFoldedRows) {
    Open(kThree);
    model().SetExpanded(*Row({1}), false);
    Focus(Row({2}));
    domain.Refresh();
    EXPECT_FALSE(Row({1})->IsExpanded());
    EXPECT_TRUE(Root()->IsExpanded());
    EXPECT_EQ(model().GetFocusedRecord(), Row({2}));
}

TEST_F(Sections, OddTreesGiveSoundRows) {
    // An inner element named like the root is an ordinary row; a section without an ID is
    // shown but holds no new sections.
    Open(
        "<Document><Section ID=\"{A}\"><Document Title=\"Inner\"/></Section>"
        "<Section Title=\"No ID\"><Section ID=\"{N1}\"/></Section></Document>");
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1", "1.1", "2", "2.1"}));
    EXPECT_EQ(Cell(Row({0, 0}), "Title"), "Inner");
    Focus(Row({1}));
    EXPECT_FALSE(list.IsSectionFocused());
    Focus(Row({1, 0}));
    EXPECT_FALSE(list.InsertSection(mySectionList::kInsertBeside))
        << "the new section would have no parent in the tree";
    EXPECT_TRUE(domain.edits.empty());

    // Deep nesting needs no deep stack: as deep as a document may nest.
    constexpr int kLevels = ivData::kMaxDepth - 1;
    std::string deep = "<Document>";
    for (int i = 0; i < kLevels; ++i) {
        deep += "<Section ID=\"{" + std::to_string(i) + "}\">";
    }
    for (int i = 0; i < kLevels; ++i) {
        deep += "</Section>";
    }
    deep += "</Document>";
    TestDomain other;
    testing_support::WriteFile(settings.dir().File("deep.etf"), deep);
    ASSERT_TRUE(other.store.Open(settings.dir().File("deep.etf")));
    ivReportCore deepReport;
    deepReport.SetDomain(&other);
    mySectionList deepList(deepReport, &other);
    other.list = &deepList;
    deepList.OnInitialUpdateHook();
    int rowsSeen = 0;
    deepReport.Model().ForEachRecord([&](CXTPReportRecordEx&) { return ++rowsSeen > 0; });
    EXPECT_EQ(rowsSeen, kLevels + 1);
}

TEST_F(Sections, EditOnClickFollowsTheSetting) {
    SetSetting("/EditOnClick", "1");
    Open();
    EXPECT_EQ(report.GetStyle(), 0x400181u);
    ivReportCore plain;
    SetSetting("/EditOnClick", "0");
    mySectionList other(plain, nullptr);
    other.SetupColumns();
    EXPECT_EQ(plain.GetStyle(), 0x400101u);
    const CXTPReportColumnEx* title = plain.Model().FindColumnByName("Title");
    EXPECT_TRUE(title->IsTree());
    EXPECT_EQ(title->GetWidth(), 800);
    EXPECT_EQ(plain.Model().FindColumnByName("Status")->GetCaption(), "");
    EXPECT_EQ(plain.Model().FindColumnByName("Status")->GetWidth(), 20);
}

}  // namespace
