#include "rtf/keywords.h"

#include "rtf/model.h"

#include <array>
#include <cstring>

namespace rtf {

namespace {

struct Entry {
    const char* name;
    KeywordInfo info;
};

// Which handler a keyword goes to, decided once when the table is built.
constexpr Handler HandlerOf(Kw id) {
    switch (id) {
        case Kw::Unknown:
        case Kw::FootnoteMark:
            return Handler::None;
        case Kw::Rtf:
        case Kw::Upr:
        case Kw::Ud:
        case Kw::ShpPict:
        case Kw::Shape:
        case Kw::Object:
        case Kw::Result:
        case Kw::SkipDestination:
            return Handler::Group;
        case Kw::Ansi:
        case Kw::Mac:
        case Kw::Pc:
        case Kw::Pca:
        case Kw::AnsiCpg:
        case Kw::Uc:
        case Kw::U:
        case Kw::Character:
            return Handler::Document;
        case Kw::FontTable:
        case Kw::Deff:
        case Kw::FontFamilyWord:
        case Kw::FontCharset:
        case Kw::CodePageWord:
        case Kw::Font:
            return Handler::Font;
        case Kw::ColorTable:
        case Kw::Red:
        case Kw::Green:
        case Kw::Blue:
            return Handler::Color;
        case Kw::Plain:
        case Kw::Bold:
        case Kw::Italic:
        case Kw::UnderlineWord:
        case Kw::UnderlineNone:
        case Kw::Strike:
        case Kw::FontSize:
        case Kw::ColorFore:
        case Kw::ColorBack:
        case Kw::Highlight:
        case Kw::Super:
        case Kw::Sub:
        case Kw::NoSuperSub:
        case Kw::Up:
        case Kw::Dn:
        case Kw::Caps:
        case Kw::Hidden:
        case Kw::DefaultChars:
            return Handler::Character;
        case Kw::StyleSheet:
        case Kw::Footnote:
        case Kw::Pard:
        case Kw::Par:
        case Kw::Line:
        case Kw::Tab:
        case Kw::Page:
        case Kw::Sect:
        case Kw::AlignLeft:
        case Kw::AlignCenter:
        case Kw::AlignRight:
        case Kw::AlignJustify:
        case Kw::LeftIndent:
        case Kw::RightIndent:
        case Kw::FirstIndent:
        case Kw::SpaceBefore:
        case Kw::SpaceAfter:
        case Kw::LineSpacing:
        case Kw::LineMultiple:
        case Kw::StyleNumber:
        case Kw::OutlineLevel:
            return Handler::Paragraph;
        case Kw::ListTable:
        case Kw::ListOverrideTable:
        case Kw::ListDef:
        case Kw::ListLevel:
        case Kw::ListOverride:
        case Kw::Pn:
        case Kw::ListOverrideNumber:
        case Kw::ListLevelNumber:
        case Kw::ListId:
        case Kw::LevelNfc:
        case Kw::LevelStartAt:
        case Kw::PnLevelBullet:
        case Kw::PnLevelBody:
        case Kw::PnLevel:
        case Kw::PnDecimal:
        case Kw::PnUpperLetter:
        case Kw::PnLowerLetter:
        case Kw::PnUpperRoman:
        case Kw::PnLowerRoman:
        case Kw::PnStart:
            return Handler::List;
        case Kw::NestTableProps:
        case Kw::InTable:
        case Kw::TableDepth:
        case Kw::Cell:
        case Kw::Row:
        case Kw::NestCell:
        case Kw::NestRow:
        case Kw::RowDefaults:
        case Kw::CellX:
        case Kw::RowLeft:
        case Kw::CellMergeFirst:
        case Kw::CellMerge:
        case Kw::CellVMergeFirst:
        case Kw::CellVMerge:
        case Kw::CellAlignWord:
        case Kw::CellPadding:
        case Kw::RowPadding:
        case Kw::RowGap:
        case Kw::RowAlign:
            return Handler::Table;
        case Kw::BorderSide:
        case Kw::BorderNone:
        case Kw::BorderStyleWord:
        case Kw::BorderWidth:
        case Kw::BorderColor:
        case Kw::BorderSpace:
        case Kw::ShadeBackground:
        case Kw::ShadeForeground:
        case Kw::ShadePercent:
            return Handler::Border;
        case Kw::Pict:
        case Kw::NonShpPict:
        case Kw::ShapeInst:
        case Kw::ShapeText:
        case Kw::PngBlip:
        case Kw::JpegBlip:
        case Kw::EmfBlip:
        case Kw::WmfBlip:
        case Kw::MacPictBlip:
        case Kw::BitmapBlip:
        case Kw::PicW:
        case Kw::PicH:
        case Kw::PicWGoal:
        case Kw::PicHGoal:
        case Kw::PicScaleX:
        case Kw::PicScaleY:
            return Handler::Picture;
        case Kw::Field:
        case Kw::FldInst:
        case Kw::FldRslt:
        case Kw::BookmarkStart:
        case Kw::BookmarkEnd:
            return Handler::Field;
    }
    return Handler::None;
}

constexpr KeywordInfo Dest(Kw id) {
    return {id, true, 0, HandlerOf(id), 0};
}
constexpr KeywordInfo Word(Kw id, uint8_t variant = 0) {
    return {id, false, variant, HandlerOf(id), 0};
}
constexpr KeywordInfo Char(char32_t c) {
    return {Kw::Character, false, 0, HandlerOf(Kw::Character), c};
}
constexpr uint8_t U(Underline u) {
    return static_cast<uint8_t>(u);
}
constexpr uint8_t F(FontFamily f) {
    return static_cast<uint8_t>(f);
}
constexpr uint8_t B(BorderStyle b) {
    return static_cast<uint8_t>(b);
}

constexpr KeywordInfo kSkip = Dest(Kw::SkipDestination);

const Entry kEntries[] = {
    // Destinations.
    {"rtf", Dest(Kw::Rtf)},
    {"fonttbl", Dest(Kw::FontTable)},
    {"colortbl", Dest(Kw::ColorTable)},
    {"stylesheet", Dest(Kw::StyleSheet)},
    {"listtable", Dest(Kw::ListTable)},
    {"listoverridetable", Dest(Kw::ListOverrideTable)},
    {"list", Dest(Kw::ListDef)},
    {"listlevel", Dest(Kw::ListLevel)},
    {"listoverride", Dest(Kw::ListOverride)},
    {"pict", Dest(Kw::Pict)},
    {"field", Dest(Kw::Field)},
    {"fldinst", Dest(Kw::FldInst)},
    {"fldrslt", Dest(Kw::FldRslt)},
    {"footnote", Dest(Kw::Footnote)},
    {"pn", Dest(Kw::Pn)},
    {"shppict", Dest(Kw::ShpPict)},
    {"shp", Dest(Kw::Shape)},
    {"shpinst", Dest(Kw::ShapeInst)},
    {"shptxt", Dest(Kw::ShapeText)},
    {"upr", Dest(Kw::Upr)},
    {"ud", Dest(Kw::Ud)},
    {"nesttableprops", Dest(Kw::NestTableProps)},
    {"object", Dest(Kw::Object)},
    {"result", Dest(Kw::Result)},
    {"bkmkstart", Dest(Kw::BookmarkStart)},
    {"bkmkend", Dest(Kw::BookmarkEnd)},
    {"nonshppict", Dest(Kw::NonShpPict)},
    {"defchp", Dest(Kw::DefaultChars)},
    // Destinations that hold nothing to show. Most others of this kind are written after
    // \* and skipped without being listed.
    {"info", kSkip},
    {"header", kSkip},
    {"headerl", kSkip},
    {"headerr", kSkip},
    {"headerf", kSkip},
    {"footer", kSkip},
    {"footerl", kSkip},
    {"footerr", kSkip},
    {"footerf", kSkip},
    {"pntext", kSkip},
    {"pntxta", kSkip},
    {"pntxtb", kSkip},
    {"listtext", kSkip},
    {"nonesttables", kSkip},
    {"shprslt", kSkip},
    {"xe", kSkip},
    {"tc", kSkip},
    {"tcn", kSkip},
    {"txe", kSkip},
    {"rxe", kSkip},
    {"annotation", kSkip},
    {"atnid", kSkip},
    {"atnauthor", kSkip},
    {"atndate", kSkip},
    {"atnicn", kSkip},
    {"atnref", kSkip},
    {"atntime", kSkip},
    {"atrfend", kSkip},
    {"atrfstart", kSkip},
    {"ftnsep", kSkip},
    {"ftnsepc", kSkip},
    {"ftncn", kSkip},
    {"aftnsep", kSkip},
    {"aftnsepc", kSkip},
    {"aftncn", kSkip},
    {"filetbl", kSkip},
    {"revtbl", kSkip},
    {"listpicture", kSkip},
    {"fchars", kSkip},
    {"lchars", kSkip},
    {"leveltext", kSkip},
    {"levelnumbers", kSkip},
    {"listname", kSkip},
    {"lfolevel", kSkip},
    {"objdata", kSkip},
    {"objclass", kSkip},
    {"objname", kSkip},
    {"template", kSkip},
    {"docvar", kSkip},
    {"falt", kSkip},
    {"panose", kSkip},
    {"fontemb", kSkip},
    {"fontfile", kSkip},
    {"do", kSkip},
    {"picprop", kSkip},
    {"blipuid", kSkip},
    {"datafield", kSkip},
    {"fldtype", kSkip},
    {"formfield", kSkip},
    {"keywords", kSkip},
    {"comment", kSkip},
    {"doccomm", kSkip},
    {"title", kSkip},
    {"subject", kSkip},
    {"author", kSkip},
    {"operator", kSkip},
    {"sn", kSkip},
    {"pgdsctbl", kSkip},
    {"mmathPr", kSkip},
    {"bkmkcolf", kSkip},
    {"private", kSkip},
    {"xmlnstbl", kSkip},
    {"themedata", kSkip},
    // Document.
    {"ansi", Word(Kw::Ansi)},
    {"mac", Word(Kw::Mac)},
    {"pc", Word(Kw::Pc)},
    {"pca", Word(Kw::Pca)},
    {"ansicpg", Word(Kw::AnsiCpg)},
    {"deff", Word(Kw::Deff)},
    {"uc", Word(Kw::Uc)},
    {"u", Word(Kw::U)},
    // Fonts and colours.
    {"fnil", Word(Kw::FontFamilyWord, F(FontFamily::Nil))},
    {"froman", Word(Kw::FontFamilyWord, F(FontFamily::Roman))},
    {"fswiss", Word(Kw::FontFamilyWord, F(FontFamily::Swiss))},
    {"fmodern", Word(Kw::FontFamilyWord, F(FontFamily::Modern))},
    {"fscript", Word(Kw::FontFamilyWord, F(FontFamily::Script))},
    {"fdecor", Word(Kw::FontFamilyWord, F(FontFamily::Decor))},
    {"ftech", Word(Kw::FontFamilyWord, F(FontFamily::Tech))},
    {"fbidi", Word(Kw::FontFamilyWord, F(FontFamily::Bidi))},
    {"fcharset", Word(Kw::FontCharset)},
    {"cpg", Word(Kw::CodePageWord)},
    {"red", Word(Kw::Red)},
    {"green", Word(Kw::Green)},
    {"blue", Word(Kw::Blue)},
    // Character formatting.
    {"plain", Word(Kw::Plain)},
    {"b", Word(Kw::Bold)},
    {"i", Word(Kw::Italic)},
    {"ul", Word(Kw::UnderlineWord, U(Underline::Single))},
    {"ulw", Word(Kw::UnderlineWord, U(Underline::Single))},
    {"ulth", Word(Kw::UnderlineWord, U(Underline::Single))},
    {"uldb", Word(Kw::UnderlineWord, U(Underline::Double))},
    {"uld", Word(Kw::UnderlineWord, U(Underline::Dotted))},
    {"ulthd", Word(Kw::UnderlineWord, U(Underline::Dotted))},
    {"uldash", Word(Kw::UnderlineWord, U(Underline::Dashed))},
    {"uldashd", Word(Kw::UnderlineWord, U(Underline::Dashed))},
    {"uldashdd", Word(Kw::UnderlineWord, U(Underline::Dashed))},
    {"ulldash", Word(Kw::UnderlineWord, U(Underline::Dashed))},
    {"ulthdash", Word(Kw::UnderlineWord, U(Underline::Dashed))},
    {"ulthdashd", Word(Kw::UnderlineWord, U(Underline::Dashed))},
    {"ulthdashdd", Word(Kw::UnderlineWord, U(Underline::Dashed))},
    {"ulthldash", Word(Kw::UnderlineWord, U(Underline::Dashed))},
    {"ulwave", Word(Kw::UnderlineWord, U(Underline::Wavy))},
    {"ulhwave", Word(Kw::UnderlineWord, U(Underline::Wavy))},
    {"ululdbwave", Word(Kw::UnderlineWord, U(Underline::Wavy))},
    {"ulnone", Word(Kw::UnderlineNone)},
    {"strike", Word(Kw::Strike)},
    {"striked", Word(Kw::Strike)},
    {"f", Word(Kw::Font)},
    {"fs", Word(Kw::FontSize)},
    {"cf", Word(Kw::ColorFore)},
    {"cb", Word(Kw::ColorBack)},
    {"chcbpat", Word(Kw::ColorBack)},
    {"highlight", Word(Kw::Highlight)},
    {"super", Word(Kw::Super)},
    {"sub", Word(Kw::Sub)},
    {"nosupersub", Word(Kw::NoSuperSub)},
    {"up", Word(Kw::Up)},
    {"dn", Word(Kw::Dn)},
    {"caps", Word(Kw::Caps)},
    {"v", Word(Kw::Hidden)},
    // Paragraphs.
    {"pard", Word(Kw::Pard)},
    {"par", Word(Kw::Par)},
    {"line", Word(Kw::Line)},
    {"tab", Word(Kw::Tab)},
    {"page", Word(Kw::Page)},
    {"sect", Word(Kw::Sect)},
    {"ql", Word(Kw::AlignLeft)},
    {"qc", Word(Kw::AlignCenter)},
    {"qr", Word(Kw::AlignRight)},
    {"qj", Word(Kw::AlignJustify)},
    {"qd", Word(Kw::AlignJustify)},
    {"li", Word(Kw::LeftIndent)},
    {"ri", Word(Kw::RightIndent)},
    {"fi", Word(Kw::FirstIndent)},
    {"sb", Word(Kw::SpaceBefore)},
    {"sa", Word(Kw::SpaceAfter)},
    {"sl", Word(Kw::LineSpacing)},
    {"slmult", Word(Kw::LineMultiple)},
    {"s", Word(Kw::StyleNumber)},
    {"outlinelevel", Word(Kw::OutlineLevel)},
    {"ls", Word(Kw::ListOverrideNumber)},
    {"ilvl", Word(Kw::ListLevelNumber)},
    // Tables.
    {"intbl", Word(Kw::InTable)},
    {"itap", Word(Kw::TableDepth)},
    {"cell", Word(Kw::Cell)},
    {"row", Word(Kw::Row)},
    {"nestcell", Word(Kw::NestCell)},
    {"nestrow", Word(Kw::NestRow)},
    {"trowd", Word(Kw::RowDefaults)},
    {"cellx", Word(Kw::CellX)},
    {"trleft", Word(Kw::RowLeft)},
    {"clmgf", Word(Kw::CellMergeFirst)},
    {"clmrg", Word(Kw::CellMerge)},
    {"clvmgf", Word(Kw::CellVMergeFirst)},
    {"clvmrg", Word(Kw::CellVMerge)},
    {"clbrdrt", Word(Kw::BorderSide, 0x10)},
    {"clbrdrl", Word(Kw::BorderSide, 0x11)},
    {"clbrdrb", Word(Kw::BorderSide, 0x12)},
    {"clbrdrr", Word(Kw::BorderSide, 0x13)},
    {"trbrdrt", Word(Kw::BorderSide, 0x20)},
    {"trbrdrl", Word(Kw::BorderSide, 0x21)},
    {"trbrdrb", Word(Kw::BorderSide, 0x22)},
    {"trbrdrr", Word(Kw::BorderSide, 0x23)},
    {"trbrdrh", Word(Kw::BorderSide, 0x24)},
    {"trbrdrv", Word(Kw::BorderSide, 0x25)},
    {"brdrt", Word(Kw::BorderSide, 0x30)},
    {"brdrl", Word(Kw::BorderSide, 0x31)},
    {"brdrb", Word(Kw::BorderSide, 0x32)},
    {"brdrr", Word(Kw::BorderSide, 0x33)},
    {"box", Word(Kw::BorderSide, 0x40)},
    {"brdrnone", Word(Kw::BorderNone)},
    {"brdrnil", Word(Kw::BorderNone)},
    {"brdrtbl", Word(Kw::BorderNone)},
    {"brdrs", Word(Kw::BorderStyleWord, B(BorderStyle::Single))},
    {"brdrth", Word(Kw::BorderStyleWord, B(BorderStyle::Thick))},
    {"brdrsh", Word(Kw::BorderStyleWord, B(BorderStyle::Single))},
    {"brdrdb", Word(Kw::BorderStyleWord, B(BorderStyle::Double))},
    {"brdrdot", Word(Kw::BorderStyleWord, B(BorderStyle::Dotted))},
    {"brdrdash", Word(Kw::BorderStyleWord, B(BorderStyle::Dashed))},
    {"brdrhair", Word(Kw::BorderStyleWord, B(BorderStyle::Hairline))},
    {"brdrdashsm", Word(Kw::BorderStyleWord, B(BorderStyle::Dashed))},
    {"brdrdashd", Word(Kw::BorderStyleWord, B(BorderStyle::Dashed))},
    {"brdrdashdd", Word(Kw::BorderStyleWord, B(BorderStyle::Dashed))},
    {"brdrdashdot", Word(Kw::BorderStyleWord, B(BorderStyle::Dashed))},
    {"brdrdashdotdot", Word(Kw::BorderStyleWord, B(BorderStyle::Dashed))},
    {"brdrtriple", Word(Kw::BorderStyleWord, B(BorderStyle::Triple))},
    {"brdrinset", Word(Kw::BorderStyleWord, B(BorderStyle::Inset))},
    {"brdroutset", Word(Kw::BorderStyleWord, B(BorderStyle::Outset))},
    {"brdrwavy", Word(Kw::BorderStyleWord, B(BorderStyle::Wavy))},
    {"brdrwavydb", Word(Kw::BorderStyleWord, B(BorderStyle::Wavy))},
    {"brdremboss", Word(Kw::BorderStyleWord, B(BorderStyle::Emboss))},
    {"brdrengrave", Word(Kw::BorderStyleWord, B(BorderStyle::Engrave))},
    {"brdrthtnsg", Word(Kw::BorderStyleWord, B(BorderStyle::Double))},
    {"brdrtnthsg", Word(Kw::BorderStyleWord, B(BorderStyle::Double))},
    {"brdrtnthtnsg", Word(Kw::BorderStyleWord, B(BorderStyle::Triple))},
    {"brdrthtnmg", Word(Kw::BorderStyleWord, B(BorderStyle::Double))},
    {"brdrtnthmg", Word(Kw::BorderStyleWord, B(BorderStyle::Double))},
    {"brdrtnthtnmg", Word(Kw::BorderStyleWord, B(BorderStyle::Triple))},
    {"brdrthtnlg", Word(Kw::BorderStyleWord, B(BorderStyle::Double))},
    {"brdrtnthlg", Word(Kw::BorderStyleWord, B(BorderStyle::Double))},
    {"brdrtnthtnlg", Word(Kw::BorderStyleWord, B(BorderStyle::Triple))},
    {"brdrdashdotstr", Word(Kw::BorderStyleWord, B(BorderStyle::Dashed))},
    {"brdrframe", Word(Kw::BorderStyleWord, B(BorderStyle::Single))},
    {"brdrw", Word(Kw::BorderWidth)},
    {"brdrcf", Word(Kw::BorderColor)},
    {"brsp", Word(Kw::BorderSpace)},
    {"cbpat", Word(Kw::ShadeBackground, 0)},
    {"cfpat", Word(Kw::ShadeForeground, 0)},
    {"shading", Word(Kw::ShadePercent, 0)},
    {"clcbpat", Word(Kw::ShadeBackground, 1)},
    {"clcfpat", Word(Kw::ShadeForeground, 1)},
    {"clshdng", Word(Kw::ShadePercent, 1)},
    {"clvertalt", Word(Kw::CellAlignWord, static_cast<uint8_t>(CellAlign::Top))},
    {"clvertalc", Word(Kw::CellAlignWord, static_cast<uint8_t>(CellAlign::Center))},
    {"clvertalb", Word(Kw::CellAlignWord, static_cast<uint8_t>(CellAlign::Bottom))},
    {"clpadt", Word(Kw::CellPadding, 0)},
    {"clpadl", Word(Kw::CellPadding, 1)},
    {"clpadb", Word(Kw::CellPadding, 2)},
    {"clpadr", Word(Kw::CellPadding, 3)},
    {"trpaddt", Word(Kw::RowPadding, 0)},
    {"trpaddl", Word(Kw::RowPadding, 1)},
    {"trpaddb", Word(Kw::RowPadding, 2)},
    {"trpaddr", Word(Kw::RowPadding, 3)},
    {"trgaph", Word(Kw::RowGap)},
    {"trql", Word(Kw::RowAlign, static_cast<uint8_t>(Alignment::Left))},
    {"trqc", Word(Kw::RowAlign, static_cast<uint8_t>(Alignment::Center))},
    {"trqr", Word(Kw::RowAlign, static_cast<uint8_t>(Alignment::Right))},
    // Lists.
    {"listid", Word(Kw::ListId)},
    {"levelnfc", Word(Kw::LevelNfc)},
    {"levelnfcn", Word(Kw::LevelNfc)},
    {"levelstartat", Word(Kw::LevelStartAt)},
    {"pnlvlblt", Word(Kw::PnLevelBullet)},
    {"pnlvlbody", Word(Kw::PnLevelBody)},
    {"pnlvlcont", Word(Kw::PnLevelBody)},
    {"pnlvl", Word(Kw::PnLevel)},
    {"pndec", Word(Kw::PnDecimal)},
    {"pnucltr", Word(Kw::PnUpperLetter)},
    {"pnlcltr", Word(Kw::PnLowerLetter)},
    {"pnucrm", Word(Kw::PnUpperRoman)},
    {"pnlcrm", Word(Kw::PnLowerRoman)},
    {"pnstart", Word(Kw::PnStart)},
    // Pictures.
    {"pngblip", Word(Kw::PngBlip)},
    {"jpegblip", Word(Kw::JpegBlip)},
    {"emfblip", Word(Kw::EmfBlip)},
    {"wmetafile", Word(Kw::WmfBlip)},
    {"macpict", Word(Kw::MacPictBlip)},
    {"dibitmap", Word(Kw::BitmapBlip)},
    {"wbitmap", Word(Kw::BitmapBlip)},
    {"picw", Word(Kw::PicW)},
    {"pich", Word(Kw::PicH)},
    {"picwgoal", Word(Kw::PicWGoal)},
    {"pichgoal", Word(Kw::PicHGoal)},
    {"picscalex", Word(Kw::PicScaleX)},
    {"picscaley", Word(Kw::PicScaleY)},
    // Characters.
    {"emdash", Char(0x2014)},
    {"endash", Char(0x2013)},
    {"bullet", Char(0x2022)},
    {"lquote", Char(0x2018)},
    {"rquote", Char(0x2019)},
    {"ldblquote", Char(0x201C)},
    {"rdblquote", Char(0x201D)},
    {"emspace", Char(0x2003)},
    {"enspace", Char(0x2002)},
    {"qmspace", Char(0x2005)},
    {"zwj", Char(0x200D)},
    {"zwnj", Char(0x200C)},
    {"zwbo", Char(0x200B)},
    {"ltrmark", Char(0x200E)},
    {"rtlmark", Char(0x200F)},
    {"chftn", Word(Kw::FootnoteMark)},
};

// An open-addressing hash table over the names: the reader looks up every control word,
// so this is on the hot path.
class KeywordTable {
public:
    KeywordTable() {
        for (const Entry& e : kEntries) {
            size_t slot = Hash(e.name, std::strlen(e.name)) & kMask;
            while (m_slots[slot] != nullptr) {
                slot = (slot + 1) & kMask;
            }
            m_slots[slot] = &e;
        }
    }

    const KeywordInfo& Find(std::string_view name) const {
        static const KeywordInfo unknown;
        if (name.size() > kMaxKeywordLength) {
            return unknown;
        }
        size_t slot = Hash(name.data(), name.size()) & kMask;
        while (const Entry* e = m_slots[slot]) {
            if (std::strncmp(e->name, name.data(), name.size()) == 0 &&
                e->name[name.size()] == '\0') {
                return e->info;
            }
            slot = (slot + 1) & kMask;
        }
        return unknown;
    }

private:
    // No keyword is longer; longer control words are unknown without being hashed.
    static constexpr size_t kMaxKeywordLength = 32;
    static constexpr size_t kSize = 1024;
    static constexpr size_t kMask = kSize - 1;
    static_assert(sizeof(kEntries) / sizeof(kEntries[0]) < kSize / 2);

    static size_t Hash(const char* s, size_t n) {
        uint32_t h = 2166136261u;
        for (size_t i = 0; i < n; ++i) {
            h = (h ^ static_cast<unsigned char>(s[i])) * 16777619u;
        }
        return h;
    }

    std::array<const Entry*, kSize> m_slots{};
};

}  // namespace

const KeywordInfo& LookupKeyword(std::string_view name) {
    static const KeywordTable table;
    return table.Find(name);
}

}  // namespace rtf
