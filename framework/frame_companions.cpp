#include "framework/frame_companions.h"

#include "core/command_ids.h"
#include "framework/frame_notifications.h"

#include <wx/frame.h>
#include <wx/textentry.h>

ivFrameCompanions::ivFrameCompanions(wxFrame& frame)
    : m_frame(frame), m_services(false), m_site(&frame, &m_builder) {}

ivFrameCompanions::~ivFrameCompanions() {
    m_site.OnFrameDestroyed();
}

void ivFrameCompanions::Attach() {
    m_builder.AttachFrame(&m_site);
}

bool ivFrameCompanions::Create() {
    if (!m_services.InitBars(&m_frame, false) || !m_site.DefineCommands() ||
        !m_services.LoadCommandBarsLayout(&m_frame) || !m_site.FillCommandLists()) {
        return false;
    }
    m_frame.Bind(wxEVT_CLOSE_WINDOW, &ivFrameCompanions::OnClose, this);
    m_frame.Bind(wxEVT_SHOW, &ivFrameCompanions::OnShow, this);
    m_frame.Bind(ivEVT_TASK_ITEM_CLICKED, &ivFrameCompanions::OnNotification, this);
    m_frame.Bind(ivEVT_POPUP_CONTROL_CLICKED, &ivFrameCompanions::OnNotification, this);
    m_frame.Bind(wxEVT_MENU, &ivFrameCompanions::OnCustomize, this, command_id::kCustomize);
    m_frame.Bind(wxEVT_CHAR_HOOK, &ivFrameCompanions::OnCharHook, this);
    return true;
}

void ivFrameCompanions::OnClose(wxCloseEvent& event) {
    m_services.SaveLayout(&m_frame);
    event.Skip();
}

void ivFrameCompanions::OnShow(wxShowEvent& event) {
    event.Skip();
    if (event.IsShown() && m_services.HasLoadedLayouts()) {
        m_frame.CallAfter([this] { m_services.ApplyLoadedLayouts(&m_frame); });
    }
}

void ivFrameCompanions::OnNotification(wxCommandEvent& event) {
    if (event.GetId() == 0) {
        return;
    }
    // Posted: the command runs once the window that told us is done with its click.
    auto* command = new wxCommandEvent(wxEVT_MENU, event.GetId());
    command->SetInt(event.GetInt());
    command->SetEventObject(&m_frame);
    wxQueueEvent(m_frame.GetEventHandler(), command);
}

void ivFrameCompanions::OnCustomize(wxCommandEvent&) {
    m_services.Customize(&m_frame);
}

void ivFrameCompanions::OnCharHook(wxKeyEvent& event) {
    // A shortcut of Cut, Copy, Paste or Delete typed into a text box edits the box: the
    // document's commands of the same keys are meant for the documents.
    auto* entry = dynamic_cast<wxTextEntry*>(wxWindow::FindFocus());
    const wxAcceleratorTable* table = m_frame.GetAcceleratorTable();
    const int command = entry != nullptr && table != nullptr ? table->GetCommand(event) : -1;
    using namespace command_id;
    if (command != kEditCut && command != kEditCopy && command != kEditPaste &&
        command != kEditDelete) {
        event.Skip();
        return;
    }
    if (command == kEditCopy) {
        entry->Copy();
        return;
    }
    if (!entry->IsEditable()) {
        return;
    }
    if (command == kEditCut) {
        entry->Cut();
    } else if (command == kEditPaste) {
        entry->Paste();
    } else {
        long from = 0;
        long to = 0;
        entry->GetSelection(&from, &to);
        if (from == to && from < entry->GetLastPosition()) {
            to = from + 1;
        }
        if (from != to) {
            entry->Remove(from, to);
        }
    }
}

ivChildFrameCompanions::ivChildFrameCompanions(wxFrame& frame)
    : m_frame(frame), m_services(true), m_site(&frame, nullptr) {}

bool ivChildFrameCompanions::Create() {
    return m_services.InitBars(&m_frame, false) && m_site.DefineCommands() &&
           m_services.LoadCommandBarsLayout(&m_frame) && m_site.FillCommandLists();
}
