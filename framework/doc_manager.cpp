#include "framework/doc_manager.h"

#include "core/command_ids.h"
#include "core/messages.h"
#include "core/translate.h"
#include "framework/mdi_frames.h"
#include "framework/view_hooks.h"
#include "platform/registry_store.h"

#include <wx/app.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/scopedptr.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

constexpr int kMostRecentFiles = 16;
constexpr const char* kRecentSection = "Recent File List";

std::string RecentEntry(size_t index) {
    return "File" + std::to_string(index + 1);
}

// The same file whatever the spelling of its path (relative parts, links).
bool SameFile(const wxString& a, const wxString& b) {
    if (a.empty() || b.empty()) {
        return false;
    }
    std::error_code ec1;
    std::error_code ec2;
    const auto ca = std::filesystem::weakly_canonical(a.utf8_string(), ec1);
    const auto cb = std::filesystem::weakly_canonical(b.utf8_string(), ec2);
    if (!ec1 && !ec2) {
        return ca == cb;
    }
    return wxFileName(a).SameAs(wxFileName(b));
}

std::vector<wxDocTemplate*> VisibleTemplates(wxList& templates) {
    std::vector<wxDocTemplate*> visible;
    for (wxObject* object : templates) {
        auto* docTemplate = static_cast<wxDocTemplate*>(object);
        if (docTemplate->IsVisible()) {
            visible.push_back(docTemplate);
        }
    }
    return visible;
}

}  // namespace

ivDocTemplate::ivDocTemplate(wxDocManager* manager, const wxString& description,
                             const wxString& filter, const wxString& directory,
                             const wxString& extension, const wxString& documentTypeName,
                             const wxString& viewTypeName, wxClassInfo* documentClass,
                             wxClassInfo* viewClass, wxClassInfo* frameClass)
    : wxDocTemplate(manager, description, filter, directory, extension, documentTypeName,
                    viewTypeName, documentClass, viewClass),
      m_frameClass(frameClass) {}

wxView* ivDocTemplate::CreateView(wxDocument* doc, long flags) {
    wxScopedPtr<wxView> view(DoCreateView());
    if (!view) {
        return nullptr;
    }
    view->SetDocument(doc);
    auto* main = dynamic_cast<ivMDIParentFrame*>(wxTheApp->GetTopWindow());
    wxObject* object = m_frameClass != nullptr ? m_frameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<ivMDIChildFrame*>(object);
    if (main == nullptr || frame == nullptr) {
        delete object;
        return nullptr;
    }
    if (!frame->CreateFor(doc, view.get(), main)) {
        frame->Destroy();
        return nullptr;
    }
    // A view that fails here takes its window with it when it goes.
    if (!view->OnCreate(doc, flags)) {
        return nullptr;
    }
    return view.release();
}

ivDocManager::ivDocManager(int maxRecentFiles)
    : wxDocManager(0, false), m_maxRecent(std::clamp(maxRecentFiles, 0, kMostRecentFiles)) {
    Initialize();
    using namespace command_id;
    Bind(wxEVT_MENU, &ivDocManager::OnRecentFile, this, kFileMruFirst, kFileMruLast);
    Bind(wxEVT_MENU, &ivDocManager::OnSave, this, kFileSave);
    Bind(wxEVT_MENU, &ivDocManager::OnSaveAs, this, kFileSaveAs);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent& event) { OnFileClose(event); }, kFileClose);
    Bind(wxEVT_UPDATE_UI, &ivDocManager::OnUpdateNeedsDocument, this, kFileClose, kFileSaveAs);
}

wxFileHistory* ivDocManager::OnCreateFileHistory() {
    return new wxFileHistory(static_cast<size_t>(m_maxRecent), command_id::kFileMruFirst);
}

void ivDocManager::AddFileToHistory(const wxString& file) {
    if (m_maxRecent > 0) {
        wxDocManager::AddFileToHistory(file);
        HistoryChanged();
    }
}

void ivDocManager::RemoveFileFromHistory(size_t i) {
    wxDocManager::RemoveFileFromHistory(i);
    HistoryChanged();
}

void ivDocManager::HistoryChanged() {
    if (m_historyObserver) {
        m_historyObserver();
    }
}

void ivDocManager::LoadRecentFiles(const platform::RegistryStore& registry) {
    for (size_t i = static_cast<size_t>(m_maxRecent); i-- > 0;) {
        const std::string file = registry.GetString(kRecentSection, RecentEntry(i));
        if (!file.empty()) {
            AddFileToHistory(wxString::FromUTF8(file));
        }
    }
}

void ivDocManager::SaveRecentFiles(platform::RegistryStore& registry) const {
    registry.DeleteSection(kRecentSection);
    for (size_t i = 0; i < GetHistoryFilesCount(); ++i) {
        registry.SetString(kRecentSection, RecentEntry(i), GetHistoryFile(i).utf8_string());
    }
    registry.Flush();
}

wxString ivDocManager::MakeNewDocumentName() {
    return wxString::FromUTF8(Translate("File")) << m_defaultDocumentNameCounter++;
}

wxString ivDocManager::MakeFrameTitle(wxDocument* doc) {
    return doc != nullptr ? doc->GetUserReadableName() : wxTheApp->GetAppDisplayName();
}

wxDocument* ivDocManager::FindOpenDocument(const wxString& path) const {
    for (wxObject* object : m_docs) {
        auto* doc = static_cast<wxDocument*>(object);
        if (SameFile(doc->GetFilename(), path)) {
            return doc;
        }
    }
    return nullptr;
}

void ivDocManager::ActivateDocument(wxDocument* doc) {
    wxView* view = doc != nullptr ? doc->GetFirstView() : nullptr;
    if (view == nullptr) {
        return;
    }
    if (auto* child = dynamic_cast<wxAuiMDIChildFrame*>(view->GetFrame())) {
        child->Activate();
    }
    view->Activate(true);
    if (auto* main = dynamic_cast<wxFrame*>(wxTheApp->GetTopWindow())) {
        if (main->IsIconized()) {
            main->Iconize(false);
        }
        main->Raise();
    }
}

wxDocument* ivDocManager::OpenDocumentFile(const wxString& path) {
    wxString cleaned = path;
    if (cleaned.StartsWith("\"")) {
        cleaned.Remove(0, 1);
    }
    const int lastQuote = cleaned.Find('"', true);
    if (lastQuote != wxNOT_FOUND) {
        cleaned.Truncate(static_cast<size_t>(lastQuote));
    }
    if (cleaned.empty()) {
        return nullptr;
    }
    wxFileName name(cleaned);
    name.MakeAbsolute();
    const wxString full = name.GetFullPath();
    if (wxDocument* open = FindOpenDocument(full)) {
        ActivateDocument(open);
        return open;
    }
    // A type that knows the extension wins; otherwise the first type tries the file.
    wxDocTemplate* best = nullptr;
    for (wxDocTemplate* docTemplate : VisibleTemplates(m_templates)) {
        if (docTemplate->FileMatchesTemplate(full)) {
            best = docTemplate;
            break;
        }
        if (best == nullptr) {
            best = docTemplate;
        }
    }
    if (best == nullptr) {
        ShowMessageBox(Translate("Failed to open document."), kMessageError);
        return nullptr;
    }
    return CreateWithTemplate(best, full, 0);
}

wxDocument* ivDocManager::NewDocumentOfType(int n) {
    if (n < 1 || n > CountTemplates()) {
        return nullptr;
    }
    auto* docTemplate = static_cast<wxDocTemplate*>(m_templates.Item(n - 1)->GetData());
    return CreateWithTemplate(docTemplate, wxEmptyString, wxDOC_NEW);
}

void ivDocManager::PromptAndOpen() {
    std::vector<wxDocTemplate*> templates = VisibleTemplates(m_templates);
    if (templates.empty()) {
        return;
    }
    wxString path;
    if (SelectDocumentPath(templates.data(), static_cast<int>(templates.size()), path, 0) !=
            nullptr &&
        !path.empty()) {
        OpenDocumentFile(path);
    }
}

wxDocument* ivDocManager::CreateDocument(const wxString& path, long flags) {
    if ((flags & wxDOC_NEW) != 0) {
        std::vector<wxDocTemplate*> templates = VisibleTemplates(m_templates);
        if (templates.empty()) {
            return nullptr;
        }
        wxDocTemplate* chosen =
            templates.size() == 1
                ? templates.front()
                : SelectDocumentType(templates.data(), static_cast<int>(templates.size()), true);
        return chosen != nullptr ? CreateWithTemplate(chosen, wxEmptyString, flags) : nullptr;
    }
    if (path.empty()) {
        PromptAndOpen();
        return GetCurrentDocument();
    }
    return OpenDocumentFile(path);
}

wxDocument* ivDocManager::CreateWithTemplate(wxDocTemplate* docTemplate, const wxString& path,
                                             long flags) {
    // One document at a time when the program is single-document: the old one goes first.
    if (static_cast<int>(m_docs.GetCount()) >= m_maxDocsOpen && !m_docs.IsEmpty()) {
        if (!CloseDocument(static_cast<wxDocument*>(m_docs.GetFirst()->GetData()))) {
            return nullptr;
        }
    }
    wxDocument* doc = docTemplate->CreateDocument(path, flags);
    if (doc == nullptr) {
        return nullptr;
    }
    doc->SetDocumentName(docTemplate->GetDocumentName());
    const bool isNew = (flags & wxDOC_NEW) != 0;
    if (!(isNew ? doc->OnNewDocument() : doc->OnOpenDocument(path))) {
        // Nothing of a document that failed to load is worth keeping: no question to save it.
        doc->Modify(false);
        doc->DeleteAllViews();
        return nullptr;
    }
    if (isNew) {
        doc->SetTitle(MakeNewDocumentName());
        for (wxView* view : doc->GetViewsVector()) {
            view->OnChangeFilename();
        }
    } else {
        RetitleDocument(doc);
        if (docTemplate->FileMatchesTemplate(path)) {
            AddFileToHistory(path);
        }
    }
    // The views show the document once it is there: their first update.
    for (wxView* view : doc->GetViewsVector()) {
        if (auto* initial = dynamic_cast<ivInitialUpdate*>(view)) {
            initial->OnInitialUpdate();
        } else {
            view->OnUpdate(nullptr, nullptr);
        }
    }
    ActivateDocument(doc);
    return doc;
}

void ivDocManager::RetitleDocument(wxDocument* doc) {
    if (doc == nullptr || doc->GetFilename().empty()) {
        return;
    }
    doc->SetTitle(wxFileName(doc->GetFilename()).GetName());
    for (wxView* view : doc->GetViewsVector()) {
        view->OnChangeFilename();
    }
}

void ivDocManager::OnRecentFile(wxCommandEvent& event) {
    const size_t index = static_cast<size_t>(event.GetId() - command_id::kFileMruFirst);
    if (index >= GetHistoryFilesCount()) {
        return;
    }
    const wxString file = GetHistoryFile(index);
    if (OpenDocumentFile(file) == nullptr) {
        RemoveFileFromHistory(index);
    }
}

void ivDocManager::OnSave(wxCommandEvent&) {
    if (wxDocument* doc = GetCurrentDocument()) {
        doc->Save();
        RetitleDocument(doc);
    }
}

void ivDocManager::OnSaveAs(wxCommandEvent&) {
    if (wxDocument* doc = GetCurrentDocument()) {
        doc->SaveAs();
        RetitleDocument(doc);
    }
}

void ivDocManager::OnUpdateNeedsDocument(wxUpdateUIEvent& event) {
    event.Enable(GetCurrentDocument() != nullptr);
}
