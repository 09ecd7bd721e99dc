// The way out: the objects of a rich text buffer become a document of the RTF engine's model,
// carried pieces put back where their placeholders stand.

#include "framework/rich_text_adapter.h"

#include <wx/mstream.h>
#include <wx/richtext/richtextbuffer.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <span>

namespace {

constexpr int kMaxDepth = 32;

uint32_t ToRgb(const wxColour& colour) {
    return (static_cast<uint32_t>(colour.Red()) << 16) |
           (static_cast<uint32_t>(colour.Green()) << 8) | colour.Blue();
}

// A length the buffer holds in tenths of a millimetre, in twips: the original value when the
// buffer still holds what it was given, so that unchanged lengths come back exactly.
int KeptTwips(int original, int tenths) {
    return TwipsToTenthsMm(original) == tenths ? original : TenthsMmToTwips(tenths);
}

long Property(const wxRichTextObject& object, const char* name, long none = -1) {
    const wxRichTextProperties& props = object.GetProperties();
    return props.HasProperty(name) ? props.GetPropertyLong(name) : none;
}

bool HasBullet(const wxRichTextAttr& attr) {
    return attr.HasBulletStyle() && attr.GetBulletStyle() != wxTEXT_ATTR_BULLET_STYLE_NONE;
}

rtf::ListStyle ListStyleOf(int bullet) {
    if (bullet & wxTEXT_ATTR_BULLET_STYLE_ARABIC) {
        return rtf::ListStyle::Decimal;
    }
    if (bullet & wxTEXT_ATTR_BULLET_STYLE_LETTERS_LOWER) {
        return rtf::ListStyle::LowerAlpha;
    }
    if (bullet & wxTEXT_ATTR_BULLET_STYLE_LETTERS_UPPER) {
        return rtf::ListStyle::UpperAlpha;
    }
    if (bullet & wxTEXT_ATTR_BULLET_STYLE_ROMAN_LOWER) {
        return rtf::ListStyle::LowerRoman;
    }
    if (bullet & wxTEXT_ATTR_BULLET_STYLE_ROMAN_UPPER) {
        return rtf::ListStyle::UpperRoman;
    }
    return rtf::ListStyle::Bullet;
}

// A paragraph of the buffer in order: plain, a list item of a level, a further paragraph of
// an item, or a table.
struct Entry {
    enum Kind { Plain, Item, Continued } kind = Plain;
    int level = 0;
    rtf::ListStyle style = rtf::ListStyle::Bullet;
    int number = 1;
    rtf::Block block;
};

class Exporter {
public:
    Exporter(rtf::Document& out, const ivRichTextCarry& carry) : m_out(out), m_carry(carry) {
        for (size_t i = 0; i < out.fonts.size(); ++i) {
            m_fonts.emplace(wxString::FromUTF8(out.fonts[i].name).Lower(), static_cast<int>(i));
        }
    }

    std::vector<rtf::Block> Box(const wxRichTextParagraphLayoutBox& box, int depth) {
        const wxRichTextParagraphLayoutBox* const one[] = {&box};
        return Boxes(one, depth);
    }

    // The paragraphs of boxes one after the other, as one sequence of blocks.
    std::vector<rtf::Block> Boxes(std::span<const wxRichTextParagraphLayoutBox* const> boxes,
                                  int depth) {
        std::vector<Entry> entries;
        for (const wxRichTextParagraphLayoutBox* box : boxes) {
            Entries(*box, depth, entries);
        }
        std::vector<rtf::Block> blocks;
        for (size_t i = 0; i < entries.size();) {
            if (entries[i].kind == Entry::Item) {
                blocks.emplace_back(List(entries, i, entries[i].level));
            } else {
                blocks.push_back(std::move(entries[i].block));
                ++i;
            }
        }
        return blocks;
    }

private:
    void Entries(const wxRichTextParagraphLayoutBox& box, int depth, std::vector<Entry>& entries) {
        for (const wxRichTextObject* child : box.GetChildren()) {
            const auto* para = dynamic_cast<const wxRichTextParagraph*>(child);
            if (para == nullptr) {
                continue;
            }
            const wxRichTextTable* table = nullptr;
            for (const wxRichTextObject* object : para->GetChildren()) {
                if (const auto* t = dynamic_cast<const wxRichTextTable*>(object)) {
                    table = t;
                }
            }
            Entry entry;
            if (table != nullptr && depth < kMaxDepth) {
                entry.block = Table(*table, depth + 1);
                entries.push_back(std::move(entry));
                continue;
            }
            const wxRichTextAttr& attr = para->GetAttributes();
            if (HasBullet(attr)) {
                entry.kind = Entry::Item;
                const int indent = attr.HasLeftIndent() ? attr.GetLeftIndent() : 0;
                entry.level = std::clamp(
                    static_cast<int>(std::lround(indent / double(kListIndentStep))) - 1, 0, 8);
                entry.style = ListStyleOf(attr.GetBulletStyle());
                entry.number = attr.HasBulletNumber() ? attr.GetBulletNumber() : 1;
            } else if (const long level = Property(*para, rich_text_prop::kListItem); level >= 0) {
                entry.kind = Entry::Continued;
                entry.level = static_cast<int>(level);
            }
            entry.block = Paragraph(*para, entry.kind != Entry::Plain);
            entries.push_back(std::move(entry));
        }
    }

    // The list that starts at entries[i], an item of level; i moves past it.
    rtf::List List(std::vector<Entry>& entries, size_t& i, int level) {
        rtf::List list;
        list.style = entries[i].style;
        list.start = std::max(1, entries[i].number);
        while (i < entries.size()) {
            Entry& e = entries[i];
            if (e.kind == Entry::Item && e.level == level) {
                // Another style, or numbers that start again, begin another list.
                const int next = list.start + static_cast<int>(list.items.size());
                if (!list.items.empty() &&
                    (e.style != list.style || (list.Ordered() && e.number != next))) {
                    break;
                }
                list.items.emplace_back();
                list.items.back().blocks.push_back(std::move(e.block));
                ++i;
            } else if (e.kind == Entry::Item && e.level > level) {
                if (list.items.empty()) {
                    list.items.emplace_back();
                }
                list.items.back().blocks.emplace_back(List(entries, i, e.level));
            } else if (e.kind == Entry::Continued && e.level >= level && !list.items.empty()) {
                list.items.back().blocks.push_back(std::move(e.block));
                ++i;
            } else {
                break;
            }
        }
        return list;
    }

    rtf::ParagraphFormat ParagraphFormat(const wxRichTextParagraph& para, bool inList) const {
        rtf::ParagraphFormat f;
        const long kept = Property(para, rich_text_prop::kParagraph);
        if (kept >= 0 && static_cast<size_t>(kept) < m_carry.paragraphs.size()) {
            f = m_carry.paragraphs[kept];
        }
        const wxRichTextAttr& attr = para.GetAttributes();
        if (attr.HasAlignment()) {
            switch (attr.GetAlignment()) {
                case wxTEXT_ALIGNMENT_CENTRE:
                    f.align = rtf::Alignment::Center;
                    break;
                case wxTEXT_ALIGNMENT_RIGHT:
                    f.align = rtf::Alignment::Right;
                    break;
                case wxTEXT_ALIGNMENT_JUSTIFIED:
                    f.align = rtf::Alignment::Justify;
                    break;
                default:
                    f.align = rtf::Alignment::Left;
                    break;
            }
        }
        if (attr.HasLeftIndent() && !inList) {
            const int first = KeptTwips(f.leftIndent + f.firstIndent, attr.GetLeftIndent());
            const int sub = KeptTwips(-f.firstIndent, attr.GetLeftSubIndent());
            f.leftIndent = first + sub;
            f.firstIndent = -sub;
        }
        if (attr.HasRightIndent()) {
            f.rightIndent = KeptTwips(f.rightIndent, attr.GetRightIndent());
        }
        if (attr.HasParagraphSpacingBefore()) {
            f.spaceBefore = KeptTwips(f.spaceBefore, attr.GetParagraphSpacingBefore());
        }
        if (attr.HasParagraphSpacingAfter()) {
            f.spaceAfter = KeptTwips(f.spaceAfter, attr.GetParagraphSpacingAfter());
        }
        if (attr.HasLineSpacing()) {
            const int tenths = attr.GetLineSpacing();
            const bool same = f.lineMultiple && f.lineSpacing > 0 &&
                              std::clamp(f.lineSpacing * 10 / 240, 5, 100) == tenths;
            if (!same) {
                f.lineMultiple = tenths != 10 && tenths > 0;
                f.lineSpacing = f.lineMultiple ? tenths * 24 : 0;
            }
        }
        return f;
    }

    rtf::CharFormat CharFormat(const wxRichTextAttr& attr) {
        rtf::CharFormat f;
        f.bold = attr.HasFontWeight() && attr.GetFontWeight() >= wxFONTWEIGHT_SEMIBOLD;
        f.italic = attr.HasFontItalic() && attr.GetFontStyle() != wxFONTSTYLE_NORMAL;
        if (attr.HasFontUnderlined()) {
            switch (attr.GetUnderlineType()) {
                case wxTEXT_ATTR_UNDERLINE_SOLID:
                    f.underline = rtf::Underline::Single;
                    break;
                case wxTEXT_ATTR_UNDERLINE_DOUBLE:
                    f.underline = rtf::Underline::Double;
                    break;
                case wxTEXT_ATTR_UNDERLINE_SPECIAL:
                    f.underline = rtf::Underline::Wavy;
                    break;
                default:
                    break;
            }
        }
        if (attr.HasTextEffects()) {
            const int effects = attr.GetTextEffects() & attr.GetTextEffectFlags();
            f.strike = (effects & wxTEXT_ATTR_EFFECT_STRIKETHROUGH) != 0;
            f.caps = (effects & wxTEXT_ATTR_EFFECT_CAPITALS) != 0;
            if (effects & wxTEXT_ATTR_EFFECT_SUPERSCRIPT) {
                f.valign = rtf::VerticalAlign::Superscript;
            } else if (effects & wxTEXT_ATTR_EFFECT_SUBSCRIPT) {
                f.valign = rtf::VerticalAlign::Subscript;
            }
        }
        if (attr.HasFontFaceName() && !attr.GetFontFaceName().empty()) {
            f.font = Font(attr.GetFontFaceName());
        }
        if (attr.HasFontPointSize() && attr.GetFontSize() > 0) {
            f.size = attr.GetFontSize() * 2;
        }
        if (attr.HasTextColour() && attr.GetTextColour().IsOk()) {
            f.color = ToRgb(attr.GetTextColour());
        }
        if (attr.HasBackgroundColour() && attr.GetBackgroundColour().IsOk()) {
            f.background = ToRgb(attr.GetBackgroundColour());
        }
        if (attr.HasURL() && !attr.GetURL().empty()) {
            f.link = Index(m_out.links, std::string(attr.GetURL().utf8_str()));
        }
        return f;
    }

    int Font(const wxString& face) {
        const auto found = m_fonts.find(face.Lower());
        if (found != m_fonts.end()) {
            return found->second;
        }
        m_out.fonts.push_back(rtf::Font{std::string(face.utf8_str()), rtf::FontFamily::Nil, 0});
        const int index = static_cast<int>(m_out.fonts.size()) - 1;
        m_fonts.emplace(face.Lower(), index);
        return index;
    }

    static int Index(std::vector<std::string>& list, const std::string& value) {
        const auto found = std::find(list.begin(), list.end(), value);
        if (found != list.end()) {
            return static_cast<int>(found - list.begin());
        }
        list.push_back(value);
        return static_cast<int>(list.size()) - 1;
    }

    void AppendText(std::vector<rtf::Run>& runs, const rtf::CharFormat& format,
                    const std::string& text) {
        if (text.empty()) {
            return;
        }
        if (!runs.empty() && runs.back().kind == rtf::RunKind::Text &&
            runs.back().format == format) {
            runs.back().text += text;
            return;
        }
        runs.push_back(rtf::Run{rtf::RunKind::Text, format, text, -1});
    }

    rtf::Paragraph Paragraph(const wxRichTextParagraph& para, bool inList) {
        rtf::Paragraph p;
        p.format = ParagraphFormat(para, inList);
        for (const wxRichTextObject* child : para.GetChildren()) {
            if (const auto* field = dynamic_cast<const wxRichTextField*>(child)) {
                const long piece = Property(*field, rich_text_prop::kPiece);
                if (field->GetFieldType() == kCarriedFieldType && piece >= 0 &&
                    static_cast<size_t>(piece) < m_carry.pieces.size()) {
                    const auto& runs = m_carry.pieces[piece];
                    p.runs.insert(p.runs.end(), runs.begin(), runs.end());
                }
            } else if (const auto* image = dynamic_cast<const wxRichTextImage*>(child)) {
                Image(p.runs, *image);
            } else if (const auto* text = dynamic_cast<const wxRichTextPlainText*>(child)) {
                const rtf::CharFormat format = CharFormat(text->GetAttributes());
                const wxString& value = text->GetText();
                size_t start = 0;
                for (size_t i = 0; i <= value.length(); ++i) {
                    if (i < value.length() && value[i] != wxRichTextLineBreakChar) {
                        continue;
                    }
                    AppendText(p.runs, format, std::string(value.Mid(start, i - start).utf8_str()));
                    if (i < value.length()) {
                        p.runs.push_back(rtf::Run{rtf::RunKind::LineBreak, format, {}, -1});
                    }
                    start = i + 1;
                }
            }
        }
        return p;
    }

    void Image(std::vector<rtf::Run>& runs, const wxRichTextImage& image) {
        rtf::Run run{rtf::RunKind::Picture, CharFormat(image.GetAttributes()), {}, -1};
        const long kept = Property(image, rich_text_prop::kPicture);
        if (kept >= 0 && static_cast<size_t>(kept) < m_out.pictures.size()) {
            run.index = static_cast<int>(kept);
            runs.push_back(std::move(run));
            return;
        }
        // A picture that came in by pasting: PNG and JPEG as they are, others as PNG.
        const wxRichTextImageBlock& block = const_cast<wxRichTextImage&>(image).GetImageBlock();
        if (!block.IsOk()) {
            return;
        }
        rtf::Picture picture;
        wxImage pixels;
        wxRichTextImageBlock copy;
        copy.Copy(block);
        if (!copy.Load(pixels)) {
            return;
        }
        if (block.GetImageType() == wxBITMAP_TYPE_JPEG) {
            picture.format = rtf::PictureFormat::Jpeg;
            picture.data.assign(reinterpret_cast<const char*>(block.GetData()),
                                block.GetDataSize());
        } else if (block.GetImageType() == wxBITMAP_TYPE_PNG) {
            picture.format = rtf::PictureFormat::Png;
            picture.data.assign(reinterpret_cast<const char*>(block.GetData()),
                                block.GetDataSize());
        } else {
            wxMemoryOutputStream png;
            if (!pixels.SaveFile(png, wxBITMAP_TYPE_PNG)) {
                return;
            }
            picture.format = rtf::PictureFormat::Png;
            picture.data.resize(png.GetSize());
            png.CopyTo(picture.data.data(), picture.data.size());
        }
        const wxTextBoxAttr& box = image.GetAttributes().GetTextBoxAttr();
        const bool sized =
            box.GetWidth().IsValid() && box.GetWidth().GetUnits() == wxTEXT_ATTR_UNITS_TENTHS_MM;
        picture.width = sized ? TenthsMmToTwips(box.GetWidth().GetValue()) : pixels.GetWidth() * 15;
        picture.height =
            sized ? TenthsMmToTwips(box.GetHeight().GetValue()) : pixels.GetHeight() * 15;
        m_out.pictures.push_back(std::move(picture));
        run.index = static_cast<int>(m_out.pictures.size()) - 1;
        runs.push_back(std::move(run));
    }

    rtf::Table Table(const wxRichTextTable& grid, int depth) {
        const int rows = grid.GetRowCount();
        const int columns = grid.GetColumnCount();
        const long kept = Property(grid, rich_text_prop::kTable);
        const rtf::Table* original = nullptr;
        if (kept >= 0 && static_cast<size_t>(kept) < m_carry.tables.size() &&
            m_carry.tables[kept].rows.size() == static_cast<size_t>(rows)) {
            original = &m_carry.tables[kept];
        }
        rtf::Table table;
        if (original != nullptr) {
            table.grid = original->grid;
            table.align = original->align;
        }
        for (int r = 0; r < rows; ++r) {
            rtf::TableRow row;
            size_t count = static_cast<size_t>(columns);
            if (original != nullptr) {
                row = original->rows[r];
                count = row.cells.size();
            }
            row.cells.resize(count);
            // Cells stand at their grid columns, as they were loaded.
            const std::vector<int> starts =
                original != nullptr ? CellColumns(row) : std::vector<int>{};
            for (size_t c = 0; c < count; ++c) {
                const int column = original != nullptr ? starts[c] : static_cast<int>(c);
                const wxRichTextCell* cell = grid.GetCell(r, column);
                if (cell == nullptr) {
                    continue;
                }
                rtf::TableCell& out = row.cells[c];
                if (original == nullptr) {
                    const wxTextAttrDimension& width =
                        cell->GetAttributes().GetTextBoxAttr().GetWidth();
                    out.width = width.IsValid() ? TenthsMmToTwips(width.GetValue())
                                                : rtf::kDefaultCellWidth;
                    rtf::Border line{rtf::BorderStyle::Single, 10, rtf::kNoColor, 0};
                    out.borders = rtf::Borders{line, line, line, line};
                }
                out.blocks = Box(*cell, depth);
                if (out.blocks.empty()) {
                    out.blocks.emplace_back(rtf::Paragraph{});
                }
            }
            table.rows.push_back(std::move(row));
        }
        if (table.grid.empty() && !table.rows.empty()) {
            for (const rtf::TableCell& cell : table.rows.front().cells) {
                table.grid.push_back(cell.width);
            }
        }
        return table;
    }

    rtf::Document& m_out;
    const ivRichTextCarry& m_carry;
    std::map<wxString, int> m_fonts;
};

}  // namespace

rtf::Document DocumentFromBuffer(const wxRichTextParagraphLayoutBox& box,
                                 const ivRichTextCarry& carry) {
    const wxRichTextParagraphLayoutBox* const one[] = {&box};
    return DocumentFromBoxes(one, carry);
}

rtf::Document DocumentFromBoxes(std::span<const wxRichTextParagraphLayoutBox* const> boxes,
                                const ivRichTextCarry& carry) {
    rtf::Document out = carry.base;
    out.blocks = Exporter(out, carry).Boxes(boxes, 0);
    // The control always holds a paragraph; one that is empty is no content.
    if (out.blocks.size() == 1) {
        const rtf::Paragraph* only = out.blocks.front().AsParagraph();
        if (only != nullptr && only->runs.empty() && only->format == rtf::ParagraphFormat{}) {
            out.blocks.clear();
        }
    }
    return out;
}
