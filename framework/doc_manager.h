#pragma once

#include <wx/docview.h>

#include <functional>

namespace platform {
class RegistryStore;
}

// A document type whose views live in document windows of the main window: creating a view
// creates the window (of the type's frame class) first, then the view inside it.
class ivDocTemplate : public wxDocTemplate {
public:
    ivDocTemplate(wxDocManager* manager, const wxString& description, const wxString& filter,
                  const wxString& directory, const wxString& extension,
                  const wxString& documentTypeName, const wxString& viewTypeName,
                  wxClassInfo* documentClass, wxClassInfo* viewClass, wxClassInfo* frameClass);

    wxView* CreateView(wxDocument* doc, long flags = 0) override;

private:
    wxClassInfo* m_frameClass;
};

// The document manager: opening a document that is open already brings its window to the
// front; a file is opened by the type whose extension it has, else by the first type; new
// documents are titled after their type ("File1", "File2", ...); document titles are file
// names without the extension; the recent-file list lives in the registry store.
class ivDocManager : public wxDocManager {
public:
    // maxRecentFiles is cut to 0 to 16.
    explicit ivDocManager(int maxRecentFiles);

    // Opens path (one pair of double quotes around it is dropped) or activates it when it is
    // open; null when it could not be opened.
    wxDocument* OpenDocumentFile(const wxString& path);

    // A new document of the n-th registered type (from 1); null when there are fewer types
    // or the document could not be made.
    wxDocument* NewDocumentOfType(int n);

    // Asks for a file and opens it.
    void PromptAndOpen();

    // The document of path when it is open, else null.
    wxDocument* FindOpenDocument(const wxString& path) const;

    // Brings the window of doc and the main window to the front.
    void ActivateDocument(wxDocument* doc);

    int CountTemplates() const { return static_cast<int>(m_templates.GetCount()); }
    int GetMaxRecentFiles() const { return m_maxRecent; }

    void LoadRecentFiles(const platform::RegistryStore& registry);
    // Called whenever the recent-file list changes (the main window shows it in its menu).
    void SetHistoryObserver(std::function<void()> observer) {
        m_historyObserver = std::move(observer);
    }
    void SaveRecentFiles(platform::RegistryStore& registry) const;

    // wxDocManager
    wxDocument* CreateDocument(const wxString& path, long flags = 0) override;
    wxString MakeNewDocumentName() override;
    wxString MakeFrameTitle(wxDocument* doc) override;
    wxFileHistory* OnCreateFileHistory() override;
    void AddFileToHistory(const wxString& file) override;
    void RemoveFileFromHistory(size_t i) override;

private:
    // Creates the document with template, opened from path or new, as wxDocManager does.
    wxDocument* CreateWithTemplate(wxDocTemplate* docTemplate, const wxString& path, long flags);
    // Sets the document's title from its file and shows it in its windows.
    void RetitleDocument(wxDocument* doc);
    void OnRecentFile(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnSaveAs(wxCommandEvent& event);
    void OnUpdateNeedsDocument(wxUpdateUIEvent& event);

    void HistoryChanged();

    int m_maxRecent;
    std::function<void()> m_historyObserver;
};
