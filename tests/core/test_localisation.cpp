#include "core/localisation.h"
#include "core/settings.h"
#include "core/translate.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        m_old = m_had ? old : "";
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (m_had) {
            setenv(m_name, m_old.c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

private:
    const char* m_name;
    bool m_had;
    std::string m_old;
};

class Localisation : public ::testing::Test {
protected:
    void TearDown() override { ReleaseLocalisation(); }
    testing_support::IsolatedSettings settings;
};

TEST_F(Localisation, ResolvesNamesThroughTheLanguageTable) {
    EXPECT_EQ("de_DE", ResolveLanguageName("de_DE"));
    EXPECT_EQ("de_AT.UTF-8", ResolveLanguageName("de_AT.UTF-8")) << "xx_YY forms are kept";
    const std::string german = ResolveLanguageName("de");
    EXPECT_EQ("de", german.substr(0, 2));
    EXPECT_EQ(german, ResolveLanguageName("DE"));
    EXPECT_EQ(german, ResolveLanguageName("German"));
    EXPECT_EQ("", ResolveLanguageName("Klingonisch"));
    EXPECT_EQ("", ResolveLanguageName(""));
}

TEST_F(Localisation, ChoosesSettingThenLangThenSystemThenEnglish) {
    ScopedEnv lang("LANG", "fr_FR.UTF-8");
    SetSetting("/Language", "de");
    EXPECT_EQ("de", ChooseLanguage().substr(0, 2));
    SetSetting("/Language", "");
    EXPECT_EQ("fr_FR.UTF-8", ChooseLanguage());
    {
        ScopedEnv unknown("LANG", "xx");
        ScopedEnv all("LC_ALL", "C");
        // An unknown LANG falls through to the system language: English for "C".
        EXPECT_EQ("en", ChooseLanguage().substr(0, 2));
    }
}

TEST_F(Localisation, GermanCatalogTranslatesAndGivesTheLanguageCode) {
    SetSetting("/Language", "de");
    InitLocalisation(ChooseLanguage());
    EXPECT_EQ("de", GetLanguage());
    EXPECT_EQ("Datei", Translate("File"));
    EXPECT_EQ("Kein Update verfügbar!", Translate("No update available!"));
    EXPECT_EQ("Laden des Dokuments fehlgeschlagen.", Translate("Loading document failed."));
    EXPECT_EQ("Tipps und Tricks...", Translate("Tips and Tricks..."));
    EXPECT_EQ("Not in any catalog", Translate("Not in any catalog"));
    const std::string invalid = "bad \xFF\xFE bytes";
    EXPECT_EQ(invalid, Translate(invalid)) << "an unknown text comes back byte for byte";

    ReleaseLocalisation();
    EXPECT_EQ("en", GetLanguage());
    EXPECT_EQ("File", Translate("File")) << "without a locale texts stay English";
}

TEST_F(Localisation, CatalogLoadsWithoutTheCLibraryLocale) {
    // The test machine may have no de_DE locale at all: the catalog still applies.
    InitLocalisation("de_DE.UTF-8");
    EXPECT_EQ("de", GetLanguage());
    EXPECT_EQ("Abschnitt", Translate("Section"));
}

TEST_F(Localisation, EnglishHasNoCatalogAndKeepsSourceTexts) {
    InitLocalisation("en_GB");
    EXPECT_EQ("en", GetLanguage());
    EXPECT_EQ("File", Translate("File"));
}

TEST(HelpBook, LanguageFirstThenEnglishFromBuildOrInstalledFolders) {
    testing_support::TempDir dir;
    const std::string programs = dir.File("lib/quorvane-editor/");
    std::filesystem::create_directories(programs);
    EXPECT_EQ("", FindHelpBook(programs, "de", "Editor")) << "no book anywhere";

    // Installed: the shared data folder two levels up from the programs' own folder.
    const std::string installed = dir.File("share/quorvane-editor/help/");
    std::filesystem::create_directories(installed + "en");
    testing_support::WriteFile(installed + "en/Editor.hhp", "[OPTIONS]\n");
    EXPECT_EQ(programs + "../../share/quorvane-editor/help/en/Editor.hhp",
              FindHelpBook(programs, "de", "Editor"))
        << "a language without a book of its own falls back to English";

    std::filesystem::create_directories(installed + "de");
    testing_support::WriteFile(installed + "de/Editor.hhp", "[OPTIONS]\n");
    EXPECT_EQ(programs + "../../share/quorvane-editor/help/de/Editor.hhp",
              FindHelpBook(programs, "de", "Editor"));

    // Beside the program (the build tree): a help project, and a compiled file before it.
    std::filesystem::create_directories(programs + "de");
    testing_support::WriteFile(programs + "de/Editor.hhp", "[OPTIONS]\n");
    EXPECT_EQ(programs + "de/Editor.hhp", FindHelpBook(programs, "de", "Editor"));
    testing_support::WriteFile(programs + "de/Editor.chm", "ITSF");
    EXPECT_EQ(HelpFilePath(programs, "de", "Editor"), FindHelpBook(programs, "de", "Editor"));
    EXPECT_EQ(programs + "../../share/quorvane-editor/help/en/Editor.hhp",
              FindHelpBook(programs, "en", "Editor"))
        << "English never takes another language's book";
}

TEST(Theme, NamesMapToNumbersIgnoringCase) {
    EXPECT_EQ(kThemeOffice2003, ThemeNumberFromName("office2003"));
    EXPECT_EQ(kThemeOffice2003, ThemeNumberFromName("OFFICE2003"));
    EXPECT_EQ(kThemeRibbon, ThemeNumberFromName("Ribbon"));
    EXPECT_EQ(kThemeOffice2000, ThemeNumberFromName("Office2000"));
    EXPECT_EQ(kThemeNative, ThemeNumberFromName(""));
    EXPECT_EQ(kThemeNative, ThemeNumberFromName("Windows95"));
}

}  // namespace
