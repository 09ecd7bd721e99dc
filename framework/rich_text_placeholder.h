#pragma once

#include <wx/richtext/richtextbuffer.h>

// How a placeholder for carried content looks: a small framed label, the label being the
// object's own (each placeholder says what it stands for).
class ivCarriedFieldType : public wxRichTextFieldTypeStandard {
public:
    ivCarriedFieldType();

    bool Draw(wxRichTextField* obj, wxDC& dc, wxRichTextDrawingContext& context,
              const wxRichTextRange& range, const wxRichTextSelection& selection,
              const wxRect& rect, int descent, int style) override;
    bool Layout(wxRichTextField* obj, wxDC& dc, wxRichTextDrawingContext& context,
                const wxRect& rect, const wxRect& parentRect, int style) override;
    bool GetRangeSize(wxRichTextField* obj, const wxRichTextRange& range, wxSize& size,
                      int& descent, wxDC& dc, wxRichTextDrawingContext& context, int flags,
                      const wxPoint& position = wxPoint(0, 0),
                      const wxSize& parentSize = wxDefaultSize,
                      wxArrayInt* partialExtents = nullptr) const override;
    bool CanEditProperties(wxRichTextField*) const override { return false; }

    // Registers the type with the buffers once.
    static void Register();

private:
    void TakeLabel(const wxRichTextField* obj) const;
};
