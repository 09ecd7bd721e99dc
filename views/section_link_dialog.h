#pragma once

#include "document/section_filter.h"

#include <wx/dialog.h>

#include <string>
#include <vector>

class wxListCtrl;
class wxListEvent;
class wxTextCtrl;

// Picks the section a link leads to: a filter box above the document's sections (numbering
// and title), narrowed as the person types; Enter or a double click takes the selected one.
class mySectionLinkDialog : public wxDialog {
public:
    // rows: the document's outline.
    mySectionLinkDialog(wxWindow* parent, std::vector<OutlineRow> rows);

    // The section picked; null when none is selected.
    const OutlineRow* GetChosen() const;

private:
    class SectionList;

    void ApplyFilter();
    void Select(long item);
    void OnFilterKey(wxKeyEvent& event);

    ivSectionFilter m_filter;
    std::vector<size_t> m_shown;
    wxTextCtrl* m_filterBox = nullptr;
    SectionList* m_list = nullptr;
};
