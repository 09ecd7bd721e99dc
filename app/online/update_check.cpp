#include "app/online/update_check.h"

#include "core/identity.h"
#include "core/messages.h"
#include "core/system_info.h"
#include "core/translate.h"
#include "document/iv_xml.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The installer is handed to the desktop; only web addresses may go there, never a local
// program or another scheme a forged manifest might name.
bool IsWebUrl(const std::string& url) {
    const std::string lower = Lower(url);
    return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

bool MatchesValue(ivXML& xml, const char* element, const std::string& value) {
    return xml.SelectWhere(element, "VALUE", value, ivData::SELECT_ATTRIBUTE);
}

// The CODEBASE of an IMPLEMENTATION (the cursor stands on it) that fits the inputs; empty
// otherwise. The cursor ends where it started.
std::string MatchingCodebase(ivXML& xml, const UpdateInputs& in) {
    std::string href;
    if (MatchesValue(xml, "PROCESSOR", in.processor)) {
        xml.GoParent();
        if (MatchesValue(xml, "OS", in.system)) {
            xml.GoParent();
            if (MatchesValue(xml, "LANGUAGE", in.language)) {
                xml.GoParent();
                if (xml.Select("CODEBASE")) {
                    href = xml.GetAttribute("HREF");
                    xml.GoParent();
                }
            }
        }
    }
    return href;
}

}  // namespace

UpdateInputs CurrentUpdateInputs(const std::string& language) {
    UpdateInputs in;
    in.productGuid = kProductGuid;
    in.productName = identity::kAppName;
    in.language = Lower(language);
    std::istringstream words(SystemDescription());
    words >> in.processor >> in.system;
    in.version = ApplicationVersion();
    return in;
}

ivVersion ParseManifestVersion(const std::string& text) {
    return ParseVersion(text, ',');
}

bool IsNewerBuild(const ivVersion& offered, const ivVersion& running) {
    return offered.major == running.major && offered.build > running.build;
}

std::string FindUpdate(const std::string& manifestUrl, const UpdateInputs& in) {
    ivXML xml;
    if (!xml.LoadFromURL(manifestUrl, {}, {}) || !xml.GoRoot()) {
        return {};
    }
    ivVersion offered;
    if (xml.GetName() == "SOFTPKG" && xml.GetAttribute("NAME") == in.productGuid) {
        offered = ParseManifestVersion(xml.GetAttribute("VERSION"));
    }
    if (!IsNewerBuild(offered, in.version)) {
        return {};
    }
    std::string download;
    const int count = xml.GetChildCount();
    for (int i = 0; i < count; ++i) {
        if (!xml.GoChild(i)) {
            break;
        }
        if (xml.GetName() == "IMPLEMENTATION") {
            const std::string href = MatchingCodebase(xml, in);
            if (!href.empty()) {
                download = href;
            }
        }
        xml.GoParent();
    }
    return IsWebUrl(download) ? download : std::string();
}

void RunUpdateCheck(const std::string& manifestUrl, const UpdateInputs& inputs, bool interactive,
                    const std::function<bool(const std::string& url)>& openUrl) {
    const std::string download = FindUpdate(manifestUrl, inputs);
    if (!download.empty()) {
        if (AskQuestion(Translate(
                "There is an update available. Do you want to download and install it?")) ==
            kAnswerYes) {
            openUrl(download);
        }
        return;
    }
    if (interactive) {
        ShowMessageBox(Translate("No update available!"), kMessageInformation);
    }
}
