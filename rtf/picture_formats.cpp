#include "rtf/picture_renderer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace rtf {

namespace {

uint32_t Le(const std::string& data, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(data[at + static_cast<size_t>(i)]);
    }
    return v;
}

void PutLe(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((v >> (8 * i)) & 255));
    }
}

// Windows metafile records: SetWindowOrg and SetWindowExt.
constexpr uint16_t kSetWindowOrg = 0x020B;
constexpr uint16_t kSetWindowExt = 0x020C;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;

}  // namespace

std::string DibToBmp(const std::string& dib) {
    if (dib.size() < 40) {
        return {};
    }
    const uint32_t headerSize = Le(dib, 0, 4);
    if (headerSize < 12 || headerSize > dib.size()) {
        return {};
    }
    uint32_t bitCount = 0;
    uint32_t colors = 0;
    uint32_t compression = 0;
    if (headerSize == 12) {  // BITMAPCOREHEADER
        bitCount = Le(dib, 10, 2);
    } else {
        bitCount = Le(dib, 14, 2);
        compression = Le(dib, 16, 4);
        colors = Le(dib, 32, 4);
    }
    if (bitCount == 0 || bitCount > 32) {
        return {};
    }
    const uint32_t entry = headerSize == 12 ? 3 : 4;
    if (colors == 0 && bitCount <= 8) {
        colors = 1u << bitCount;
    }
    // Bit-field masks follow a 40-byte header for 16- and 32-bit pictures.
    const uint32_t masks = headerSize == 40 && (compression == 3 || compression == 6)
                               ? (compression == 3 ? 12 : 16)
                               : 0;
    const uint64_t offset = 14 + uint64_t{headerSize} + masks + uint64_t{colors} * entry;
    if (offset > 14 + dib.size()) {
        return {};
    }
    std::string bmp = "BM";
    PutLe(bmp, static_cast<uint32_t>(14 + dib.size()), 4);
    PutLe(bmp, 0, 4);
    PutLe(bmp, static_cast<uint32_t>(offset), 4);
    bmp += dib;
    return bmp;
}

bool IsWholeMetafile(const Picture& picture) {
    const std::string& data = picture.data;
    if (picture.format == PictureFormat::Emf) {
        // EMR_HEADER: type 1, its size, bounds and frame, then " EMF" and the file's size.
        return data.size() >= 88 && Le(data, 0, 4) == 1 && Le(data, 40, 4) == 0x464D4520u &&
               Le(data, 48, 4) <= data.size();
    }
    if (picture.format == PictureFormat::Wmf) {
        size_t at = 0;
        if (data.size() >= 22 && Le(data, 0, 4) == kPlaceableKey) {
            at = 22;
        }
        if (data.size() < at + 18) {
            return false;
        }
        const uint32_t type = Le(data, at, 2);
        const uint32_t headerWords = Le(data, at + 2, 2);
        const uint64_t words = Le(data, at + 6, 4);
        return (type == 1 || type == 2) && headerWords == 9 && words * 2 <= data.size() - at;
    }
    return false;
}

std::string PlaceableWmf(const std::string& wmf, int widthTwips, int heightTwips) {
    if (wmf.size() < 18 || Le(wmf, 0, 4) == kPlaceableKey) {
        return wmf;
    }
    const uint32_t type = Le(wmf, 0, 2);
    const uint32_t headerWords = Le(wmf, 2, 2);
    if ((type != 1 && type != 2) || headerWords != 9) {
        return wmf;
    }
    // The logical extent is what SetWindowExt says; pictures without one draw in twips.
    int32_t orgX = 0, orgY = 0;
    int32_t extX = 0, extY = 0;
    size_t at = 18;
    for (int records = 0; at + 6 <= wmf.size() && records < 100000; ++records) {
        const uint32_t words = Le(wmf, at, 4);
        const uint32_t function = Le(wmf, at + 4, 2);
        if (words < 3 || at + uint64_t{words} * 2 > wmf.size()) {
            break;
        }
        if ((function == kSetWindowExt || function == kSetWindowOrg) && words >= 5) {
            const auto y = static_cast<int16_t>(Le(wmf, at + 6, 2));
            const auto x = static_cast<int16_t>(Le(wmf, at + 8, 2));
            if (function == kSetWindowExt) {
                extX = x;
                extY = y;
            } else {
                orgX = x;
                orgY = y;
            }
        }
        if (function == 0) {
            break;  // the end record
        }
        at += size_t{words} * 2;
    }
    if (extX == 0 || extY == 0) {
        extX = std::max(1, widthTwips);
        extY = std::max(1, heightTwips);
    }
    // Units per inch such that the extent is the display size.
    const int width = std::max(1, widthTwips);
    const int64_t inch = std::clamp<int64_t>(int64_t{std::abs(extX)} * 1440 / width, 1, 65535);
    std::string header;
    PutLe(header, kPlaceableKey, 4);
    PutLe(header, 0, 2);  // handle
    const auto left = static_cast<int16_t>(std::clamp(orgX, -32768, 32767));
    const auto top = static_cast<int16_t>(std::clamp(orgY, -32768, 32767));
    const auto right = static_cast<int16_t>(std::clamp(orgX + extX, -32768, 32767));
    const auto bottom = static_cast<int16_t>(std::clamp(orgY + extY, -32768, 32767));
    for (const int16_t v : {left, top, right, bottom}) {
        PutLe(header, static_cast<uint16_t>(v), 2);
    }
    PutLe(header, static_cast<uint32_t>(inch), 2);
    PutLe(header, 0, 4);  // reserved
    uint16_t checksum = 0;
    for (size_t i = 0; i + 1 < header.size(); i += 2) {
        checksum ^= static_cast<uint16_t>(Le(header, i, 2));
    }
    PutLe(header, checksum, 2);
    return header + wmf;
}

}  // namespace rtf
