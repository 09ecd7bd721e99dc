#include "rtf/writer_util.h"

#include <algorithm>
#include <cctype>

namespace rtf {

std::string CssFontName(std::string_view name) {
    std::string clean;
    for (const char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x80 || std::isalnum(u) || c == ' ' || c == '-' || c == '_' || c == '.') {
            clean += c;
        }
    }
    while (!clean.empty() && clean.back() == ' ') {
        clean.pop_back();
    }
    const size_t start = clean.find_first_not_of(' ');
    if (start == std::string::npos) {
        return {};
    }
    clean.erase(0, start);
    if (clean.find(' ') != std::string::npos ||
        std::isdigit(static_cast<unsigned char>(clean[0])) != 0) {
        return "'" + clean + "'";
    }
    return clean;
}

bool IsSafeLink(std::string_view target) {
    if (target.empty()) {
        return false;
    }
    // A scheme is letters, digits, '+', '-', '.' before the first ':' that precedes any
    // '/', '?' or '#'.
    size_t colon = std::string_view::npos;
    for (size_t i = 0; i < target.size(); ++i) {
        const char c = target[i];
        if (c == ':') {
            colon = i;
            break;
        }
        if (c == '/' || c == '?' || c == '#') {
            break;
        }
    }
    if (colon == std::string_view::npos) {
        return true;  // relative or an anchor
    }
    std::string scheme(target.substr(0, colon));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const char* const allowed[] = {"http", "https", "mailto", "ftp", "file", "news", "tel"};
    for (const char* a : allowed) {
        if (scheme == a) {
            return true;
        }
    }
    return false;
}

const char* PictureFormatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Png:
            return "png";
        case PictureFormat::Jpeg:
            return "jpeg";
        case PictureFormat::Emf:
            return "emf";
        case PictureFormat::Wmf:
            return "wmf";
        case PictureFormat::Bitmap:
            return "bitmap";
        case PictureFormat::MacPict:
            return "pict";
        case PictureFormat::Unknown:
            break;
    }
    return "unknown";
}

std::string PictureLabel(PictureFormat format) {
    std::string label = PictureFormatName(format);
    for (char& c : label) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return label + " picture";
}

void AppendBase64(std::string& out, std::string_view bytes) {
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    out.reserve(out.size() + (bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    const auto byte = [&](size_t k) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[k]));
    };
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t v = (byte(i) << 16) | (byte(i + 1) << 8) | byte(i + 2);
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += alphabet[(v >> 6) & 63];
        out += alphabet[v & 63];
    }
    if (i + 1 == bytes.size()) {
        const uint32_t v = byte(i) << 16;
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += "==";
    } else if (i + 2 == bytes.size()) {
        const uint32_t v = (byte(i) << 16) | (byte(i + 1) << 8);
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += alphabet[(v >> 6) & 63];
        out += '=';
    }
}

const TableCell* CellAtColumn(const TableRow& row, int column) {
    int at = row.gridBefore;
    for (const TableCell& cell : row.cells) {
        if (at == column) {
            return &cell;
        }
        if (at > column) {
            return nullptr;
        }
        at += std::max(1, cell.colSpan);
    }
    return nullptr;
}

}  // namespace rtf
