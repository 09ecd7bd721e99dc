#include "views/domain_file.h"

#include "core/command_ids.h"
#include "core/settings_keys.h"
#include "views/generate_command.h"

#include <wx/app.h>

wxIMPLEMENT_DYNAMIC_CLASS(myDomainFile, ivDocumentExRTF);

myDomainFile::myDomainFile()
    : m_history(m_store.Editor(), [this] {
          const bool saved = m_history.IsAtSavePoint();
          SetModifiedFlag(!saved);
          // Taken back to what is on disk: there is nothing left to recover.
          if (saved && m_recovery) {
              m_recovery->Remove();
          }
      }) {
    m_store.SetFlushHook([this] { UpdateModifiedFlag(); });
    // Every edit of the tree can be taken back, and marks the document modified (and saves it
    // under auto-save). An edit taken back or done again marks it once the history has moved:
    // back at the last save, the document is no longer modified.
    m_store.Editor().SetListener([this](const ivTreeEdit& edit) {
        m_copyStale = true;
        if (!edit.replayed) {
            m_history.Record(edit);
            SetModifiedFlag(true);
        }
    });
    m_search.Attach(m_store.Editor());
    BindCommands();
    BindGenerateCommand(*this);
    m_recoveryTimer.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { WriteRecoveryCopy(); });
    const int interval = ReadSettingNumber(settings::kRecoveryInterval);
    if (interval > 0) {
        m_recoveryTimer.Start(interval * 1000);
    }
    m_app = wxAppConsole::GetInstance();
    if (m_app != nullptr) {
        m_app->Bind(wxEVT_ACTIVATE_APP, &myDomainFile::OnAppActivate, this);
    }
}

myDomainFile::~myDomainFile() {
    m_recoveryTimer.Stop();
    if (m_app != nullptr && m_app == wxAppConsole::GetInstance()) {
        m_app->Unbind(wxEVT_ACTIVATE_APP, &myDomainFile::OnAppActivate, this);
    }
}

void myDomainFile::OnAppActivate(wxActivateEvent& event) {
    event.Skip();
    if (!event.GetActive() && ReadSettingNumber(settings::kRecoveryInterval) > 0) {
        WriteRecoveryCopy();
    }
}

void myDomainFile::WriteRecoveryCopy(bool always) {
    ivXML* tree = m_store.GetTree(kDocumentTree);
    if (tree == nullptr || !IsModified() || IsSaving()) {
        return;
    }
    // The body being typed belongs in the copy.
    UpdateModifiedFlag();
    if (!(m_copyStale || always) || !IsModified()) {
        return;
    }
    if (!m_recovery) {
        m_recovery = m_recoveryFolder.empty()
                         ? std::make_unique<myRecoveryWriter>()
                         : std::make_unique<myRecoveryWriter>(m_recoveryFolder);
    }
    m_copyStale = false;
    // The snapshot is taken here; the disk is left to the writer's thread.
    std::shared_ptr<ivXML> snapshot = tree->Snapshot();
    if (snapshot == nullptr) {
        return;
    }
    m_recovery->Write([snapshot] { return snapshot->SaveToString(); }, GetFilename().utf8_string(),
                      GetUserReadableName().utf8_string());
}

void myDomainFile::CloseDomain() {
    if (m_recovery) {
        m_recovery->Remove();
    }
}

void myDomainFile::BindCommands() {
    using namespace command_id;
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { Refresh(); }, kViewRefresh);
}

ivXML* myDomainFile::GetTree(int kind) {
    return m_store.GetTree(kind);
}

ivTreeEditor* myDomainFile::GetTreeEditor() {
    return m_store.GetTree(kDocumentTree) != nullptr ? &m_store.Editor() : nullptr;
}

bool myDomainFile::New() {
    m_search.SetTree(nullptr);
    return m_store.New();
}

bool myDomainFile::Open(const std::string& path) {
    m_search.SetTree(nullptr);
    if (!m_store.Open(path)) {
        return false;
    }
    // The first search then finds the bodies' text read already. Started once the opening
    // is over and the document window is up (started during the opening, the program's
    // first title edit was lost in the killed-editor test; the cause is not known).
    CallAfter([this] { Search().PrepareInBackground(); });
    return true;
}

ivDocumentSearch& myDomainFile::Search() {
    ivXML* tree = m_store.GetTree(kDocumentTree);
    if (m_search.GetTree() != tree) {
        m_search.SetTree(tree);
    }
    return m_search;
}

void myDomainFile::Refresh() {
    if (ivXML* tree = m_store.GetTree(kDocumentTree)) {
        UpdateViews(tree);
    }
}

bool myDomainFile::Save(const std::string& path) {
    if (!m_store.Save(path)) {
        return false;
    }
    m_history.MarkSaved();
    // What is saved needs no copy; the next edit makes one again.
    m_copyStale = false;
    if (m_recovery) {
        m_recovery->Remove();
    }
    return true;
}

void myDomainFile::UpdateModifiedFlag() {
    ivDocumentExRTF::UpdateModifiedFlag();
    for (wxView* view : GetViewsVector()) {
        if (auto* holder = dynamic_cast<ivViewStateStore*>(view)) {
            holder->SaveViewState();
        }
    }
}
