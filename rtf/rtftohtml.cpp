// librtftohtml.so: reads an RTF file, writes its HTML beside it into the given folder.

#include "rtf/rtftohtml.h"

#include "rtf/code_page.h"
#include "rtf/convert.h"
#include "rtf/metafile_renderer.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

// Input larger than this is refused rather than read into memory.
constexpr size_t kMaxInputBytes = size_t{1} << 30;

std::string FieldText(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

// Text from the record made valid UTF-8, so that a title cut in the middle of a character
// cannot produce a broken page.
std::string ValidUtf8(const std::string& text) {
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        rtf::AppendUtf8(out, rtf::NextUtf8(text, pos));
    }
    return out;
}

bool ReadFile(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + n > kMaxInputBytes) {
            ok = false;
            break;
        }
        bytes.append(buffer, n);
    }
    ok = ok && std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

int Convert(const char* rtfPath, const char* outFolder, const RtfToHtmlOptions& options) {
    if (rtfPath == nullptr || outFolder == nullptr) {
        return kRtfToHtmlBadArguments;
    }
    const std::string path(rtfPath, strnlen(rtfPath, kRtfToHtmlPathBytes));
    std::string folder(outFolder, strnlen(outFolder, kRtfToHtmlPathBytes));
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    std::string base = path.substr(path.rfind('/') + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        base.erase(dot);
    }
    std::string extension = FieldText(options.extension, sizeof options.extension);
    if (extension.empty()) {
        extension = ".htm";
    }
    // The output stays inside the folder: no separators in what is appended to it.
    if (base.empty() || extension.find('/') != std::string::npos) {
        return kRtfToHtmlBadArguments;
    }

    std::string rtf;
    if (!ReadFile(path, rtf)) {
        return kRtfToHtmlCannotRead;
    }
    rtf::HtmlOptions html;
    html.fragment = options.templateContent != 0;
    html.title = ValidUtf8(FieldText(options.title, sizeof options.title));
    html.defaultFontFamily = ValidUtf8(FieldText(options.fontFace, sizeof options.fontFace));
    html.defaultFontSize = ValidUtf8(FieldText(options.fontSize, sizeof options.fontSize));
    html.pictures = options.pictureFiles != 0 ? rtf::PictureMode::Files : rtf::PictureMode::DataUri;
    html.pictureBaseName = base;
    const rtf::MetafileRenderer renderer;
    html.renderer = &renderer;
    std::vector<rtf::HtmlFile> files;
    const std::string page = rtf::RtfToHtml(rtf, html, &files);
    for (const rtf::HtmlFile& file : files) {
        if (!WriteFile(folder + file.name, file.bytes)) {
            return kRtfToHtmlCannotWrite;
        }
    }
    return WriteFile(folder + base + extension, page) ? kRtfToHtmlOk : kRtfToHtmlCannotWrite;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int rtftohtml_file(const char* rtfPath,
                                                                     const char* outFolder,
                                                                     RtfToHtmlOptions options) {
    try {
        return Convert(rtfPath, outFolder, options);
    } catch (const std::bad_alloc&) {
        return kRtfToHtmlFailed;
    } catch (...) {
        return kRtfToHtmlFailed;
    }
}
