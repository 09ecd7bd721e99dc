#include "platform/guid.h"

#include <uuid/uuid.h>

#include <cctype>

namespace platform {

std::string NewGuidString() {
    uuid_t id;
    uuid_generate(id);
    if (uuid_is_null(id)) {
        return {};
    }
    char text[37];
    uuid_unparse_upper(id, text);
    std::string guid(1, '{');
    guid.append(text);
    guid.push_back('}');
    return guid;
}

bool IsGuidString(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') {
        return false;
    }
    for (size_t i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (dash ? c != '-' : !std::isxdigit(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace platform
