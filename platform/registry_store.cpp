#include "platform/registry_store.h"

#include <wx/fileconf.h>

namespace platform {
namespace {

wxString Key(const std::string& section, const std::string& entry) {
    return wxString::FromUTF8("/" + section + "/" + entry);
}

}  // namespace

RegistryStore::RegistryStore(const std::string& filePath)
    : m_path(filePath),
      m_config(std::make_unique<wxFileConfig>(
          wxEmptyString, wxEmptyString, wxString::FromUTF8(filePath), wxEmptyString,
          wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_NO_ESCAPE_CHARACTERS, wxConvUTF8)) {}

RegistryStore::~RegistryStore() {
    Flush();
}

std::string RegistryStore::GetString(const std::string& section, const std::string& entry,
                                     const std::string& defaultValue) const {
    wxString value;
    if (!m_config->Read(Key(section, entry), &value)) {
        return defaultValue;
    }
    return value.utf8_string();
}

int RegistryStore::GetInt(const std::string& section, const std::string& entry,
                          int defaultValue) const {
    long value = 0;
    if (!m_config->Read(Key(section, entry), &value)) {
        return defaultValue;
    }
    return static_cast<int>(value);
}

bool RegistryStore::SetString(const std::string& section, const std::string& entry,
                              const std::string& value) {
    return m_config->Write(Key(section, entry), wxString::FromUTF8(value));
}

bool RegistryStore::SetInt(const std::string& section, const std::string& entry, int value) {
    return m_config->Write(Key(section, entry), static_cast<long>(value));
}

bool RegistryStore::DeleteEntry(const std::string& section, const std::string& entry) {
    return m_config->DeleteEntry(Key(section, entry), false);
}

bool RegistryStore::DeleteSection(const std::string& section) {
    return m_config->DeleteGroup(wxString::FromUTF8("/" + section));
}

bool RegistryStore::Flush() {
    return m_config->Flush();
}

}  // namespace platform
