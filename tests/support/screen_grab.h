#pragma once

#include <wx/image.h>

#include <string>

// What the (virtual) screen shows, read back from the display server: the windows as they
// are painted now, without going through the event loop.
wxImage GrabScreen(const wxRect& rect);

// The whole screen as a PNG file at path; false when it cannot be written.
bool SaveScreenshot(const std::string& path);
