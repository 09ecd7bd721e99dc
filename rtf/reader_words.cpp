// What each control word does to the reader's state.

#include "rtf/reader_impl.h"

#include <algorithm>
#include <cctype>

namespace rtf::detail {

namespace {

// Tables a document could grow without end are capped; real documents stay far below.
constexpr size_t kMaxFonts = 32768;
constexpr size_t kMaxColors = 32768;
constexpr size_t kMaxStyles = 32768;
constexpr size_t kMaxLinks = 1u << 20;

bool On(const Token& t) {
    return !t.hasParam || t.param != 0;
}

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

void Reader::OnSymbol(uint8_t symbol) {
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    const State& s = S();
    if (s.dest != Dest::Body && s.dest != Dest::FieldInst) {
        return;
    }
    switch (symbol) {
        case '~':
            EmitCodePoint(0x00A0);
            break;
        case '-':
            EmitCodePoint(0x00AD);
            break;
        case '_':
            EmitCodePoint(0x2011);
            break;
        case '\t':
            EmitCodePoint('\t');
            break;
        default:
            break;  // \: (index entries), \| (formulas) and unknown symbols
    }
}

void Reader::OnWord(const Token& t) {
    const KeywordInfo& info = LookupKeyword(t.text);
    const bool ignorable = m_ignorableNext;
    m_ignorableNext = false;
    if (m_skip > 0 && info.id != Kw::U) {
        --m_skip;  // a control word standing in as the fallback of \uN
        return;
    }
    m_skip = 0;
    State& s = S();
    if (s.dest == Dest::Upr) {
        if (info.id == Kw::Ud) {
            s.dest = s.uprOuter;
        } else if (info.destination) {
            SkipGroup();
        }
        return;
    }
    if (s.dest == Dest::ShapeInst) {
        if (info.id == Kw::Pict) {
            OnDestination(info);
        } else if (info.id == Kw::ShapeText) {
            s.dest = Dest::Body;
        } else if (info.destination || ignorable) {
            SkipGroup();
        }
        return;
    }
    if (info.destination) {
        OnDestination(info);
        return;
    }
    if (ignorable) {
        SkipGroup();  // an ignorable destination we do not know
        return;
    }
    if (s.dest == Dest::Body) {
        OnBodyWord(info, t);
    }
    OnFormatWord(info, t);
    OnTableDefinitionWord(info, t);
}

void Reader::OnDestination(const KeywordInfo& info) {
    State& s = S();
    const Dest dest = s.dest;
    switch (info.id) {
        case Kw::Rtf:
            m_started = true;
            break;
        case Kw::FontTable:
            s.dest = Dest::FontTable;
            break;
        case Kw::ColorTable:
            s.dest = Dest::ColorTable;
            break;
        case Kw::StyleSheet:
            s.dest = Dest::StyleSheet;
            break;
        case Kw::ListTable:
            s.dest = Dest::ListTable;
            break;
        case Kw::ListDef:
        case Kw::ListLevel:
            if (dest != Dest::ListTable) {
                SkipGroup();
                return;
            }
            s.opened = info.id;
            if (info.id == Kw::ListDef) {
                m_listId = 0;
                m_listLevels.clear();
            } else {
                m_listLevel = ListLevelDef{};
            }
            break;
        case Kw::ListOverrideTable:
            s.dest = Dest::ListOverrideTable;
            break;
        case Kw::ListOverride:
            if (dest != Dest::ListOverrideTable) {
                SkipGroup();
                return;
            }
            s.opened = Kw::ListOverride;
            m_overrideListId = 0;
            m_overrideNumber = 0;
            break;
        case Kw::Pict:
            if (dest != Dest::Body && dest != Dest::ShapeInst) {
                SkipGroup();
                return;
            }
            s.dest = Dest::Picture;
            s.opened = Kw::Pict;
            m_pict = {};
            break;
        case Kw::Field:
            if (dest == Dest::Body || dest == Dest::FieldInst) {
                m_fields.push_back(Field{m_states.size(), {}, -2});
                s.opened = Kw::Field;
            }
            break;
        case Kw::FldInst:
            if (m_fields.empty()) {
                SkipGroup();
                return;
            }
            s.dest = Dest::FieldInst;
            break;
        case Kw::FldRslt:
            BeginFieldResult();
            break;
        case Kw::Footnote:
            if (dest != Dest::Body || s.hidden || m_builder.FootnoteDepth() > 0) {
                SkipGroup();
                return;
            }
            m_builder.BeginFootnote(s.chp);
            s.opened = Kw::Footnote;
            s.pap = ParagraphFormat{};
            s.inTable = false;
            s.itap = 0;
            s.ls = 0;
            s.ilvl = 0;
            s.pn = PnState{};
            s.styleHeading = 0;
            s.outlineLevel = -1;
            break;
        case Kw::Pn:
            if (dest != Dest::Body) {
                SkipGroup();
                return;
            }
            s.dest = Dest::Pn;
            s.opened = Kw::Pn;
            m_pn = PnState{true, ListStyle::Decimal, 0, 1};
            break;
        case Kw::ShapeInst:
            if (dest != Dest::Body) {
                SkipGroup();
                return;
            }
            s.dest = Dest::ShapeInst;
            break;
        case Kw::Upr:
            s.uprOuter = dest;
            s.dest = Dest::Upr;
            break;
        case Kw::NestTableProps:
            s.nestTableProps = true;
            break;
        case Kw::SkipDestination:
            SkipGroup();
            return;
        default:
            // \shppict, \shp, \object, \result, \ud, \shptxt: their content is read in place.
            break;
    }
}

void Reader::BeginFieldResult() {
    State& s = S();
    if (m_fields.empty() || s.dest == Dest::FieldInst) {
        return;  // a result inside an instruction stays part of the instruction
    }
    Field& field = m_fields.back();
    if (field.link == -2) {
        field.link = -1;
        std::string target = HyperlinkTarget(field.instruction);
        if (!target.empty() && m_doc.links.size() < kMaxLinks) {
            m_doc.links.push_back(std::move(target));
            field.link = static_cast<int>(m_doc.links.size()) - 1;
        }
    }
    s.dest = Dest::Body;
    if (field.link >= 0) {
        s.chp.link = field.link;
    }
}

void Reader::EndParagraph() {
    const State& s = S();
    if (s.hidden && m_builder.ParagraphEmpty()) {
        return;  // a hidden paragraph mark
    }
    m_builder.EndParagraph(CurrentParagraphFormat(), Placement());
}

void Reader::OnBodyWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    switch (info.id) {
        case Kw::Par:
            EndParagraph();
            break;
        case Kw::Page:
        case Kw::Sect:
            if (!m_builder.ParagraphEmpty()) {
                EndParagraph();
            }
            break;
        case Kw::Line:
            if (!s.hidden) {
                m_builder.AppendRun(RunKind::LineBreak, s.chp, -1);
            }
            break;
        case Kw::Tab:
            EmitCodePoint('\t');
            break;
        case Kw::Character:
            EmitCodePoint(info.character);
            break;
        case Kw::U: {
            const int32_t value = t.param < 0 ? t.param + 65536 : t.param;
            EmitCodePoint(value >= 0 && value <= 0xFFFF ? static_cast<char32_t>(value) : 0xFFFD);
            m_skip = s.uc;
            break;
        }
        case Kw::Cell:
        case Kw::NestCell: {
            const ParagraphPlacement placement = Placement();
            const int depth = info.id == Kw::Cell ? 1 : std::max(2, placement.tableDepth);
            m_builder.EndCell(depth, CurrentParagraphFormat(), placement);
            break;
        }
        case Kw::Row:
        case Kw::NestRow: {
            const int depth = info.id == Kw::Row ? 1 : std::max(2, Placement().tableDepth);
            const size_t index = static_cast<size_t>(depth) - 1;
            m_builder.EndRow(depth, index < m_rowDefs.size() ? m_rowDefs[index] : RowDefinition{});
            break;
        }
        default:
            break;
    }
}

void Reader::SelectFont(int number) {
    auto found = m_fonts.find(number);
    if (found == m_fonts.end()) {
        return;
    }
    State& s = S();
    s.chp.font = found->second.modelIndex;
    s.page = found->second.page;
    s.symbol = found->second.symbol;
}

uint32_t Reader::ColorAt(int index) const {
    return index >= 0 && static_cast<size_t>(index) < m_colors.size() ? m_colors[index] : kNoColor;
}

void Reader::OnFormatWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    CharFormat& chp = s.chp;
    const int param = t.param;
    switch (info.id) {
        // Document.
        case Kw::Ansi:
            m_docPage = PageFor(1252);
            break;
        case Kw::Mac:
            m_docPage = PageFor(10000);
            break;
        case Kw::Pc:
            m_docPage = PageFor(437);
            break;
        case Kw::Pca:
            m_docPage = PageFor(850);
            break;
        case Kw::AnsiCpg:
            if (t.hasParam && param > 0) {
                m_docPage = PageFor(param);
            }
            break;
        case Kw::Deff:
            m_deff = param;
            break;
        case Kw::Uc:
            s.uc = static_cast<uint8_t>(std::clamp(param, 0, 255));
            break;
        case Kw::U:
            if (s.dest != Dest::Body) {
                const int32_t value = param < 0 ? param + 65536 : param;
                EmitCodePoint(value >= 0 && value <= 0xFFFF ? static_cast<char32_t>(value)
                                                            : 0xFFFD);
                m_skip = s.uc;
            }
            break;
        case Kw::Character:
            if (s.dest == Dest::FieldInst) {
                EmitCodePoint(info.character);
            }
            break;
        // Font table and colour table.
        case Kw::FontFamilyWord:
            m_fontEntry.family = static_cast<FontFamily>(info.variant);
            break;
        // A font's name is written in the font's own code page.
        case Kw::FontCharset:
            m_fontEntry.charset = param;
            if (s.dest == Dest::FontTable) {
                const int page = param == 0 ? 1252 : CodePageOfCharset(param);
                s.page = page > 0 ? PageFor(page) : nullptr;
            }
            break;
        case Kw::CodePageWord:
            m_fontEntry.codePage = param;
            if (s.dest == Dest::FontTable && param > 0) {
                s.page = PageFor(param);
            }
            break;
        case Kw::Red:
            m_red = std::clamp(param, 0, 255);
            m_colorSet = true;
            break;
        case Kw::Green:
            m_green = std::clamp(param, 0, 255);
            m_colorSet = true;
            break;
        case Kw::Blue:
            m_blue = std::clamp(param, 0, 255);
            m_colorSet = true;
            break;
        // Character formatting.
        case Kw::Plain: {
            const int link = chp.link;
            chp = CharFormat{};
            chp.link = link;
            s.hidden = false;
            s.page = nullptr;
            s.symbol = SymbolEncoding::None;
            SelectFont(m_deff);
            break;
        }
        case Kw::Bold:
            chp.bold = On(t);
            break;
        case Kw::Italic:
            chp.italic = On(t);
            break;
        case Kw::Strike:
            chp.strike = On(t);
            break;
        case Kw::Caps:
            chp.caps = On(t);
            break;
        case Kw::Hidden:
            s.hidden = On(t);
            break;
        case Kw::UnderlineWord:
            chp.underline = On(t) ? static_cast<Underline>(info.variant) : Underline::None;
            break;
        case Kw::UnderlineNone:
            chp.underline = Underline::None;
            break;
        case Kw::Font:
            if (s.dest == Dest::FontTable) {
                CommitFont();
                m_fontEntry.number = param;
                s.page = nullptr;
            } else {
                SelectFont(param);
            }
            break;
        case Kw::FontSize:
            chp.size = t.hasParam ? std::clamp(param, 0, 3276) : 24;
            break;
        case Kw::ColorFore:
            chp.color = ColorAt(param);
            break;
        case Kw::ColorBack:
        case Kw::Highlight:
            chp.background = ColorAt(param);
            break;
        case Kw::Super:
            chp.valign = VerticalAlign::Superscript;
            break;
        case Kw::Sub:
            chp.valign = VerticalAlign::Subscript;
            break;
        case Kw::NoSuperSub:
            chp.valign = VerticalAlign::Baseline;
            break;
        case Kw::Up:
            chp.valign =
                param != 0 || !t.hasParam ? VerticalAlign::Superscript : VerticalAlign::Baseline;
            break;
        case Kw::Dn:
            chp.valign =
                param != 0 || !t.hasParam ? VerticalAlign::Subscript : VerticalAlign::Baseline;
            break;
        // Paragraph formatting.
        case Kw::Pard:
            s.pap = ParagraphFormat{};
            s.styleHeading = 0;
            s.outlineLevel = -1;
            s.inTable = false;
            s.itap = 0;
            s.ls = 0;
            s.ilvl = 0;
            s.pn = PnState{};
            break;
        case Kw::AlignLeft:
            s.pap.align = Alignment::Left;
            break;
        case Kw::AlignCenter:
            s.pap.align = Alignment::Center;
            break;
        case Kw::AlignRight:
            s.pap.align = Alignment::Right;
            break;
        case Kw::AlignJustify:
            s.pap.align = Alignment::Justify;
            break;
        case Kw::LeftIndent:
            s.pap.leftIndent = std::clamp(param, -31680, 31680);
            break;
        case Kw::RightIndent:
            s.pap.rightIndent = std::clamp(param, -31680, 31680);
            break;
        case Kw::FirstIndent:
            s.pap.firstIndent = std::clamp(param, -31680, 31680);
            break;
        case Kw::SpaceBefore:
            s.pap.spaceBefore = std::clamp(param, 0, 31680);
            break;
        case Kw::SpaceAfter:
            s.pap.spaceAfter = std::clamp(param, 0, 31680);
            break;
        case Kw::StyleNumber:
            if (s.dest == Dest::StyleSheet) {
                m_styleEntry.number = param;
            } else {
                auto found = m_styleHeadings.find(param);
                s.styleHeading = found != m_styleHeadings.end() ? found->second : 0;
            }
            break;
        case Kw::OutlineLevel:
            if (s.dest == Dest::StyleSheet) {
                m_styleEntry.outlineLevel = param;
            } else {
                s.outlineLevel = param;
            }
            break;
        case Kw::ListOverrideNumber:
            if (s.dest == Dest::ListOverrideTable) {
                m_overrideNumber = param;
            } else {
                s.ls = param;
            }
            break;
        case Kw::ListLevelNumber:
            s.ilvl = std::clamp(param, 0, 8);
            break;
        case Kw::InTable:
            s.inTable = true;
            break;
        case Kw::TableDepth:
            s.itap = std::clamp(param, 0, m_limits.maxTableDepth);
            break;
        // List tables.
        case Kw::ListId:
            if (s.dest == Dest::ListOverrideTable) {
                m_overrideListId = param;
            } else {
                m_listId = param;
            }
            break;
        case Kw::LevelNfc:
            m_listLevel.nfc = param;
            break;
        case Kw::LevelStartAt:
            m_listLevel.startAt = param;
            break;
        // Old-style numbering.
        case Kw::PnLevelBullet:
            m_pn.style = ListStyle::Bullet;
            m_pn.level = 0;
            break;
        case Kw::PnLevelBody:
            m_pn.level = 0;
            break;
        case Kw::PnLevel:
            m_pn.level = std::clamp(param - 1, 0, 8);
            break;
        case Kw::PnDecimal:
            m_pn.style = ListStyle::Decimal;
            break;
        case Kw::PnUpperLetter:
            m_pn.style = ListStyle::UpperAlpha;
            break;
        case Kw::PnLowerLetter:
            m_pn.style = ListStyle::LowerAlpha;
            break;
        case Kw::PnUpperRoman:
            m_pn.style = ListStyle::UpperRoman;
            break;
        case Kw::PnLowerRoman:
            m_pn.style = ListStyle::LowerRoman;
            break;
        case Kw::PnStart:
            m_pn.start = param;
            break;
        // Pictures.
        case Kw::PngBlip:
            m_pict.format = PictureFormat::Png;
            break;
        case Kw::JpegBlip:
            m_pict.format = PictureFormat::Jpeg;
            break;
        case Kw::EmfBlip:
            m_pict.format = PictureFormat::Emf;
            break;
        case Kw::WmfBlip:
            m_pict.format = PictureFormat::Wmf;
            break;
        case Kw::MacPictBlip:
            m_pict.format = PictureFormat::MacPict;
            break;
        case Kw::BitmapBlip:
            m_pict.format = PictureFormat::Bitmap;
            break;
        case Kw::PicW:
            m_pict.picw = param;
            break;
        case Kw::PicH:
            m_pict.pich = param;
            break;
        case Kw::PicWGoal:
            m_pict.goalw = param;
            break;
        case Kw::PicHGoal:
            m_pict.goalh = param;
            break;
        case Kw::PicScaleX:
            m_pict.scalex = param;
            break;
        case Kw::PicScaleY:
            m_pict.scaley = param;
            break;
        default:
            break;
    }
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
    key += std::to_string(static_cast<int>(family)) + "/" + std::to_string(charset);
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
