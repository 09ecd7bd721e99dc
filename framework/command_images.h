#pragma once

#include <wx/bmpbndl.h>

// Images by identifier: command identifiers (core/command_ids.h) and the few images the
// framework shows beside them (kSectionBodyImage). The desktop theme's icon where it has one,
// wxWidgets' own otherwise; an empty bundle for an identifier without an image.
wxBitmapBundle GetCommandImage(int id, const wxSize& size = wxSize(16, 16));
bool HasCommandImage(int id);
