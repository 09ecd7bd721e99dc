#pragma once

#include <string>

// The user-interface language: chosen once at start-up, by the editor and by quorvane-cli
// alike, then used by Translate and by everything that builds a language-specific URL.

// The language in this order: "/Language", then $LANG, each resolved with ResolveLanguageName;
// then the system's language; English when the system's language is not known.
std::string ChooseLanguage();

// A value of the form xx_YY (with or without an encoding) is kept; any other value is looked up
// in wxWidgets' language table by canonical name or description, then by the language part of
// the canonical name, all ignoring case; the empty text when nothing matches.
std::string ResolveLanguageName(const std::string& value);

// Creates the locale for the short name and loads wxWidgets' catalog and the "Editor" catalog.
// The catalogs are loaded even where the C library has no locale of that name; false only
// when the locale could not be set (the translations work all the same).
bool InitLocalisation(const std::string& shortName);

// Deletes the locale; afterwards Translate returns its argument.
void ReleaseLocalisation();

// Two-letter code of the active language, lower case as wxWidgets names it ("de"); "en"
// without a locale.
std::string GetLanguage();

// Folders searched for "<lang>/LC_MESSAGES/Editor.mo" besides wxWidgets' own: the program's
// "locale" folder (build tree), "../share/locale" beside it (programs in bin/) and
// "../../share/locale" (programs in lib/quorvane-editor/, as installed).
void AddCatalogFolders();

// The help file of the language: program folder, language code, application name, ".chm".
std::string HelpFilePath(const std::string& moduleDirectory, const std::string& language,
                         const std::string& appName);

// The help book to open for the language: the help file of HelpFilePath or a help project
// (".hhp") of the same name beside it, then the installed project in
// "../../share/quorvane-editor/help/<language>/" of the program folder; the language's book
// first, then the English one. Empty when there is none.
std::string FindHelpBook(const std::string& moduleDirectory, const std::string& language,
                         const std::string& appName);

// Theme numbers by name, ignoring case; an empty or unknown name is the native theme.
inline constexpr int kThemeOffice2000 = 0;
inline constexpr int kThemeOfficeXP = 1;
inline constexpr int kThemeOffice2003 = 2;
inline constexpr int kThemeNative = 3;
inline constexpr int kThemeWhidbey = 4;
inline constexpr int kThemeOffice2007 = 5;
inline constexpr int kThemeRibbon = 6;
int ThemeNumberFromName(const std::string& name);
