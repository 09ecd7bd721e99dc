#include "app/gui/message_dialogs.h"
#include "app/gui/tip_dialog.h"
#include "app/online/product_urls.h"
#include "core/app_registry.h"
#include "core/command_ids.h"
#include "core/settings.h"
#include "framework/command_builder.h"
#include "framework/command_row.h"
#include "framework/doc_manager.h"
#include "framework/html_view.h"
#include "platform/desktop.h"
#include "platform/registry_store.h"
#include "tests/app/gui_test_app.h"
#include "tests/app/online_fixture.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include <cstdlib>
#include <stdexcept>

namespace {

// The test application with a main window and a presenter whose message boxes are recorded
// and answered by the test.
class ShellServices : public OnlineTest {
protected:
    void SetUp() override {
        OnlineTest::SetUp();
        SetAppRegistryPath(settings.dir().File("registry.conf"));
        manager = new ivDocManager(4);
        frame = new ivMDIParentFrame;
        ASSERT_TRUE(frame->Create(manager, nullptr, wxID_ANY, "Quorvane Editor", wxDefaultPosition,
                                  wxSize(700, 500)));
        wxTheApp->SetTopWindow(frame);
        frame->Show();
        previous = SetMessagePresenter(std::make_unique<ivDialogPresenter>(
            [this](const MessageBoxRequest& request) {
                boxes.push_back(request);
                return answer;
            },
            [this](const std::string&, const std::string& text, unsigned) {
                balloons.push_back(text);
                return true;
            }));
        platform::SetLauncher([this](const std::vector<std::string>& argv, const std::string&) {
            launched.push_back(argv);
            return true;
        });
        PumpEvents();
    }

    void TearDown() override {
        platform::SetLauncher({});
        SetMessagePresenter(std::move(previous));
        GetTestApp().EnableBalloons(false);
        DestroyMainWindow(frame, manager);
        OnlineTest::TearDown();
    }

    int answer = wxID_OK;
    std::vector<MessageBoxRequest> boxes;
    std::vector<std::string> balloons;
    std::vector<std::vector<std::string>> launched;
    std::unique_ptr<MessagePresenter> previous;
    ivDocManager* manager = nullptr;
    ivMDIParentFrame* frame = nullptr;
};

TEST_F(ShellServices, MessageBoxIconFollowsSeverity) {
    ShowMessageBox("Saved.", kMessageInformation);
    ShowMessageBox("Careful.", kMessageWarning);
    ShowMessage("Broken.", "Generating", 0, kMessageError);
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(wxICON_INFORMATION | wxOK, boxes[0].style);
    EXPECT_EQ("Quorvane Editor", boxes[0].caption);
    EXPECT_EQ(wxICON_WARNING | wxOK, boxes[1].style);
    EXPECT_EQ(wxICON_ERROR | wxOK, boxes[2].style);
    EXPECT_EQ("Generating\n\nBroken.", boxes[2].text);
}

TEST_F(ShellServices, MessageWithCommandPostsItOnlyOnOk) {
    int commands = 0;
    frame->Bind(
        wxEVT_MENU, [&](wxCommandEvent&) { ++commands; }, command_id::kAppTips);
    answer = wxID_CANCEL;
    ShowMessage("Read the news?", "", command_id::kAppTips, kMessageInformation);
    PumpEvents();
    EXPECT_EQ(0, commands);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(wxICON_INFORMATION | wxOK | wxCANCEL, boxes[0].style);

    answer = wxID_OK;
    ShowMessage("Read the news?", "", command_id::kAppTips, kMessageInformation);
    EXPECT_EQ(0, commands) << "the command is posted, not run inside the message";
    PumpEvents();
    EXPECT_EQ(1, commands);
}

TEST_F(ShellServices, QuestionsAreYesNoWithOptionalCancel) {
    answer = wxID_YES;
    EXPECT_EQ(kAnswerYes, AskQuestion("Really remove the current section?"));
    EXPECT_EQ(wxICON_QUESTION | wxYES_NO, boxes.back().style);
    answer = wxID_CANCEL;
    EXPECT_EQ(kAnswerCancel, AskQuestion("Save?", true));
    EXPECT_EQ(wxICON_QUESTION | wxYES_NO | wxCANCEL, boxes.back().style);
}

TEST_F(ShellServices, BalloonsOnlyWhenAllowedAndTheSettingLetsThem) {
    EXPECT_FALSE(WantsBalloon(false, 1, 0, 0)) << "the product allows none";
    EXPECT_FALSE(WantsBalloon(true, 0, 0, 0)) << "the system switch is off";
    EXPECT_TRUE(WantsBalloon(true, 1, 2, kMessageInformation));
    EXPECT_FALSE(WantsBalloon(true, 1, 2, kMessageInformation | kMessagePreferDialog));
    EXPECT_TRUE(WantsBalloon(true, 1, 0, kMessageError | kMessagePreferDialog));
    EXPECT_FALSE(WantsBalloon(true, 1, 1, kMessageInformation)) << "1 never balloons";

    GetTestApp().EnableBalloons(true);
    ShowMessage("Background work done.", "", 0, kMessageInformation);
    EXPECT_EQ(std::vector<std::string>{"Background work done."}, balloons);
    EXPECT_TRUE(boxes.empty());
    SetSetting("/ForceDialog", "1");
    ShowMessage("Background work done.", "", 0, kMessageInformation);
    EXPECT_EQ(1u, balloons.size());
    EXPECT_EQ(1u, boxes.size());
}

TEST_F(ShellServices, WithoutMainWindowNothingIsShown) {
    wxTheApp->SetTopWindow(nullptr);
    frame->Destroy();
    frame = nullptr;
    PumpEvents();
    ASSERT_EQ(nullptr, GetTestApp().GetMainFrame());
    ShowMessageBox("Lost.", kMessageError);
    EXPECT_EQ(kAnswerNo, AskQuestion("Anyone?"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(GetTestApp().StartTimer(3, 10));
    int commands = 0;
    GetTestApp().Bind(
        wxEVT_MENU, [&](wxCommandEvent&) { ++commands; }, command_id::kAppTips);
    GetTestApp().SendCommand(command_id::kAppTips, true);
    EXPECT_EQ(0, commands) << "a command needs a main window to go to";
}

TEST_F(ShellServices, AboutBoxShowsTheProductAndRelease) {
    GetTestApp().OnAppAbout();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(0u, boxes[0].text.find("Quorvane Editor Community Edition\nRelease 1.0 (1.0.1.23)"));
    EXPECT_EQ(wxICON_INFORMATION | wxOK, boxes[0].style);
}

TEST_F(ShellServices, UrlsGoToTheDesktopBrowserWithoutABrowserPane) {
    ivApp& app = GetTestApp();
    EXPECT_TRUE(app.OpenURL("http://www.quorvane.example/x", true));
    ASSERT_EQ(1u, launched.size());
    EXPECT_EQ((std::vector<std::string>{"xdg-open", "http://www.quorvane.example/x"}), launched[0]);

    ASSERT_TRUE(app.ShowHTML("<p>Hallo</p>", true));
    const std::string page = app.GetTempDirectory() + "Editor.htm";
    EXPECT_EQ("<p>Hallo</p>", testing_support::ReadFile(page));
    EXPECT_EQ(page, launched.back().back());

    EXPECT_TRUE(app.PrintFile("/tmp/x.pdf"));
    EXPECT_EQ("lp", launched.back().front());
    EXPECT_FALSE(app.ShellExecuteVerb("explore", "/tmp"));

    app.OnAppOnline();
    EXPECT_EQ("http://www.quorvane.example/en/products/editor/", launched.back().back());
}

// A browser pane whose product refuses it, and one that counts its hooks.
class RefusedHtmlView : public ivHTMLView {
    wxDECLARE_DYNAMIC_CLASS(RefusedHtmlView);
    bool OnCreateHook() override { return false; }
};
wxIMPLEMENT_DYNAMIC_CLASS(RefusedHtmlView, ivHTMLView);

int g_htmlUpdates = 0;
int g_htmlDestroyed = 0;
class CountingHtmlView : public ivHTMLView {
    wxDECLARE_DYNAMIC_CLASS(CountingHtmlView);
    void OnUpdateHook(wxObject*) override { ++g_htmlUpdates; }
    void OnDestroyHook() override { ++g_htmlDestroyed; }
};
wxIMPLEMENT_DYNAMIC_CLASS(CountingHtmlView, ivHTMLView);

TEST_F(ShellServices, ABrowserPaneRunsItsHooksAndARefusedOneIsNotMade) {
    setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", 1);
    ivCommandBuilder& builder = frame->GetBuilder();
    EXPECT_EQ(builder.CreatePaneView("NO", "No", wxCLASSINFO(RefusedHtmlView), 0), nullptr);
    SetSetting("/UseExternalBrowser", "0");
    EXPECT_TRUE(GetTestApp().OpenURL("http://127.0.0.1:9/none", false));
    EXPECT_EQ(launched.size(), 1u) << "no pane came of it";

    g_htmlUpdates = g_htmlDestroyed = 0;
    wxWindow* pane = builder.CreatePaneView("YES", "Yes", wxCLASSINFO(CountingHtmlView), 0);
    ASSERT_NE(pane, nullptr);
    PumpEvents(100);
    EXPECT_EQ(g_htmlUpdates, 1) << "the first update, without a hint";
    frame->GetAuiManager().DetachPane(pane);
    pane->Destroy();
    EXPECT_EQ(g_htmlDestroyed, 1);
}

TEST_F(ShellServices, UrlsGoToABrowserPaneWhenThereIsOneAndTheSettingAllows) {
    // The virtual display has no accelerated drawing for the web engine.
    setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", 1);
    ivApp& app = GetTestApp();
    SetSetting("/UseExternalBrowser", "0");
    EXPECT_TRUE(app.OpenURL("http://127.0.0.1:9/none", false));
    EXPECT_EQ(launched.size(), 1u) << "no pane: the desktop's browser, whatever the setting";

    auto* view = dynamic_cast<ivHTMLView*>(frame->GetBuilder().CreatePaneView(
        "BROWSER", "Browser", wxCLASSINFO(ivHTMLView), container_flags::kDockRight));
    ASSERT_NE(view, nullptr) << "the web engine is missing";
    const std::string page = settings.dir().File("page.html");
    testing_support::WriteFile(page,
                               "<html><head><title>Local page</title></head>"
                               "<body><h1>Shown in the pane</h1></body></html>");
    bool loaded = false;
    // The blank page the pane starts with reports its loading too.
    view->GetBrowser()->Bind(wxEVT_WEBVIEW_LOADED, [&](wxWebViewEvent& event) {
        event.Skip();
        loaded = loaded || event.GetURL().utf8_string() == "file://" + page;
    });
    EXPECT_TRUE(app.OpenURL("file://" + page, true));
    EXPECT_EQ(launched.size(), 1u) << "the pane shows it";
    for (int i = 0; i < 200 && !loaded; ++i) {
        PumpEvents(100);
    }
    ASSERT_TRUE(loaded) << "the page never loaded";
    EXPECT_EQ(view->GetCurrentURL(), "file://" + page);
    EXPECT_EQ(view->GetBrowser()->GetCurrentTitle(), "Local page");
    EXPECT_NE(view->GetBrowser()->GetPageSource().find("Shown in the pane"), wxString::npos);
    PumpEvents(300);
    SaveScreenshot("html_pane");

    // The view takes the print commands; its print preview is there and does nothing.
    for (int id :
         {command_id::kFilePrint, command_id::kFilePrintDirect, command_id::kFilePrintPreview}) {
        wxUpdateUIEvent state(id);
        state.SetEventObject(view);
        EXPECT_TRUE(view->ProcessWindowEvent(state)) << id;
        EXPECT_TRUE(state.GetEnabled()) << id;
    }
    wxCommandEvent preview(wxEVT_MENU, command_id::kFilePrintPreview);
    EXPECT_TRUE(view->ProcessWindowEvent(preview));

    SetSetting("/UseExternalBrowser", "1");
    EXPECT_TRUE(app.OpenURL("http://127.0.0.1:9/outside", false));
    ASSERT_EQ(launched.size(), 2u) << "the setting sends it outside";
    EXPECT_EQ(launched[1].back(), "http://127.0.0.1:9/outside");
    EXPECT_EQ(view->GetCurrentURL(), "file://" + page);
}

TEST_F(ShellServices, TimersAndCommandsGoThroughTheMainWindow) {
    TestApp& app = GetTestApp();
    app.timersFired.clear();
    ASSERT_TRUE(app.StartTimer(42, 20));
    PumpEvents(200);
    ASSERT_TRUE(app.StopTimer(42));
    const size_t fired = app.timersFired.size();
    ASSERT_GE(fired, 1u);
    EXPECT_EQ(42, app.timersFired.front());
    PumpEvents(100);
    EXPECT_EQ(fired, app.timersFired.size()) << "a stopped timer fires no more";
    EXPECT_FALSE(app.StopTimer(43));

    int commands = 0;
    const int id = wxWindow::NewControlId();
    frame->Bind(
        wxEVT_MENU, [&](wxCommandEvent&) { ++commands; }, id);
    app.SendCommand(id, true);
    EXPECT_EQ(1, commands);
    app.SendCommand(id, false);
    EXPECT_EQ(1, commands);
    PumpEvents();
    EXPECT_EQ(2, commands);
}

TEST_F(ShellServices, ExceptionInACommandIsReportedAndTheProgramGoesOn) {
    TestApp& app = GetTestApp();
    const int id = wxWindow::NewControlId();
    int after = 0;
    frame->Bind(
        wxEVT_MENU, [](wxCommandEvent&) { throw std::runtime_error("disk on fire"); }, id);
    const int next = wxWindow::NewControlId();
    frame->Bind(
        wxEVT_MENU, [&](wxCommandEvent&) { ++after; }, next);

    // Both ways a command arrives: at once (a menu click) and posted.
    app.SendCommand(id, true);
    app.SendCommand(id, false);
    PumpEvents();
    ASSERT_EQ(2u, boxes.size());
    for (const MessageBoxRequest& box : boxes) {
        EXPECT_EQ("The last command failed; your documents are still open.\ndisk on fire",
                  box.text);
    }
    app.SendCommand(next, false);
    PumpEvents();
    EXPECT_EQ(1, after) << "events are still handled";
    EXPECT_TRUE(frame->IsShown());
}

// The tip dialog over the local server's feed.
class TipDialog : public ShellServices {
protected:
    std::string Publish(const std::string& channel) {
        server.Serve("/downloads/media/en.editor.rss", "text/xml",
                     "<rss><channel><title>News</title>" + channel + "</channel></rss>");
        return FeedUrl(server.HostAndPort(), "en", "Editor");
    }
    static std::string Item(int n) {
        return "<item><title>Tip " + std::to_string(n) + "</title><description>Text " +
               std::to_string(n) + "</description><link>http://n.test/?A=" + std::to_string(n) +
               "</link></item>";
    }
};

TEST_F(TipDialog, StartUpWithTheOptionOffFetchesNothing) {
    const std::string url = Publish(Item(1));
    SetSetting("/ShowTips", "0");
    EXPECT_EQ(nullptr, PrepareNews(frame, url, false));
    EXPECT_EQ(0, server.HitCount("/downloads/media/en.editor.rss"));
    // The user's request fetches all the same.
    auto asked = PrepareNews(frame, url, true);
    ASSERT_NE(nullptr, asked);
    EXPECT_EQ(1, server.HitCount("/downloads/media/en.editor.rss"));
}

TEST_F(TipDialog, EmptyChannelOnRequestOpensEmptyWithoutNext) {
    auto dialog = PrepareNews(frame, Publish(""), true);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("", dialog->GetTipText());
    EXPECT_EQ("News", dialog->GetHeading());
    EXPECT_FALSE(dialog->IsNextEnabled());
}

TEST_F(TipDialog, NothingNewAtStartUpShowsNoDialog) {
    AppRegistry().SetInt("Tip", "LastID", 9);
    EXPECT_EQ(nullptr, PrepareNews(frame, Publish(Item(9) + Item(8)), false));
}

TEST_F(TipDialog, NextButtonMovesThroughTheItems) {
    auto dialog = PrepareNews(frame, Publish(Item(3) + Item(2) + Item(1)), true);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Tip 3\n\nText 3\n", dialog->GetTipText());
    EXPECT_EQ(3, AppRegistry().GetInt("Tip", "LastID", 0));
    ASSERT_TRUE(dialog->IsNextEnabled());

    // Tests run side by side on one display without a window manager; the windows of the
    // others open at the top left, so this one goes to the bottom right to be clicked.
    const wxSize screen = wxGetDisplaySize();
    dialog->Move(screen.x - dialog->GetSize().x - 8, screen.y - dialog->GetSize().y - 8);
    dialog->Show();
    dialog->Raise();
    PumpEvents(300);
    auto* next = dynamic_cast<wxButton*>(dialog->FindWindow(wxID_FORWARD));
    ASSERT_NE(nullptr, next);
    const wxRect rect = next->GetScreenRect();
    const wxPoint centre(rect.GetLeft() + rect.GetWidth() / 2,
                         rect.GetTop() + rect.GetHeight() / 2);
    wxUIActionSimulator sim;
    sim.MouseMove(centre);
    PumpEvents(200);
    // Without a window manager the first click only gives the dialog the focus.
    sim.MouseClick();
    PumpEvents(300);
    EXPECT_EQ("Tip 3\n\nText 3\n", dialog->GetTipText());
    sim.MouseClick();
    PumpEvents(300);
    EXPECT_EQ("Tip 2\n\nText 2\n", dialog->GetTipText());

    dialog->ShowNextTip();
    EXPECT_EQ("Tip 1\n\nText 1\n", dialog->GetTipText());
    dialog->ShowNextTip();
    EXPECT_EQ("Tip 3\n\nText 3\n", dialog->GetTipText()) << "a request starts over at the end";
    dialog->Hide();
}

TEST_F(TipDialog, CheckBoxIsStoredAsTheStartUpOption) {
    auto dialog = PrepareNews(frame, Publish(Item(1)), true);
    ASSERT_NE(nullptr, dialog);
    auto* check = dynamic_cast<wxCheckBox*>(
        dialog->FindWindowByLabel(wxString::FromUTF8("Show tips at start-up")));
    ASSERT_NE(nullptr, check);
    EXPECT_TRUE(check->GetValue());
    check->SetValue(false);
    dialog->StoreStartupOption();
    EXPECT_EQ("0", GetSetting("/ShowTips"));
}

}  // namespace
