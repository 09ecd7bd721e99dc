#pragma once

// The reader's state machine. reader.cpp runs the token loop and the group stack and hands
// each control word to the handler its keyword names; each handler lives in a file of its
// own (reader_fonts.cpp, reader_lists.cpp, ...). Not part of the public interface.

#include "rtf/builder.h"
#include "rtf/code_page.h"
#include "rtf/keywords.h"
#include "rtf/reader.h"
#include "rtf/tokenizer.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace rtf::detail {

// Where the text of a group goes.
enum class Dest : uint8_t {
    Body,  // the document (or a field result, a footnote)
    FontTable,
    ColorTable,
    StyleSheet,
    ListTable,  // also list definitions and their levels
    ListOverrideTable,
    Picture,
    FieldInst,
    Pn,            // old-style paragraph numbering
    ShapeInst,     // shape properties: only pictures and shape text matter
    BookmarkName,  // the name of a \bkmkstart or \bkmkend
    DefaultChars,  // \defchp: the document's default character formatting
    Upr,           // the ANSI half of \upr, replaced by its \ud half
    Skipped,       // a group that was skipped whole
};

// The legacy numbering (\pn) of a paragraph.
struct PnState {
    bool active = false;
    ListStyle style = ListStyle::Bullet;
    int level = 0;
    int start = 1;
};

// Everything a group restores when it ends.
struct State {
    Dest dest = Dest::Body;
    Dest uprOuter = Dest::Body;  // for \ud: the destination outside \upr
    Kw opened = Kw::Unknown;     // the destination keyword that opened this group
    bool nestTableProps = false;
    bool shpPict = false;     // inside \shppict: the picture others stand in for
    bool nonShpPict = false;  // inside \nonshppict: a stand-in for the picture before it
    uint8_t uc = 1;
    SymbolEncoding symbol = SymbolEncoding::None;
    const CodePage* page = nullptr;  // null: the document's code page
    CharFormat chp;
    ParagraphFormat pap;
    int styleHeading = 0;
    int outlineLevel = -1;
    bool inTable = false;
    int itap = 0;
    int ls = 0;
    int ilvl = 0;
    PnState pn;
    // Paragraph shading: \cbpat, \cfpat and \shading, combined when the paragraph ends.
    uint32_t shadeBackground = kNoColor;
    uint32_t shadeForeground = kNoColor;
    int shadePercent = 0;  // hundredths of a percent
};

struct FontInfo {
    int modelIndex = -1;
    const CodePage* page = nullptr;
    SymbolEncoding symbol = SymbolEncoding::None;
};

struct ListLevelDef {
    int nfc = 0;
    int startAt = 1;
};

struct Field {
    size_t depth = 0;  // group depth of the \field group
    std::string instruction;
    int link = -2;   // index into Document::links once the result began; -1: no hyperlink
    int model = -2;  // index into Document::fields once the result began; -1: none kept
};

class Reader {
public:
    Reader(std::string_view input, const ReadLimits& limits, ReadResult& result);
    void Run();

private:
    // reader.cpp: the token loop, groups and the dispatch of control words to handlers.
    State& S() { return m_states.back(); }
    bool SurrogateMayWait(const Token& token) const;
    void BeginGroup();
    void EndGroup();
    void SkipGroup();
    void OnWord(const Token& token);
    void OnGroupWord(const KeywordInfo& info, const Token& token);
    void Finish();

    // reader_text.cpp: decoding text into the current destination.
    void OnDocumentWord(const KeywordInfo& info, const Token& token);
    void OnSymbol(uint8_t symbol);
    void OnText(std::string_view bytes);
    void OnHex(uint8_t byte);
    void DecodeByte(uint8_t byte);
    void EmitCodePoint(char32_t c);
    void FlushSurrogate();
    void DecodeUtf8Byte(uint8_t byte);
    void FlushUtf8();
    void Deliver(std::string_view utf8);
    void DeliverTableText(std::string_view utf8);
    const CodePage* PageFor(int number);
    const CodePage* CurrentPage();

    // reader_fonts.cpp
    void OnFontWord(const KeywordInfo& info, const Token& token);
    void SelectFont(int number);
    void CommitFont();
    void EndFontTable();

    // reader_colors.cpp
    void OnColorWord(const KeywordInfo& info, const Token& token);
    void CommitColor();
    uint32_t ColorAt(int index) const;

    // reader_characters.cpp
    void OnCharacterWord(const KeywordInfo& info, const Token& token);

    // reader_paragraphs.cpp
    void OnParagraphWord(const KeywordInfo& info, const Token& token);
    void BeginFootnote();
    void CommitStyle();
    void EndParagraph();
    ParagraphPlacement Placement();
    ParagraphFormat CurrentParagraphFormat();

    // reader_lists.cpp
    void OnListWord(const KeywordInfo& info, const Token& token);
    void EndListGroup(const State& popped);
    void PlaceInList(ParagraphPlacement& placement);

    // reader_tables.cpp
    void OnTableWord(const KeywordInfo& info, const Token& token);
    void OnRowDefinitionWord(const KeywordInfo& info, const Token& token);

    // reader_pictures.cpp
    void OnPictureWord(const KeywordInfo& info, const Token& token);
    void OnBinary(std::string_view data);
    void PictureBytes(std::string_view hex);
    void CommitPicture(const State& popped);

    // reader_fields.cpp
    void OnFieldWord(const KeywordInfo& info, const Token& token);
    void BeginFieldResult();
    void EndBookmark(const State& popped);

    // reader_borders.cpp: borders and shading of paragraphs, cells and rows.
    void OnBorderWord(const KeywordInfo& info, const Token& token);
    Border* CurrentBorder();
    void EndRowDefinitionCell();

    const ReadLimits& m_limits;
    ReadResult& m_result;
    Document& m_doc;
    Tokenizer m_tok;
    Builder m_builder;
    std::vector<State> m_states;
    size_t m_overflowDepth = 0;
    bool m_started = false;
    bool m_stop = false;
    bool m_ignorableNext = false;

    // Text decoding.
    const CodePage* m_docPage = nullptr;
    std::unordered_map<int, const CodePage*> m_pages;
    uint8_t m_lead = 0;  // a double-byte lead byte waiting for its trail byte
    const CodePage* m_leadPage = nullptr;
    char16_t m_highSurrogate = 0;
    bool m_docUtf8 = false;   // \ansicpg65001: bytes outside ASCII are UTF-8
    std::string m_utf8;       // the bytes of a UTF-8 character so far
    size_t m_utf8Length = 0;  // how many bytes that character has
    int m_skip = 0;           // fallback characters still to skip after \uN
    std::string m_scratch;

    // Tables of the document header.
    int m_deff = -1;
    std::unordered_map<int, FontInfo> m_fonts;          // by \f number
    std::unordered_map<std::string, int> m_modelFonts;  // model index by font identity
    struct {
        int number = -1;
        FontFamily family = FontFamily::Nil;
        int charset = -1;  // -1: not given
        int codePage = 0;
        std::string name;
    } m_fontEntry;
    std::vector<uint32_t> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
    std::unordered_map<int, int> m_styleHeadings;
    struct {
        int number = 0;
        int outlineLevel = -1;
        std::string name;
    } m_styleEntry;
    int m_normalStyleSize = 0;  // \fs of the style sheet's Normal style
    std::unordered_map<int, std::vector<ListLevelDef>> m_listDefs;  // by \listid
    std::unordered_map<int, int> m_listOverrides;                   // \ls to \listid
    int m_listId = 0;
    std::vector<ListLevelDef> m_listLevels;
    ListLevelDef m_listLevel;
    int m_overrideListId = 0;
    int m_overrideNumber = 0;
    PnState m_pn;

    // Tables of the body.
    std::vector<RowDefinition> m_rowDefs;  // by table depth, from 1
    size_t m_rowDefDepth = 1;
    CellDefinition m_cellDef;

    // The border that \brdrs, \brdrw, \brdrcf and \brsp describe: which owner and side.
    enum class BorderOwner : uint8_t { None, Cell, Row, Paragraph, ParagraphBox };
    BorderOwner m_borderOwner = BorderOwner::None;
    int m_borderSide = 0;
    struct {
        uint32_t background = kNoColor;
        uint32_t foreground = kNoColor;
        int percent = 0;
    } m_cellShade;

    // Fields and pictures.
    std::vector<Field> m_fields;
    struct {
        PictureFormat format = PictureFormat::Unknown;
        int picw = 0, pich = 0, goalw = 0, goalh = 0, scalex = 100, scaley = 100;
        std::string data;
        int nibble = -1;
        bool tooBig = false;
    } m_pict;
    size_t m_pictureBytes = 0;
    int m_pairedPicture = -1;  // the \shppict picture a following \nonshppict stands in for

    // Bookmarks.
    std::string m_bookmarkName;
};

// The colour that shading of a percentage of foreground over background gives (either may be
// kNoColor: white and black).
uint32_t ShadingColor(uint32_t background, uint32_t foreground, int percent);

// Text with the spaces and tabs at both ends removed.
inline std::string Trim(std::string text) {
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

// ASCII letters made lower case; other bytes are kept.
inline std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// Parses a HYPERLINK field instruction into a link target; empty when it is none.
std::string HyperlinkTarget(std::string_view instruction);

}  // namespace rtf::detail
