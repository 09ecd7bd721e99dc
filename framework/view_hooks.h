#pragma once

class wxView;
class wxWindow;

// A document window that holds more than one view (a splitter with the section list and the
// text view) says here where each view's window goes. A view whose frame is no host fills the
// frame alone.
class ivViewHost {
public:
    virtual ~ivViewHost() = default;
    // The parent for the window of view; the host places the window once it is created.
    virtual wxWindow* GetViewParent(wxView* view) = 0;
    virtual void PlaceViewWindow(wxView* view, wxWindow* window) = 0;
};

// A view whose first update differs from later ones. The document manager calls this once a
// new or opened document is there, where other views get their first OnUpdate.
class ivInitialUpdate {
public:
    virtual ~ivInitialUpdate() = default;
    virtual void OnInitialUpdate() = 0;
};
