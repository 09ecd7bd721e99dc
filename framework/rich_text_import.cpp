// The way in: a document of the RTF engine's model becomes the objects of a rich text buffer.

#include "core/translate.h"
#include "framework/rich_text_adapter.h"
#include "framework/rich_text_placeholder.h"
#include "rtf/picture_renderer.h"

#include <wx/richtext/richtextbuffer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

wxRichTextImageBlock ImageBlockOf(const std::string& data, wxBitmapType type) {
    wxRichTextImageBlock block;
    auto* copy = new unsigned char[data.size()];
    std::memcpy(copy, data.data(), data.size());
    block.SetData(copy);
    block.SetDataSize(data.size());
    block.SetImageType(type);
    return block;
}

int TwipsToTenthsMm(int twips) {
    return static_cast<int>(std::lround(twips * 254.0 / 1440.0));
}

int TenthsMmToTwips(int tenths) {
    return static_cast<int>(std::lround(tenths * 1440.0 / 254.0));
}

namespace {

// Deeper nesting of tables and lists is flattened; word processors stop far earlier.
constexpr int kMaxDepth = 32;
constexpr int kMaxListLevel = 8;
constexpr size_t kMaxLabelText = 40;

wxColour ToColour(uint32_t rgb) {
    return wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::string Shortened(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    if (text.size() > kMaxLabelText) {
        size_t cut = kMaxLabelText;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;  // not inside a UTF-8 sequence
        }
        text = text.substr(0, cut) + "\xE2\x80\xA6";
    }
    return text;
}

std::string FirstWord(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) {
        return {};
    }
    const size_t end = text.find_first_of(" \t\r\n\\", begin);
    return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

std::string RunsText(std::vector<rtf::Run>::const_iterator first,
                     std::vector<rtf::Run>::const_iterator last) {
    std::string text;
    for (auto it = first; it != last && text.size() <= kMaxLabelText; ++it) {
        if (it->kind == rtf::RunKind::Text) {
            text += it->text;
        }
    }
    return text;
}

// Whether the buffer has no place for a run: it travels inside a placeholder.
bool IsCarried(const rtf::Run& run) {
    switch (run.kind) {
        case rtf::RunKind::FootnoteRef:
        case rtf::RunKind::BookmarkStart:
        case rtf::RunKind::BookmarkEnd:
            return true;
        default:
            return run.format.hidden || (run.format.field >= 0 && run.format.link < 0);
    }
}

// Runs of one field's result or of one stretch of hidden text share a placeholder.
bool SharesPlaceholder(const rtf::Run& first, const rtf::Run& next) {
    if (!IsCarried(next) || next.kind == rtf::RunKind::FootnoteRef ||
        next.kind == rtf::RunKind::BookmarkStart || next.kind == rtf::RunKind::BookmarkEnd) {
        return false;
    }
    return first.format.hidden == next.format.hidden && first.format.field == next.format.field;
}

class Importer {
public:
    Importer(const rtf::Document& doc, ivRichTextCarry& carry, ivPictureDrawer* drawer)
        : m_doc(doc), m_carry(carry), m_drawer(drawer) {}

    void Blocks(wxRichTextParagraphLayoutBox& box, const std::vector<rtf::Block>& blocks,
                int depth) {
        for (const rtf::Block& block : blocks) {
            if (const rtf::Paragraph* p = block.AsParagraph()) {
                Paragraph(box, *p, ParagraphAttr(p->format));
            } else if (const rtf::List* list = block.AsList()) {
                List(box, *list, 0, depth + 1);
            } else if (const rtf::Table* table = block.AsTable()) {
                Table(box, *table, depth + 1);
            }
        }
    }

private:
    wxRichTextAttr CharAttr(const rtf::CharFormat& f) const {
        wxRichTextAttr attr;
        if (f.bold) {
            attr.SetFontWeight(wxFONTWEIGHT_BOLD);
        }
        if (f.italic) {
            attr.SetFontStyle(wxFONTSTYLE_ITALIC);
        }
        switch (f.underline) {
            case rtf::Underline::None:
                break;
            case rtf::Underline::Double:
                attr.SetFontUnderlined(wxTEXT_ATTR_UNDERLINE_DOUBLE);
                break;
            case rtf::Underline::Wavy:
                attr.SetFontUnderlined(wxTEXT_ATTR_UNDERLINE_SPECIAL);
                break;
            default:
                attr.SetFontUnderlined(wxTEXT_ATTR_UNDERLINE_SOLID);
                break;
        }
        int effects = 0;
        if (f.strike) {
            effects |= wxTEXT_ATTR_EFFECT_STRIKETHROUGH;
        }
        if (f.caps) {
            effects |= wxTEXT_ATTR_EFFECT_CAPITALS;
        }
        if (f.valign == rtf::VerticalAlign::Superscript) {
            effects |= wxTEXT_ATTR_EFFECT_SUPERSCRIPT;
        } else if (f.valign == rtf::VerticalAlign::Subscript) {
            effects |= wxTEXT_ATTR_EFFECT_SUBSCRIPT;
        }
        if (effects != 0) {
            attr.SetTextEffects(effects);
            attr.SetTextEffectFlags(effects);
        }
        const int font = f.font >= 0 ? f.font : m_doc.defaultFont;
        if (font >= 0 && static_cast<size_t>(font) < m_doc.fonts.size() &&
            !m_doc.fonts[font].name.empty()) {
            attr.SetFontFaceName(wxString::FromUTF8(m_doc.fonts[font].name));
        }
        const int size = f.size > 0 ? f.size : m_doc.defaultSize;
        if (size > 0) {
            attr.SetFontPointSize(std::max(1, (size + 1) / 2));
        }
        if (f.color != rtf::kNoColor) {
            attr.SetTextColour(ToColour(f.color));
        }
        if (f.background != rtf::kNoColor) {
            attr.SetBackgroundColour(ToColour(f.background));
        }
        if (f.link >= 0 && static_cast<size_t>(f.link) < m_doc.links.size()) {
            attr.SetURL(wxString::FromUTF8(m_doc.links[f.link]));
        }
        return attr;
    }

    wxRichTextAttr ParagraphAttr(const rtf::ParagraphFormat& f) {
        wxRichTextAttr attr;
        switch (f.align) {
            case rtf::Alignment::Left:
                attr.SetAlignment(wxTEXT_ALIGNMENT_LEFT);
                break;
            case rtf::Alignment::Center:
                attr.SetAlignment(wxTEXT_ALIGNMENT_CENTRE);
                break;
            case rtf::Alignment::Right:
                attr.SetAlignment(wxTEXT_ALIGNMENT_RIGHT);
                break;
            case rtf::Alignment::Justify:
                attr.SetAlignment(wxTEXT_ALIGNMENT_JUSTIFIED);
                break;
        }
        attr.SetLeftIndent(TwipsToTenthsMm(f.leftIndent + f.firstIndent),
                           TwipsToTenthsMm(-f.firstIndent));
        attr.SetRightIndent(TwipsToTenthsMm(f.rightIndent));
        attr.SetParagraphSpacingBefore(TwipsToTenthsMm(f.spaceBefore));
        attr.SetParagraphSpacingAfter(TwipsToTenthsMm(f.spaceAfter));
        if (f.lineMultiple && f.lineSpacing > 0) {
            attr.SetLineSpacing(std::clamp(f.lineSpacing * 10 / 240, 5, 100));
        }
        return attr;
    }

    wxRichTextParagraph* Paragraph(wxRichTextParagraphLayoutBox& box, const rtf::Paragraph& p,
                                   const wxRichTextAttr& attr) {
        auto* para = new wxRichTextParagraph(&box);
        para->SetAttributes(attr);
        if (!(p.format == rtf::ParagraphFormat{})) {
            m_carry.paragraphs.push_back(p.format);
            para->GetProperties().SetProperty(rich_text_prop::kParagraph,
                                              static_cast<long>(m_carry.paragraphs.size() - 1));
        }
        Runs(*para, p.runs);
        if (para->GetChildCount() == 0) {
            para->AppendChild(new wxRichTextPlainText(wxEmptyString, para));
        }
        box.AppendChild(para);
        return para;
    }

    void Runs(wxRichTextParagraph& para, const std::vector<rtf::Run>& runs) {
        for (size_t i = 0; i < runs.size();) {
            const rtf::Run& run = runs[i];
            if (IsCarried(run)) {
                size_t end = i + 1;
                while (end < runs.size() && SharesPlaceholder(run, runs[end])) {
                    ++end;
                }
                Placeholder(para, runs.begin() + i, runs.begin() + end);
                i = end;
                continue;
            }
            wxRichTextAttr attr = CharAttr(run.format);
            switch (run.kind) {
                case rtf::RunKind::Text: {
                    wxString text = wxString::FromUTF8(run.text);
                    text.Replace("\r", " ");
                    text.Replace("\n", " ");
                    if (!text.empty()) {
                        para.AppendChild(new wxRichTextPlainText(text, &para, &attr));
                    }
                    break;
                }
                case rtf::RunKind::LineBreak:
                    para.AppendChild(
                        new wxRichTextPlainText(wxString(wxRichTextLineBreakChar), &para, &attr));
                    break;
                case rtf::RunKind::Picture:
                    if (!Image(para, run, attr)) {
                        Placeholder(para, runs.begin() + i, runs.begin() + i + 1);
                    }
                    break;
                default:
                    break;
            }
            ++i;
        }
    }

    bool Image(wxRichTextParagraph& para, const rtf::Run& run, wxRichTextAttr& attr) {
        if (run.index < 0 || static_cast<size_t>(run.index) >= m_doc.pictures.size()) {
            return false;
        }
        const rtf::Picture& picture = m_doc.pictures[run.index];
        const rtf::Picture* shown = &picture;
        if (!shown->Displayable() && shown->format != rtf::PictureFormat::Bitmap) {
            shown = nullptr;
            for (const rtf::Picture& other : picture.alternatives) {
                if (other.Displayable()) {
                    shown = &other;
                }
            }
        }
        if (shown == nullptr || shown->data.empty()) {
            return Metafile(para, run, attr);
        }
        std::string bytes;
        wxBitmapType type = wxBITMAP_TYPE_PNG;
        if (shown->format == rtf::PictureFormat::Jpeg) {
            type = wxBITMAP_TYPE_JPEG;
        } else if (shown->format == rtf::PictureFormat::Bitmap) {
            bytes = rtf::DibToBmp(shown->data);
            type = wxBITMAP_TYPE_BMP;
            if (bytes.empty()) {
                return Metafile(para, run, attr);
            }
        }
        wxRichTextImage* image =
            AppendImage(para, run, attr, bytes.empty() ? shown->data : bytes, type);
        if (picture.width > 0 && picture.height > 0) {
            SetImageSize(*image, picture.width, picture.height);
        }
        return true;
    }

    // A picture only a metafile library can draw: the drawer's drawing, or a frame of its
    // size until the drawing comes.
    bool Metafile(wxRichTextParagraph& para, const rtf::Run& run, wxRichTextAttr& attr) {
        if (m_drawer == nullptr) {
            return false;
        }
        const rtf::Picture& picture = m_doc.pictures[run.index];
        const rtf::Picture* drawable = nullptr;
        for (const rtf::Picture* p : Candidates(picture)) {
            if ((p->format == rtf::PictureFormat::Wmf || p->format == rtf::PictureFormat::Emf) &&
                rtf::IsWholeMetafile(*p)) {
                drawable = p;
                break;
            }
        }
        if (drawable == nullptr) {
            return false;
        }
        // Twips at the screen's 96 pixels an inch; a picture of unknown size is an inch square.
        const int width = picture.width > 0 ? picture.width : 1440;
        const int height = picture.height > 0 ? picture.height : 1440;
        std::string png;
        std::string key;
        m_drawer->Draw(*drawable, std::max(1, (width + 7) / 15), std::max(1, (height + 7) / 15),
                       png, key);
        if (png.empty()) {
            return false;
        }
        wxRichTextImage* image = AppendImage(para, run, attr, png, wxBITMAP_TYPE_PNG);
        // The size is the picture's, whatever the resolution the drawing has.
        SetImageSize(*image, width, height);
        if (!key.empty()) {
            image->GetProperties().SetProperty(rich_text_prop::kDrawing, wxString(key));
        }
        return true;
    }

    static std::vector<const rtf::Picture*> Candidates(const rtf::Picture& picture) {
        std::vector<const rtf::Picture*> candidates{&picture};
        for (const rtf::Picture& other : picture.alternatives) {
            candidates.push_back(&other);
        }
        return candidates;
    }

    wxRichTextImage* AppendImage(wxRichTextParagraph& para, const rtf::Run& run,
                                 wxRichTextAttr& attr, const std::string& data, wxBitmapType type) {
        auto* image = new wxRichTextImage(ImageBlockOf(data, type), &para, &attr);
        image->GetProperties().SetProperty(rich_text_prop::kPicture, static_cast<long>(run.index));
        para.AppendChild(image);
        return image;
    }

    static void SetImageSize(wxRichTextImage& image, int widthTwips, int heightTwips) {
        wxTextBoxAttr& box = image.GetAttributes().GetTextBoxAttr();
        box.GetWidth().SetValue(TwipsToTenthsMm(widthTwips), wxTEXT_ATTR_UNITS_TENTHS_MM);
        box.GetHeight().SetValue(TwipsToTenthsMm(heightTwips), wxTEXT_ATTR_UNITS_TENTHS_MM);
    }

    std::string Label(const rtf::Run& first, std::vector<rtf::Run>::const_iterator begin,
                      std::vector<rtf::Run>::const_iterator end) const {
        switch (first.kind) {
            case rtf::RunKind::FootnoteRef: {
                std::string text;
                if (first.index >= 0 && static_cast<size_t>(first.index) < m_doc.footnotes.size()) {
                    rtf::ForEachParagraph(m_doc.footnotes[first.index], [&](const auto& p) {
                        text += RunsText(p.runs.begin(), p.runs.end()) + " ";
                    });
                }
                return "[" + Translate("Footnote") + ": " + Shortened(text) + "]";
            }
            case rtf::RunKind::BookmarkStart:
                return "[" + Translate("Bookmark") + ": " + Shortened(first.text) + "]";
            case rtf::RunKind::BookmarkEnd:
                return "[/" + Shortened(first.text) + "]";
            case rtf::RunKind::Picture:
                return "[" + Translate("Picture") + "]";
            default:
                break;
        }
        const std::string text = Shortened(RunsText(begin, end));
        if (first.format.hidden) {
            return "[" + Translate("Hidden text") + ": " + text + "]";
        }
        std::string kind;
        if (static_cast<size_t>(first.format.field) < m_doc.fields.size()) {
            kind = FirstWord(m_doc.fields[first.format.field].instruction);
        }
        return "[" + Translate("Field") + " " + kind + (text.empty() ? "" : ": " + text) + "]";
    }

    void Placeholder(wxRichTextParagraph& para, std::vector<rtf::Run>::const_iterator begin,
                     std::vector<rtf::Run>::const_iterator end) {
        const rtf::Run& first = *begin;
        auto* field = new wxRichTextField(kCarriedFieldType, &para);
        wxRichTextProperties& props = field->GetProperties();
        props.SetProperty(rich_text_prop::kLabel, wxString::FromUTF8(Label(first, begin, end)));
        m_carry.pieces.emplace_back(begin, end);
        props.SetProperty(rich_text_prop::kPiece, static_cast<long>(m_carry.pieces.size() - 1));
        para.AppendChild(field);
    }

    void List(wxRichTextParagraphLayoutBox& box, const rtf::List& list, int level, int depth) {
        level = std::min(level, kMaxListLevel);
        int number = list.start;
        for (const rtf::ListItem& item : list.items) {
            bool first = true;
            for (const rtf::Block& block : item.blocks) {
                if (const rtf::Paragraph* p = block.AsParagraph()) {
                    wxRichTextAttr attr = ParagraphAttr(p->format);
                    attr.SetLeftIndent(kListIndentStep * (level + 1), kListIndentStep);
                    wxRichTextParagraph* para = Paragraph(box, *p, attr);
                    if (first) {
                        wxRichTextAttr bullet = para->GetAttributes();
                        SetBullet(bullet, list.style, number);
                        para->SetAttributes(bullet);
                    } else {
                        para->GetProperties().SetProperty(rich_text_prop::kListItem,
                                                          static_cast<long>(level));
                    }
                    first = false;
                } else if (depth < kMaxDepth) {
                    if (const rtf::List* nested = block.AsList()) {
                        List(box, *nested, level + 1, depth + 1);
                    } else if (const rtf::Table* table = block.AsTable()) {
                        Table(box, *table, depth + 1);
                    }
                }
            }
            ++number;
        }
    }

    static void SetBullet(wxRichTextAttr& attr, rtf::ListStyle style, int number) {
        int bullet = wxTEXT_ATTR_BULLET_STYLE_PERIOD;
        switch (style) {
            case rtf::ListStyle::Bullet:
                attr.SetBulletStyle(wxTEXT_ATTR_BULLET_STYLE_STANDARD);
                attr.SetBulletName(wxT("standard/circle"));
                return;
            case rtf::ListStyle::Decimal:
                bullet |= wxTEXT_ATTR_BULLET_STYLE_ARABIC;
                break;
            case rtf::ListStyle::LowerAlpha:
                bullet |= wxTEXT_ATTR_BULLET_STYLE_LETTERS_LOWER;
                break;
            case rtf::ListStyle::UpperAlpha:
                bullet |= wxTEXT_ATTR_BULLET_STYLE_LETTERS_UPPER;
                break;
            case rtf::ListStyle::LowerRoman:
                bullet |= wxTEXT_ATTR_BULLET_STYLE_ROMAN_LOWER;
                break;
            case rtf::ListStyle::UpperRoman:
                bullet |= wxTEXT_ATTR_BULLET_STYLE_ROMAN_UPPER;
                break;
        }
        attr.SetBulletStyle(bullet);
        attr.SetBulletNumber(number);
    }

    void Table(wxRichTextParagraphLayoutBox& box, const rtf::Table& table, int depth) {
        size_t columns = 0;
        std::vector<std::vector<int>> starts;
        for (const rtf::TableRow& row : table.rows) {
            starts.push_back(CellColumns(row));
            for (size_t c = 0; c < row.cells.size(); ++c) {
                columns = std::max(columns, static_cast<size_t>(starts.back()[c] +
                                                                std::max(1, row.cells[c].colSpan)));
            }
        }
        // Cells that would share a grid column (a row wider than the control keeps) stand as
        // paragraphs one after the other instead.
        const bool fits =
            std::all_of(starts.begin(), starts.end(), [](const std::vector<int>& row) {
                return std::adjacent_find(row.begin(), row.end(), std::greater_equal<>()) ==
                       row.end();
            });
        if (table.rows.empty() || columns == 0 || depth >= kMaxDepth || !fits) {
            for (const rtf::TableRow& row : table.rows) {
                for (const rtf::TableCell& cell : row.cells) {
                    Blocks(box, cell.blocks, depth);
                }
            }
            return;
        }
        auto* para = new wxRichTextParagraph(&box);
        auto* grid = new wxRichTextTable(para);
        grid->CreateTable(static_cast<int>(table.rows.size()), static_cast<int>(columns));
        rtf::Table kept = table;
        for (size_t r = 0; r < table.rows.size(); ++r) {
            for (size_t c = 0; c < columns; ++c) {
                wxRichTextCell* cell = grid->GetCell(static_cast<int>(r), static_cast<int>(c));
                wxTextBoxAttr& box_attr = cell->GetAttributes().GetTextBoxAttr();
                box_attr.GetBorder().SetStyle(wxTEXT_BOX_ATTR_BORDER_SOLID);
                box_attr.GetBorder().SetColour(wxColour(0xA0, 0xA0, 0xA0));
                box_attr.GetBorder().SetWidth(1, wxTEXT_ATTR_UNITS_PIXELS);
                wxTextAttrDimensions& padding = box_attr.GetPadding();
                for (wxTextAttrDimension* side : {&padding.GetLeft(), &padding.GetRight(),
                                                  &padding.GetTop(), &padding.GetBottom()}) {
                    side->SetValue(10, wxTEXT_ATTR_UNITS_TENTHS_MM);
                }
            }
        }
        for (size_t r = 0; r < table.rows.size(); ++r) {
            const rtf::TableRow& row = table.rows[r];
            for (size_t c = 0; c < row.cells.size(); ++c) {
                const rtf::TableCell& source = row.cells[c];
                wxRichTextCell* cell = grid->GetCell(static_cast<int>(r), starts[r][c]);
                wxTextBoxAttr& box_attr = cell->GetAttributes().GetTextBoxAttr();
                if (source.colSpan > 1) {
                    cell->SetColSpan(source.colSpan);
                }
                if (source.vmerge == rtf::VerticalMerge::First) {
                    int span = 1;
                    for (size_t below = r + 1; below < table.rows.size(); ++below) {
                        const auto& next = starts[below];
                        const auto at = std::find(next.begin(), next.end(), starts[r][c]);
                        if (at == next.end() || table.rows[below].cells[at - next.begin()].vmerge !=
                                                    rtf::VerticalMerge::Continue) {
                            break;
                        }
                        ++span;
                    }
                    if (span > 1) {
                        cell->SetRowSpan(span);
                    }
                }
                const int width = source.width > 0 ? source.width : rtf::kDefaultCellWidth;
                box_attr.GetWidth().SetValue(TwipsToTenthsMm(width), wxTEXT_ATTR_UNITS_TENTHS_MM);
                if (source.shading != rtf::kNoColor) {
                    cell->GetAttributes().SetBackgroundColour(ToColour(source.shading));
                }
                cell->DeleteChildren();
                Blocks(*cell, source.blocks, depth);
                if (cell->GetChildCount() == 0) {
                    cell->AddParagraph(wxEmptyString);
                }
                kept.rows[r].cells[c].blocks.clear();
            }
        }
        m_carry.tables.push_back(std::move(kept));
        grid->GetProperties().SetProperty(rich_text_prop::kTable,
                                          static_cast<long>(m_carry.tables.size() - 1));
        para->AppendChild(grid);
        box.AppendChild(para);
    }

    const rtf::Document& m_doc;
    ivRichTextCarry& m_carry;
    ivPictureDrawer* m_drawer;
};

}  // namespace

std::vector<int> CellColumns(const rtf::TableRow& row) {
    std::vector<int> starts;
    int column = std::clamp(row.gridBefore, 0, kMaxTableColumns);
    for (const rtf::TableCell& cell : row.cells) {
        // Past the widest grid the control keeps, cells stand one beside the other.
        starts.push_back(std::min(column, kMaxTableColumns - 1));
        column = std::min(column + std::clamp(cell.colSpan, 1, kMaxTableColumns), kMaxTableColumns);
    }
    return starts;
}

void FillRichTextBuffer(const rtf::Document& document, wxRichTextParagraphLayoutBox& box,
                        ivRichTextCarry& carry, ivPictureDrawer* drawer) {
    ivCarriedFieldType::Register();
    carry.Clear();
    carry.base.fonts = document.fonts;
    carry.base.links = document.links;
    carry.base.fields = document.fields;
    carry.base.pictures = document.pictures;
    carry.base.footnotes = document.footnotes;
    carry.base.defaultFont = document.defaultFont;
    carry.base.defaultSize = document.defaultSize;
    box.DeleteChildren();
    Importer(document, carry, drawer).Blocks(box, document.blocks, 0);
    if (box.GetChildCount() == 0) {
        box.AddParagraph(wxEmptyString);
    }
    box.UpdateRanges();
    box.Invalidate(wxRICHTEXT_ALL);
}
