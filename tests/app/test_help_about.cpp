#include "app/about.h"
#include "app/gui/message_dialogs.h"
#include "app/gui/tip_dialog.h"
#include "app/online/product_urls.h"
#include "core/app_registry.h"
#include "core/command_ids.h"
#include "core/localisation.h"
#include "core/settings.h"
#include "framework/doc_manager.h"
#include "tests/app/gui_test_app.h"
#include "tests/app/online_fixture.h"

#include <glib.h>
#include <wx/dataview.h>
#include <wx/evtloop.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/msgdlg.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

// After msgdlg.h, which declares its base class.
#include <wx/generic/msgdlgg.h>

namespace {

// The Help menu's windows as the user sees them: the manual, the about box and the tips, in
// German, each photographed.
class HelpWindows : public OnlineTest {
protected:
    void SetUp() override {
        OnlineTest::SetUp();
        InitLocalisation("de_DE.UTF-8");
        SetAppRegistryPath(settings.dir().File("registry.conf"));
        manager = new ivDocManager(4);
        frame = new ivMDIParentFrame;
        ASSERT_TRUE(frame->Create(manager, nullptr, wxID_ANY, "Quorvane Editor", wxPoint(0, 0),
                                  wxSize(700, 500)));
        wxTheApp->SetTopWindow(frame);
        frame->Show();
        PumpEvents();
    }
    void TearDown() override {
        if (wxHtmlHelpController* help = GetTestApp().GetHelpController()) {
            // The help window lets its controller know when it goes, its frame does not.
            if (wxWindow* helpWindow = help->GetHelpWindow()) {
                wxGetTopLevelParent(helpWindow)->Hide();
            }
        }
        DestroyMainWindow(frame, manager);
        ReleaseLocalisation();
        OnlineTest::TearDown();
    }

    // A window with the two parts of a document window the manual has pages about.
    wxFrame* DocumentParts() {
        auto* window = new wxFrame(frame, wxID_ANY, "Alpha", wxPoint(720, 0), wxSize(400, 300));
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        list = new wxDataViewListCtrl(window, wxID_ANY);
        list->AppendTextColumn("Title");
        text = new wxRichTextCtrl(window, wxID_ANY, "Body");
        sizer->Add(list, 1, wxEXPAND);
        sizer->Add(text, 1, wxEXPAND);
        window->SetSizer(sizer);
        window->Show();
        PumpEvents(100);
        return window;
    }

    std::string OpenedPage() const {
        wxHtmlHelpController* help = GetTestApp().GetHelpController();
        if (help == nullptr || help->GetHelpWindow() == nullptr) {
            return {};
        }
        return help->GetHelpWindow()->GetHtmlWindow()->GetOpenedPage().utf8_string();
    }

    ivDocManager* manager = nullptr;
    ivMDIParentFrame* frame = nullptr;
    wxDataViewListCtrl* list = nullptr;
    wxRichTextCtrl* text = nullptr;
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(HelpWindows, ManualOpensAtThePageOfTheFocusedWindow) {
    wxFrame* parts = DocumentParts();
    EXPECT_EQ("text_view.htm", HelpPageOf(text));
    EXPECT_EQ("section_list.htm", HelpPageOf(list->GetMainWindow()))
        << "the list's inner window counts as the list";
    EXPECT_EQ("", HelpPageOf(frame));
    EXPECT_EQ("", HelpPageOf(nullptr));

    ivApp& app = GetTestApp();
    text->SetFocus();
    PumpEvents(100);
    const bool focused = wxWindow::FindFocus() == text;
    app.SendCommand(command_id::kHelp, true);
    PumpEvents(300);
    wxHtmlHelpController* help = app.GetHelpController();
    ASSERT_NE(nullptr, help) << "the German manual beside the test program was not found";
    ASSERT_NE(nullptr, help->GetFrame());
    // The window's title is the page's, shown as a page, not as its source.
    if (focused) {  // a display without a window manager may keep the focus elsewhere
        EXPECT_TRUE(EndsWith(OpenedPage(), "text_view.htm")) << OpenedPage();
        EXPECT_EQ("Hilfe: Die Textansicht", help->GetFrame()->GetTitle().utf8_string());
    } else {
        EXPECT_EQ(0u, help->GetFrame()->GetTitle().utf8_string().find("Hilfe: "));
    }
    const std::string manual =
        testing_support::ReadFile(FindHelpBook(app.GetModuleDirectory(), "de", "Editor"));
    EXPECT_NE(std::string::npos, manual.find("section_list.htm"));

    // Context help: Shift+F1, then a click on the list while the text keeps the focus. The
    // pointer mode has its own event loop: the click comes from a timer inside it, and should
    // it miss, a key ends the mode so that the test goes on.
    ASSERT_FALSE(EndsWith(OpenedPage(), "section_list.htm")) << OpenedPage();
    wxUIActionSimulator person;
    wxTimer click;
    click.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        const wxRect rect = list->GetScreenRect();
        person.MouseMove(rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2));
        person.MouseClick();
    });
    click.StartOnce(400);
    wxTimer escape;
    escape.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { person.Char(WXK_ESCAPE); });
    escape.StartOnce(8000);
    {
        // The mode's loop waits on the active event loop, as it would in the program's own.
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        app.SendCommand(command_id::kContextHelp, true);
    }
    escape.Stop();
    for (int i = 0; i < 30 && !EndsWith(OpenedPage(), "section_list.htm"); ++i) {
        PumpEvents(100);
    }
    EXPECT_TRUE(EndsWith(OpenedPage(), "section_list.htm"))
        << "the clicked list's page, not the focused text's: " << OpenedPage();
    EXPECT_EQ("Hilfe: Die Abschnittsliste", help->GetFrame()->GetTitle().utf8_string());
    EXPECT_NE(std::string::npos,
              help->GetHelpWindow()->GetHtmlWindow()->ToText().utf8_string().find("Strg+Eingabe"))
        << "the German page";

    wxFrame* helpFrame = help->GetFrame();
    helpFrame->SetSize(wxRect(20, 20, 900, 620));
    helpFrame->Raise();
    PumpEvents(500);
    SaveScreenshot("help_window");

    app.SendCommand(command_id::kHelpIndex, true);
    PumpEvents(200);
    EXPECT_TRUE(helpFrame->IsShown());
    parts->Destroy();
    PumpEvents();
}

// Whether the message box photographed last showed an icon.
bool g_boxHadIcon = false;
bool g_boxClosed = false;

// Closes the message box that is open now once it has been photographed.
gboolean PhotographAndCloseMessageBox(gpointer) {
    for (wxWindow* window : wxTopLevelWindows) {
        auto* box = dynamic_cast<wxGenericMessageDialog*>(window);
        if (box != nullptr && box->IsModal()) {
            for (wxWindow* child : box->GetChildren()) {
                auto* picture = dynamic_cast<wxStaticBitmap*>(child);
                g_boxHadIcon = g_boxHadIcon || (picture != nullptr && picture->GetBitmap().IsOk());
            }
            box->Raise();
            SaveScreenshot("about_box");
            box->EndModal(wxID_OK);
            g_boxClosed = true;
            return G_SOURCE_REMOVE;
        }
    }
    return G_SOURCE_CONTINUE;
}

TEST_F(HelpWindows, AboutBoxIsAnInformationBoxWithTheRelease) {
    // The real message box, not a recorded one.
    std::unique_ptr<MessagePresenter> previous =
        SetMessagePresenter(std::make_unique<ivDialogPresenter>());
    g_boxHadIcon = false;
    g_boxClosed = false;
    const guint source = g_timeout_add(700, PhotographAndCloseMessageBox, nullptr);
    GetTestApp().OnAppAbout();
    if (!g_boxClosed) {
        g_source_remove(source);
    }
    SetMessagePresenter(std::move(previous));
    EXPECT_TRUE(g_boxHadIcon) << "the information icon";
    const std::string text = AboutText("Quorvane", "Editor", ivVersion{1, 0, 1, 23});
    EXPECT_EQ(0u, text.find("Quorvane Editor Community Edition\nRelease 1.0 (1.0.1.23)\n\n"));
    // A product named otherwise shows its own names.
    EXPECT_EQ(0u, AboutText("Acme", "Writer", ivVersion{2, 5, 0, 7})
                      .find("Acme Writer Community Edition\nRelease 2.5 (2.5.0.7)\n\n"));
}

TEST_F(HelpWindows, TipsDialogInGerman) {
    server.Serve("/downloads/media/de.editor.rss", "text/xml",
                 "<rss><channel><title>Neuigkeiten</title>"
                 "<item><title>Abschnitte verschieben</title><description>Ziehen Sie einen "
                 "Abschnitt in der Liste an seinen neuen Platz.</description>"
                 "<link>http://n.test/?A=2</link></item>"
                 "<item><title>Vorlagen</title><description>Eine eigene Seitenvorlage gibt "
                 "den HTML-Seiten Ihr Aussehen.</description><link>http://n.test/?A=1</link>"
                 "</item></channel></rss>");
    auto dialog = PrepareNews(frame, FeedUrl(server.HostAndPort(), "de", "Editor"), true);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Neuigkeiten", dialog->GetHeading());
    EXPECT_EQ(0u, dialog->GetTipText().find("Abschnitte verschieben\n\n"));
    EXPECT_TRUE(dialog->IsNextEnabled());
    EXPECT_EQ("Tipps und Tricks", dialog->GetTitle().utf8_string());
    dialog->Move(40, 40);
    dialog->Show();
    dialog->Raise();
    PumpEvents(500);
    SaveScreenshot("tips_dialog");
    dialog->Hide();
}

}  // namespace
