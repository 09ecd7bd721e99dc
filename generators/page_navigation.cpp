#include "generators/page_navigation.h"

#include "generators/markup.h"
#include "rtf/html_writer.h"

#include <algorithm>
#include <utility>

namespace {

constexpr size_t kNone = std::string::npos;

constexpr std::string_view kCurrentMark = " class=\"qv-current\" aria-current=\"page\"";
constexpr std::string_view kOpenMark = " open";

}  // namespace

ivPageNavigation::ivPageNavigation(std::vector<Page> pages) : m_pages(std::move(pages)) {
    const size_t count = m_pages.size();
    m_linkAt.resize(count, kNone);
    m_openAt.resize(count, kNone);
    m_parent.resize(count, kNone);
    std::vector<size_t> open;  // the pages whose branch is being written
    const auto closeBranch = [&] {
        m_tree += "</ul></details></li>\n";
        open.pop_back();
    };
    m_tree = "<ul class=\"qv-tree\">\n";
    for (size_t i = 0; i < count; ++i) {
        const Page& page = m_pages[i];
        while (!open.empty() && m_pages[open.back()].depth >= page.depth) {
            closeBranch();
        }
        m_parent[i] = open.empty() ? kNone : open.back();
        const bool branch = i + 1 < count && m_pages[i + 1].depth > page.depth;
        if (branch) {
            m_tree += "<li><details";
            m_openAt[i] = m_tree.size();
            m_tree += "><summary>";
        } else {
            m_tree += "<li>";
        }
        m_tree += "<a";
        m_linkAt[i] = m_tree.size();
        m_tree += " href=\"";
        rtf::AppendHtmlEscaped(m_tree, page.alias);
        m_tree += ".htm\">";
        rtf::AppendHtmlEscaped(m_tree, page.name);
        m_tree += "</a>";
        if (branch) {
            m_tree += "</summary>\n<ul>\n";
            open.push_back(i);
        } else {
            m_tree += "</li>\n";
        }
    }
    while (!open.empty()) {
        closeBranch();
    }
    m_tree += "</ul>\n";
}

bool ivPageNavigation::Wanted(const std::string& page) {
    for (const char* placeholder :
         {kTreePlaceholder, kPreviousPlaceholder, kNextPlaceholder, kDocumentPlaceholder}) {
        if (page.find(placeholder) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::string ivPageNavigation::TreeFor(size_t index) const {
    if (index >= m_pages.size()) {
        return m_tree;
    }
    // The page's own link, its branch and every branch above it, in the order they stand.
    std::vector<std::pair<size_t, std::string_view>> marks{{m_linkAt[index], kCurrentMark}};
    for (size_t at = index; at != kNone; at = m_parent[at]) {
        if (m_openAt[at] != kNone) {
            marks.emplace_back(m_openAt[at], kOpenMark);
        }
    }
    std::sort(marks.begin(), marks.end());
    std::string tree;
    tree.reserve(m_tree.size() + marks.size() * kCurrentMark.size());
    size_t from = 0;
    for (const auto& [at, mark] : marks) {
        tree.append(m_tree, from, at - from).append(mark);
        from = at;
    }
    tree.append(m_tree, from, std::string::npos);
    return tree;
}

std::string ivPageNavigation::Link(size_t index, const char* rel) const {
    std::string link = "<a class=\"qv-";
    link.append(rel).append("\" rel=\"").append(rel).append("\" href=\"");
    rtf::AppendHtmlEscaped(link, m_pages[index].alias);
    link += ".htm\">";
    rtf::AppendHtmlEscaped(link, m_pages[index].name);
    link += "</a>";
    return link;
}

std::string ivPageNavigation::PreviousOf(size_t index) const {
    return index > 0 && index <= m_pages.size() ? Link(index - 1, "prev") : std::string();
}

std::string ivPageNavigation::NextOf(size_t index) const {
    return index + 1 < m_pages.size() ? Link(index + 1, "next") : std::string();
}

void ivPageNavigation::Fill(std::string& page, size_t index, const std::string& document) const {
    if (page.find(kTreePlaceholder) != std::string::npos) {
        ReplaceAll(page, kTreePlaceholder, TreeFor(index));
    }
    ReplaceAll(page, kPreviousPlaceholder, PreviousOf(index));
    ReplaceAll(page, kNextPlaceholder, NextOf(index));
    ReplaceAll(page, kDocumentPlaceholder, rtf::EscapeHtml(document));
}
