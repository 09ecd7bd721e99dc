#include "generators/page_pictures.h"

#include <cstdint>
#include <string_view>

namespace {

// The value of a base64 digit; -1 for a character that is none.
int Base64Digit(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    return c == '+' ? 62 : c == '/' ? 63 : -1;
}

bool DecodeBase64(std::string_view text, std::string& out) {
    uint32_t bits = 0;
    int count = 0;
    size_t padding = 0;
    for (const char c : text) {
        if (c == '=') {
            ++padding;
            continue;
        }
        const int digit = Base64Digit(c);
        if (digit < 0 || padding > 0) {
            return false;
        }
        bits = (bits << 6) | static_cast<uint32_t>(digit);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<char>((bits >> count) & 255));
        }
    }
    return padding <= 2;
}

const char* ExtensionOf(std::string_view mime) {
    if (mime == "image/png") {
        return "png";
    }
    if (mime == "image/jpeg") {
        return "jpg";
    }
    if (mime == "image/bmp") {
        return "bmp";
    }
    return mime == "image/gif" ? "gif" : nullptr;
}

}  // namespace

std::string MovePicturesIntoFiles(const std::string& html, const std::string& base,
                                  std::vector<ivPageFile>& files) {
    static constexpr std::string_view kSource = "<img src=\"data:";
    if (html.find(kSource) == std::string::npos) {
        return html;
    }
    std::string out;
    out.reserve(html.size());
    size_t start = 0;
    int number = 0;
    for (size_t at = html.find(kSource); at != std::string::npos; at = html.find(kSource, start)) {
        const size_t value = at + kSource.size() - 5;  // at "data:"
        const size_t end = html.find('"', value);
        if (end == std::string::npos) {
            break;
        }
        const std::string_view uri = std::string_view(html).substr(value + 5, end - value - 5);
        const size_t marker = uri.find(";base64,");
        const char* extension =
            marker == std::string_view::npos ? nullptr : ExtensionOf(uri.substr(0, marker));
        ivPageFile file;
        if (extension == nullptr || !DecodeBase64(uri.substr(marker + 8), file.bytes)) {
            out.append(html, start, end - start);
            start = end;
            continue;
        }
        file.name = base + "_" + std::to_string(++number) + "." + extension;
        out.append(html, start, value - start);
        out.append(file.name);
        files.push_back(std::move(file));
        start = end;
    }
    out.append(html, start, std::string::npos);
    return out;
}
