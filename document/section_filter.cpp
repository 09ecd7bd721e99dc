#include "document/section_filter.h"

#include "document/text_fold.h"

ivSectionFilter::ivSectionFilter(std::vector<OutlineRow> rows) {
    for (OutlineRow& row : rows) {
        if (row.id.empty()) {
            continue;  // the document row, or a node that is no section
        }
        m_folded.push_back(FoldCase(row.numbering + " " + row.title));
        m_rows.push_back(std::move(row));
    }
}

std::vector<size_t> ivSectionFilter::Match(std::string_view filter) const {
    std::vector<std::string> words;
    const std::string folded = FoldCase(filter);
    for (size_t at = 0; at < folded.size();) {
        const size_t start = folded.find_first_not_of(" \t", at);
        if (start == std::string::npos) {
            break;
        }
        const size_t end = std::min(folded.find_first_of(" \t", start), folded.size());
        words.push_back(folded.substr(start, end - start));
        at = end;
    }
    std::vector<size_t> matches;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        bool all = true;
        for (const std::string& word : words) {
            if (m_folded[i].find(word) == std::string::npos) {
                all = false;
                break;
            }
        }
        if (all) {
            matches.push_back(i);
        }
    }
    return matches;
}
