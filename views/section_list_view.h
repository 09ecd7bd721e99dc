#pragma once

#include "framework/report_view.h"
#include "views/domain_file.h"
#include "views/section_list.h"

#include <wx/dataview.h>

#include <functional>
#include <memory>

class myDocumentFind;
class myFindResultsPane;
class myTextView;

// The section list, the left pane of a document window: the report view with the section
// list's operations (mySectionList, windowless) and its commands.
class myReportView : public ivReportView, public ivViewStateStore, private mySectionListHost {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(myReportView);

public:
    myReportView();
    ~myReportView() override;

    // The operations of the section list, in their order.
    virtual void SetTextView(myTextViewInterface* view) { m_list.SetTextView(view); }
    virtual myTextViewInterface* GetTextView() { return m_list.GetTextView(); }
    virtual bool InsertSection(int mode) { return m_list.InsertSection(mode); }
    virtual bool SetValue(const std::string& column, const std::string& value) {
        return m_list.SetValue(column, value);
    }
    virtual bool RemoveSection(bool quiet) { return m_list.RemoveSection(quiet); }
    virtual void SyncText() { m_list.SyncText(); }
    virtual void SetupColumns() { m_list.SetupColumns(); }
    virtual void AddRecords(ivData& cursor, const std::string* numbering) {
        m_list.AddRecords(cursor, numbering);
    }

    bool OnCreate(wxDocument* doc, long flags) override;

    // ivViewStateStore: the body being edited and the layout go into the trees.
    void SaveViewState() override { m_list.SaveViewState(); }

    mySectionList& List() { return m_list; }

    // The text view's window beside the list: while it has the focus, commands go to it
    // first; its format commands reach it whichever pane has the focus.
    void SetTextWindow(wxWindow* window) { m_textWindow = window; }
    // The windows that show a search across the document: the text view for the matches,
    // the results pane, and how the document window shows or hides it.
    void SetFindWindows(myTextView* text, myFindResultsPane* results,
                        std::function<void(bool)> showResults);
    // The quick find of this document; null before the view is created.
    myDocumentFind* Find() { return m_find.get(); }
    // Asks for a replacement across the sections (the dialog), the body being typed stored
    // first.
    void ReplaceInDocument();
    // After a replacement: the rows and the body shown again, the focus on the list.
    void AfterReplace();

protected:
    bool TryBefore(wxEvent& event) override;

private:
    // mySectionListHost
    void RequestRefresh() override;
    void ActivateNextPane() override;
    void FocusList() override;

    void BindCommands();
    void BindMoveAndUndoCommands();
    void BindFindCommands();
    // F3 and Shift+F3 go through the quick find's hits while it has some, wherever the focus.
    bool TakeFindStep(wxEvent& event);
    // Drag and drop of rows, the rows' context menu and the second redo key on the control.
    void BindControl(ivReportCtrl& control);
    void OnDrop(wxDataViewEvent& event);
    void ShowContextMenu(const wxPoint& where);
    // Undo and redo are the list's while it has the keyboard focus; elsewhere (the text
    // view, a cell's editor) the focused window takes back its own typing.
    bool ListHasFocus() const;
    // The Edit menu's Undo and Redo, named after what they would take back or do again.
    void NameUndoEntries();

    mySectionList m_list;
    wxWindow* m_textWindow = nullptr;
    std::unique_ptr<myDocumentFind> m_find;
};
