#pragma once

// The product's identity: application name, maker's key and version.
namespace identity {

inline constexpr const char* kAppName = "Editor";
inline constexpr const char* kRegistryKey = "Quorvane";
inline constexpr const char* kVersion = "1.0.1.23";
inline constexpr unsigned kVersionParts[4] = {1, 0, 1, 23};

}  // namespace identity
