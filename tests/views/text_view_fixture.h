#pragma once

#include "core/command_ids.h"
#include "core/settings.h"
#include "tests/support/gui_test_support.h"
#include "tests/support/test_support.h"
#include "views/text_view.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/sizer.h>

// A frame holding one section text view, with settings of its own.
class TextViewFixture : public testing::Test {
protected:
    void SetUp() override {
        m_frame = new wxFrame(nullptr, wxID_ANY, "Text view", wxDefaultPosition, wxSize(640, 480));
        m_frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        RecreateView("");
        m_frame->Show();
        PumpEvents();
    }

    void TearDown() override {
        m_frame->Destroy();
        PumpEvents();
    }

    void RecreateView(const std::string& forceOld) {
        if (m_view != nullptr) {
            m_view->Destroy();
        }
        SetSetting("/ForceOldRichEdit", forceOld);
        m_view = new myTextView(m_frame, wxID_ANY);
        m_view->EnableView(true);
        m_frame->GetSizer()->Clear();
        m_frame->GetSizer()->Add(m_view, 1, wxEXPAND);
        m_frame->Layout();
    }

    // A command as the command bars send it, with the integer a picker carries.
    void Command(int id, int value = 0) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetInt(value);
        event.SetEventObject(m_view);
        m_view->ProcessWindowEventLocally(event);
    }

    // The state a bar button would show for command id.
    wxUpdateUIEvent Update(int id) {
        wxUpdateUIEvent event(id);
        event.SetEventObject(m_view);
        m_view->ProcessWindowEventLocally(event);
        return event;
    }

    testing_support::IsolatedSettings m_settings;
    wxFrame* m_frame = nullptr;
    myTextView* m_view = nullptr;
};
