#include "core/app_registry.h"

#include "core/identity.h"
#include "platform/paths.h"
#include "platform/registry_store.h"

#include <memory>

namespace {

std::unique_ptr<platform::RegistryStore>& Store() {
    static std::unique_ptr<platform::RegistryStore> store;
    return store;
}

}  // namespace

platform::RegistryStore& AppRegistry() {
    if (!Store()) {
        Store() = std::make_unique<platform::RegistryStore>(
            platform::UserConfigDirectory(identity::kRegistryKey, identity::kAppName) +
            "registry.conf");
    }
    return *Store();
}

void SetAppRegistryPath(const std::string& path) {
    Store().reset();
    Store() = std::make_unique<platform::RegistryStore>(path);
}

void ReleaseAppRegistry() {
    Store().reset();
}
