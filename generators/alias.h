#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

// Page names of sections.

// One character per Unicode code point of title: ASCII letters (lower-cased) and digits pass,
// everything else becomes "_" ("Über uns 2" gives "_ber_uns_2"). A byte that is not part of
// valid UTF-8 counts as one character.
std::string MakeAlias(std::string_view title);

// An alias fit to name a file in the target folder: a text of letters, digits, "_", "-" and
// "." without ".." is kept as it is; anything else (a "/", "..", a control character) is
// formed with MakeAlias. Long aliases are cut so that numbered page names still fit a file
// name. May be empty.
std::string MakeSafeAlias(std::string_view alias);

// Hands out unique aliases: the first request for "intro" gets "intro", later ones "intro_2",
// "intro_3" and so on, the first number not yet taken. Comparison is exact and case-sensitive.
// Each request costs constant time on average, however many sections share a name.
class AliasRegistry {
public:
    std::string Claim(const std::string& alias);
    bool IsTaken(const std::string& alias) const { return m_taken.count(alias) != 0; }
    void Clear();

private:
    std::unordered_set<std::string> m_taken;
    // For each alias that has been asked for twice, the number to try next: numbers below it
    // are known to be taken, and taken names are never given back.
    std::unordered_map<std::string, int> m_next;
};
