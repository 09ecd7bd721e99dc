#include "framework/rich_edit_view.h"

#include "core/settings.h"
#include "core/translate.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"

#include <wx/dcgraph.h>
#include <wx/graphics.h>
#include <wx/richtext/richtextbuffer.h>

#include <algorithm>
#include <climits>
#include <span>

namespace {

// Offsets of one carry's tables inside another that it was appended to.
struct CarryOffsets {
    int fonts = 0, links = 0, fields = 0, pictures = 0, footnotes = 0;
    long pieces = 0, paragraphs = 0, tables = 0;
};

void Shift(int& index, int offset) {
    if (index >= 0) {
        index += offset;
    }
}

void ShiftRuns(std::vector<rtf::Run>& runs, const CarryOffsets& o);

void ShiftBlocks(std::vector<rtf::Block>& blocks, const CarryOffsets& o, int depth) {
    if (depth > 64) {
        return;
    }
    for (rtf::Block& block : blocks) {
        if (auto* p = std::get_if<rtf::Paragraph>(&block.content)) {
            ShiftRuns(p->runs, o);
        } else if (auto* list = std::get_if<rtf::List>(&block.content)) {
            for (rtf::ListItem& item : list->items) {
                ShiftBlocks(item.blocks, o, depth + 1);
            }
        } else if (auto* table = std::get_if<rtf::Table>(&block.content)) {
            for (rtf::TableRow& row : table->rows) {
                for (rtf::TableCell& cell : row.cells) {
                    ShiftBlocks(cell.blocks, o, depth + 1);
                }
            }
        }
    }
}

void ShiftRuns(std::vector<rtf::Run>& runs, const CarryOffsets& o) {
    for (rtf::Run& run : runs) {
        Shift(run.format.font, o.fonts);
        Shift(run.format.link, o.links);
        Shift(run.format.field, o.fields);
        if (run.kind == rtf::RunKind::Picture) {
            Shift(run.index, o.pictures);
        } else if (run.kind == rtf::RunKind::FootnoteRef) {
            Shift(run.index, o.footnotes);
        }
    }
}

void ShiftProperty(wxRichTextObject& object, const char* name, long offset) {
    wxRichTextProperties& props = object.GetProperties();
    if (props.HasProperty(name)) {
        props.SetProperty(name, props.GetPropertyLong(name) + offset);
    }
}

void ShiftObjects(wxRichTextCompositeObject& composite, const CarryOffsets& o, int depth) {
    if (depth > 64) {
        return;
    }
    for (wxRichTextObject* child : composite.GetChildren()) {
        ShiftProperty(*child, rich_text_prop::kParagraph, o.paragraphs);
        ShiftProperty(*child, rich_text_prop::kPiece, o.pieces);
        ShiftProperty(*child, rich_text_prop::kPicture, o.pictures);
        ShiftProperty(*child, rich_text_prop::kTable, o.tables);
        if (auto* inner = dynamic_cast<wxRichTextCompositeObject*>(child)) {
            ShiftObjects(*inner, o, depth + 1);
        }
    }
}

// Laying out asks the device for its resolution for every box and every length it converts.
// A window's device on X answers that with a round trip to the server each time, which made
// the layout of a large body take seconds; this one measures text like the window does and
// gives the resolution it was told once.
class KnownPpiImpl : public wxGCDCImpl {
public:
    KnownPpiImpl(wxDC* owner, wxGraphicsContext* context, wxSize ppi)
        : wxGCDCImpl(owner, context), m_ppi(ppi) {}
    wxSize GetPPI() const override { return m_ppi; }

private:
    wxSize m_ppi;
};

class KnownPpiDC : public wxDC {
public:
    KnownPpiDC(wxGraphicsContext* context, wxSize ppi)
        : wxDC(new KnownPpiImpl(this, context, ppi)) {}
};

// How much of a large body is laid out at once: the first part when it is loaded (a few
// screens), and each later part while the program is idle (some tens of milliseconds).
constexpr long kFirstWeight = 6000;
constexpr long kIdleWeight = 8000;
constexpr long kTableWeight = 600;

template <typename T>
void Append(std::vector<T>& to, const std::vector<T>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

}  // namespace

ivRichEditView::ivRichEditView(wxWindow* parent, wxWindowID id)
    : wxRichTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                     wxRE_MULTILINE | wxBORDER_NONE | wxWANTS_CHARS) {
    m_oldControl = AtoiSetting(GetSetting("/ForceOldRichEdit")) != 0;
    // The newer control keeps a margin left of the text where a click selects a line.
    SetMargins(FromDIP(m_oldControl ? 2 : 12), FromDIP(2));
    Bind(wxEVT_IDLE, &ivRichEditView::OnIdle, this);
    Bind(wxEVT_KEY_DOWN, &ivRichEditView::OnKeyDown, this);
}

void ivRichEditView::SetRTF(const std::string& rtf) {
    m_rtf = rtf;
    m_pending.reset();
    const rtf::ReadResult read = rtf::ReadRtf(rtf);
    auto body = std::make_unique<wxRichTextBuffer>();
    FillRichTextBuffer(read.document, *body, m_carry);
    Freeze();
    // What was chosen for typing in the previous body is not this one's.
    SetDefaultStyle(wxRichTextAttr());
    GetBuffer().DeleteChildren();
    m_pending = std::move(body);
    MovePending(kFirstWeight);
    GetBuffer().UpdateRanges();
    GetBuffer().Invalidate(wxRICHTEXT_ALL);
    GetCommandProcessor()->ClearCommands();
    SelectNone();
    SetInsertionPoint(0);
    LayoutContent();
    // The first part must fill the window, however short its paragraphs are.
    while (m_pending && GetBuffer().GetCachedSize().y < GetClientSize().y) {
        LoadMore(kFirstWeight);
    }
    Thaw();
    DiscardEdits();
    Refresh();
}

std::string ivRichEditView::GetRTF() {
    if (IsModified()) {
        const wxRichTextParagraphLayoutBox* const boxes[] = {&GetBuffer(), m_pending.get()};
        const rtf::Document document =
            DocumentFromBoxes(std::span(boxes, m_pending ? 2 : 1), m_carry);
        // Nothing left is no body at all.
        m_rtf = document.blocks.empty() ? std::string() : rtf::WriteRtf(document);
    }
    return m_rtf;
}

void ivRichEditView::MovePending(long weight) {
    wxRichTextObjectList& from = m_pending->GetChildren();
    long moved = 0;
    while (moved < weight && !from.IsEmpty()) {
        wxRichTextObject* paragraph = from.GetFirst()->GetData();
        from.Erase(from.GetFirst());
        GetBuffer().AppendChild(paragraph);
        // A table lays out much more than its length in characters says.
        const auto* composite = dynamic_cast<wxRichTextCompositeObject*>(paragraph);
        const bool holdsBox =
            composite != nullptr &&
            std::any_of(composite->GetChildren().begin(), composite->GetChildren().end(),
                        [](const wxRichTextObject* child) { return child->IsComposite(); });
        moved += paragraph->GetRange().GetLength() + (holdsBox ? kTableWeight : 0);
    }
    if (from.IsEmpty()) {
        m_pending.reset();
    }
}

void ivRichEditView::LoadMore(long weight) {
    const long start = GetBuffer().GetOwnRange().GetEnd() + 1;
    MovePending(weight);
    GetBuffer().UpdateRanges();
    GetBuffer().Invalidate(wxRichTextRange(start, GetBuffer().GetOwnRange().GetEnd()));
    LayoutContent();
}

void ivRichEditView::FinishLoading() {
    if (m_pending) {
        LoadMore(LONG_MAX);
        Refresh();
    }
}

void ivRichEditView::SetSelection(long from, long to) {
    if (m_pending && ((from == -1 && to == -1) || std::max(from, to) > GetLastPosition())) {
        FinishLoading();
    }
    wxRichTextCtrl::SetSelection(from, to);
}

void ivRichEditView::OnKeyDown(wxKeyEvent& event) {
    event.Skip();
    if (!m_pending) {
        return;
    }
    const int key = event.GetKeyCode();
    if ((key == WXK_END || key == WXK_NUMPAD_END) && event.ControlDown()) {
        FinishLoading();
    } else if (GetInsertionPoint() > GetLastPosition() - kIdleWeight) {
        LoadMore(kIdleWeight);
    }
}

void ivRichEditView::OnIdle(wxIdleEvent& event) {
    event.Skip();
    if (m_pending) {
        LoadMore(kIdleWeight);
        if (m_pending) {
            event.RequestMore();
        }
    }
}

void ivRichEditView::DoLayoutBuffer(wxRichTextBuffer& buffer, wxDC& dc,
                                    wxRichTextDrawingContext& context, const wxRect& rect,
                                    const wxRect& parentRect, int flags) {
    wxGraphicsContext* measuring =
        wxGraphicsRenderer::GetDefaultRenderer()->CreateMeasuringContext();
    if (measuring == nullptr) {
        wxRichTextCtrl::DoLayoutBuffer(buffer, dc, context, rect, parentRect, flags);
        return;
    }
    KnownPpiDC known(measuring, dc.GetPPI());
    double x = 1, y = 1;
    dc.GetUserScale(&x, &y);
    known.SetUserScale(x, y);
    known.SetFont(dc.GetFont());
    buffer.Layout(known, context, rect, parentRect, flags);
}

std::string ivRichEditView::GetRangeRTF(const wxRichTextRange& range) {
    wxRichTextParagraphLayoutBox fragment;
    GetFocusObject()->CopyFragment(range, fragment);
    return rtf::WriteRtf(DocumentFromBuffer(fragment, m_carry));
}

void ivRichEditView::AdoptCarry(wxRichTextParagraphLayoutBox& fragment,
                                const ivRichTextCarry& carry) {
    rtf::Document& base = m_carry.base;
    CarryOffsets o;
    o.fonts = static_cast<int>(base.fonts.size());
    o.links = static_cast<int>(base.links.size());
    o.fields = static_cast<int>(base.fields.size());
    o.pictures = static_cast<int>(base.pictures.size());
    o.footnotes = static_cast<int>(base.footnotes.size());
    o.pieces = static_cast<long>(m_carry.pieces.size());
    o.paragraphs = static_cast<long>(m_carry.paragraphs.size());
    o.tables = static_cast<long>(m_carry.tables.size());
    Append(base.fonts, carry.base.fonts);
    Append(base.links, carry.base.links);
    for (rtf::Field field : carry.base.fields) {
        Shift(field.parent, o.fields);
        base.fields.push_back(std::move(field));
    }
    Append(base.pictures, carry.base.pictures);
    for (std::vector<rtf::Block> footnote : carry.base.footnotes) {
        ShiftBlocks(footnote, o, 0);
        base.footnotes.push_back(std::move(footnote));
    }
    for (std::vector<rtf::Run> piece : carry.pieces) {
        ShiftRuns(piece, o);
        m_carry.pieces.push_back(std::move(piece));
    }
    Append(m_carry.paragraphs, carry.paragraphs);
    Append(m_carry.tables, carry.tables);
    ShiftObjects(fragment, o, 0);
}

void ivRichEditView::InsertRTF(const std::string& rtf) {
    InsertDocument(rtf::ReadRtf(rtf).document);
}

void ivRichEditView::InsertDocument(const rtf::Document& document) {
    wxRichTextParagraphLayoutBox fragment;
    ivRichTextCarry carry;
    FillRichTextBuffer(document, fragment, carry);
    AdoptCarry(fragment, carry);
    // A fragment of one paragraph joins the paragraph at the caret.
    fragment.SetPartialParagraph(fragment.GetChildCount() == 1);
    BeginBatchUndo(wxString::FromUTF8(Translate("Paste")));
    if (HasSelection()) {
        DeleteSelection();
    }
    const long position = GetInsertionPoint();
    GetFocusObject()->InsertParagraphsWithUndo(&GetBuffer(), position, fragment, this, 0);
    EndBatchUndo();
    SetInsertionPoint(position + fragment.GetOwnRange().GetLength());
}
