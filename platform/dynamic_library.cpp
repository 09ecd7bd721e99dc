#include "platform/dynamic_library.h"

#include <dlfcn.h>

namespace platform {

DynamicLibrary::~DynamicLibrary() {
    Unload();
}

bool DynamicLibrary::Load(const std::string& path) {
    Unload();
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        const char* reason = dlerror();
        m_error = reason != nullptr ? reason : "cannot load " + path;
        return false;
    }
    m_error.clear();
    return true;
}

void DynamicLibrary::Unload() {
    if (m_handle != nullptr) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
}

void* DynamicLibrary::Symbol(const std::string& name) const {
    return m_handle != nullptr ? dlsym(m_handle, name.c_str()) : nullptr;
}

}  // namespace platform
