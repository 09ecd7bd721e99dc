#include "generators/page_navigation.h"

#include "generators/markup.h"
#include "rtf/html_writer.h"

#include <algorithm>
#include <utility>

namespace {

constexpr size_t kNone = std::string::npos;

constexpr std::string_view kCurrentMark = " class=\"qv-current\" aria-current=\"page\"";

}  // namespace

ivPageNavigation::ivPageNavigation(std::vector<Page> pages, size_t fullTreeLimit)
    : m_pages(std::move(pages)), m_full(m_pages.size() <= fullTreeLimit) {
    const size_t count = m_pages.size();
    m_children.resize(count);
    m_parent.resize(count, kNone);
    std::vector<size_t> open;  // the pages whose children are being listed
    for (size_t i = 0; i < count; ++i) {
        while (!open.empty() && m_pages[open.back()].depth >= m_pages[i].depth) {
            open.pop_back();
        }
        if (open.empty()) {
            m_top.push_back(i);
        } else {
            m_parent[i] = open.back();
            m_children[open.back()].push_back(i);
        }
        open.push_back(i);
    }
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
    // The page and the pages above it: their branches are open.
    std::vector<size_t> path;
    for (size_t at = index < m_pages.size() ? index : kNone; at != kNone; at = m_parent[at]) {
        path.push_back(at);
    }
    std::string tree = "<ul class=\"qv-tree\">\n";
    AppendBranch(tree, m_top, path, index);
    tree += "</ul>\n";
    return tree;
}

void ivPageNavigation::AppendBranch(std::string& out, const std::vector<size_t>& pages,
                                    const std::vector<size_t>& path, size_t current) const {
    for (const size_t i : pages) {
        const bool branch = !m_children[i].empty();
        const bool open = branch && std::find(path.begin(), path.end(), i) != path.end();
        if (branch && (open || m_full)) {
            out += open ? "<li><details open><summary>" : "<li><details><summary>";
        } else {
            // A branch left out of a large document's tree opens on its own page.
            out += branch ? "<li class=\"qv-closed\">" : "<li>";
        }
        out += i == current ? "<a" + std::string(kCurrentMark) : std::string("<a");
        out += " href=\"";
        rtf::AppendHtmlEscaped(out, m_pages[i].alias);
        out += ".htm\">";
        rtf::AppendHtmlEscaped(out, m_pages[i].name);
        out += "</a>";
        if (branch && (open || m_full)) {
            // Nested as deep as the sections, which the generator's walk bounds.
            out += "</summary>\n<ul>\n";
            AppendBranch(out, m_children[i], path, current);
            out += "</ul></details></li>\n";
        } else {
            out += "</li>\n";
        }
    }
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
