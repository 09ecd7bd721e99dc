#pragma once

#include "document/document_search.h"

#include <wx/dialog.h>
#include <wx/timer.h>

#include <functional>
#include <string>
#include <vector>

class myDomainFile;
class wxButton;
class wxCheckBox;
class wxDataViewListCtrl;
class wxStaticText;
class wxTextCtrl;

// Replacing text in every title and body of a document: what to find and what to put in its
// place, whole words and case, a preview with one row per match (its section, its line
// before and after, a check box to leave it out), and Replace, which changes the checked
// matches as one step that Undo takes back. Bodies keep their formatting.
class myReplaceDialog : public wxDialog {
public:
    // replaced is called after a replacement was made, before a modal dialog ends.
    myReplaceDialog(wxWindow* parent, myDomainFile& document, const std::string& query,
                    std::function<void()> replaced = {});
    ~myReplaceDialog() override;

    // Replaces the checked matches; false when there were none or the document no longer
    // held what the preview showed. Ends the dialog when it is modal.
    bool Replace();
    // Makes the preview again for the texts and options as they are now.
    void UpdatePreview();

    // The number of matches replaced by the last Replace.
    int Replaced() const { return m_replacedCount; }

    wxTextCtrl* GetFindBox() const { return m_find; }
    wxTextCtrl* GetReplaceBox() const { return m_with; }
    wxCheckBox* GetWholeWordsBox() const { return m_wholeWords; }
    wxCheckBox* GetMatchCaseBox() const { return m_matchCase; }
    wxDataViewListCtrl* GetPreview() const { return m_preview; }
    wxButton* GetReplaceButton() const { return m_replace; }

private:
    ivSearchOptions Options() const;
    void SchedulePreview();

    myDomainFile& m_document;
    std::function<void()> m_replaced;
    wxTextCtrl* m_find = nullptr;
    wxTextCtrl* m_with = nullptr;
    wxCheckBox* m_wholeWords = nullptr;
    wxCheckBox* m_matchCase = nullptr;
    wxDataViewListCtrl* m_preview = nullptr;
    wxStaticText* m_summary = nullptr;
    wxButton* m_replace = nullptr;
    wxTimer m_timer;
    // What the preview shows, and the texts and options it was made from.
    std::vector<ivReplaceChange> m_plan;
    std::string m_planQuery;
    std::string m_planReplacement;
    ivSearchOptions m_planOptions;
    int m_replacedCount = 0;
};
