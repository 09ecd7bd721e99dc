#pragma once

#include "rtf/model.h"

#include <string>

namespace rtf {

// Draws pictures that browsers cannot show (metafiles) as PNG. Writers take one where they
// have it; without one such pictures stay placeholders.
class PictureRenderer {
public:
    virtual ~PictureRenderer() = default;
    // A PNG of width by height pixels, or false when the picture cannot be drawn.
    virtual bool RenderPng(const Picture& picture, int width, int height,
                           std::string& png) const = 0;
};

// A device-independent bitmap as stored in RTF (\dibitmap: a BITMAPINFO and its bits) as a
// .bmp file; empty when the header makes no sense.
std::string DibToBmp(const std::string& dib);

// Whether the data of a WMF or EMF picture is whole: its header names its own kind and a size
// that the data has. Word processors show a broken picture as an error box.
bool IsWholeMetafile(const Picture& picture);

// A Windows metafile as stored in RTF (no placeable header) with the placeable header that
// standalone .wmf files carry, sized to the display size in twips. Data that already has
// one, or is no metafile, comes back unchanged.
std::string PlaceableWmf(const std::string& wmf, int widthTwips, int heightTwips);

}  // namespace rtf
