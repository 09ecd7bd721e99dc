#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Where the bookmarks of a document's bodies are, page by page, so that links to them reach
// them from any page: "#name" to a bookmark of another section becomes "page.htm#name", and
// so does a link to a local file or relative path whose fragment names a bookmark of the
// document. Links that point outside stay as they are.
class ivLinkResolver {
public:
    // The bookmark names in an RTF body, in order; none when it has no bookmarks.
    static std::vector<std::string> BookmarksOf(std::string_view rtf);

    // Records that the page (an alias) holds a bookmark; the first page to hold a name is
    // where links to it go.
    void AddBookmark(const std::string& name, const std::string& page);
    bool Empty() const { return m_firstPage.empty(); }

    // The target a link on page should have; the target itself when it needs no change.
    std::string Resolve(const std::string& target, const std::string& page) const;

    // Rewrites the href attributes (double-quoted, HTML-escaped) of the HTML of page.
    std::string ResolveHtml(const std::string& html, const std::string& page) const;

private:
    std::unordered_map<std::string, std::string> m_firstPage;
    std::unordered_set<std::string> m_onPage;  // page + '\0' + name
};
