#pragma once

#include <cstdint>
#include <string_view>

namespace rtf {

// The control words the reader acts on. Everything else is ignored (or, after \*, skipped
// with its group).
enum class Kw : uint8_t {
    Unknown,
    // Destinations handled by the reader.
    Rtf,
    FontTable,
    ColorTable,
    StyleSheet,
    ListTable,
    ListOverrideTable,
    ListDef,
    ListLevel,
    ListOverride,
    Pict,
    Field,
    FldInst,
    FldRslt,
    Footnote,
    Pn,
    ShpPict,
    Shape,
    ShapeInst,
    ShapeText,
    Upr,
    Ud,
    NestTableProps,
    Object,
    Result,
    BookmarkStart,
    BookmarkEnd,
    NonShpPict,
    DefaultChars,
    SkipDestination,  // destinations whose content is never shown (headers, info, ...)
    // Document.
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    Uc,
    U,
    // Fonts and colours.
    FontFamilyWord,
    FontCharset,
    CodePageWord,
    Red,
    Green,
    Blue,
    // Character formatting.
    Plain,
    Bold,
    Italic,
    UnderlineWord,
    UnderlineNone,
    Strike,
    Font,
    FontSize,
    ColorFore,
    ColorBack,
    Highlight,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Dn,
    Caps,
    Hidden,
    // Paragraphs.
    Pard,
    Par,
    Line,
    Tab,
    Page,
    Sect,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    StyleNumber,
    OutlineLevel,
    ListOverrideNumber,
    ListLevelNumber,
    // Tables.
    InTable,
    TableDepth,
    Cell,
    Row,
    NestCell,
    NestRow,
    RowDefaults,
    CellX,
    RowLeft,
    CellMergeFirst,
    CellMerge,
    CellVMergeFirst,
    CellVMerge,
    CellAlignWord,  // variant: CellAlign
    CellPadding,    // variant: side (0 top, 1 left, 2 bottom, 3 right)
    RowPadding,     // variant: side
    RowGap,
    RowAlign,  // variant: Alignment
    // Borders and shading.
    BorderSide,  // variant: owner * 16 + side, see reader_borders.cpp
    BorderNone,
    BorderStyleWord,  // variant: BorderStyle
    BorderWidth,
    BorderColor,
    BorderSpace,
    ShadeBackground,  // variant 0: paragraph (\cbpat), 1: cell (\clcbpat)
    ShadeForeground,  // variant as above
    ShadePercent,     // variant as above
    // Lists.
    ListId,
    LevelNfc,
    LevelStartAt,
    PnLevelBullet,
    PnLevelBody,
    PnLevel,
    PnDecimal,
    PnUpperLetter,
    PnLowerLetter,
    PnUpperRoman,
    PnLowerRoman,
    PnStart,
    // Pictures.
    PngBlip,
    JpegBlip,
    EmfBlip,
    WmfBlip,
    MacPictBlip,
    BitmapBlip,
    PicW,
    PicH,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
    // Characters.
    Character,  // a control word standing for one character: see KeywordInfo::character
    FootnoteMark,
};

// The part of the reader that acts on a control word: one handler per kind of destination
// or formatting, each in a file of its own.
enum class Handler : uint8_t {
    None,       // read and ignored
    Group,      // \rtf, \upr and destinations read in place or skipped whole
    Document,   // code pages, \uc, \u and the words that stand for one character
    Font,       // the font table and font selection
    Color,      // the colour table
    Character,  // character formatting
    Paragraph,  // paragraph formatting, paragraph ends, the style sheet, footnotes
    List,       // list tables, list paragraphs and old-style numbering
    Table,      // row definitions, cells and rows
    Picture,    // pictures and the shapes that hold them
    Field,      // fields and their instructions, bookmarks
    Border,     // borders and shading of paragraphs, cells and rows
};

struct KeywordInfo {
    Kw id = Kw::Unknown;
    bool destination = false;  // opens a destination (matters after \*)
    uint8_t variant = 0;       // which underline style, font family, border side, ...
    Handler handler = Handler::None;
    char32_t character = 0;  // for Kw::Character
};

// The keyword of a control word name; Kw::Unknown for names that are none, however long.
const KeywordInfo& LookupKeyword(std::string_view name);

}  // namespace rtf
