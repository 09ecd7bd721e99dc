#pragma once

#include <string>
#include <string_view>

namespace platform {

// A new GUID in registry form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case;
// empty when none can be made.
std::string NewGuidString();

// Whether text has exactly the registry form above (hexadecimal digits of either case).
bool IsGuidString(std::string_view text);

}  // namespace platform
