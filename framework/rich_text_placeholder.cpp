#include "framework/rich_text_placeholder.h"

#include "framework/rich_text_adapter.h"

ivCarriedFieldType::ivCarriedFieldType()
    : wxRichTextFieldTypeStandard(kCarriedFieldType, wxEmptyString,
                                  wxRICHTEXT_FIELD_STYLE_RECTANGLE) {
    SetBackgroundColour(wxColour(0xFF, 0xF4, 0xCC));
    SetBorderColour(wxColour(0xB0, 0x9A, 0x50));
    SetTextColour(wxColour(0x50, 0x40, 0x10));
}

void ivCarriedFieldType::Register() {
    if (wxRichTextBuffer::FindFieldType(kCarriedFieldType) == nullptr) {
        wxRichTextBuffer::AddFieldType(new ivCarriedFieldType);
    }
}

void ivCarriedFieldType::TakeLabel(const wxRichTextField* obj) const {
    // The type is shared by all placeholders; the label is each object's, and drawing is
    // single-threaded.
    auto* self = const_cast<ivCarriedFieldType*>(this);
    self->SetLabel(obj->GetProperties().GetPropertyString(rich_text_prop::kLabel));
}

bool ivCarriedFieldType::Draw(wxRichTextField* obj, wxDC& dc, wxRichTextDrawingContext& context,
                              const wxRichTextRange& range, const wxRichTextSelection& selection,
                              const wxRect& rect, int descent, int style) {
    TakeLabel(obj);
    return wxRichTextFieldTypeStandard::Draw(obj, dc, context, range, selection, rect, descent,
                                             style);
}

bool ivCarriedFieldType::Layout(wxRichTextField* obj, wxDC& dc, wxRichTextDrawingContext& context,
                                const wxRect& rect, const wxRect& parentRect, int style) {
    TakeLabel(obj);
    return wxRichTextFieldTypeStandard::Layout(obj, dc, context, rect, parentRect, style);
}

bool ivCarriedFieldType::GetRangeSize(wxRichTextField* obj, const wxRichTextRange& range,
                                      wxSize& size, int& descent, wxDC& dc,
                                      wxRichTextDrawingContext& context, int flags,
                                      const wxPoint& position, const wxSize& parentSize,
                                      wxArrayInt* partialExtents) const {
    TakeLabel(obj);
    return wxRichTextFieldTypeStandard::GetRangeSize(obj, range, size, descent, dc, context, flags,
                                                     position, parentSize, partialExtents);
}
