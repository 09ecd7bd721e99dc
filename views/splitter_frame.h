#pragma once

#include "framework/mdi_frames.h"
#include "framework/view_hooks.h"

#include <wx/splitter.h>

class myTextView;

// A splitter drawn flat whose left pane may be dragged down to nothing without the splitter
// closing it: the bar stays where it can be taken back.
class mySplitter : public wxSplitterWindow {
public:
    mySplitter(wxWindow* parent, wxWindowID id);

protected:
    int OnSashPositionChanging(int position) override;
};

// A document window: the section list on the left (200 pixels wide at first, down to
// nothing) and the section's text on the right, side by side in a splitter, both flat.
class mySplitterFrame : public ivMDIChildFrame, public ivViewHost {
    wxDECLARE_DYNAMIC_CLASS(mySplitterFrame);

public:
    // The splitter's identifier and that of the text pane after it.
    static int SplitterId();
    static int TextPaneId();
    static constexpr int kListWidth = 200;

    mySplitterFrame() = default;

    bool CreateFor(wxDocument* doc, wxView* view, ivMDIParentFrame* parent) override;

    // ivViewHost: the section list's control goes into the left pane.
    wxWindow* GetViewParent(wxView* view) override;
    void PlaceViewWindow(wxView* view, wxWindow* window) override;

    mySplitter* GetSplitter() const { return m_splitter; }
    myTextView* GetTextPane() const { return m_text; }

private:
    mySplitter* m_splitter = nullptr;
    myTextView* m_text = nullptr;
};
