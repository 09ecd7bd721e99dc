#pragma once

class wxObject;
class wxView;
class wxWindow;

// The hooks every view of the framework carries, in their slot order: a product's view fills
// those it needs.
class ivViewHooks {
public:
    virtual ~ivViewHooks() = default;

    virtual void OnHook() {}
    // After the view's window is created; false makes the creation fail.
    virtual bool OnCreateHook() { return true; }
    // The view's first update; by default the update hook without a hint.
    virtual void OnInitialUpdateHook() { OnUpdateHook(nullptr); }
    virtual void OnUpdateHook(wxObject* /*hint*/) {}
    virtual void OnActivateHook() {}
    virtual void OnDeactivateHook() {}
    // The document asks its views to store what they hold (before a save or a generation).
    virtual void OnStoreStateHook() {}
    virtual bool OnTrueHook() { return true; }
    // Before the view's window is destroyed.
    virtual void OnDestroyHook() {}
};

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
