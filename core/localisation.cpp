#include "core/localisation.h"

#include "core/directories.h"
#include "core/identity.h"
#include "core/settings_keys.h"
#include "platform/paths.h"

#include <wx/intl.h>
#include <wx/log.h>
#include <wx/translation.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<wxLocale> g_locale;

// Set when wxLocale could not install translations and they were installed here instead, so
// that the catalogs load all the same.
bool g_ownTranslations = false;

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : std::string();
}

bool HasRegionForm(const std::string& value) {
    return value.size() > 2 && value[2] == '_';
}

}  // namespace

std::string ResolveLanguageName(const std::string& value) {
    if (value.empty() || HasRegionForm(value)) {
        return value;
    }
    const wxLanguageInfo* info = wxLocale::FindLanguageInfo(wxString::FromUTF8(value));
    return info != nullptr ? info->CanonicalName.utf8_string() : std::string();
}

std::string ChooseLanguage() {
    std::string value = ReadSetting(settings::kLanguage);
    if (value.empty()) {
        value = EnvironmentValue("LANG");
    }
    value = ResolveLanguageName(value);
    if (value.empty()) {
        const int system = wxLocale::GetSystemLanguage();
        const wxLanguageInfo* info = system == wxLANGUAGE_UNKNOWN || system == wxLANGUAGE_DEFAULT
                                         ? nullptr
                                         : wxLocale::GetLanguageInfo(system);
        if (info != nullptr) {
            value = info->CanonicalName.utf8_string();
        }
    }
    // "C" and "POSIX" are what an unconfigured system reports; they name no language.
    if (value.empty() || value == "C" || value == "POSIX") {
        value = wxLocale::GetLanguageInfo(wxLANGUAGE_ENGLISH)->CanonicalName.utf8_string();
    }
    return value;
}

void AddCatalogFolders() {
    static const bool added = [] {
        const std::string module = GetModuleDirectory();
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(module + "locale"));
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(
            wxString::FromUTF8(module + "../share/locale"));
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(
            wxString::FromUTF8(module + "../../share/locale"));
        return true;
    }();
    (void)added;
}

bool InitLocalisation(const std::string& shortName) {
    ReleaseLocalisation();
    AddCatalogFolders();
    const wxString name = wxString::FromUTF8(shortName.empty() ? std::string("en") : shortName);
    g_locale = std::make_unique<wxLocale>();
    bool localeSet = false;
    {
        // A locale the C library lacks is no error worth telling: the catalogs still apply.
        wxLogNull quiet;
        localeSet = g_locale->Init(identity::kAppName, name, wxEmptyString, true);
    }
    wxTranslations* translations = wxTranslations::Get();
    if (translations == nullptr) {
        translations = new wxTranslations;
        wxTranslations::Set(translations);
        g_ownTranslations = true;
        translations->SetLanguage(name);
        translations->AddStdCatalog();
    }
    {
        wxLogNull quiet;
        translations->AddCatalog(identity::kAppName);
    }
    return localeSet;
}

void ReleaseLocalisation() {
    if (g_ownTranslations) {
        wxTranslations::Set(nullptr);
        g_ownTranslations = false;
    }
    g_locale.reset();
}

std::string GetLanguage() {
    if (!g_locale) {
        return "en";
    }
    return g_locale->GetCanonicalName().Left(2).utf8_string();
}

std::string HelpFilePath(const std::string& moduleDirectory, const std::string& language,
                         const std::string& appName) {
    return moduleDirectory + language + "/" + appName + ".chm";
}

std::string FindHelpBook(const std::string& moduleDirectory, const std::string& language,
                         const std::string& appName) {
    std::vector<std::string> languages{language};
    if (language != "en") {
        languages.push_back("en");
    }
    for (const std::string& code : languages) {
        const std::string file = HelpFilePath(moduleDirectory, code, appName);
        const std::string project = file.substr(0, file.size() - 4) + ".hhp";
        const std::string installed =
            moduleDirectory + "../../share/quorvane-editor/help/" + code + "/" + appName + ".hhp";
        for (const std::string& candidate : {file, project, installed}) {
            if (platform::FileExists(candidate)) {
                return candidate;
            }
        }
    }
    return {};
}

int ThemeNumberFromName(const std::string& name) {
    static const struct {
        const char* name;
        int number;
    } kThemes[] = {{"Office2000", kThemeOffice2000}, {"OfficeXP", kThemeOfficeXP},
                   {"Office2003", kThemeOffice2003}, {"NativeWinXP", kThemeNative},
                   {"Whidbey", kThemeWhidbey},       {"Office2007", kThemeOffice2007},
                   {"Ribbon", kThemeRibbon}};
    const wxString wanted = wxString::FromUTF8(name);
    for (const auto& theme : kThemes) {
        if (wanted.CmpNoCase(theme.name) == 0) {
            return theme.number;
        }
    }
    return kThemeNative;
}
