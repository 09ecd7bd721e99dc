#include "app/desktop_registration.h"

#include "platform/desktop.h"
#include "platform/file_io.h"
#include "platform/paths.h"

#include <cstdlib>
#include <utility>

namespace {

const char* const kMimePackageName = "quorvane-editor.xml";
const std::pair<const char*, const char*> kIcons[] = {{"apps", kApplicationIcon},
                                                      {"mimetypes", kEtfIcon}};

// A desktop entry's Exec argument: as it is when it holds only characters without a meaning
// there, else quoted, with the characters the format reserves escaped.
std::string QuoteExecArgument(const std::string& arg) {
    const bool plain = !arg.empty() && arg.find_first_not_of(
                                           "abcdefghijklmnopqrstuvwxyz"
                                           "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                           "0123456789/._+-") == std::string::npos;
    if (plain) {
        return arg;
    }
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += "\\\\";  // the backslash itself is escaped once more by the file format
            quoted += c;
        } else if (c == '%') {
            quoted += "%%";
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string ApplicationsFolder() {
    return UserDataDirectory() + "applications/";
}
std::string MimeFolder() {
    return UserDataDirectory() + "mime/";
}
std::string IconFile(const std::string& context, const std::string& name) {
    return UserDataDirectory() + "icons/hicolor/scalable/" + context + "/" + name + ".svg";
}

// The icons come from beside the program where it runs from its build folder; an installed
// editor has them in the system's icon theme already.
void CopyIcons(const std::string& executablePath) {
    const std::string dir = executablePath.substr(0, executablePath.rfind('/') + 1) + "icons/";
    for (const auto& [context, name] : kIcons) {
        std::string svg;
        if (platform::ReadWholeFileBytes(dir + name + ".svg", svg, nullptr, 1 << 20)) {
            const std::string target = IconFile(context, name);
            platform::MakeDirectories(target.substr(0, target.rfind('/') + 1));
            platform::WriteFileAtomically(target, svg);
        }
    }
}

void RefreshDesktopCaches() {
    platform::StartDetached({"update-mime-database", MimeFolder()});
    platform::StartDetached({"update-desktop-database", ApplicationsFolder()});
}

}  // namespace

std::string UserDataDirectory() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return platform::WithTrailingSeparator(xdg);
    }
    const char* home = std::getenv("HOME");
    return platform::WithTrailingSeparator(home != nullptr ? home : "/tmp") + ".local/share/";
}

std::string DesktopEntryText(const std::string& executablePath) {
    return std::string(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Quorvane Editor\n"
               "GenericName=Documentation Editor\n"
               "GenericName[de]=Dokumentationseditor\n"
               "Comment=Edit structured documentation\n"
               "Comment[de]=Strukturierte Dokumentation bearbeiten\n"
               "Exec=") +
           QuoteExecArgument(executablePath) + " %f\n" + "Icon=" + kApplicationIcon + "\n" +
           "Terminal=false\n"
           "StartupNotify=true\n"
           "MimeType=" +
           kEtfMimeType +
           ";\n"
           "Categories=Office;\n"
           "Keywords=documentation;help;manual;sections;HTML;CHM;\n";
}

std::string MimePackageText() {
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"") +
           kEtfMimeType +
           "\">\n"
           "    <sub-class-of type=\"application/xml\"/>\n"
           "    <comment>Quorvane Editor document</comment>\n"
           "    <comment xml:lang=\"de\">Quorvane-Editor-Dokument</comment>\n"
           "    <icon name=\"" +
           kEtfIcon +
           "\"/>\n"
           "    <glob pattern=\"*.etf\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

bool RegisterWithDesktop(const std::string& executablePath) {
    const std::string packages = MimeFolder() + "packages/";
    if (!platform::MakeDirectories(ApplicationsFolder()) || !platform::MakeDirectories(packages)) {
        return false;
    }
    if (!platform::WriteFileAtomically(ApplicationsFolder() + kDesktopEntryName,
                                       DesktopEntryText(executablePath)) ||
        !platform::WriteFileAtomically(packages + kMimePackageName, MimePackageText())) {
        return false;
    }
    CopyIcons(executablePath);
    RefreshDesktopCaches();
    platform::StartDetached({"xdg-mime", "default", kDesktopEntryName, kEtfMimeType});
    return true;
}

bool UnregisterFromDesktop() {
    platform::RemoveFile(ApplicationsFolder() + kDesktopEntryName);
    platform::RemoveFile(MimeFolder() + "packages/" + kMimePackageName);
    for (const auto& [context, name] : kIcons) {
        platform::RemoveFile(IconFile(context, name));
    }
    const bool gone = !platform::FileExists(ApplicationsFolder() + kDesktopEntryName) &&
                      !platform::FileExists(MimeFolder() + "packages/" + kMimePackageName);
    RefreshDesktopCaches();
    return gone;
}
