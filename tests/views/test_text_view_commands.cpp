// The text view's commands as the command bars send them, and its keyboard and mouse
// behaviour as a person uses it.

#include "framework/colour_popup.h"
#include "rtf/reader.h"
#include "tests/rtf/rtf_test_util.h"
#include "tests/views/text_view_fixture.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/fdrepdlg.h>
#include <wx/log.h>
#include <wx/uiaction.h>

namespace {

using namespace command_id;

std::vector<rtf::Run> TextRuns(const std::string& rtf) {
    std::vector<rtf::Run> runs;
    rtf::ForEachParagraph(rtf::ReadRtf(rtf).document.blocks, [&](const rtf::Paragraph& p) {
        for (const rtf::Run& run : p.runs) {
            if (run.kind == rtf::RunKind::Text) {
                runs.push_back(run);
            }
        }
    });
    return runs;
}

class TextViewCommands : public TextViewFixture {};

TEST_F(TextViewCommands, DeleteTakesTheSelectionOrTheNextCharacterAndNothingAtTheEnd) {
    m_view->SetRTF("{\\rtf1 abcdef\\par}");
    m_view->SetInsertionPoint(m_view->GetLastPosition());
    Command(kEditDelete);
    EXPECT_FALSE(m_view->IsModified()) << "nothing after the caret";
    EXPECT_TRUE(Update(kEditDelete).GetEnabled());
    m_view->SetInsertionPoint(1);
    Command(kEditDelete);
    EXPECT_EQ(m_view->GetValue(), "acdef");
    m_view->SetSelection(1, 3);
    Command(kEditDelete);
    EXPECT_EQ(m_view->GetValue(), "aef");
    m_view->Undo();
    EXPECT_EQ(m_view->GetValue(), "acdef");
}

TEST_F(TextViewCommands, MixedSelectionsShowAnEmptySizeBoxAndBoldUnchecked) {
    m_view->SetRTF("{\\rtf1 {\\fs20 small }{\\b\\i\\ul\\fs40 large}\\par}");
    m_view->SetSelection(0, 4);
    EXPECT_EQ(Update(kFormatFontSize).GetText(), "10");
    EXPECT_FALSE(Update(kFormatBold).GetChecked());
    m_view->SetSelection(6, 11);
    EXPECT_EQ(Update(kFormatFontSize).GetText(), "20");
    EXPECT_TRUE(Update(kFormatBold).GetChecked());
    EXPECT_TRUE(Update(kFormatItalic).GetChecked());
    EXPECT_TRUE(Update(kFormatUnderline).GetChecked());
    m_view->SetSelection(0, 11);
    EXPECT_EQ(Update(kFormatFontSize).GetText(), "") << "sizes differ";
    EXPECT_FALSE(Update(kFormatBold).GetChecked()) << "bold and plain";
    EXPECT_FALSE(Update(kFormatItalic).GetChecked());
    EXPECT_FALSE(Update(kFormatUnderline).GetChecked());
    // Bold over the mixed selection makes all of it bold.
    Command(kFormatBold);
    EXPECT_TRUE(Update(kFormatBold).GetChecked());
}

TEST_F(TextViewCommands, APickedColourAppliesToLaterSelectionsUntilAnotherIsPicked) {
    m_view->SetRTF("{\\rtf1 one two three\\par}");
    EXPECT_EQ(m_view->GetFontColour(), wxColour(0xFF, 0, 0)) << "red at first";
    m_view->SetSelection(0, 3);
    Command(kFormatFontColor + 2, ivColourPopup::ToColourRef(wxColour(0, 0x80, 0)));
    m_view->SetSelection(4, 7);
    Command(kFormatFontColor);
    m_view->SetSelection(8, 13);
    Command(kFormatHighlight);
    const auto runs = TextRuns(m_view->GetRTF());
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].format.color, 0x008000u);
    EXPECT_EQ(runs[1].format.color, rtf::kNoColor);
    EXPECT_EQ(runs[2].format.color, 0x008000u) << "the picked colour stays";
    EXPECT_EQ(runs[4].format.background, 0xFFFF00u) << "yellow highlight";
    // Automatic colour takes the colour away again.
    m_view->SetSelection(0, 3);
    EXPECT_FALSE(Update(kFormatFontColor + 1).GetChecked());
    Command(kFormatFontColor + 1);
    EXPECT_TRUE(Update(kFormatFontColor + 1).GetChecked());
    EXPECT_EQ(TextRuns(m_view->GetRTF())[0].format.color, rtf::kNoColor);
}

TEST_F(TextViewCommands, FontBoxesAndAlignmentsApplyToTheSelection) {
    m_view->SetRTF("{\\rtf1 words here\\par}");
    m_view->SetSelection(0, 5);
    wxCommandEvent face(wxEVT_COMBOBOX, kFormatFontFace);
    face.SetString("Liberation Serif");
    m_view->ProcessWindowEventLocally(face);
    wxCommandEvent size(wxEVT_COMBOBOX, kFormatFontSize);
    size.SetString("18");
    m_view->ProcessWindowEventLocally(size);
    EXPECT_EQ(Update(kFormatFontFace).GetText(), "Liberation Serif");
    EXPECT_EQ(Update(kFormatFontSize).GetText(), "18");
    Command(kFormatParagraphRight);
    EXPECT_TRUE(Update(kFormatParagraphRight).GetChecked());
    EXPECT_FALSE(Update(kFormatParagraphLeft).GetChecked());
    const rtf::Document doc = rtf::ReadRtf(m_view->GetRTF()).document;
    ASSERT_EQ(doc.blocks.size(), 1u);
    const rtf::Paragraph* p = doc.blocks[0].AsParagraph();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->format.align, rtf::Alignment::Right);
    ASSERT_FALSE(p->runs.empty());
    EXPECT_EQ(p->runs[0].format.size, 36);
    EXPECT_EQ(doc.fonts.at(p->runs[0].format.font).name, "Liberation Serif");
}

TEST_F(TextViewCommands, CopiedTextOffersRtfThatPastesWithItsFormat) {
    m_view->SetRTF("{\\rtf1 plain {\\b bold} {\\*\\bkmkstart m}x\\par}");
    m_view->SelectAll();
    Command(kEditCopy);
    m_view->SetInsertionPoint(m_view->GetLastPosition());
    m_view->WriteText(" ");
    Command(kEditPaste);
    const auto runs = TextRuns(m_view->GetRTF());
    size_t bold = 0;
    for (const rtf::Run& run : runs) {
        bold += run.format.bold && run.text.find("bold") != std::string::npos;
    }
    EXPECT_EQ(bold, 2u) << "the pasted copy is bold too";
    EXPECT_EQ(rtf_test::Words(rtf_test::PlainText(rtf::ReadRtf(m_view->GetRTF()).document)),
              (std::vector<std::string>{"plain", "bold", "x", "plain", "bold", "x"}));
}

// What a browser leaves on the clipboard: HTML beside plain text.
void OfferHtml(const std::string& html, const std::string& plain) {
    auto* data = new wxDataObjectComposite;
    data->Add(new wxTextDataObject(wxString::FromUTF8(plain)), true);
    auto* custom = new wxCustomDataObject(wxDataFormat("text/html"));
    custom->SetData(html.size(), html.data());
    data->Add(custom);
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(data);
    wxTheClipboard->Close();
}

TEST_F(TextViewCommands, HtmlFromABrowserPastesWithItsFormat) {
    // UTF-16 with a byte order mark, as some browsers offer it.
    const std::u16string page =
        u"<meta charset=\"utf-8\"><b>Fett</b> und "
        u"<a href=\"https://example.org/\">Verweis</a> \u00fcber";
    std::string utf16 = "\xFF\xFE";
    for (char16_t c : page) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    OfferHtml(utf16, "Fett und Verweis über");
    m_view->SetRTF("");
    Command(kEditPaste);
    rtf::Document doc = rtf::ReadRtf(m_view->GetRTF()).document;
    EXPECT_EQ(rtf_test::PlainText(doc),
              "Fett und Verweis \xC3\xBC"
              "ber\n");
    const auto runs = TextRuns(m_view->GetRTF());
    ASSERT_FALSE(runs.empty());
    EXPECT_TRUE(runs[0].format.bold);
    ASSERT_EQ(doc.links.size(), 1u);
    EXPECT_EQ(doc.links[0], "https://example.org/");

    // UTF-8 ending in a zero; a list stays a list, pasted into a new paragraph.
    OfferHtml(std::string("<ul><li>eins</li><li><i>zwei</i></li></ul>") + '\0', "eins\nzwei");
    m_view->SetRTF("{\\rtf1 vorher\\par}");
    m_view->SetInsertionPoint(m_view->GetLastPosition());
    m_view->Newline();
    Command(kEditPaste);
    doc = rtf::ReadRtf(m_view->GetRTF()).document;
    EXPECT_EQ(rtf_test::Words(rtf_test::PlainText(doc)),
              (std::vector<std::string>{"vorher", "eins", "zwei"}));
    size_t lists = 0;
    for (const rtf::Block& block : doc.blocks) {
        lists += block.AsList() != nullptr;
    }
    EXPECT_EQ(lists, 1u) << m_view->GetRTF();

    // Nothing but text: pasted as it is.
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject("nur Text"));
    wxTheClipboard->Close();
    m_view->SetRTF("");
    Command(kEditPaste);
    EXPECT_EQ(m_view->GetValue(), "nur Text");
}

TEST_F(TextViewCommands, FindInTextGoesOnFromTheCaretRoundTheEndAndBack) {
    // A footnote, a table and a link before the words: positions still match the text.
    m_view->SetRTF(
        "{\\rtf1\\ansi\\uc1 Start{\\super\\chftn{\\footnote note}} "
        "\\trowd\\cellx2000\\intbl cell word\\cell\\row\\pard "
        "Gr\\u252?\\u223?e, words gr\\u252?\\u223?e wordsmith WORDS\\par}");
    myFindOptions options;
    const wxString grusse = wxString::FromUTF8("grüße");
    ASSERT_TRUE(m_view->FindInText(grusse, options));
    EXPECT_EQ(m_view->GetStringSelection(), wxString::FromUTF8("Grüße"));
    const long first = m_view->GetSelectionRange().GetStart();
    ASSERT_TRUE(m_view->FindInText(grusse, options));
    EXPECT_GT(m_view->GetSelectionRange().GetStart(), first) << "moves on";
    ASSERT_TRUE(m_view->FindInText(grusse, options));
    EXPECT_EQ(m_view->GetSelectionRange().GetStart(), first) << "round the end";
    options.down = false;
    ASSERT_TRUE(m_view->FindInText(grusse, options));
    EXPECT_GT(m_view->GetSelectionRange().GetStart(), first) << "up goes round to the last";

    // Whole words skip "wordsmith"; matching case finds only the capitals.
    options = {};
    options.wholeWord = true;
    m_view->SetInsertionPoint(0);
    ASSERT_TRUE(m_view->FindInText("words", options));
    ASSERT_TRUE(m_view->FindInText("words", options));
    EXPECT_EQ(m_view->GetStringSelection(), "WORDS");
    options = {};
    options.matchCase = true;
    ASSERT_TRUE(m_view->FindInText("WORDS", options));
    EXPECT_EQ(m_view->GetStringSelection(), "WORDS");
    EXPECT_FALSE(m_view->FindInText("Wordsmith", options));
    EXPECT_FALSE(m_view->FindInText("note and more", {}));
}

TEST_F(TextViewCommands, FindInTextLooksInsideTableCellsInReadingOrder) {
    m_view->SetRTF(
        "{\\rtf1\\ansi Before word\\par "
        "\\trowd\\cellx2000\\cellx4000\\intbl a word\\cell b\\cell\\row "
        "\\trowd\\cellx2000\\cellx4000\\intbl c\\cell d word\\cell\\row "
        "\\pard after word\\par}");
    const auto where = [this] {
        wxRichTextParagraphLayoutBox* box = m_view->GetFocusObject();
        const wxString text = box == &m_view->GetBuffer() ? wxString("top") : box->GetText();
        return (text + "|" + m_view->GetStringSelection()).utf8_string();
    };
    myFindOptions options;
    m_view->SetInsertionPoint(0);
    std::vector<std::string> found;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(m_view->FindInText("word", options));
        found.push_back(where());
    }
    EXPECT_EQ(found, (std::vector<std::string>{"top|word", "a word|word", "d word|word", "top|word",
                                               "top|word"}));
    // Up round the start to the last paragraph, into the cells and out of them.
    options.down = false;
    ASSERT_TRUE(m_view->FindInText("word", options));
    EXPECT_EQ(where(), "top|word");
    ASSERT_TRUE(m_view->FindInText("word", options));
    EXPECT_EQ(where(), "d word|word");
    ASSERT_TRUE(m_view->FindInText("word", options));
    EXPECT_EQ(where(), "a word|word");
    ASSERT_TRUE(m_view->FindInText("word", options));
    EXPECT_EQ(where(), "top|word");
    EXPECT_EQ(m_view->GetSelectionRange().GetStart(), 7) << "the first paragraph's word";

    // A word spread over two cells is not one match.
    EXPECT_FALSE(m_view->FindInText("b c", {}));
    // What is found in a cell can be typed over there.
    ASSERT_TRUE(m_view->FindInText("d word", {}));
    m_view->WriteText("replaced");
    EXPECT_NE(m_view->GetRTF().find("replaced\\cell"), std::string::npos) << m_view->GetRTF();
}

TEST_F(TextViewCommands, TheFindDialogSearchesAndFindNextRepeatsIt) {
    testing_support::MessageRecorder messages;
    m_view->SetRTF("{\\rtf1 one two one\\par}");
    EXPECT_TRUE(Update(kEditFindNext).GetEnabled());
    m_view->SetSelection(4, 7);
    Command(kEditFind);
    PumpEvents();
    wxFindReplaceDialog* dialog = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        dialog = dialog != nullptr ? dialog : dynamic_cast<wxFindReplaceDialog*>(window);
    }
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(dialog->GetData()->GetFindString(), "two") << "the selected word";
    SaveScreenshot("text_view_find");

    wxFindDialogEvent find(wxEVT_FIND, dialog->GetId());
    find.SetFindString("one");
    find.SetFlags(wxFR_DOWN);
    dialog->Send(find);
    EXPECT_EQ(m_view->GetSelectionRange(), wxRichTextRange(8, 11));
    Command(kEditFindNext);
    EXPECT_EQ(m_view->GetSelectionRange(), wxRichTextRange(0, 3)) << "round the end";
    EXPECT_TRUE(messages.Messages().empty());

    find.SetFindString("three");
    dialog->Send(find);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.Messages()[0].find("three"), std::string::npos);
    EXPECT_EQ(m_view->GetSelectionRange(), wxRichTextRange(0, 3)) << "the selection stays";

    wxFindDialogEvent close(wxEVT_FIND_CLOSE, dialog->GetId());
    dialog->Send(close);
    PumpEvents();
}

TEST_F(TextViewCommands, TypedAddressesBecomeLinksAndOpenOnlyWithCtrl) {
    std::vector<std::string> opened;
    myTextView::SetUrlOpener([&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    m_view->SetRTF("");
    m_view->SetFocus();
    PumpEvents();
    wxUIActionSimulator sim;
    sim.Text("see www.example.org now");
    PumpEvents(200);
    EXPECT_EQ(m_view->GetValue(), "see www.example.org now");
    const rtf::Document doc = rtf::ReadRtf(m_view->GetRTF()).document;
    ASSERT_EQ(doc.links.size(), 1u);
    EXPECT_EQ(doc.links[0], "http://www.example.org");
    const auto runs = TextRuns(m_view->GetRTF());
    ASSERT_EQ(runs.size(), 3u) << "only the address is a link";
    EXPECT_EQ(runs[1].text, "www.example.org");

    wxRect rect;
    ASSERT_TRUE(m_view->GetCaretPositionForIndex(8, rect));
    const wxPoint at = m_view->GetPhysicalPoint(rect.GetPosition()) + wxPoint(2, rect.height / 2);
    ClickAt(*m_view, at);
    PumpEvents(200);
    EXPECT_TRUE(opened.empty()) << "a plain click places the caret";
    sim.KeyDown(WXK_CONTROL);
    ClickAt(*m_view, at);
    sim.KeyUp(WXK_CONTROL);
    PumpEvents(200);
    EXPECT_EQ(opened, (std::vector<std::string>{"http://www.example.org"}));
    myTextView::SetUrlOpener([](const std::string&) { return false; });
}

}  // namespace

wxApp* CreateGuiTestApp() {
    return CreatePlainGuiTestApp();
}
