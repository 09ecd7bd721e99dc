#pragma once

#include "document/document_search.h"

#include "views/find_results_pane.h"
#include "views/text_view.h"

#include <wx/weakref.h>

#include <functional>
#include <string>
#include <vector>

class myDomainFile;
class mySectionList;
class myTextView;
class myFindResultsPane;

// The quick find of a document window: what is typed into the find box is searched in every
// title and body of the document, its hits are listed in the results pane, and a hit picked
// there (or reached with F3 and Shift+F3) is shown: its section selected in the list and the
// match selected in the text, or the row alone for a match in a title.
class myDocumentFind {
public:
    myDocumentFind(myDomainFile& document, mySectionList& list);
    ~myDocumentFind();
    myDocumentFind(const myDocumentFind&) = delete;
    myDocumentFind& operator=(const myDocumentFind&) = delete;

    // The windows of the document window; showPane shows or hides the results pane.
    void SetWindows(myTextView* text, myFindResultsPane* pane, std::function<void(bool)> showPane);

    // The text of the find box: searched at once; an empty text closes the results.
    void Search(const std::string& query);
    // Goes to the next (or previous) hit, round the ends; the first goes to the first hit in or
    // after the section shown. False without hits.
    bool Next(bool forward);
    // Shows the hit at index; with focusText, the text view (or the list) gets the keyboard.
    bool GoTo(size_t index, bool focusText);

    bool HasHits() const { return !m_hits.empty(); }
    const std::vector<ivSearchHit>& Hits() const { return m_hits; }
    const std::string& Query() const { return m_query; }
    int CurrentHit() const { return m_current; }

private:
    void Run();
    // Selects the hit's match in the text view, found again in the text as the view has it.
    void SelectInText(size_t ordinal);

    myDomainFile& m_document;
    mySectionList& m_list;
    // The document window may go before the view that owns this.
    wxWeakRef<myTextView> m_text;
    wxWeakRef<myFindResultsPane> m_pane;
    std::function<void(bool)> m_showPane;
    std::string m_query;
    std::vector<ivSearchHit> m_hits;
    int m_current = -1;
    // The document was edited since the hits were found.
    bool m_stale = false;
    int m_watcher = 0;
};
