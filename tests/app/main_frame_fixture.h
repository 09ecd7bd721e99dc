#pragma once

#include "core/app_registry.h"
#include "core/command_ids.h"
#include "framework/command_bars.h"
#include "framework/command_builder.h"
#include "framework/doc_manager.h"
#include "framework/mdi_frames.h"
#include "framework/paint_theme.h"
#include "tests/app/gui_test_app.h"
#include "tests/support/test_support.h"
#include "views/domain_file.h"
#include "views/section_list_view.h"
#include "views/splitter_frame.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include <vector>

// Main windows with the editor's command bars and document windows, started and closed the way the
// program does, on settings and a registry store of the test's own.
class MainFrameTest : public testing::Test {
protected:
    void SetUp() override {
        SetAppRegistryPath(m_settings.dir().File("registry.conf"));
        m_manager = new ivDocManager(4);
        AddTemplate();
    }

    void TearDown() override {
        if (m_frame != nullptr) {
            m_manager->CloseDocuments(true);
        }
        DestroyMainWindow(m_frame, m_manager);
        m_frame = nullptr;
        paint_theme::Set(paint_theme::kNative);
    }

    void AddTemplate() {
        new ivDocTemplate(m_manager, "File", "*.etf", "", "etf", "Editor.File", "Editor File",
                          wxCLASSINFO(myDomainFile), wxCLASSINFO(myReportView),
                          wxCLASSINFO(mySplitterFrame));
    }

    // Starts the main window as the program does, under theme.
    ivMDIParentFrame* Start(int theme = paint_theme::kNative) {
        paint_theme::Set(theme);
        m_frame = new ivMDIParentFrame;
        if (!m_frame->Create(m_manager, nullptr, wxID_ANY, "Quorvane Editor", wxPoint(0, 0),
                             wxSize(1000, 700))) {
            ADD_FAILURE() << "the main window was not created";
        }
        wxTheApp->SetTopWindow(m_frame);
        m_frame->Show();
        PumpEvents(150);
        return m_frame;
    }

    // Closes the main window as the user does; the document types go with it, as at exit,
    // so a later Start finds them again.
    void Quit() {
        m_frame->Close(true);
        PumpEvents(100);
        wxTheApp->SetTopWindow(nullptr);
        m_frame = nullptr;
        AddTemplate();
    }

    // Takes the main window down without closing it (nothing is saved).
    void Discard() {
        m_frame->Destroy();
        PumpEvents();
        wxTheApp->SetTopWindow(nullptr);
        m_frame = nullptr;
    }

    ivCommandBuilder& Builder() { return m_frame->GetBuilder(); }
    ivCommandBars& Bars() { return *Builder().GetCommandBars(); }

    // Counts the commands that reach the main window, by identifier.
    void Record(std::initializer_list<int> ids) {
        for (int id : ids) {
            m_frame->Bind(
                wxEVT_MENU, [this](wxCommandEvent& event) { m_commands.push_back(event.GetId()); },
                id);
        }
    }

    // Clicks into the document area, so that keys go to the main window.
    void FocusMainWindow() {
        m_frame->Raise();
        PumpEvents();
        wxWindow* client = m_frame->GetClientWindow();
        m_sim.MouseMove(client->GetScreenRect().GetPosition() + wxPoint(200, 200));
        PumpEvents();
        m_sim.MouseClick();
        PumpEvents();
        client->SetFocus();
        PumpEvents();
    }

    void Click(wxWindow* window, wxPoint at) {
        m_sim.MouseMove(window->ClientToScreen(at));
        PumpEvents();
        m_sim.MouseClick();
        PumpEvents(150);
    }

    testing_support::IsolatedSettings m_settings;
    ivDocManager* m_manager = nullptr;
    ivMDIParentFrame* m_frame = nullptr;
    std::vector<int> m_commands;
    wxUIActionSimulator m_sim;
};
