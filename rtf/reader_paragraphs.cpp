// Paragraph formatting and paragraph ends, the style sheet (which tells which styles are
// headings) and footnotes.

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

namespace {

// Styles a document may declare; real documents stay far below.
constexpr size_t kMaxStyles = 32768;

// The properties \pard resets, which a footnote also starts from.
void ResetParagraph(State& s) {
    s.pap = ParagraphFormat{};
    s.styleHeading = 0;
    s.outlineLevel = -1;
    s.inTable = false;
    s.itap = 0;
    s.ls = 0;
    s.ilvl = 0;
    s.pn = PnState{};
    s.shadeBackground = kNoColor;
    s.shadeForeground = kNoColor;
    s.shadePercent = 0;
}

int HeadingOfStyleName(const std::string& name) {
    const std::string lower = Lower(name);
    if (lower.size() == 9 && lower.compare(0, 8, "heading ") == 0 && lower[8] >= '1' &&
        lower[8] <= '9') {
        return lower[8] - '0';
    }
    return 0;
}

}  // namespace

void Reader::OnParagraphWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    const int param = t.param;
    switch (info.id) {
        case Kw::StyleSheet:
            s.dest = Dest::StyleSheet;
            break;
        case Kw::Footnote:
            BeginFootnote();
            break;
        case Kw::Pard:
            ResetParagraph(s);
            break;
        // Paragraph ends and breaks count in the body only.
        case Kw::Par:
            if (s.dest == Dest::Body) {
                EndParagraph();
            }
            break;
        case Kw::Page:
        case Kw::Sect:
            if (s.dest == Dest::Body && !m_builder.ParagraphEmpty()) {
                EndParagraph();
            }
            break;
        case Kw::Line:
            if (s.dest == Dest::Body) {
                m_builder.AppendRun(RunKind::LineBreak, s.chp, -1);
            }
            break;
        case Kw::Tab:
            if (s.dest == Dest::Body) {
                EmitCodePoint('\t');
            }
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
        case Kw::LineSpacing:
            s.pap.lineSpacing = std::clamp(param, -31680, 31680);
            break;
        case Kw::LineMultiple:
            s.pap.lineMultiple = !t.hasParam || param != 0;
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
        default:
            break;
    }
}

// A footnote starts with the character formatting of its anchor and a fresh paragraph.
// Footnotes inside footnotes, and hidden ones, are skipped.
void Reader::BeginFootnote() {
    State& s = S();
    if (s.dest != Dest::Body || s.chp.hidden || m_builder.FootnoteDepth() > 0) {
        SkipGroup();
        return;
    }
    m_builder.BeginFootnote(s.chp);
    s.opened = Kw::Footnote;
    ResetParagraph(s);
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
    if (number == 0 && S().dest == Dest::StyleSheet) {
        m_normalStyleSize = S().chp.size;  // the Normal style: what text without \fs is
    }
    m_styleHeadings[number] = outline >= 0 && outline < 9 ? outline + 1 : HeadingOfStyleName(name);
}

void Reader::EndParagraph() {
    ParagraphFormat format = CurrentParagraphFormat();
    format.hiddenMark = S().chp.hidden;
    m_builder.EndParagraph(format, Placement());
}

ParagraphFormat Reader::CurrentParagraphFormat() {
    const State& s = S();
    ParagraphFormat format = s.pap;
    format.heading =
        s.outlineLevel >= 0 && s.outlineLevel < 9 ? s.outlineLevel + 1 : s.styleHeading;
    format.shading = ShadingColor(s.shadeBackground, s.shadeForeground, s.shadePercent);
    return format;
}

ParagraphPlacement Reader::Placement() {
    const State& s = S();
    ParagraphPlacement p;
    p.tableDepth = std::min(s.itap > 0 ? s.itap : (s.inTable ? 1 : 0), m_limits.maxTableDepth);
    PlaceInList(p);
    return p;
}

}  // namespace rtf::detail
