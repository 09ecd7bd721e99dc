#include "rtf/image_size.h"

namespace rtf {

namespace {

uint32_t BigEndian(const std::string& data, size_t at, size_t bytes) {
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i) {
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    }
    return value;
}

}  // namespace

void ImagePixelSize(PictureFormat format, const std::string& data, int& width, int& height) {
    const auto set = [&](uint32_t w, uint32_t h) {
        if (w > 0 && h > 0 && w < 65536 && h < 65536) {
            width = static_cast<int>(w);
            height = static_cast<int>(h);
        }
    };
    if (format == PictureFormat::Png) {
        if (data.size() >= 24 && data.compare(12, 4, "IHDR") == 0) {
            set(BigEndian(data, 16, 4), BigEndian(data, 20, 4));
        }
        return;
    }
    if (format != PictureFormat::Jpeg) {
        return;
    }
    size_t at = 2;
    while (at + 9 < data.size() && static_cast<unsigned char>(data[at]) == 0xFF) {
        const unsigned marker = static_cast<unsigned char>(data[at + 1]);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            set(BigEndian(data, at + 7, 2), BigEndian(data, at + 5, 2));
            return;
        }
        at += 2 + BigEndian(data, at + 2, 2);
    }
}

}  // namespace rtf
