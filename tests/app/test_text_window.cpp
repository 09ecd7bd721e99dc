// The section text view in the editor's window, driven as a person drives it: clicking rows,
// typing and formatting a body, leaving it for another row, saving, reopening.
#include "core/settings.h"
#include "document/iv_xml.h"
#include "document/tree_editor.h"
#include "framework/report_ctrl.h"
#include "generators/docx_document.h"
#include "platform/desktop.h"
#include "rtf/reader.h"
#include "tests/app/document_window_fixture.h"
#include "tests/app/folder_dialog_answer.h"
#include "tests/framework/report_test_util.h"
#include "views/text_view.h"

#include <wx/aui/auibar.h>
#include <wx/aui/tabmdi.h>
#include <wx/combobox.h>

#include <cstdlib>
#include <filesystem>

namespace {

using namespace command_id;
using testing_support::ReadFile;

const char* const kDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>"
    "<Section ID=\"{11111111-2222-3333-4444-555555555555}\" Title=\"Intro\""
    " Text=\"{\\rtf1 Hello {\\b there}\\par}\"/>"
    "<Section ID=\"{11111111-2222-3333-4444-777777777777}\" Title=\"Usage\"/></Document>";

class TextWindow : public DocumentWindowTest {
protected:
    void OpenDocument() {
        if (m_path.empty()) {
            m_path = m_settings.dir().File("Manual.etf");
            testing_support::WriteFile(m_path, kDocument);
        }
        // Wide enough for the title column.
        OpenDocumentWindow(m_path, 520);
    }

    CXTPReportRecordEx* Row(std::initializer_list<int> path) {
        return RowAt(m_list->Model(), path);
    }

    void Press(int key, int modifiers = wxMOD_NONE) {
        m_sim.Char(key, modifiers);
        PumpEvents(150);
    }

    int StatusImage(CXTPReportRecordEx* record) {
        return record->GetItem(m_list->FindColumn("Status"))->GetImage();
    }

    // A command as a bar button sends it to the main window.
    // Picks kind in the bar's generator box and runs the generate button into folder, taking
    // the folder the dialog offers.
    void GenerateFromTheWindow(const char* kind, const std::string& folder) {
        auto* box = dynamic_cast<wxComboBox*>(Bars().FindControl(kToolsGeneratorBox)->window);
        ASSERT_NE(box, nullptr);
        m_frame->Raise();
        Click(box, wxPoint(20, box->GetSize().y / 2));
        m_sim.Char('A', wxMOD_CONTROL);
        m_sim.Text(kind);
        PumpEvents(300);
        std::filesystem::create_directory(folder);
        SetSetting("/TargetPath", folder);
        wxAuiToolBar* tools = Bars().FindByBarId(5)->toolbar;
        ASSERT_TRUE(tools->GetToolEnabled(kToolsGenerate)) << kind;
        FolderDialogAnswer answer(true);
        const wxRect tool = tools->GetToolRect(kToolsGenerate);
        Click(tools, tool.GetPosition() + wxPoint(tool.width / 2, tool.height / 2));
        PumpEvents(500);
        EXPECT_TRUE(answer.seen) << kind << ": no folder dialog";
    }

    std::string m_path;
};

TEST_F(TextWindow, APersonWritesAFormattedBodySavesAndFindsItAgain) {
    Start();
    OpenDocument();
    ASSERT_NE(m_text, nullptr);
    EXPECT_FALSE(m_text->IsEnabled()) << "no section loaded yet";

    ClickRow(Row({0}));
    EXPECT_TRUE(m_text->IsEnabled());
    EXPECT_EQ(m_text->GetValue(), "Hello there");
    EXPECT_FALSE(m_doc->IsModified());

    // Into the text: type at the end, select the last word and make it bold with Ctrl+B.
    ClickAt(*m_text, wxPoint(m_text->GetClientSize().x - 20, m_text->GetClientSize().y / 2));
    Press(WXK_END, wxMOD_CONTROL);
    m_sim.Text(" and more");
    PumpEvents(200);
    Press(WXK_LEFT, wxMOD_CONTROL | wxMOD_SHIFT);
    Press('B', wxMOD_CONTROL);
    Press(WXK_END, wxMOD_CONTROL);
    EXPECT_EQ(m_text->GetValue(), "Hello there and more");
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_TRUE(m_window->GetTitle().EndsWith("*")) << m_window->GetTitle();
    EXPECT_TRUE(m_frame->GetTitle().Contains("*")) << m_frame->GetTitle();

    // A bulleted line and a coloured word from the command bars.
    Press(WXK_RETURN);
    m_sim.Text("point");
    PumpEvents(200);
    Command(kFormatParagraphBullets);
    Press(WXK_LEFT, wxMOD_CONTROL | wxMOD_SHIFT);
    Command(kFormatFontColor);
    SaveScreenshot("text_view_editing");

    // Another row: the body goes back into the section, which now shows it has one.
    EXPECT_EQ(StatusImage(Row({1})), 0);
    ClickRow(Row({1}));
    EXPECT_EQ(m_text->GetValue(), "");
    ClickRow(Row({0}));
    EXPECT_EQ(m_text->GetValue(), "Hello there and more\npoint");
    EXPECT_EQ(StatusImage(Row({0})), kSectionBodyImage);
    ClickAt(*m_text, wxPoint(20, 20));
    m_sim.Text("Now ");
    PumpEvents(200);
    ClickRow(Row({1}));
    ClickAt(*m_text, wxPoint(20, 20));
    m_sim.Text("Usage text");
    PumpEvents(200);
    ClickRow(Row({1}));
    Press('S', wxMOD_CONTROL);
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(StatusImage(Row({1})), kSectionBodyImage) << "saving took the body being edited";
    const std::string saved = ReadFile(m_path);
    EXPECT_NE(saved.find("Usage text"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Now "), std::string::npos) << saved;
    EXPECT_EQ(saved.find("{\\cf1 Usage text}"), std::string::npos)
        << "a new body does not take the colour last used in another";
    EXPECT_EQ(saved.find("\\bin"), std::string::npos);

    // Closed and opened again: everything is as it was.
    m_manager->CloseDocuments(true);
    PumpEvents(200);
    OpenDocument();
    ClickRow(Row({0}));
    EXPECT_TRUE(m_text->GetValue().StartsWith("Hello there and more")) << m_text->GetValue();
    const rtf::Document body = rtf::ReadRtf(m_text->GetRTF()).document;
    bool boldAnd = false;
    bool plainMore = false;
    bool colouredPoint = false;
    size_t lists = 0;
    for (const rtf::Block& block : body.blocks) {
        lists += block.AsList() != nullptr;
    }
    rtf::ForEachParagraph(body.blocks, [&](const rtf::Paragraph& p) {
        for (const rtf::Run& run : p.runs) {
            boldAnd = boldAnd || (run.format.bold && run.text.find("and") != std::string::npos);
            plainMore =
                plainMore || (!run.format.bold && run.text.find("more") != std::string::npos);
            colouredPoint =
                colouredPoint || (run.format.color == 0xFF0000 && run.text.ends_with("point"));
        }
    });
    EXPECT_TRUE(boldAnd) << "typed after bold text, bold too";
    EXPECT_TRUE(plainMore) << "Ctrl+B took bold away from the selected word";
    EXPECT_TRUE(colouredPoint);
    EXPECT_EQ(lists, 1u);
    SaveScreenshot("text_view_reopened");

    // Generated from the window: pages through a template, a compiled help file, and a Word
    // document, each holding what was typed. The help compiler runs to its end here; the
    // finished Word document is not opened.
    std::vector<std::vector<std::string>> launched;
    platform::SetLauncher([&](const std::vector<std::string>& argv, const std::string& folder) {
        launched.push_back(argv);
        if (argv.size() == 2 && argv[0] == "chmcmd") {
            const std::string command =
                "cd '" + folder + "' && chmcmd '" + argv[1] + "' >/dev/null 2>&1";
            return std::system(command.c_str()) == 0;
        }
        return true;
    });
    struct Restore {
        ~Restore() { platform::SetLauncher({}); }
    } restore;
    testing_support::MessageRecorder messages;
    const testing_support::TempDir out;
    testing_support::WriteFile(out.File("page.htm"),
                               "<html><head><title><%title%></title></head><body>"
                               "<h1 class=\"page\"><%title%></h1><%content%></body></html>");
    SetSetting("/Generators/HTML/Template", out.File("page.htm"));

    GenerateFromTheWindow("HTML", out.File("html"));
    const std::string page = ReadFile(out.File("html/intro.htm"));
    EXPECT_NE(page.find("<h1 class=\"page\">Intro</h1>"), std::string::npos) << page;
    EXPECT_NE(page.find("Hello <strong>there"), std::string::npos) << page;
    EXPECT_NE(page.find("Now point"), std::string::npos) << page;
    EXPECT_NE(ReadFile(out.File("html/usage.htm")).find("Usage text"), std::string::npos);

    GenerateFromTheWindow("CHM", out.File("chm"));
    EXPECT_NE(ReadFile(out.File("chm/intro.htm")).find("more"), std::string::npos);
    EXPECT_NE(ReadFile(out.File("chm/Manual.hhc")).find("Usage"), std::string::npos);
    ASSERT_FALSE(launched.empty());
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"chmcmd", out.File("chm/Manual.hhp")}));
    if (std::system("command -v chmcmd >/dev/null 2>&1") == 0) {
        ASSERT_TRUE(std::filesystem::exists(out.File("chm/Manual.chm")));
        EXPECT_GT(std::filesystem::file_size(out.File("chm/Manual.chm")), 1000u);
    }

    GenerateFromTheWindow("DOC", out.File("doc"));
    const auto parts = ReadDocxParts(out.File("doc/Manual.docx"));
    ASSERT_TRUE(parts.contains("word/document.xml"));
    const std::string& words = parts.at("word/document.xml");
    EXPECT_NE(words.find("more"), std::string::npos);
    EXPECT_NE(words.find("Usage text"), std::string::npos);
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"xdg-open", out.File("doc/Manual.docx")}));
    EXPECT_TRUE(messages.Messages().empty());
    SaveScreenshot("text_view_generated");
}

TEST_F(TextWindow, InsertSectionFromTheTextMovesToTheListAndInsertsThere) {
    Start();
    OpenDocument();
    ClickRow(Row({0}));
    ClickAt(*m_text, wxPoint(20, 20));
    EXPECT_TRUE(m_text->HasFocus());
    CXTPReportRecordEx* root = m_list->Model().GetRoot();
    const int before = root->GetChildCount();
    Command(kInsertSection);
    PumpEvents(300);
    Press(WXK_ESCAPE);
    EXPECT_EQ(root->GetChildCount(), before + 1);
    EXPECT_FALSE(m_text->HasFocus());
    // Delete in the list is the list's again: with the focus there it removes no text.
    EXPECT_EQ(m_text->GetValue(), "");
}

TEST_F(TextWindow, ATitleTypedStraightAfterCtrlReturnGoesIntoTheNewSection) {
    Start();
    OpenDocument();
    ClickRow(Row({0}));
    CXTPReportRecordEx* root = m_list->Model().GetRoot();
    const int before = root->GetChildCount();
    // The keys come as fast as a typist's, before the program has had a moment for anything.
    m_sim.Char(WXK_RETURN, wxMOD_CONTROL);
    m_sim.Text("Quick");
    PumpEvents(500);
    m_sim.Char(WXK_RETURN);
    PumpEvents(300);
    ASSERT_EQ(root->GetChildCount(), before + 1);
    std::vector<std::string> titles;
    for (const auto& child : root->GetChildren()) {
        titles.push_back(child->GetItem(m_list->FindColumn("Title"))->GetText());
    }
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Quick"), titles.end())
        << ::testing::PrintToString(titles);
}

TEST_F(TextWindow, AFormattedBodyShowsItsListTableLinkAndPlaceholders) {
    m_path = m_settings.dir().File("Formatted.etf");
    testing_support::WriteFile(
        m_path,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document>"
        "<Section ID=\"{11111111-2222-3333-4444-555555555555}\" Title=\"Getting started\" Text=\""
        "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}{\\f1 DejaVu Sans Mono;}}"
        "{\\colortbl;\\red0\\green128\\blue0;\\red255\\green255\\blue0;}"
        "\\pard\\sa120\\qc{\\b\\fs32 Getting started}\\par"
        "\\pard\\sa120 Write the {\\b body} of each section here, in {\\i italic}, "
        "{\\cf1 colour}, {\\highlight2 highlight} or {\\f1 code}"
        "{\\super\\chftn{\\footnote\\pard\\plain{\\super\\chftn} A footnote.}}.\\par"
        "\\pard{\\pntext\\'B7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}\\fi-360\\li720 "
        "Insert sections above, beside and under\\par"
        "{\\pntext\\'B7\\tab}Generate HTML, CHM and DOCX\\par"
        "\\pard\\trowd\\cellx2400\\cellx4800\\intbl{\\b Key}\\cell{\\b Command}\\cell\\row"
        "\\trowd\\cellx2400\\cellx4800\\intbl Ctrl+B\\cell Bold\\cell\\row"
        "\\pard See {\\field{\\*\\fldinst{HYPERLINK \\&quot;https://example.org/\\&quot;}}"
        "{\\fldrslt{\\cf1\\ul the guide}}} (Ctrl+click opens it), page "
        "{\\field{\\*\\fldinst{ PAGE }}{\\fldrslt{1}}}.\\par}\"/>"
        "<Section ID=\"{11111111-2222-3333-4444-777777777777}\" Title=\"Usage\"/></Document>");
    Start();
    OpenDocument();
    ClickRow(Row({0}));
    PumpEvents(300);
    const wxString shown = m_text->GetValue();
    EXPECT_TRUE(shown.Contains("Getting started")) << shown;
    EXPECT_TRUE(shown.Contains("Ctrl+B")) << "the table's cells are shown";
    wxRichTextAttr item;
    ASSERT_TRUE(m_text->GetStyle(shown.Find("Generate HTML"), item));
    EXPECT_EQ(item.GetBulletStyle(), wxTEXT_ATTR_BULLET_STYLE_STANDARD) << "a bulleted item";
    EXPECT_FALSE(m_doc->IsModified()) << "showing a body changes nothing";
    SaveScreenshot("text_view_formatted");
    // Leaving the row without an edit leaves the body exactly as the file has it.
    auto body = [this] {
        ivTreeEditor* editor = static_cast<myDomainFile*>(m_doc)->GetTreeEditor();
        return editor->SelectSection("{11111111-2222-3333-4444-555555555555}")
                   ? editor->GetTree()->GetAttribute("Text")
                   : std::string("(none)");
    };
    const std::string before = body();
    EXPECT_NE(before.find("HYPERLINK"), std::string::npos);
    ClickRow(Row({1}));
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(body(), before);
}

}  // namespace
