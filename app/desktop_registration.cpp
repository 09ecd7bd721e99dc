#include "app/desktop_registration.h"

#include "platform/desktop.h"
#include "platform/file_io.h"
#include "platform/paths.h"

#include <cstdlib>

namespace {

const char* const kMimePackageName = "quorvane-editor.xml";

// A desktop entry's Exec argument: quoted, with the characters the format reserves escaped.
std::string QuoteExecArgument(const std::string& arg) {
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
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quorvane Editor\n"
           "Comment=Edit structured documentation\n"
           "Exec=" +
           QuoteExecArgument(executablePath) +
           " %f\n"
           "Icon=accessories-text-editor\n"
           "Terminal=false\n"
           "MimeType=" +
           kEtfMimeType +
           ";\n"
           "Categories=Office;TextEditor;\n";
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
    RefreshDesktopCaches();
    platform::StartDetached({"xdg-mime", "default", kDesktopEntryName, kEtfMimeType});
    return true;
}

bool UnregisterFromDesktop() {
    platform::RemoveFile(ApplicationsFolder() + kDesktopEntryName);
    platform::RemoveFile(MimeFolder() + "packages/" + kMimePackageName);
    const bool gone = !platform::FileExists(ApplicationsFolder() + kDesktopEntryName) &&
                      !platform::FileExists(MimeFolder() + "packages/" + kMimePackageName);
    RefreshDesktopCaches();
    return gone;
}
