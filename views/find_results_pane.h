#pragma once

#include "document/document_search.h"

#include <wx/dataview.h>
#include <wx/panel.h>

#include <functional>
#include <string>
#include <vector>

class wxCheckBox;
class wxStaticText;
class myHitsModel;

// The hits of a search across the document, below the section list and the text: one row
// per hit with the section's title, its outline number and the matching line with the match
// in bold, above them how many there are and the "Whole words" option.
class myFindResultsPane : public wxPanel {
public:
    explicit myFindResultsPane(wxWindow* parent);
    ~myFindResultsPane() override;

    // Lists hits (which must live until the next call) found for query; capped: the search
    // stopped at its limit.
    void ShowHits(const std::vector<ivSearchHit>& hits, const std::string& query, bool capped);
    // Marks the hit at index as the current one, without opening it again.
    void MarkHit(int index);
    int GetMarkedHit() const;
    // The rows of the list, and the item of a row.
    unsigned GetRowCount() const;
    wxDataViewItem GetRowItem(int index) const;

    bool WholeWords() const;

    // A hit was picked: clicked or reached with the arrow keys (activate false), or opened
    // with Enter or a double click (activate true).
    void SetOpenHandler(std::function<void(int index, bool activate)> handler) {
        m_open = std::move(handler);
    }
    // The options changed, or the pane's close button was pressed.
    void SetOptionsHandler(std::function<void()> handler) { m_options = std::move(handler); }
    void SetCloseHandler(std::function<void()> handler) { m_close = std::move(handler); }

    wxDataViewCtrl* GetList() const { return m_list; }
    wxCheckBox* GetWholeWordsBox() const { return m_wholeWords; }
    wxStaticText* GetSummary() const { return m_summary; }

private:
    wxStaticText* m_summary = nullptr;
    wxCheckBox* m_wholeWords = nullptr;
    wxDataViewCtrl* m_list = nullptr;
    myHitsModel* m_model = nullptr;
    bool m_marking = false;
    std::function<void(int, bool)> m_open;
    std::function<void()> m_options;
    std::function<void()> m_close;
};

// A line of text as markup with the bytes [start, start + length) in bold, shortened around
// the match to at most about width characters.
wxString MarkedLine(const std::string& line, size_t start, size_t length, size_t width = 160);
