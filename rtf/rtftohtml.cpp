// librtftohtml.so: reads an RTF file, writes its HTML beside it into the given folder.

#include "rtf/rtftohtml.h"

#include "rtf/code_page.h"
#include "rtf/convert.h"
#include "rtf/metafile_renderer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// Reads a regular file; a pipe or a device is refused without waiting on it.
bool ReadFile(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (bytes.size() + static_cast<size_t>(n) > kMaxInputBytes) {
            ok = false;
            break;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return ok;
}

// Writes a file of the output folder. Only a plain file is replaced, by a new one: a link
// (which could lead out of the folder), a pipe or a device is refused, and a file with a
// second name elsewhere is not changed through this one.
bool WriteFile(const std::string& path, const std::string& bytes) {
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode) || ::unlink(path.c_str()) != 0) {
            return false;
        }
    }
    // Whatever appears at the name meanwhile makes this fail rather than be written through.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const char* p = bytes.data();
    size_t left = bytes.size();
    bool ok = true;
    while (ok && left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        if (ok) {
            p += n;
            left -= static_cast<size_t>(n);
        }
    }
    return ::close(fd) == 0 && ok;
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
