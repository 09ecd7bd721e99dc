// The text view's commands as the command bars send them, and its keyboard and mouse
// behaviour as a person uses it.

#include "framework/colour_popup.h"
#include "rtf/reader.h"
#include "tests/rtf/rtf_test_util.h"
#include "tests/views/text_view_fixture.h"

#include <gtest/gtest.h>
#include <wx/app.h>
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
    m_view->SetRTF("{\\rtf1 {\\fs20 small }{\\b\\fs40 large}\\par}");
    m_view->SetSelection(0, 4);
    EXPECT_EQ(Update(kFormatFontSize).GetText(), "10");
    EXPECT_FALSE(Update(kFormatBold).GetChecked());
    m_view->SetSelection(6, 11);
    EXPECT_EQ(Update(kFormatFontSize).GetText(), "20");
    EXPECT_TRUE(Update(kFormatBold).GetChecked());
    m_view->SetSelection(0, 11);
    EXPECT_EQ(Update(kFormatFontSize).GetText(), "") << "sizes differ";
    EXPECT_FALSE(Update(kFormatBold).GetChecked()) << "bold and plain";
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

class TextViewTestApp : public wxApp {
public:
    bool OnInit() override {
        delete wxLog::SetActiveTarget(new wxLogStderr);
        wxInitAllImageHandlers();
        return true;
    }
};

}  // namespace

wxApp* CreateGuiTestApp() {
    return new TextViewTestApp;
}
