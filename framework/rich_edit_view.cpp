#include "framework/rich_edit_view.h"

#include "core/settings.h"
#include "core/translate.h"
#include "framework/picture_drawings.h"
#include "rtf/metafile_renderer.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"

#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/mstream.h>
#include <wx/richtext/richtextbuffer.h>

#include <algorithm>
#include <climits>
#include <cstring>
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

// Drawings are made for the screen's pixels, within the drawing program's bounds.
constexpr int kMaxDrawingSide = rtf::MetafileRenderer::kMaxSide;
constexpr int kMaxFrameSide = 2048;

void SetImageData(wxRichTextImage& image, const std::string& png) {
    image.GetImageBlock() = ImageBlockOf(png, wxBITMAP_TYPE_PNG);
    image.ResetImageCache();
}

// Gives every image of composite waiting for a drawing the one that has come in; whether any
// did.
bool TakeDrawings(wxRichTextCompositeObject& composite, ivPictureDrawings& drawings, int depth) {
    if (depth > 64) {
        return false;
    }
    bool changed = false;
    for (wxRichTextObject* child : composite.GetChildren()) {
        if (auto* image = dynamic_cast<wxRichTextImage*>(child)) {
            wxRichTextProperties& properties = image->GetProperties();
            if (!properties.HasProperty(rich_text_prop::kDrawing)) {
                continue;
            }
            std::string png;
            const auto state = drawings.Find(
                properties.GetPropertyString(rich_text_prop::kDrawing).utf8_string(), &png);
            if (state == ivPictureDrawings::State::Drawn) {
                SetImageData(*image, png);
                changed = true;
            }
            if (state != ivPictureDrawings::State::Waiting) {
                properties.Remove(rich_text_prop::kDrawing);
            }
        } else if (auto* inner = dynamic_cast<wxRichTextCompositeObject*>(child)) {
            changed = TakeDrawings(*inner, drawings, depth + 1) || changed;
        }
    }
    return changed;
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
    m_drawings = ivPictureDrawings::Shared();
    m_drawingsListener = m_drawings->AddListener([this] { ShowDrawings(); });
}

ivRichEditView::~ivRichEditView() {
    m_drawings->RemoveListener(m_drawingsListener);
}

bool ivRichEditView::Draw(const rtf::Picture& picture, int width, int height, std::string& png,
                          std::string& key) {
    const double scale = std::max(1.0, GetContentScaleFactor());
    int drawnWidth = std::max(1, static_cast<int>(width * scale));
    int drawnHeight = std::max(1, static_cast<int>(height * scale));
    const int longer = std::max(drawnWidth, drawnHeight);
    if (longer > kMaxDrawingSide) {
        drawnWidth = std::max(1, static_cast<int>(int64_t{drawnWidth} * kMaxDrawingSide / longer));
        drawnHeight =
            std::max(1, static_cast<int>(int64_t{drawnHeight} * kMaxDrawingSide / longer));
    }
    const std::string name = ivPictureDrawings::Key(picture, drawnWidth, drawnHeight);
    switch (m_drawings->Find(name, &png)) {
        case ivPictureDrawings::State::Drawn:
            return true;
        case ivPictureDrawings::State::Unknown:
            m_drawings->Request(name, picture, drawnWidth, drawnHeight);
            [[fallthrough]];
        case ivPictureDrawings::State::Waiting:
            key = name;
            break;
        case ivPictureDrawings::State::Failed:
            break;
    }
    png = Frame(width, height);
    return false;
}

const std::string& ivRichEditView::Frame(int width, int height) {
    width = std::min(width, kMaxFrameSide);
    height = std::min(height, kMaxFrameSide);
    std::string& png = m_frames[{width, height}];
    if (!png.empty()) {
        return png;
    }
    // A dashed frame with what it stands for, like the one generated pages show.
    wxBitmap bitmap(width, height, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(wxColour(0xF2, 0xF2, 0xF2)));
        dc.Clear();
        dc.SetPen(wxPen(wxColour(0x88, 0x88, 0x88), 1, wxPENSTYLE_SHORT_DASH));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(0, 0, width, height);
        const wxString label = "[" + wxString::FromUTF8(Translate("Picture")) + "]";
        dc.SetFont(GetFont());
        dc.SetTextForeground(wxColour(0x66, 0x66, 0x66));
        const wxSize extent = dc.GetTextExtent(label);
        if (extent.x + 4 <= width && extent.y + 4 <= height) {
            dc.DrawText(label, (width - extent.x) / 2, (height - extent.y) / 2);
        }
    }
    wxMemoryOutputStream out;
    bitmap.ConvertToImage().SaveFile(out, wxBITMAP_TYPE_PNG);
    png.resize(out.GetSize());
    out.CopyTo(png.data(), png.size());
    return png;
}

void ivRichEditView::ShowDrawings() {
    bool changed = TakeDrawings(GetBuffer(), *m_drawings, 0);
    if (m_pending) {
        TakeDrawings(*m_pending, *m_drawings, 0);
    }
    if (changed) {
        Refresh();
    }
}

void ivRichEditView::SetRTF(const std::string& rtf) {
    m_rtf = rtf;
    m_pending.reset();
    const rtf::ReadResult read = rtf::ReadRtf(rtf);
    auto body = std::make_unique<wxRichTextBuffer>();
    FillRichTextBuffer(read.document, *body, m_carry, this);
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
    FillRichTextBuffer(document, fragment, carry, this);
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
