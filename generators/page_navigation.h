#pragma once

#include <string>
#include <vector>

// What a page template can show beyond the navigation list: the whole document as a nested
// tree with the current page marked and the branches above it open, and links to the pages
// before and after in reading order. Templates ask for them with placeholders of their own
// ("<%navigation-tree%>", "<%previous%>", "<%next%>", "<%document%>"); a template without
// them gets none of this work done.
class ivPageNavigation {
public:
    struct Page {
        std::string alias;  // the page file without ".htm"
        std::string name;   // what readers see
        int depth = 0;      // 1 for a top-level section
    };

    static constexpr const char* kTreePlaceholder = "<%navigation-tree%>";
    static constexpr const char* kPreviousPlaceholder = "<%previous%>";
    static constexpr const char* kNextPlaceholder = "<%next%>";
    static constexpr const char* kDocumentPlaceholder = "<%document%>";

    // A document of more pages than this gets, on each page, only the branches that lead to
    // the page: a full tree on every page of a large document would make the output grow with
    // the square of its size.
    static constexpr size_t kFullTreeLimit = 500;

    // The pages in document order.
    explicit ivPageNavigation(std::vector<Page> pages, size_t fullTreeLimit = kFullTreeLimit);

    // Whether the template asks for anything of this.
    static bool Wanted(const std::string& page);

    // The tree with page index marked as the current one and the branches above it open.
    std::string TreeFor(size_t index) const;
    // A link to the page before or after index, empty at the ends.
    std::string PreviousOf(size_t index) const;
    std::string NextOf(size_t index) const;

    // Fills the placeholders of this class in page for page index; document is the title of
    // the whole document.
    void Fill(std::string& page, size_t index, const std::string& document) const;

private:
    std::string Link(size_t index, const char* rel) const;
    void AppendBranch(std::string& out, const std::vector<size_t>& pages,
                      const std::vector<size_t>& path, size_t current) const;

    std::vector<Page> m_pages;
    bool m_full = true;
    // The pages below each page, and those at the top level, in document order.
    std::vector<std::vector<size_t>> m_children;
    std::vector<size_t> m_top;
    // The page above each page; npos at the top level.
    std::vector<size_t> m_parent;
};
