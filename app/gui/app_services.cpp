#include "app/gui/iv_app.h"
#include "core/command_ids.h"
#include "core/settings_keys.h"
#include "framework/doc_manager.h"
#include "platform/desktop.h"
#include "platform/file_io.h"

bool ivApp::StartTimer(int id, int milliseconds) {
    if (GetMainFrame() == nullptr) {
        return false;
    }
    auto& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<wxTimer>(this, id);
    }
    return timer->Start(milliseconds);
}

bool ivApp::StopTimer(int id) {
    if (GetMainFrame() == nullptr) {
        return false;
    }
    auto found = m_timers.find(id);
    if (found == m_timers.end()) {
        return false;
    }
    found->second->Stop();
    return true;
}

void ivApp::OnTimer(wxTimerEvent& event) {
    OnAppTimer(event.GetId());
}

void ivApp::SendCommand(int commandId, bool synchronous) {
    wxFrame* frame = GetMainFrame();
    if (frame == nullptr) {
        return;
    }
    wxCommandEvent command(wxEVT_MENU, commandId);
    command.SetEventObject(frame);
    if (synchronous) {
        frame->GetEventHandler()->ProcessEvent(command);
    } else {
        frame->GetEventHandler()->AddPendingEvent(command);
    }
}

bool ivApp::OpenURL(const std::string& url, bool activate) {
    ivMDIParentFrame* frame = GetMainFrame();
    if (ReadSettingNumber(settings::kUseExternalBrowser) == 0 && frame != nullptr &&
        frame->NavigateHtmlPane(url, activate)) {
        return true;
    }
    return OpenFile(url);
}

bool ivApp::ShowHTML(const std::string& html, bool activate) {
    const std::string path = GetTempDirectory() + m_appName + ".htm";
    if (!platform::WriteFileAtomically(path, html)) {
        return false;
    }
    return OpenURL(path, activate);
}

bool ivApp::ShellExecuteVerb(const std::string& verb, const std::string& file) {
    if (verb == "open") {
        return platform::OpenWithDesktop(file);
    }
    if (verb == "print") {
        return platform::PrintWithDesktop(file);
    }
    return false;
}
