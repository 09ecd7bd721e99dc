#include "core/settings.h"
#include "document/section_link.h"
#include "framework/status_bar.h"
#include "generators/status_indicators.h"
#include "tests/app/main_frame_fixture.h"

#include <wx/aui/auibar.h>
#include <wx/combobox.h>
#include <wx/dirdlg.h>
#include <wx/gauge.h>
#include <wx/modalhook.h>
#include <wx/timer.h>

#include <filesystem>
#include <functional>

namespace {

using namespace command_id;

const char* const kDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>"
    "<Section ID=\"{11111111-2222-3333-4444-555555555555}\" Title=\"Intro\""
    " Text=\"{\\rtf1 Hello\\par}\">"
    "<Section ID=\"{11111111-2222-3333-4444-666666666666}\" Title=\"Scope\"/></Section>"
    "<Section ID=\"{11111111-2222-3333-4444-777777777777}\" Title=\"Usage\"/></Document>";

// Passes what generators report on to the main window's indicators, and keeps it.
class WatchedIndicators : public ivStatusIndicators {
public:
    explicit WatchedIndicators(ivStatusIndicators* shown) : m_shown(shown) {
        SetStatusIndicators(this);
    }
    ~WatchedIndicators() override { SetStatusIndicators(m_shown); }
    void SetIndicator(const std::string& name, int value) override {
        values.emplace_back(name, value);
        m_shown->SetIndicator(name, value);
    }
    std::vector<std::pair<std::string, int>> values;

private:
    ivStatusIndicators* m_shown;
};

// Answers the next folder dialog as a person who takes the folder it opens at (Enter), or
// who changes their mind (Escape).
class FolderDialogAnswer : public wxModalDialogHook, public wxTimer {
public:
    explicit FolderDialogAnswer(bool accept, std::function<void()> afterwards = {})
        : m_accept(accept), m_afterwards(std::move(afterwards)) {
        Register();
    }
    ~FolderDialogAnswer() override { Unregister(); }
    bool seen = false;

private:
    int Enter(wxDialog* dialog) override {
        if (dynamic_cast<wxDirDialog*>(dialog) != nullptr) {
            seen = true;
            m_dialog = dialog;
            // The chooser needs a moment to fill its list and take the keyboard.
            StartOnce(800);
        }
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override {
        if (dialog == m_dialog) {
            m_dialog = nullptr;
            Stop();
            if (m_afterwards) {
                m_afterwards();
            }
        }
    }
    void Notify() override {
        if (m_dialog == nullptr) {
            return;
        }
        if (!m_pressed) {
            m_pressed = true;
            m_sim.Char(m_accept ? WXK_RETURN : WXK_ESCAPE);
            StartOnce(5000);
            return;
        }
        // The key went nowhere: the test must not wait forever.
        ADD_FAILURE() << "the folder dialog did not take the key";
        m_dialog->EndModal(wxID_CANCEL);
    }

    bool m_accept;
    bool m_pressed = false;
    wxDialog* m_dialog = nullptr;
    std::function<void()> m_afterwards;
    wxUIActionSimulator m_sim;
};

class GenerateWindow : public MainFrameTest {
protected:
    void OpenDocument(const std::string& document = kDocument) {
        Start();
        testing_support::WriteFile(m_settings.dir().File("Guide.etf"), document);
        m_document = dynamic_cast<myDomainFile*>(
            m_manager->OpenDocumentFile(m_settings.dir().File("Guide.etf")));
        ASSERT_NE(m_document, nullptr);
        PumpEvents(200);
        m_tools = Bars().FindByBarId(5)->toolbar;
        m_box = dynamic_cast<wxComboBox*>(Bars().FindControl(kToolsGeneratorBox)->window);
        ASSERT_NE(m_box, nullptr);
    }

    void ChooseGenerator(const char* name) {
        m_frame->Raise();
        Click(m_box, wxPoint(20, m_box->GetSize().y / 2));
        m_sim.Text(name);
        PumpEvents(300);
    }

    void PressGenerate() {
        const wxRect tool = m_tools->GetToolRect(kToolsGenerate);
        Click(m_tools, tool.GetPosition() + wxPoint(tool.width / 2, tool.height / 2));
        PumpEvents(500);
    }

    myDomainFile* m_document = nullptr;
    wxAuiToolBar* m_tools = nullptr;
    wxComboBox* m_box = nullptr;
    testing_support::TempDir m_out;
};

TEST_F(GenerateWindow, ChosenGeneratorWritesItsPagesWithProgressShown) {
    OpenDocument();
    SetSetting("/TargetPath", m_out.path());
    EXPECT_FALSE(m_tools->GetToolEnabled(kToolsGenerate)) << "no generator chosen yet";
    ChooseGenerator("HTML");
    EXPECT_EQ(m_document->GetGeneratorName(), "HTML");
    EXPECT_TRUE(m_tools->GetToolEnabled(kToolsGenerate));

    testing_support::MessageRecorder messages;
    WatchedIndicators indicators(&Builder());
    FolderDialogAnswer answer(true);
    PressGenerate();
    EXPECT_TRUE(answer.seen) << "no folder dialog";
    EXPECT_TRUE(std::filesystem::exists(m_out.File("intro.htm")));
    EXPECT_TRUE(std::filesystem::exists(m_out.File("usage.htm")));
    EXPECT_TRUE(messages.Messages().empty());
    std::vector<int> progress;
    for (const auto& [name, value] : indicators.values) {
        if (name == "PROGRESS") {
            progress.push_back(value);
        }
    }
    EXPECT_EQ(progress, (std::vector<int>{0, 33, 66, 100, 0}));
    EXPECT_EQ(indicators.values.front(), (std::pair<std::string, int>{"MODE", kToolsGenerate}));
    EXPECT_EQ(Builder().GetStatusBar()->GetProgressBar()->GetValue(), 0) << "done";
}

TEST_F(GenerateWindow, AFailedRunIsReportedAndACancelledOneDoesNothing) {
    OpenDocument();
    ChooseGenerator("HTML");
    SetSetting("/TargetPath", m_out.path());
    testing_support::MessageRecorder messages;
    {
        FolderDialogAnswer answer(false);
        PressGenerate();
        EXPECT_TRUE(answer.seen);
    }
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_FALSE(std::filesystem::exists(m_out.File("intro.htm")));
    {
        // The folder is gone once chosen (another program took it): no page can be written.
        const std::string taken = m_out.File("taken");
        std::filesystem::create_directory(taken);
        SetSetting("/TargetPath", taken);
        FolderDialogAnswer answer(true, [taken] {
            std::filesystem::remove(taken);
            testing_support::WriteFile(taken, "a file now");
        });
        PressGenerate();
        EXPECT_TRUE(answer.seen);
    }
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Generating output failed."});

    // A name typed that names no generator does nothing at all after the folder is chosen.
    SetSetting("/TargetPath", m_out.path());
    ChooseGenerator("");
    m_sim.Char('A', wxMOD_CONTROL);
    m_sim.Text("PDF");
    PumpEvents(300);
    ASSERT_EQ(m_document->GetGeneratorName(), "PDF");
    {
        FolderDialogAnswer answer(true);
        PressGenerate();
        EXPECT_TRUE(answer.seen);
    }
    EXPECT_EQ(messages.Messages().size(), 1u);
}

TEST_F(GenerateWindow, LinksToSectionsThatAreGoneAreCountedInTheStatusBar) {
    // Two links to sections removed since, one to a section that is there.
    std::string body =
        "{\\rtf1 " + section_link::RtfField("{0000DEAD-0000-0000-0000-000000000001}", "a") +
        section_link::RtfField("{0000DEAD-0000-0000-0000-000000000002}", "b") +
        section_link::RtfField("{11111111-2222-3333-4444-777777777777}", "c") + "\\par}";
    std::string escaped;
    for (const char c : body) {
        escaped += c == '"' ? std::string("&quot;") : std::string(1, c);
    }
    OpenDocument(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document>"
        "<Section ID=\"{11111111-2222-3333-4444-555555555555}\" Title=\"Intro\" Text=\"" +
        escaped +
        "\"/><Section ID=\"{11111111-2222-3333-4444-777777777777}\" Title=\"Usage\"/>"
        "</Document>");
    SetSetting("/TargetPath", m_out.path());
    ChooseGenerator("HTML");
    {
        FolderDialogAnswer answer(true);
        PressGenerate();
        EXPECT_TRUE(answer.seen);
    }
    EXPECT_EQ(Builder().GetStatusBar()->GetStatusText(0).utf8_string(),
              "2 links point to sections that no longer exist.");
    const std::string page = testing_support::ReadFile(m_out.File("intro.htm"));
    EXPECT_NE(page.find("href=\"usage.htm\""), std::string::npos) << page;
    EXPECT_EQ(page.find("DEAD"), std::string::npos) << "the missing ones are text";
}

}  // namespace
