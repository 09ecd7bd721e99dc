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

// A name that stays a file inside the working folder.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// Removes the working folder, with whatever the library left in it, when it goes.
class WorkingFolder {
public:
    // A temporary folder named in the settings is made when it does not exist yet.
    explicit WorkingFolder(const std::string& parent)
        : m_path(platform::MakePrivateDirectory(parent)) {
        if (m_path.empty() && platform::MakeDirectories(parent)) {
            m_path = platform::MakePrivateDirectory(parent);
        }
    }
    ~WorkingFolder() {
        if (!m_path.empty()) {
            platform::RemoveDirectoryTree(m_path);
        }
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

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
    const std::string base = IsPlainName(name) ? name : platform::NewGuidString();
    // The files live in a folder of their own that nobody else can enter, so that nothing
    // planted beside them (a link named like the page) can redirect what is written.
    const WorkingFolder work(folder.empty() ? GetTempDirectory() : folder);
    if (work.path().empty()) {
        return {};
    }
    const std::string& dir = work.path();
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
    return ReadWholeFile(htmlPath);
}
