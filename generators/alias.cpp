#include "generators/alias.h"

#include "rtf/code_page.h"

namespace {

// Aliases made from titles stay well below the file-name limit of 255 bytes, leaving room
// for a number and ".htm".
constexpr size_t kMaxAliasLength = 200;

bool IsAsciiAlnum(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string MakeAlias(std::string_view title) {
    std::string alias;
    alias.reserve(title.size());
    for (size_t i = 0; i < title.size() && alias.size() < kMaxAliasLength;) {
        const unsigned char c = static_cast<unsigned char>(title[i]);
        if (IsAsciiAlnum(c)) {
            alias.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
            ++i;
        } else {
            alias.push_back('_');
            rtf::NextUtf8(title, i);
        }
    }
    return alias;
}

std::string MakeSafeAlias(std::string_view alias) {
    bool safe = alias.size() <= kMaxAliasLength && alias.find("..") == std::string_view::npos;
    for (size_t i = 0; safe && i < alias.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(alias[i]);
        safe = IsAsciiAlnum(c) || c == '_' || c == '-' || c == '.';
    }
    return safe ? std::string(alias) : MakeAlias(alias);
}

std::string AliasRegistry::Claim(const std::string& alias) {
    if (m_taken.insert(alias).second) {
        return alias;
    }
    int& next = m_next.try_emplace(alias, 2).first->second;
    for (;; ++next) {
        std::string candidate = alias + "_" + std::to_string(next);
        if (m_taken.insert(candidate).second) {
            ++next;
            return candidate;
        }
    }
}

void AliasRegistry::Clear() {
    m_taken.clear();
    m_next.clear();
}
