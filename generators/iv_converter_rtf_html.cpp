#include "generators/iv_converter_rtf_html.h"

#include "core/directories.h"
#include "generators/file_util.h"
#include "platform/dynamic_library.h"
#include "platform/file_io.h"
#include "platform/guid.h"
#include "platform/paths.h"
#include "rtf/rtftohtml.h"

#include <cstring>
#include <vector>

wxIMPLEMENT_DYNAMIC_CLASS(ivConverter_RTF_HTML, ivObject);

namespace {

// Copies text into a fixed field with its NUL; false when it does not fit.
bool CopyField(char* field, size_t size, const std::string& text) {
    if (text.size() >= size) {
        return false;
    }
    std::memcpy(field, text.c_str(), text.size() + 1);
    return true;
}

// A title longer than its field is cut at a character boundary, leaving room for the NUL.
std::string CutTitle(const std::string& title, size_t size) {
    if (title.size() < size) {
        return title;
    }
    size_t end = size - 1;
    while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) {
        --end;  // title[end] continues a character that began before it
    }
    return title.substr(0, end);
}

bool LoadLibrary(platform::DynamicLibrary& library, const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return library.Load(name);
    }
    return library.Load(platform::ExecutableDirectory() + name) || library.Load(name);
}

}  // namespace

std::string ivConverter_RTF_HTML::Convert(const std::string& rtf, const std::string& folder,
                                          const std::string& name, const std::string& title,
                                          uint32_t flags) {
    const std::string base = name.empty() ? platform::NewGuidString() : name;
    const std::string dir = folder.empty() ? GetTempDirectory() : folder;
    const std::string rtfPath = dir + base + ".rtf";
    const std::string htmlPath = dir + base + ".htm";
    WriteWholeFile(rtfPath, rtf);

    // The library is loaded for this one call and released right after it.
    platform::DynamicLibrary library;
    if (!LoadLibrary(library, m_libraryName)) {
        return {};
    }
    const auto convert = reinterpret_cast<RtfToHtmlFileFunction>(library.Symbol("rtftohtml_file"));
    if (convert == nullptr) {
        return {};
    }

    RtfToHtmlOptions options;
    std::memset(&options, 0, sizeof options);
    options.flags = static_cast<int32_t>(flags & 3);
    CopyField(options.title, sizeof options.title, CutTitle(title, sizeof options.title));
    CopyField(options.extension, sizeof options.extension, ".htm");
    CopyField(options.fontFace, sizeof options.fontFace, "Tahoma");
    CopyField(options.fontSize, sizeof options.fontSize, "10");
    for (int i = 0; i < 6; ++i) {
        options.switches[i] = 1;
    }
    options.switches[6] = 9;
    options.templateContent = (flags & kTemplateContent) != 0 ? 1 : 0;
    // A folder too long for its field leaves the field empty; the argument carries it.
    CopyField(options.outputFolder, sizeof options.outputFolder, dir);
    CopyField(options.reserved728, sizeof options.reserved728, "ts");
    options.pictureFiles = 0;
    options.reserved976 = 1;

    // Paths that do not fit the library's buffers are refused rather than cut, which could
    // name another file.
    std::vector<char> rtfBuffer(kRtfToHtmlPathBytes, '\0');
    std::vector<char> folderBuffer(kRtfToHtmlPathBytes, '\0');
    if (!CopyField(rtfBuffer.data(), rtfBuffer.size(), rtfPath) ||
        !CopyField(folderBuffer.data(), folderBuffer.size(), dir)) {
        return {};
    }
    const int result = convert(rtfBuffer.data(), folderBuffer.data(), options);
    library.Unload();
    if (result != 0) {
        return {};
    }
    std::string html = ReadWholeFile(htmlPath);
    platform::RemoveFile(rtfPath);
    platform::RemoveFile(htmlPath);
    return html;
}
