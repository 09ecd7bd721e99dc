#include "core/settings.h"

#include "core/identity.h"
#include "platform/paths.h"

#include <wx/config.h>
#include <wx/convauto.h>
#include <wx/fileconf.h>

#include <cctype>
#include <climits>

namespace {

// A store is made on first use when none was installed, so that the tools and the tests read
// their defaults without setting anything up.
wxConfigBase* Store() {
    wxConfigBase* config = wxConfigBase::Get(false);
    if (config == nullptr) {
        InstallSettingsStore();
        config = wxConfigBase::Get(false);
    }
    return config;
}

}  // namespace

void InstallSettingsStore(const std::string& path) {
    const long style =
        wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE | wxCONFIG_USE_NO_ESCAPE_CHARACTERS;
    auto* config = new wxFileConfig(identity::kAppName, identity::kRegistryKey,
                                    wxString::FromUTF8(path), wxEmptyString, style, wxConvAuto());
    delete wxConfigBase::Set(config);
}

void ReleaseSettingsStore() {
    delete wxConfigBase::Set(nullptr);
}

std::string GetSetting(const std::string& key, const std::string& defaultValue) {
    return Store()->Read(wxString::FromUTF8(key), wxString::FromUTF8(defaultValue)).utf8_string();
}

std::string GetSettingPath(const std::string& key, const std::string& defaultValue) {
    return platform::WithTrailingSeparator(GetSetting(key, defaultValue));
}

bool SetSetting(const std::string& key, const std::string& value) {
    return Store()->Write(wxString::FromUTF8(key), wxString::FromUTF8(value));
}

int GetSettingNumber(const std::string& key, const std::string& defaultValue) {
    return AtoiSetting(GetSetting(key, defaultValue));
}

int AtoiSetting(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;  // saturate instead of overflowing
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return static_cast<int>(value);
}
