#pragma once

#include "document/outline.h"

#include <string>
#include <string_view>
#include <vector>

// The sections of an outline that a typed filter leaves, for picking a section by name: every
// word of the filter must occur in the section's numbering or title, without regard to case
// ("2.1 einf" finds "2.1 Einführung"). The document row is never offered.
class ivSectionFilter {
public:
    explicit ivSectionFilter(std::vector<OutlineRow> rows);

    // Indexes into Rows() of the sections that match, in document order; all of them for an
    // empty filter.
    std::vector<size_t> Match(std::string_view filter) const;

    const std::vector<OutlineRow>& Rows() const { return m_rows; }

private:
    std::vector<OutlineRow> m_rows;
    std::vector<std::string> m_folded;  // numbering and title of each row, folded
};
