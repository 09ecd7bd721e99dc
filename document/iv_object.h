#pragma once

#include <wx/object.h>

// Common base of the framework's non-window classes; carries the runtime class record through
// which classes are created by name.
class ivObject : public wxObject {
    wxDECLARE_ABSTRACT_CLASS(ivObject);

public:
    ~ivObject() override = default;
};
