#pragma once

#include "rtf/model.h"

#include <string>

namespace rtf {

// The pixel size of a PNG (from its header) or a JPEG (from its frame header); width and
// height stay as they are when the data does not tell.
void ImagePixelSize(PictureFormat format, const std::string& data, int& width, int& height);

}  // namespace rtf
