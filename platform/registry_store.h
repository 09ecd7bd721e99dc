#pragma once

#include <memory>
#include <string>

class wxFileConfig;

namespace platform {

// What the program keeps per user beside its settings (recent files, news position, bar and
// pane layouts): sections of named values in a text file, as the registry holds them on
// other systems. Section names may contain "/" ("CommandBars/Version").
class RegistryStore {
public:
    explicit RegistryStore(const std::string& filePath);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& defaultValue = {}) const;
    int GetInt(const std::string& section, const std::string& entry, int defaultValue) const;
    bool SetString(const std::string& section, const std::string& entry, const std::string& value);
    bool SetInt(const std::string& section, const std::string& entry, int value);
    bool DeleteEntry(const std::string& section, const std::string& entry);
    bool DeleteSection(const std::string& section);

    // Writes pending changes to the file (also done on destruction).
    bool Flush();

    const std::string& FilePath() const { return m_path; }

private:
    std::string m_path;
    std::unique_ptr<wxFileConfig> m_config;
};

}  // namespace platform
