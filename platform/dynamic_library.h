#pragma once

#include <string>

namespace platform {

// A shared library loaded at run time, unloaded when the object goes.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads the library at path (a bare file name is searched by the system's rules).
    bool Load(const std::string& path);
    void Unload();
    bool IsLoaded() const { return m_handle != nullptr; }

    // Address of an exported symbol, or null.
    void* Symbol(const std::string& name) const;

    // Reason of the last failure to load.
    const std::string& Error() const { return m_error; }

private:
    void* m_handle = nullptr;
    std::string m_error;
};

}  // namespace platform
