#pragma once

#include "framework/mdi_frames.h"
#include "framework/view_hooks.h"

#include <wx/splitter.h>

class myTextView;
class myFindResultsPane;

// A splitter drawn flat whose left pane may be dragged down to nothing without the splitter
// closing it: the bar stays where it can be taken back.
class mySplitter : public wxSplitterWindow {
public:
    mySplitter(wxWindow* parent, wxWindowID id);

protected:
    int OnSashPositionChanging(int position) override;
};

// A document window: the section list on the left (200 pixels wide at first, down to
// nothing) and the section's text on the right, side by side in a splitter, both flat; below
// them, while a search across the document shows its hits, the results.
class mySplitterFrame : public ivMDIChildFrame, public ivViewHost {
    wxDECLARE_DYNAMIC_CLASS(mySplitterFrame);

public:
    // The splitter's identifier and that of the text pane after it.
    static int SplitterId();
    static int TextPaneId();
    static constexpr int kListWidth = 200;
    static constexpr int kResultsHeight = 200;

    mySplitterFrame() = default;

    bool CreateFor(wxDocument* doc, wxView* view, ivMDIParentFrame* parent) override;

    // ivViewHost: the section list's control goes into the left pane.
    wxWindow* GetViewParent(wxView* view) override;
    void PlaceViewWindow(wxView* view, wxWindow* window) override;

    mySplitter* GetSplitter() const { return m_splitter; }
    myTextView* GetTextPane() const { return m_text; }
    // The hits of a search across the document, below the list and the text while shown.
    myFindResultsPane* GetFindResults() const { return m_results; }
    void ShowFindResults(bool show);
    bool FindResultsShown() const;

private:
    wxSplitterWindow* m_outer = nullptr;
    myFindResultsPane* m_results = nullptr;
    mySplitter* m_splitter = nullptr;
    myTextView* m_text = nullptr;
};
