#pragma once

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/dirdlg.h>
#include <wx/modalhook.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>

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
