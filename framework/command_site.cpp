#include "framework/command_site.h"

#include <wx/app.h>
#include <wx/frame.h>

ivApplicationHooks* GetApplicationHooks() {
    return dynamic_cast<ivApplicationHooks*>(wxApp::GetInstance());
}

ivCommandSite::ivCommandSite(wxFrame* frame, ivCommandBuilder* builder)
    : m_frame(frame), m_builder(builder) {}

wxClassInfo* ivCommandSite::GetFrameClass() {
    return m_frame != nullptr ? m_frame->GetClassInfo() : nullptr;
}

bool ivCommandSite::DefineCommands() {
    if (m_builder == nullptr) {
        return true;
    }
    ivApplicationHooks* hooks = GetApplicationHooks();
    return hooks == nullptr || hooks->OnCreateCommands(this);
}

bool ivCommandSite::FillCommandLists() {
    if (m_builder == nullptr) {
        return true;
    }
    ivApplicationHooks* hooks = GetApplicationHooks();
    return hooks == nullptr || hooks->OnFillCommandLists(this);
}
