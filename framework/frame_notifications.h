#pragma once

#include <wx/event.h>

// Notifications of the windows the builder makes, to the main frame they belong to; the frame
// turns each into a posted command with the event's identifier, so that the command runs once
// the notification is over.
//
// A click on a task-panel item.
wxDECLARE_EVENT(ivEVT_TASK_ITEM_CLICKED, wxCommandEvent);
// A click on a control of a popup window (a colour selector, a notification's button). The
// event's integer travels with the command (the colour of a colour selector).
wxDECLARE_EVENT(ivEVT_POPUP_CONTROL_CLICKED, wxCommandEvent);

// Sends a notification of type with id and value to the top-level window of source.
void NotifyFrame(wxWindow* source, wxEventType type, int id, int value = 0);
