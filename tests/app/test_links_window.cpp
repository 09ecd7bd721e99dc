// Links between sections and files imported as sections, in the editor's window, driven as a
// person does: picking a section in the link dialog by typing, Ctrl+clicking the link,
// importing a folder and taking the import back in one step.
#include "app/gui/template_dialog.h"
#include "core/localisation.h"
#include "core/settings.h"
#include "core/settings_keys.h"
#include "document/section_link.h"
#include "framework/report_ctrl.h"
#include "framework/status_bar.h"
#include "tests/app/document_window_fixture.h"
#include "tests/framework/report_test_util.h"
#include "views/import_command.h"
#include "views/section_link_dialog.h"
#include "views/text_view.h"

#include <wx/filepicker.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/radiobut.h>
#include <wx/timer.h>

#include <filesystem>
#include <functional>

namespace {

using namespace command_id;
using testing_support::WriteFile;

constexpr const char* kUsageId = "{11111111-2222-3333-4444-777777777777}";

const char* const kDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document>"
    "<Section ID=\"{11111111-2222-3333-4444-555555555555}\" Title=\"Intro\""
    " Text=\"{\\rtf1 Hello there\\par}\"/>"
    "<Section ID=\"{11111111-2222-3333-4444-666666666666}\" Title=\"Über uns\"/>"
    "<Section ID=\"{11111111-2222-3333-4444-777777777777}\" Title=\"Usage\""
    " Text=\"{\\rtf1 How to use it\\par}\"/></Document>";

// Does what a person does in the next dialog of type Dialog once it is up, then presses key
// (Enter, or Escape to change their mind).
template <typename Dialog>
class DialogAnswer : public wxModalDialogHook, public wxTimer {
public:
    explicit DialogAnswer(std::function<void(wxDialog&)> act, int key = WXK_RETURN)
        : m_act(std::move(act)), m_key(key) {
        Register();
    }
    ~DialogAnswer() override { Unregister(); }
    bool seen = false;

private:
    int Enter(wxDialog* dialog) override {
        if (dynamic_cast<Dialog*>(dialog) != nullptr) {
            seen = true;
            m_dialog = dialog;
            StartOnce(500);
        }
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override {
        if (dialog == m_dialog) {
            m_dialog = nullptr;
            Stop();
        }
    }
    void Notify() override {
        if (m_dialog == nullptr) {
            return;
        }
        if (m_acted) {
            ADD_FAILURE() << "the dialog did not take the key";
            m_dialog->EndModal(wxID_CANCEL);
            return;
        }
        m_acted = true;
        m_dialog->Raise();
        m_act(*m_dialog);
        m_sim.Char(m_key);
        StartOnce(5000);
    }

    std::function<void(wxDialog&)> m_act;
    int m_key;
    bool m_acted = false;
    wxDialog* m_dialog = nullptr;
    wxUIActionSimulator m_sim;
};

// The link dialog answered as a person does: the filter typed, the list looked at.
struct PickerAnswer {
    PickerAnswer(const std::string& filter, bool accept, const std::string& screenshot = {})
        : answer(
              [this, filter, screenshot](wxDialog& dialog) {
                  shownAtStart = Shown(dialog);
                  wxUIActionSimulator().Text(filter.c_str());
                  PumpEvents(500);
                  shownFiltered = Shown(dialog);
                  if (!screenshot.empty()) {
                      SaveScreenshot(screenshot);
                  }
              },
              accept ? WXK_RETURN : WXK_ESCAPE) {}

    static long Shown(wxDialog& dialog) {
        for (wxWindow* child : dialog.GetChildren()) {
            if (auto* list = dynamic_cast<wxListCtrl*>(child)) {
                return list->GetItemCount();
            }
        }
        return -1;
    }

    bool Seen() const { return answer.seen; }

    long shownAtStart = -1;
    long shownFiltered = -1;
    DialogAnswer<mySectionLinkDialog> answer;
};

class LinksWindow : public DocumentWindowTest {
protected:
    void OpenDocument() {
        Start();
        m_path = m_settings.dir().File("Links.etf");
        WriteFile(m_path, kDocument);
        OpenDocumentWindow(m_path, 420);
    }

    // Where the character at position is drawn, in the text view's window.
    wxPoint PointOf(long position) {
        wxRect caret;
        EXPECT_TRUE(m_text->GetCaretPositionForIndex(position, caret));
        return m_text->GetPhysicalPoint(caret.GetPosition()) +
               wxPoint(caret.width / 2 + 2, caret.height / 2);
    }

    std::string m_path;
};

TEST_F(LinksWindow, APickedSectionLinksTheSelectionAndCtrlClickGoesThere) {
    OpenDocument();
    ClickRow(RowAt(m_list->Model(), {0}));
    ASSERT_EQ(m_text->GetValue(), "Hello there");
    ClickAt(*m_text, wxPoint(20, 20));
    m_text->SetSelection(0, 5);
    PumpEvents();

    {
        PickerAnswer answer("usa", true, "section_link_dialog");
        Command(kInsertSectionLink);
        ASSERT_TRUE(answer.Seen()) << "no link dialog";
        EXPECT_EQ(answer.shownAtStart, 3) << "every section, not the document";
        EXPECT_EQ(answer.shownFiltered, 1) << "only Usage has \"usa\"";
    }
    EXPECT_EQ(m_text->GetValue(), "Hello there") << "the selected text became the link";
    wxRichTextAttr attr;
    ASSERT_TRUE(m_text->GetStyle(2, attr));
    EXPECT_EQ(attr.GetURL().utf8_string(), section_link::Target(kUsageId));
    ASSERT_TRUE(m_text->GetStyle(7, attr));
    EXPECT_FALSE(attr.HasURL());
    EXPECT_TRUE(m_doc->IsModified());
    SaveScreenshot("section_link_inserted");

    // A plain click only places the caret; Ctrl+click selects the linked section, and its body
    // is shown. The body with the link was stored on the way.
    std::vector<std::string> opened;
    myTextView::SetUrlOpener([&opened](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    ClickAt(*m_text, PointOf(2));
    EXPECT_EQ(m_list->List().GetCurrentSectionId(), "{11111111-2222-3333-4444-555555555555}");
    PumpEvents(600);  // not a double click
    m_sim.KeyDown(WXK_CONTROL);
    PumpEvents();
    ClickAt(*m_text, PointOf(2));
    m_sim.KeyUp(WXK_CONTROL);
    PumpEvents(300);
    EXPECT_TRUE(opened.empty()) << "a link to a section opens no browser";
    EXPECT_EQ(m_list->List().GetCurrentSectionId(), kUsageId);
    EXPECT_EQ(m_text->GetValue(), "How to use it");
    const std::string xml = m_doc->GetTree(ivDomain::kDocumentTree)->SaveToString();
    EXPECT_NE(xml.find("quorvane-section:"), std::string::npos) << xml;

    // The section goes; Ctrl+click on the link to it stays where it is and says why.
    ClickRow(RowAt(m_list->Model(), {0}));
    ASSERT_TRUE(m_doc->GetTreeEditor()->RemoveSection(kUsageId));
    m_doc->Refresh();
    PumpEvents(200);
    ClickRow(RowAt(m_list->Model(), {0}));
    PumpEvents(600);
    m_sim.KeyDown(WXK_CONTROL);
    PumpEvents();
    ClickAt(*m_text, PointOf(2));
    m_sim.KeyUp(WXK_CONTROL);
    PumpEvents(300);
    EXPECT_EQ(m_list->List().GetCurrentSectionId(), "{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(Builder().GetStatusBar()->GetStatusText(0).utf8_string(),
              "The linked section no longer exists.");
    EXPECT_TRUE(opened.empty());
    myTextView::SetUrlOpener([](const std::string&) { return true; });
}

TEST_F(LinksWindow, WithoutASelectionTheTitleIsInsertedAndEscapeInsertsNothing) {
    OpenDocument();
    ClickRow(RowAt(m_list->Model(), {2}));
    ClickAt(*m_text, wxPoint(20, 20));
    m_text->SetInsertionPointEnd();
    {
        PickerAnswer answer("ÜBER", false);
        Command(kInsertSectionLink);
        ASSERT_TRUE(answer.Seen());
        EXPECT_EQ(answer.shownFiltered, 1) << "the filter ignores case beyond ASCII";
    }
    EXPECT_EQ(m_text->GetValue(), "How to use it");
    {
        PickerAnswer answer("über", true);
        Command(kInsertSectionLink);
        ASSERT_TRUE(answer.Seen());
    }
    EXPECT_EQ(m_text->GetValue().utf8_string(), "How to use itÜber uns");
    wxRichTextAttr attr;
    ASSERT_TRUE(m_text->GetStyle(15, attr));
    EXPECT_EQ(attr.GetURL().utf8_string(),
              section_link::Target("{11111111-2222-3333-4444-666666666666}"));
    // One undo of the text takes the whole link back.
    m_text->Undo();
    PumpEvents();
    EXPECT_EQ(m_text->GetValue(), "How to use it");

    // The text view's own context menu offers the command, with its image.
    wxMenu* menu = m_text->GetContextMenu();
    ASSERT_NE(menu, nullptr);
    wxMenuItem* item = menu->FindItem(kInsertSectionLink);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetItemLabelText(), "Insert link to section...");
    EXPECT_TRUE(item->GetBitmap().IsOk());
}

TEST_F(LinksWindow, AnImportedFolderComesUnderTheFocusedSectionAndGoesInOneUndo) {
    OpenDocument();
    testing_support::TempDir files;
    const std::string folder = files.File("Notizen");
    std::filesystem::create_directories(folder + "/Teil");
    WriteFile(folder + "/a.txt", "Erste Zeile\n");
    WriteFile(folder + "/b.md", "# Zweites\n\nText mit [Verweis](a.txt).\n");
    WriteFile(folder + "/Teil/c.txt", "drei\n");
    ClickRow(RowAt(m_list->Model(), {1}));
    CXTPReportRecordEx* under = RowAt(m_list->Model(), {1});
    ASSERT_EQ(under->GetChildCount(), 0);

    ASSERT_TRUE(ImportIntoDocument(*m_list, {folder}));
    PumpEvents(200);
    under = RowAt(m_list->Model(), {1});
    ASSERT_EQ(under->GetChildCount(), 1) << "the folder is one section";
    CXTPReportRecordEx* imported = under->GetChild(0);
    EXPECT_EQ(imported->GetChildCount(), 3) << "a.txt, b.md and the folder Teil";
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(m_list->List().GetUndoName(), "Undo Import Files");
    EXPECT_EQ(Builder().GetStatusBar()->GetStatusText(0).utf8_string(), "5 sections imported.");
    SaveScreenshot("import_folder");

    ASSERT_TRUE(m_list->List().Undo());
    PumpEvents(200);
    EXPECT_EQ(RowAt(m_list->Model(), {1})->GetChildCount(), 0) << "all of it in one step";
    EXPECT_FALSE(m_doc->IsModified()) << "back to what is saved";
    ASSERT_TRUE(m_list->List().Redo());
    PumpEvents(200);
    ASSERT_EQ(RowAt(m_list->Model(), {1})->GetChildCount(), 1);
    EXPECT_EQ(RowAt(m_list->Model(), {1})->GetChild(0)->GetChildCount(), 3);
    const std::string xml = m_doc->GetTree(ivDomain::kDocumentTree)->SaveToString();
    EXPECT_NE(xml.find("Erste Zeile"), std::string::npos);
    EXPECT_NE(xml.find("quorvane-section:"), std::string::npos) << "the link between the files";
}

// The File and Insert menus and the text's context menu with the new commands, in both
// languages, for a person to look at.
TEST_F(LinksWindow, ScreenshotsOfTheMenusAndTheTextContextMenu) {
    for (const char* language : {"en", "de"}) {
        ReleaseLocalisation();
        SetSetting("/Language", language);
        InitLocalisation(ChooseLanguage());
        OpenDocument();
        ClickRow(RowAt(m_list->Model(), {0}));
        wxMenuBar* bar = m_frame->GetMenuBar();
        ASSERT_NE(bar, nullptr);
        wxMenuItem* import = bar->FindItem(kFileImport);
        ASSERT_NE(import, nullptr);
        EXPECT_TRUE(import->GetBitmap().IsOk());
        EXPECT_TRUE(bar->FindItem(kFileImportFolder) != nullptr);
        const std::string linkCaption = std::string(language) == "de"
                                            ? "Verweis auf Abschnitt einfügen..."
                                            : "Insert link to section...";
        EXPECT_EQ(m_text->GetContextMenu()
                      ->FindItem(kInsertSectionLink)
                      ->GetItemLabelText()
                      .utf8_string(),
                  linkCaption);
        for (const int x : {18, 148}) {  // File, Insert
            m_frame->Raise();
            m_sim.MouseMove(m_frame->GetClientAreaOrigin() + m_frame->GetScreenPosition() +
                            wxPoint(x, -12));
            PumpEvents();
            m_sim.MouseClick();
            PumpEvents(400);
            SaveScreenshot(std::string(x == 18 ? "file_menu_" : "insert_menu_") + language);
            m_sim.Char(WXK_ESCAPE);
            PumpEvents(200);
        }
        wxTimer shot;
        const std::string name = std::string("text_context_menu_") + language;
        shot.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            SaveScreenshot(name);
            m_sim.Char(WXK_ESCAPE);
        });
        shot.StartOnce(600);
        m_window->GetSplitter()->SetSashPosition(m_window->FromDIP(420));
        PumpEvents(200);
        ClickAt(*m_text, wxPoint(60, 12), true);
        PumpEvents(900);
        m_manager->CloseDocuments(true);
        Quit();
    }
    ReleaseLocalisation();
}

std::vector<wxRadioButton*> RadioButtons(wxWindow& dialog) {
    std::vector<wxRadioButton*> buttons;
    for (wxWindow* child : dialog.GetChildren()) {
        if (auto* button = dynamic_cast<wxRadioButton*>(child)) {
            buttons.push_back(button);
        }
    }
    return buttons;
}

TEST_F(LinksWindow, ThePageTemplateIsChosenFromTheToolsMenu) {
    Start();
    SetSetting("/Generators/HTML/Template", "/srv/vorlagen/eigene.htm");
    {
        myTemplateDialog dialog(m_frame, "/srv/vorlagen/eigene.htm");
        EXPECT_EQ(dialog.GetSetting(), "/srv/vorlagen/eigene.htm") << "opens as it is set";
    }
    // The one that comes with the program, picked with the mouse.
    {
        DialogAnswer<myTemplateDialog> shipped([this](wxDialog& dialog) {
            wxRadioButton* button = RadioButtons(dialog).at(1);
            ClickAt(*button, wxPoint(8, button->GetSize().y / 2));
            PumpEvents(200);
            SaveScreenshot("page_template_dialog");
        });
        Command(kToolsTemplate);
        ASSERT_TRUE(shipped.seen) << "no dialog";
    }
    EXPECT_EQ(ReadSetting(settings::kHtmlTemplate), "default");
    // None.
    {
        DialogAnswer<myTemplateDialog> none([this](wxDialog& dialog) {
            wxRadioButton* button = RadioButtons(dialog).at(0);
            ClickAt(*button, wxPoint(8, button->GetSize().y / 2));
            PumpEvents(200);
        });
        Command(kToolsTemplate);
        ASSERT_TRUE(none.seen);
    }
    EXPECT_EQ(ReadSetting(settings::kHtmlTemplate), "");
}

}  // namespace
