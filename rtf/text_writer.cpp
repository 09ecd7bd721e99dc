#include "rtf/text_writer.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace rtf {

namespace {

std::string Alphabetic(int n, char first) {
    if (n <= 0) {
        return std::to_string(n);
    }
    std::string text;
    while (n > 0) {
        --n;
        text.insert(text.begin(), static_cast<char>(first + n % 26));
        n /= 26;
    }
    return text;
}

std::string Roman(int n, bool upper) {
    if (n <= 0 || n >= 4000) {
        return std::to_string(n);
    }
    static const struct {
        int value;
        const char* lower;
        const char* upper;
    } digits[] = {{1000, "m", "M"}, {900, "cm", "CM"}, {500, "d", "D"}, {400, "cd", "CD"},
                  {100, "c", "C"},  {90, "xc", "XC"},  {50, "l", "L"},  {40, "xl", "XL"},
                  {10, "x", "X"},   {9, "ix", "IX"},   {5, "v", "V"},   {4, "iv", "IV"},
                  {1, "i", "I"}};
    std::string text;
    for (const auto& d : digits) {
        while (n >= d.value) {
            text += upper ? d.upper : d.lower;
            n -= d.value;
        }
    }
    return text;
}

class TextWriter {
public:
    explicit TextWriter(const Document& document) : m_doc(document) {}

    std::string Write() {
        Blocks(m_doc.blocks, 0);
        for (size_t i = 0; i < m_doc.footnotes.size(); ++i) {
            if (i == 0) {
                m_out += '\n';
            }
            m_out += '[';
            m_out += std::to_string(i + 1);
            m_out += "] ";
            const size_t before = m_out.size();
            Blocks(m_doc.footnotes[i], 0);
            if (m_out.size() == before) {
                m_out += '\n';
            }
        }
        return std::move(m_out);
    }

private:
    void Blocks(std::span<const Block> blocks, int listDepth) {
        for (const Block& block : blocks) {
            if (const Paragraph* p = block.AsParagraph()) {
                if (!p->Shown()) {
                    continue;
                }
                Inline(*p);
                m_out += '\n';
            } else if (const List* list = block.AsList()) {
                ListBlock(*list, listDepth);
            } else if (const Table* table = block.AsTable()) {
                TableBlock(*table);
            }
        }
    }

    void Inline(const Paragraph& p) {
        for (const Run& run : p.runs) {
            if (run.format.hidden) {
                continue;
            }
            switch (run.kind) {
                case RunKind::Text:
                    m_out += run.text;
                    break;
                case RunKind::LineBreak:
                    m_out += '\n';
                    break;
                case RunKind::FootnoteRef:
                    m_out += '[';
                    m_out += std::to_string(run.index + 1);
                    m_out += ']';
                    break;
                case RunKind::Picture:
                case RunKind::BookmarkStart:
                case RunKind::BookmarkEnd:
                    break;
            }
        }
    }

    void ListBlock(const List& list, int depth) {
        int64_t number = list.start;
        for (const ListItem& item : list.items) {
            m_out.append(static_cast<size_t>(depth + 1) * 4, ' ');
            m_out +=
                ListMarker(list.style, static_cast<int>(std::min<int64_t>(number++, INT32_MAX)));
            m_out += ' ';
            size_t i = 0;
            if (!item.blocks.empty()) {
                if (const Paragraph* p = item.blocks[0].AsParagraph()) {
                    Inline(*p);
                    i = 1;
                }
            }
            m_out += '\n';
            Blocks(std::span<const Block>(item.blocks).subspan(i), depth + 1);
        }
    }

    void TableBlock(const Table& table) {
        for (const TableRow& row : table.rows) {
            bool first = true;
            for (const TableCell& cell : row.cells) {
                if (!first) {
                    m_out += '\t';
                }
                first = false;
                m_out += CellText(cell);
            }
            m_out += '\n';
        }
    }

    // A cell's text on one line: its paragraphs joined by spaces.
    std::string CellText(const TableCell& cell) {
        std::string saved = std::move(m_out);
        m_out.clear();
        Blocks(cell.blocks, 0);
        std::string text = std::move(m_out);
        m_out = std::move(saved);
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        for (char& c : text) {
            if (c == '\n' || c == '\t') {
                c = ' ';
            }
        }
        return text;
    }

    const Document& m_doc;
    std::string m_out;
};

}  // namespace

std::string ListMarker(ListStyle style, int number) {
    switch (style) {
        case ListStyle::Bullet:
            return "\xE2\x80\xA2";
        case ListStyle::Decimal:
            return std::to_string(number) + ".";
        case ListStyle::LowerAlpha:
            return Alphabetic(number, 'a') + ".";
        case ListStyle::UpperAlpha:
            return Alphabetic(number, 'A') + ".";
        case ListStyle::LowerRoman:
            return Roman(number, false) + ".";
        case ListStyle::UpperRoman:
            return Roman(number, true) + ".";
    }
    return {};
}

std::string WriteText(const Document& document) {
    return TextWriter(document).Write();
}

}  // namespace rtf
