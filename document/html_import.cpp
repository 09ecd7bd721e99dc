#include "document/html_import.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>
#include <md4c-html.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace html_import {

namespace {

// Deeper elements are read as if they were at this depth's parent; libxml2 stops far below.
constexpr int kMaxDepth = 200;

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80                 ? 0
                         : c >= 0xC2 && c <= 0xDF ? 1
                         : c >= 0xE0 && c <= 0xEF ? 2
                         : c >= 0xF0 && c <= 0xF4 ? 3
                                                  : 4;
        if (n == 4 || i + n >= s.size() + (n == 0 ? 1 : 0)) {
            return false;
        }
        for (size_t k = 1; k <= n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += n + 1;
    }
    return true;
}

bool NameIs(const xmlNode* node, const char* name) {
    return node->name != nullptr &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

std::string Attribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (value == nullptr) {
        return {};
    }
    std::string out(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return out;
}

int HeadingLevel(const xmlNode* node) {
    const char* name = reinterpret_cast<const char*>(node->name);
    if (name != nullptr && name[0] == 'h' && name[1] >= '1' && name[1] <= '6' && name[2] == 0) {
        return name[1] - '0';
    }
    return 0;
}

bool IsBlock(const xmlNode* node) {
    static const char* const kBlocks[] = {
        "p",     "div",     "section", "article",    "header", "footer",  "main",       "nav",
        "aside", "pre",     "li",      "dt",         "dd",     "tr",      "table",      "ul",
        "ol",    "dl",      "figure",  "figcaption", "hr",     "address", "blockquote", "center",
        "form",  "details", "summary", "caption",    "body"};
    return HeadingLevel(node) != 0 ||
           std::any_of(std::begin(kBlocks), std::end(kBlocks),
                       [&](const char* name) { return NameIs(node, name); });
}

class Builder {
public:
    explicit Builder(const Hooks& hooks) : m_hooks(hooks) {}

    void Walk(xmlNode* node, int depth) {
        for (xmlNode* child = node; child != nullptr; child = child->next) {
            Visit(child, depth);
        }
    }

    Result Finish() {
        EndParagraph();
        Result result;
        result.document = std::move(m_document);
        result.title = Trimmed(m_title.empty() ? m_heading : m_title);
        return result;
    }

private:
    struct ListContext {
        rtf::ListStyle style;
        int block = -1;  // index of its List block while it is the last block
        int items = 0;
    };

    static std::string Trimmed(const std::string& s) {
        const size_t first = s.find_first_not_of(" \t\r\n");
        if (first == std::string::npos) {
            return {};
        }
        return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
    }

    void Visit(xmlNode* node, int depth) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            AddText(reinterpret_cast<const char*>(node->content));
            return;
        }
        if (node->type != XML_ELEMENT_NODE) {
            return;
        }
        if (NameIs(node, "title")) {
            // Wherever it stands: a fragment has no head around it.
            if (m_title.empty()) {
                xmlChar* text = xmlNodeGetContent(node);
                m_title = text != nullptr ? reinterpret_cast<const char*>(text) : "";
                xmlFree(text);
            }
            return;
        }
        if (NameIs(node, "head")) {
            Walk(node->children, depth + 1);
            return;
        }
        if (NameIs(node, "script") || NameIs(node, "style") || NameIs(node, "noscript") ||
            NameIs(node, "template")) {
            return;
        }
        if (depth > kMaxDepth) {
            Walk(node->children, depth);
            return;
        }
        const rtf::CharFormat saved = m_format;
        const bool savedPre = m_pre;
        const int level = HeadingLevel(node);
        const bool block = IsBlock(node);
        if (block) {
            EndParagraph();
        }
        bool listStarted = false;
        bool inHeading = false;
        if (level != 0) {
            m_format.bold = true;
            static const int kSizes[] = {32, 28, 26, 24, 22, 22};
            m_format.size = kSizes[level - 1];
            m_paragraphHeading = level;
            inHeading = m_heading.empty() && !m_headingDone;
            m_collectHeading = inHeading;
        } else if (NameIs(node, "ul") || NameIs(node, "ol")) {
            m_lists.push_back(
                {NameIs(node, "ol") ? rtf::ListStyle::Decimal : rtf::ListStyle::Bullet});
            listStarted = true;
        } else if (NameIs(node, "li")) {
            m_inItem = !m_lists.empty();
            m_itemOpen = false;
        } else if (NameIs(node, "pre")) {
            m_pre = true;
            m_format.font = MonospaceFont();
        } else if (NameIs(node, "code") || NameIs(node, "tt") || NameIs(node, "kbd") ||
                   NameIs(node, "samp")) {
            m_format.font = MonospaceFont();
        } else if (NameIs(node, "b") || NameIs(node, "strong") || NameIs(node, "th") ||
                   NameIs(node, "dt")) {
            m_format.bold = true;
        } else if (NameIs(node, "i") || NameIs(node, "em") || NameIs(node, "cite") ||
                   NameIs(node, "var")) {
            m_format.italic = true;
        } else if (NameIs(node, "u") || NameIs(node, "ins")) {
            m_format.underline = rtf::Underline::Single;
        } else if (NameIs(node, "s") || NameIs(node, "strike") || NameIs(node, "del")) {
            m_format.strike = true;
        } else if (NameIs(node, "sup")) {
            m_format.valign = rtf::VerticalAlign::Superscript;
        } else if (NameIs(node, "sub")) {
            m_format.valign = rtf::VerticalAlign::Subscript;
        } else if (NameIs(node, "br")) {
            AddRun(rtf::RunKind::LineBreak, {});
        } else if (NameIs(node, "td") || NameIs(node, "th")) {
            // Cells of a row stand on one line, a tab apart.
            if (m_paragraph && !m_paragraph->runs.empty()) {
                AddRun(rtf::RunKind::Text, "\t");
                m_space = false;
            }
        } else if (NameIs(node, "a")) {
            StartLink(Attribute(node, "href"));
        } else if (NameIs(node, "img")) {
            AddPicture(node);
        }
        if (NameIs(node, "th")) {
            m_format.bold = true;
        }
        Walk(node->children, depth + 1);
        if (block) {
            EndParagraph();
        }
        if (inHeading) {
            m_collectHeading = false;
            m_headingDone = !m_heading.empty();
        }
        if (listStarted) {
            m_lists.pop_back();
        }
        if (NameIs(node, "li")) {
            m_inItem = false;
            m_itemOpen = false;
        }
        m_format = saved;
        m_pre = savedPre;
    }

    int MonospaceFont() {
        if (m_monospace < 0) {
            m_monospace = static_cast<int>(m_document.fonts.size());
            m_document.fonts.push_back({"Courier New", rtf::FontFamily::Modern, 0});
        }
        return m_monospace;
    }

    void StartLink(const std::string& href) {
        if (href.empty()) {
            return;
        }
        const std::string target = m_hooks.link ? m_hooks.link(href) : href;
        if (target.empty()) {
            return;
        }
        m_format.link = static_cast<int>(m_document.links.size());
        m_document.links.push_back(target);
    }

    void AddPicture(const xmlNode* node) {
        rtf::Picture picture;
        const std::string src = Attribute(node, "src");
        if (!src.empty() && m_hooks.picture && m_hooks.picture(src, picture)) {
            rtf::Run& run = AddRun(rtf::RunKind::Picture, {});
            run.index = static_cast<int>(m_document.pictures.size());
            m_document.pictures.push_back(std::move(picture));
            return;
        }
        AddText(Attribute(node, "alt"));
    }

    rtf::Paragraph& Current() {
        if (!m_paragraph) {
            m_paragraph.emplace();
            m_paragraph->format.heading = m_paragraphHeading;
        }
        return *m_paragraph;
    }

    rtf::Run& AddRun(rtf::RunKind kind, std::string text) {
        rtf::Paragraph& p = Current();
        if (kind == rtf::RunKind::Text && !p.runs.empty() &&
            p.runs.back().kind == rtf::RunKind::Text && p.runs.back().format == m_format) {
            p.runs.back().text += text;
            return p.runs.back();
        }
        rtf::Run run;
        run.kind = kind;
        run.format = m_format;
        run.text = std::move(text);
        p.runs.push_back(std::move(run));
        return p.runs.back();
    }

    void AddText(std::string_view text) {
        if (text.empty()) {
            return;
        }
        if (m_collectHeading) {
            m_heading.append(text);
        }
        if (m_pre) {
            // Preformatted lines are paragraphs of their own.
            size_t from = 0;
            for (size_t nl = text.find('\n'); nl != std::string_view::npos;
                 nl = text.find('\n', from)) {
                if (nl > from) {
                    AddRun(rtf::RunKind::Text, std::string(text.substr(from, nl - from)));
                }
                Current();
                EndParagraph(true);
                from = nl + 1;
            }
            if (from < text.size()) {
                AddRun(rtf::RunKind::Text, std::string(text.substr(from)));
            }
            return;
        }
        std::string collapsed;
        for (const char c : text) {
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
                m_space = true;
                continue;
            }
            if (m_space) {
                const bool atStart = !m_paragraph || m_paragraph->runs.empty();
                if (!atStart || !collapsed.empty()) {
                    collapsed.push_back(' ');
                }
                m_space = false;
            }
            collapsed.push_back(c);
        }
        if (!collapsed.empty()) {
            AddRun(rtf::RunKind::Text, std::move(collapsed));
        }
    }

    // Ends the open paragraph; an empty one is dropped unless keepEmpty (lines of a <pre>).
    void EndParagraph(bool keepEmpty = false) {
        if (!m_paragraph) {
            return;
        }
        rtf::Paragraph p = std::move(*m_paragraph);
        m_paragraph.reset();
        m_space = false;
        if (p.runs.empty() && !keepEmpty) {
            return;
        }
        m_paragraphHeading = 0;
        if (m_inItem && !m_lists.empty()) {
            ListContext& list = m_lists.back();
            const bool continues =
                list.block >= 0 && static_cast<size_t>(list.block) + 1 == m_document.blocks.size();
            if (!continues) {
                rtf::List block;
                block.style = list.style;
                block.start = list.items + 1;
                list.block = static_cast<int>(m_document.blocks.size());
                m_document.blocks.emplace_back(std::move(block));
            }
            auto& items = std::get<rtf::List>(m_document.blocks[list.block].content).items;
            // A second paragraph of the same item joins it.
            if (!m_itemOpen || items.empty()) {
                items.emplace_back();
                ++list.items;
            }
            items.back().blocks.emplace_back(std::move(p));
            m_itemOpen = true;
            return;
        }
        m_document.blocks.emplace_back(std::move(p));
    }

    const Hooks& m_hooks;
    rtf::Document m_document;
    std::optional<rtf::Paragraph> m_paragraph;
    rtf::CharFormat m_format;
    std::vector<ListContext> m_lists;
    std::string m_title;
    std::string m_heading;
    int m_paragraphHeading = 0;
    int m_monospace = -1;
    bool m_collectHeading = false;
    bool m_headingDone = false;
    bool m_pre = false;
    bool m_space = false;
    bool m_inItem = false;
    bool m_itemOpen = false;
};

bool DeclaresCharset(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 4096);
    std::string lower(head);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("charset") != std::string::npos;
}

}  // namespace

Result ReadHtml(std::string_view bytes, const Hooks& hooks) {
    const char* encoding = nullptr;
    if (!DeclaresCharset(bytes)) {
        encoding = IsValidUtf8(bytes) ? "UTF-8" : "windows-1252";
    }
    const int options =
        HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_COMPACT;
    htmlDocPtr doc =
        htmlReadMemory(bytes.data(), static_cast<int>(std::min<size_t>(bytes.size(), INT32_MAX)),
                       nullptr, encoding, options);
    Builder builder(hooks);
    if (doc != nullptr) {
        builder.Walk(xmlDocGetRootElement(doc) != nullptr ? doc->children : nullptr, 0);
        xmlFreeDoc(doc);
    }
    return builder.Finish();
}

Result ReadMarkdown(std::string_view text, const Hooks& hooks) {
    std::string html;
    md_html(
        text.data(), static_cast<MD_SIZE>(std::min<size_t>(text.size(), UINT32_MAX)),
        [](const MD_CHAR* chunk, MD_SIZE size, void* out) {
            static_cast<std::string*>(out)->append(chunk, size);
        },
        &html, MD_DIALECT_GITHUB, MD_HTML_FLAG_SKIP_UTF8_BOM);
    return ReadHtml("<meta charset=\"utf-8\">" + html, hooks);
}

}  // namespace html_import
