#pragma once

#include <string>

class wxApp;
class wxDocManager;
class wxFrame;
class wxPoint;
class wxWindow;

// Support of the window tests, which run under a virtual display with a main of their own
// (gui_test_main.cpp). Each such test program defines CreateGuiTestApp.

// The application object of the program's window tests.
wxApp* CreateGuiTestApp();
// An application object for window tests that need nothing of the program's own: messages to
// standard error, every image format known.
wxApp* CreatePlainGuiTestApp();

// Lets pending events and idle work run for a while.
void PumpEvents(int milliseconds = 50);

// Ends a test's main window and document manager in the order the program does: closed
// document windows go first (as at idle time), then the main window, then the manager and
// the per-user store.
void DestroyMainWindow(wxFrame* frame, wxDocManager* manager);

// Moves the pointer to a point of window (client coordinates) and clicks there as a person
// does, with the left or the right button.
void ClickAt(wxWindow& window, const wxPoint& point, bool right = false);

// Writes what the screen shows to a PNG file in the build's screenshot folder; returns its
// path.
std::string SaveScreenshot(const std::string& name);
