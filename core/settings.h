#pragma once

#include <memory>
#include <string>

class wxConfigBase;

// The settings store: one text file of keys such as "/AutoSave" or
// "/Generators/HTML/Template". All values are text; numbers are read with AtoiSetting.

// Creates the settings store by wxWidgets' rule for the application and vendor names, or over
// the file at path when one is given; installs it as the global store.
void InstallSettingsStore(const std::string& path = {});

// Writes the store back to its file and removes it.
void ReleaseSettingsStore();

std::string GetSetting(const std::string& key, const std::string& defaultValue = {});

// As GetSetting; a non-empty result gets a trailing "/" when it has none.
std::string GetSettingPath(const std::string& key, const std::string& defaultValue = {});

bool SetSetting(const std::string& key, const std::string& value);

// A setting read as a decimal number the way C's atoi reads it (a non-number counts as 0).
int GetSettingNumber(const std::string& key, const std::string& defaultValue = {});

// C's atoi on a string: leading blanks, an optional sign, then digits; 0 when there are none.
int AtoiSetting(const std::string& text);
