#pragma once

#include <wx/image.h>

// What the (virtual) screen shows, read back from the display server: the windows as they
// are painted now, without going through the event loop.
wxImage GrabScreen(const wxRect& rect);
