// Finding across a document in the editor's window, driven as a person does: typing into the
// find box, picking hits, F3 and Shift+F3, and replacing with a preview, taken back in one go.
#include "core/localisation.h"
#include "core/settings.h"
#include "document/iv_xml.h"
#include "framework/report_ctrl.h"
#include "rtf/convert.h"
#include "tests/app/document_window_fixture.h"
#include "views/document_find.h"
#include "views/find_results_pane.h"
#include "views/replace_dialog.h"
#include "views/text_view.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dataview.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

namespace {

using namespace command_id;

// Titles and bodies with capitals beyond ASCII: "Grüße" and "GRÜSSE", "ÄRGER" and "Ärger".
const char* const kDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document>"
    "<Section ID=\"{A}\" Title=\"Grüße aus Bonn\""
    " Text=\"{\\rtf1 Erste Zeile\\par Viel \\u196?RGER hier\\par}\">"
    "<Section ID=\"{A1}\" Title=\"Nichts\" Text=\"{\\rtf1 Leer\\par}\"/></Section>"
    "<Section ID=\"{B}\" Title=\"Usage\""
    " Text=\"{\\rtf1 Keine GR\\u220?SSE.\\par {\\b Fett} und Gr\\u252?\\u223?e\\par}\"/>"
    "<Section ID=\"{C}\" Title=\"\xC3\x84rger\"/>"
    "<Section ID=\"{D}\" Title=\"Tabelle\" Text=\"{\\rtf1 Vor der Zelle\\par"
    "\\trowd\\cellx2000\\cellx4000\\intbl Eins\\cell Noch eine Zelle\\cell\\row"
    "\\pard Danach\\par}\"/></Document>";

class FindWindow : public DocumentWindowTest {
protected:
    void OpenDocument() {
        const std::string path = m_settings.dir().File("Suche.etf");
        testing_support::WriteFile(path, kDocument);
        OpenDocumentWindow(path, 380);
        ASSERT_NE(m_window, nullptr);
        m_results = m_window->GetFindResults();
        m_box = dynamic_cast<wxTextCtrl*>(m_frame->FindWindow(kEditFindQuick));
        ASSERT_NE(m_box, nullptr);
    }

    // Clicks into the find box, empties it and types text as a person does.
    void TypeInBox(const char* text) {
        ClickAt(*m_box, wxPoint(m_box->GetClientSize().x / 2, m_box->GetClientSize().y / 2));
        m_sim.Char('A', wxMOD_CONTROL);
        m_sim.Char(WXK_DELETE);
        PumpEvents(100);
        TypeInto(*m_box, text);
        PumpEvents(300);
    }

    // Types text into the focused box key by key; the virtual keyboard has no keys for
    // letters beyond ASCII, which are put in as an input method puts them.
    void TypeInto(wxTextEntryBase& box, const std::string& text) {
        const wxString wide = wxString::FromUTF8(text);
        for (const wxUniChar c : wide) {
            if (c.IsAscii()) {
                m_sim.Text(std::string(1, static_cast<char>(c.GetValue())).c_str());
            } else {
                box.WriteText(wxString(c));
            }
            PumpEvents(20);
        }
    }

    void Press(int key, int modifiers = wxMOD_NONE) {
        m_sim.Char(key, modifiers);
        PumpEvents(200);
    }

    // Clicks the results' row as a person does.
    void ClickHit(int row) {
        wxDataViewCtrl* list = m_results->GetList();
        const wxDataViewItem item = m_results->GetRowItem(row);
        list->EnsureVisible(item);
        PumpEvents(100);
        const wxRect rect = list->GetItemRect(item, list->GetColumn(2));
        ASSERT_GT(rect.height, 0);
        ClickAt(*list->GetMainWindow(), wxPoint(rect.x + 20, rect.y + rect.height / 2));
        PumpEvents(150);
    }

    std::string Selected() { return m_text->GetStringSelection().utf8_string(); }
    std::string Shown() { return m_list->List().GetCurrentSectionId(); }

    std::string Attribute(const std::string& id, const char* name) {
        m_doc->Store().Editor().SelectSection(id);
        return m_doc->GetTree(0)->GetAttribute(name);
    }

    myFindResultsPane* m_results = nullptr;
    wxTextCtrl* m_box = nullptr;
};

TEST_F(FindWindow, TypingListsHitsAndPickingOneSelectsItsMatch) {
    Start();
    OpenDocument();
    EXPECT_FALSE(m_window->FindResultsShown()) << "no results before a search";

    // "grüsse" finds "Grüße" and "GRÜSSE", in a title and in bodies.
    TypeInBox("grüsse");
    ASSERT_EQ(m_box->GetValue().utf8_string(), "grüsse");
    EXPECT_TRUE(m_window->FindResultsShown());
    myDocumentFind* find = m_list->Find();
    ASSERT_NE(find, nullptr);
    ASSERT_EQ(find->Hits().size(), 3u);
    EXPECT_TRUE(find->Hits()[0].inTitle);
    EXPECT_EQ(find->Hits()[1].numbering, "2");
    EXPECT_EQ(m_results->GetSummary()->GetLabel().utf8_string(), "3 hits for \"grüsse\"");
    EXPECT_EQ(m_results->GetRowCount(), 3u);

    // A click on the third hit: its section in the list, its match selected in the text.
    ClickHit(2);
    EXPECT_EQ(Shown(), "{B}");
    EXPECT_EQ(Selected(), "Grüße");
    SaveScreenshot("find_results_en");

    // F3 goes on round the end to the title of the first section; Shift+F3 comes back.
    Press(WXK_F3);
    EXPECT_EQ(Shown(), "{A}");
    EXPECT_EQ(find->CurrentHit(), 0);
    EXPECT_EQ(m_results->GetMarkedHit(), 0);
    Press(WXK_F3);
    EXPECT_EQ(Shown(), "{B}");
    EXPECT_EQ(Selected(), "GRÜSSE");
    Press(WXK_F3, wxMOD_SHIFT);
    EXPECT_EQ(Shown(), "{A}");
    Press(WXK_F3, wxMOD_SHIFT);
    EXPECT_EQ(Shown(), "{B}");
    EXPECT_EQ(Selected(), "Grüße");

    // "ärger" in capitals in a body and in a title; Enter in the box opens the first hit.
    TypeInBox("ärger");
    ASSERT_EQ(find->Hits().size(), 2u);
    EXPECT_FALSE(find->Hits()[0].inTitle);
    EXPECT_TRUE(find->Hits()[1].inTitle);
    Press(WXK_RETURN);
    EXPECT_EQ(Shown(), "{A}");
    EXPECT_EQ(Selected(), "ÄRGER");
    EXPECT_EQ(m_results->GetMarkedHit(), 0);

    // Whole words: "ärg" is part of a word only.
    TypeInBox("ärg");
    EXPECT_EQ(find->Hits().size(), 2u);
    ClickAt(*m_results->GetWholeWordsBox(),
            wxPoint(8, m_results->GetWholeWordsBox()->GetSize().y / 2));
    EXPECT_TRUE(m_results->WholeWords());
    EXPECT_TRUE(find->Hits().empty());
    EXPECT_EQ(m_results->GetSummary()->GetLabel().utf8_string(), "No hits for \"ärg\"");

    // An empty box closes the results; F3 is the text's own again.
    TypeInBox("");
    EXPECT_FALSE(m_window->FindResultsShown());
    EXPECT_FALSE(find->HasHits());
}

TEST_F(FindWindow, AHitInsideATableCellIsSelectedInThatCell) {
    Start();
    OpenDocument();
    TypeInBox("zelle");
    myDocumentFind* find = m_list->Find();
    ASSERT_NE(find, nullptr);
    ASSERT_EQ(find->Hits().size(), 2u);
    ClickHit(1);
    EXPECT_EQ(Shown(), "{D}");
    EXPECT_EQ(Selected(), "Zelle");
    EXPECT_NE(m_text->GetFocusObject(), &m_text->GetBuffer()) << "the cell's word";
    EXPECT_EQ(m_text->GetFocusObject()->GetText(), "Noch eine Zelle");
    ClickHit(0);
    EXPECT_EQ(m_text->GetFocusObject(), &m_text->GetBuffer());
    EXPECT_EQ(Selected(), "Zelle");
}

TEST_F(FindWindow, EditsAfterASearchAreFoundWhenStepping) {
    Start();
    OpenDocument();
    TypeInBox("fett");
    ASSERT_EQ(m_list->Find()->Hits().size(), 1u);
    Press(WXK_RETURN);
    ASSERT_EQ(Shown(), "{B}");
    // The person types another "Fett" into the body, then steps on with F3 from the text.
    m_text->SetFocus();
    m_text->SetInsertionPointEnd();
    PumpEvents(100);
    m_sim.Text(" fett");
    PumpEvents(200);
    Press(WXK_F3);
    ASSERT_EQ(m_list->Find()->Hits().size(), 2u) << "the typed body was searched too";
    EXPECT_EQ(Shown(), "{B}");
    long from = 0;
    long to = 0;
    m_text->GetSelection(&from, &to);
    EXPECT_EQ(to - from, 4);
    EXPECT_EQ(to, m_text->GetLastPosition()) << "the typed word, at the end";
}

TEST_F(FindWindow, ReplaceWithPreviewChangesCheckedMatchesAndUndoTakesAllBack) {
    Start();
    OpenDocument();
    // A body being typed is replaced in as well.
    m_list->List().SelectSection("{A1}");
    PumpEvents(100);
    m_text->SetFocus();
    m_text->SetInsertionPointEnd();
    TypeInto(*m_text, " GRÜSSE");
    PumpEvents(200);
    ASSERT_TRUE(m_text->IsModified());
    const std::string bodyB = Attribute("{B}", "Text");
    TypeInBox("grüße");

    int rows = -1;
    bool driven = false;
    // The dialog is modal: it is driven from inside its own loop, once it is there.
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        myReplaceDialog* dialog = nullptr;
        for (wxWindow* top : wxTopLevelWindows) {
            if (auto* d = dynamic_cast<myReplaceDialog*>(top); d != nullptr && d->IsModal()) {
                dialog = d;
            }
        }
        if (dialog == nullptr) {
            return;
        }
        poll.Stop();
        PumpEvents(300);
        EXPECT_EQ(dialog->GetFindBox()->GetValue().utf8_string(), "grüße")
            << "the quick find's text to start with";
        ClickAt(*dialog->GetReplaceBox(), wxPoint(10, dialog->GetReplaceBox()->GetSize().y / 2));
        TypeInto(*dialog->GetReplaceBox(), "Freude");
        PumpEvents(600);
        wxDataViewListCtrl* preview = dialog->GetPreview();
        rows = preview->GetItemCount();
        // The first row (the title) is left out with a click on its check box.
        const wxDataViewItem first = preview->RowToItem(0);
        const wxRect box = preview->GetItemRect(first, preview->GetColumn(0));
        ClickAt(*preview->GetMainWindow(), wxPoint(box.x + box.width / 2, box.y + box.height / 2));
        EXPECT_FALSE(preview->GetToggleValue(0, 0));
        SaveScreenshot("replace_dialog_en");
        driven = true;
        wxButton* replace = dialog->GetReplaceButton();
        ClickAt(*replace, wxPoint(replace->GetSize().x / 2, replace->GetSize().y / 2));
        if (dialog->IsModal()) {
            ADD_FAILURE() << "Replace did not end the dialog";
            dialog->EndModal(wxID_CANCEL);
        }
    });
    poll.Start(100);
    Press('H', wxMOD_CONTROL);
    poll.Stop();
    PumpEvents(300);
    ASSERT_TRUE(driven);
    EXPECT_EQ(rows, 4) << "the title, the typed body and two in the body of B";

    EXPECT_EQ(Attribute("{A}", "Title"), "Grüße aus Bonn") << "left out";
    EXPECT_EQ(rtf::RtfToText(Attribute("{A1}", "Text")), "Leer Freude\n");
    const std::string newB = Attribute("{B}", "Text");
    EXPECT_EQ(rtf::RtfToText(newB), "Keine Freude.\nFett und Freude\n");
    EXPECT_NE(newB.find("\\b Fett"), std::string::npos) << "the formatting stays: " << newB;
    EXPECT_EQ(m_text->GetValue().utf8_string(), "Leer Freude") << "the body shown is the new one";
    EXPECT_TRUE(m_doc->IsModified());

    // One step in the Edit menu takes it all back, the typing before it stays.
    EXPECT_EQ(m_list->List().GetUndoName(), "Undo Replace");
    Press('Z', wxMOD_CONTROL);
    EXPECT_EQ(Attribute("{B}", "Text"), bodyB);
    EXPECT_EQ(rtf::RtfToText(Attribute("{A1}", "Text")), "Leer GRÜSSE\n");
    EXPECT_EQ(m_list->List().GetRedoName(), "Redo Replace");
    Press('Y', wxMOD_CONTROL);
    EXPECT_EQ(rtf::RtfToText(Attribute("{B}", "Text")), "Keine Freude.\nFett und Freude\n");
}

TEST_F(FindWindow, ResultsAndReplaceDialogInGerman) {
    ReleaseLocalisation();
    SetSetting("/Language", "de");
    InitLocalisation(ChooseLanguage());
    Start();
    OpenDocument();
    TypeInBox("ÄRGER");
    EXPECT_EQ(m_results->GetSummary()->GetLabel().utf8_string(), "2 Treffer für \"ÄRGER\"");
    EXPECT_EQ(m_results->GetWholeWordsBox()->GetLabel().utf8_string(), "&Ganze Wörter");
    ClickHit(0);
    SaveScreenshot("find_results_de");
    wxMenuItem* replace = m_frame->GetMenuBar()->FindItem(kEditReplace);
    ASSERT_NE(replace, nullptr);
    EXPECT_EQ(replace->GetItemLabelText().utf8_string(), "In Dokument ersetzen...");
    EXPECT_TRUE(replace->GetBitmapBundle().IsOk()) << "the command has an image";
    {
        myReplaceDialog dialog(m_frame, *m_doc, "ärger");
        dialog.Show();
        PumpEvents(400);
        EXPECT_EQ(dialog.GetPreview()->GetItemCount(), 2u) << "the body's ÄRGER, the title Ärger";
        SaveScreenshot("replace_dialog_de");
    }
    PumpEvents(100);
    m_manager->CloseDocuments(true);
    Quit();
    ReleaseLocalisation();
}

}  // namespace
