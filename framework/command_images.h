#pragma once

#include <wx/bmpbndl.h>
#include <wx/colour.h>

// Images by identifier: the command identifiers that have a 16×16 image (core/command_ids.h)
// and the few images the framework shows beside them (the section body image 137). The
// desktop theme's icon where it has a fitting one, an image shipped with the program
// otherwise. size is the size the bundle is made for (16 in menus and toolbars, 24 for large
// icons, 32 in the ribbon); it scales for other resolutions. An empty bundle for an
// identifier without an image.
wxBitmapBundle GetCommandImage(int id, const wxSize& size = wxSize(16, 16));
bool HasCommandImage(int id);

// The image of a colour picker (font colour, highlight) with its colour bar in colour; an
// invalid colour shows the picker's automatic colour.
wxBitmapBundle GetColourPickerImage(int id, const wxColour& colour,
                                    const wxSize& size = wxSize(16, 16));

// An image shipped with the program by its name (framework/images), for what is no command.
wxBitmapBundle GetShippedImage(const char* name, const wxSize& size = wxSize(16, 16));

// The automatic colour of a colour picker: black text, yellow highlight.
wxColour AutomaticPickerColour(int id);
