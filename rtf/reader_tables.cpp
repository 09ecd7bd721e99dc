// The document's tables (fonts, colours, styles, row definitions) and field instructions.

#include "rtf/reader_impl.h"

#include <algorithm>
#include <cctype>

namespace rtf::detail {

namespace {

// Tables a document could grow without end are capped; real documents stay far below.
constexpr size_t kMaxFonts = 32768;
constexpr size_t kMaxColors = 32768;
constexpr size_t kMaxStyles = 32768;

std::string Trim(std::string text) {
    const auto space = [](unsigned char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && space(text.back())) {
        text.pop_back();
    }
    size_t start = 0;
    while (start < text.size() && space(text[start])) {
        ++start;
    }
    return text.substr(start);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

int HeadingOfStyleName(const std::string& name) {
    const std::string lower = Lower(name);
    if (lower.size() == 9 && lower.compare(0, 8, "heading ") == 0 && lower[8] >= '1' &&
        lower[8] <= '9') {
        return lower[8] - '0';
    }
    return 0;
}
// Reads one argument of a field instruction: a quoted text (where backslash escapes the
// next character) or a word.
std::string_view::size_type FieldArgument(std::string_view text, size_t pos, std::string& out) {
    out.clear();
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    if (pos < text.size() && text[pos] == '"') {
        ++pos;
        while (pos < text.size() && text[pos] != '"') {
            if (text[pos] == '\\' && pos + 1 < text.size()) {
                ++pos;
            }
            out += text[pos++];
        }
        return pos + 1;
    }
    while (pos < text.size() && text[pos] != ' ' && text[pos] != '\t') {
        out += text[pos++];
    }
    return pos;
}
}  // namespace

std::string HyperlinkTarget(std::string_view instruction) {
    std::string word;
    size_t pos = FieldArgument(instruction, 0, word);
    if (Lower(word) != "hyperlink") {
        return {};
    }
    std::string url;
    std::string anchor;
    std::string argument;
    while (pos < instruction.size()) {
        pos = FieldArgument(instruction, pos, argument);
        if (argument.empty()) {
            continue;
        }
        if (argument.size() == 2 && argument[0] == '\\') {
            const char sw =
                static_cast<char>(std::tolower(static_cast<unsigned char>(argument[1])));
            if (sw == 'l') {
                pos = FieldArgument(instruction, pos, anchor);
            } else if (sw == 'o' || sw == 't') {
                pos = FieldArgument(instruction, pos, argument);  // tooltip or frame: not kept
            }
            continue;
        }
        if (url.empty()) {
            url = argument;
        }
    }
    if (!anchor.empty()) {
        return url + "#" + anchor;
    }
    return url;
}
void Reader::OnTableDefinitionWord(const KeywordInfo& info, const Token& t) {
    switch (info.id) {
        case Kw::RowDefaults: {
            const int depth = S().nestTableProps ? std::max(2, Placement().tableDepth) : 1;
            m_rowDefDepth = static_cast<size_t>(depth);
            if (m_rowDefs.size() < m_rowDefDepth) {
                m_rowDefs.resize(m_rowDefDepth);
            }
            m_rowDefs[m_rowDefDepth - 1] = RowDefinition{};
            m_cellDef = CellDefinition{};
            m_borderPending = false;
            return;
        }
        default:
            break;
    }
    if (m_rowDefs.size() < m_rowDefDepth) {
        m_rowDefs.resize(m_rowDefDepth);
    }
    RowDefinition& def = m_rowDefs[m_rowDefDepth - 1];
    switch (info.id) {
        case Kw::CellX:
            if (def.cells.size() < m_limits.maxCellsPerRow) {
                m_cellDef.right = t.param;
                def.cells.push_back(m_cellDef);
            }
            m_cellDef = CellDefinition{};
            break;
        case Kw::RowLeft:
            def.left = t.param;
            break;
        case Kw::CellMergeFirst:
            m_cellDef.mergeFirst = true;
            break;
        case Kw::CellMerge:
            m_cellDef.merge = true;
            break;
        case Kw::CellVMergeFirst:
            m_cellDef.vmergeFirst = true;
            break;
        case Kw::CellVMerge:
            m_cellDef.vmerge = true;
            break;
        case Kw::BorderSide:
            m_borderPending = info.variant == 1;
            break;
        case Kw::BorderNone:
            m_borderPending = false;
            break;
        case Kw::BorderStyle:
            if (m_borderPending) {
                def.borders = true;
                m_borderPending = false;
            }
            break;
        default:
            break;
    }
}
void Reader::CommitFont() {
    std::string name = Trim(std::move(m_fontEntry.name));
    const int number = m_fontEntry.number;
    const FontFamily family = m_fontEntry.family;
    const int charset = m_fontEntry.charset;
    const int codePage = m_fontEntry.codePage;
    m_fontEntry.number = -1;
    m_fontEntry.name.clear();
    m_fontEntry.family = FontFamily::Nil;
    m_fontEntry.charset = -1;
    m_fontEntry.codePage = 0;
    if (number < 0 || m_fonts.size() >= kMaxFonts) {
        return;
    }
    FontInfo info;
    // \fcharset0 names Windows-1252 itself, whatever the document's code page; a font
    // without a character set follows the document.
    const int page = codePage > 0 ? codePage : charset == 0 ? 1252 : CodePageOfCharset(charset);
    info.page = page > 0 ? PageFor(page) : nullptr;
    info.symbol = SymbolEncodingOfFont(name);
    std::string key = name;
    key += '\0';
    key += std::to_string(static_cast<int>(family)) + "/" + std::to_string(std::max(charset, 0));
    auto existing = m_modelFonts.find(key);
    if (existing != m_modelFonts.end()) {
        info.modelIndex = existing->second;
    } else {
        m_doc.fonts.push_back(Font{std::move(name), family, std::max(charset, 0)});
        info.modelIndex = static_cast<int>(m_doc.fonts.size()) - 1;
        m_modelFonts.emplace(std::move(key), info.modelIndex);
    }
    m_fonts[number] = info;
}

void Reader::CommitStyle() {
    std::string name = Trim(std::move(m_styleEntry.name));
    const int number = m_styleEntry.number;
    const int outline = m_styleEntry.outlineLevel;
    m_styleEntry.number = 0;
    m_styleEntry.outlineLevel = -1;
    m_styleEntry.name.clear();
    if (name.empty() || m_styleHeadings.size() >= kMaxStyles) {
        return;
    }
    m_styleHeadings[number] = outline >= 0 && outline < 9 ? outline + 1 : HeadingOfStyleName(name);
}

void Reader::CommitColor() {
    if (m_colors.size() < kMaxColors) {
        m_colors.push_back(m_colorSet ? (static_cast<uint32_t>(m_red) << 16) |
                                            (static_cast<uint32_t>(m_green) << 8) |
                                            static_cast<uint32_t>(m_blue)
                                      : kNoColor);
    }
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
}
}  // namespace rtf::detail
