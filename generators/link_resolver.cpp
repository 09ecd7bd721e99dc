#include "generators/link_resolver.h"

#include "rtf/html_writer.h"
#include "rtf/reader.h"

#include <vector>

namespace {

// Whether a link target is a place on this system: a relative path or a file: URL, not a
// web or mail address.
bool IsLocal(std::string_view target) {
    const size_t colon = target.find(':');
    const size_t end = target.find_first_of("/?#");
    if (colon == std::string_view::npos || (end != std::string_view::npos && end < colon)) {
        return true;
    }
    // A drive letter ("C:\...") is a path, not a scheme.
    if (colon == 1) {
        return true;
    }
    std::string scheme(target.substr(0, colon));
    for (char& c : scheme) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return scheme == "file";
}

// The text of an attribute value that the HTML writer escaped.
std::string Unescape(std::string_view value) {
    static const std::pair<std::string_view, char> kReferences[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}};
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size();) {
        bool replaced = false;
        if (value[i] == '&') {
            for (const auto& [reference, c] : kReferences) {
                if (value.substr(i, reference.size()) == reference) {
                    out += c;
                    i += reference.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) {
            out += value[i++];
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> ivLinkResolver::BookmarksOf(std::string_view rtf) {
    std::vector<std::string> names;
    // Most bodies have none; reading them is not needed to know that.
    if (rtf.find("bkmkstart") == std::string_view::npos) {
        return names;
    }
    const rtf::Document document = rtf::ReadRtf(rtf).document;
    const auto collect = [&](const std::vector<rtf::Block>& blocks) {
        rtf::ForEachParagraph(blocks, [&](const rtf::Paragraph& p) {
            for (const rtf::Run& run : p.runs) {
                if (run.kind == rtf::RunKind::BookmarkStart) {
                    names.push_back(run.text);
                }
            }
        });
    };
    collect(document.blocks);
    for (const auto& footnote : document.footnotes) {
        collect(footnote);
    }
    return names;
}

void ivLinkResolver::AddBookmark(const std::string& name, const std::string& page) {
    m_firstPage.emplace(name, page);
    m_onPage.insert(page + '\0' + name);
}

std::string ivLinkResolver::Resolve(const std::string& target, const std::string& page) const {
    const size_t hash = target.find('#');
    if (hash == std::string::npos || hash + 1 == target.size() || !IsLocal(target)) {
        return target;
    }
    const std::string name = target.substr(hash + 1);
    if (m_onPage.count(page + '\0' + name) != 0) {
        return "#" + name;
    }
    const auto found = m_firstPage.find(name);
    if (found == m_firstPage.end()) {
        return target;
    }
    return found->second + ".htm#" + name;
}

std::string ivLinkResolver::ResolveHtml(const std::string& html, const std::string& page) const {
    if (m_firstPage.empty()) {
        return html;
    }
    static constexpr std::string_view kHref = "href=\"";
    std::string out;
    out.reserve(html.size());
    size_t start = 0;
    for (size_t at = html.find(kHref); at != std::string::npos; at = html.find(kHref, start)) {
        const size_t value = at + kHref.size();
        const size_t end = html.find('"', value);
        if (end == std::string::npos) {
            break;
        }
        const std::string target = Unescape(std::string_view(html).substr(value, end - value));
        const std::string resolved = Resolve(target, page);
        out.append(html, start, value - start);
        if (resolved == target) {
            out.append(html, value, end - value);
        } else {
            rtf::AppendHtmlEscaped(out, resolved);
        }
        start = end;
    }
    out.append(html, start, std::string::npos);
    return out;
}
