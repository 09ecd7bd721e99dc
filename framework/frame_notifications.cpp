#include "framework/frame_notifications.h"

#include <wx/toplevel.h>

wxDEFINE_EVENT(ivEVT_TASK_ITEM_CLICKED, wxCommandEvent);
wxDEFINE_EVENT(ivEVT_POPUP_CONTROL_CLICKED, wxCommandEvent);

void NotifyFrame(wxWindow* source, wxEventType type, int id, int value) {
    wxWindow* frame = source != nullptr ? wxGetTopLevelParent(source) : nullptr;
    if (frame == nullptr) {
        return;
    }
    wxCommandEvent notification(type, id);
    notification.SetInt(value);
    notification.SetEventObject(source);
    frame->GetEventHandler()->ProcessEvent(notification);
}
