#include "views/section_list.h"

#include "core/messages.h"
#include "core/settings_keys.h"
#include "core/translate.h"
#include "document/domain.h"
#include "document/iv_xml.h"
#include "document/tree_editor.h"
#include "generators/alias.h"
#include "platform/guid.h"
#include "platform/time_stamp.h"
#include "views/text_view_interface.h"

namespace {

using namespace section_column;

constexpr unsigned kListStyle = 0x400101;

// The cursor's current record comes back when the object goes.
class KeepCursor {
public:
    explicit KeepCursor(ivReportViewData& rows) : m_rows(rows), m_kept(rows.GetCurrentRecord()) {}
    ~KeepCursor() {
        if (m_rows.GetModel() != nullptr && m_rows.GetModel()->Holds(m_kept)) {
            m_rows.SetCurrentRecord(m_kept);
        }
    }
    KeepCursor(const KeepCursor&) = delete;
    KeepCursor& operator=(const KeepCursor&) = delete;

private:
    ivReportViewData& m_rows;
    CXTPReportRecordEx* m_kept;
};

}  // namespace

mySectionList::mySectionList(ivReportCore& report, mySectionListHost* host)
    : m_report(report), m_host(host) {
    m_report.SetHooks(this);
    // The list shows one row for the document above its sections.
    m_report.Model().SetRootShown(true);
}

mySectionList::~mySectionList() {
    m_report.SetHooks(nullptr);
}

ivXML* mySectionList::DocumentTree() {
    ivDomain* domain = m_report.GetDomain();
    return domain != nullptr ? domain->GetTree(ivDomain::kDocumentTree) : nullptr;
}

ivTreeEditor* mySectionList::Editor() {
    ivDomain* domain = m_report.GetDomain();
    ivTreeEditor* editor = domain != nullptr ? domain->GetTreeEditor() : nullptr;
    return editor != nullptr && editor->GetTree() != nullptr ? editor : nullptr;
}

void mySectionList::SetupColumns() {
    const bool editOnClick = ReadSettingNumber(settings::kEditOnClick) != 0;
    m_report.SetStyle(kListStyle | (editOnClick ? report_style::kEditOnClick : 0));
    struct Column {
        const char* name;
        int type;
        unsigned flags;
        int width;
    };
    static const Column kColumns[] = {
        {kId, report_type::kText, 0x1, -1},           {kNumbering, report_type::kText, 0x1, -1},
        {kTitle, report_type::kText, 0x40000080, 80}, {kReference, report_type::kNumber, 0x81, -1},
        {kAlias, report_type::kText, 0x81, -1},       {kStatus, report_type::kText, 0x8000, 2},
        {kCreated, report_type::kDate, 0x1, -1},      {kModified, report_type::kDate, 0x1, -1},
        {kAuto, report_type::kCheckBox, 0x81, -1},    {kLink, report_type::kText, 0x81, -1},
    };
    for (const Column& column : kColumns) {
        const std::string caption = column.name == kStatus ? std::string() : Translate(column.name);
        m_report.AddColumn(column.name, caption, column.type, column.flags, column.width, {});
    }
}

bool mySectionList::IsSectionFocused() {
    const int idIndex = m_report.FindColumn(kId);
    const CXTPReportRecordEx* record = m_report.Model().GetFocusedRecord();
    const ivReportItem* item = record != nullptr ? record->GetItem(idIndex) : nullptr;
    return item != nullptr && !item->GetString().empty();
}

bool mySectionList::InsertSection(int mode) {
    ivTreeEditor* editor = Editor();
    if (editor == nullptr) {
        return false;
    }
    ivReportViewData& rows = *m_report.GetData();
    std::string parentId;
    if (IsSectionFocused()) {
        m_report.TakeFocusedRecord();
        const int steps = mode >= kInsertUnder ? 0 : (mode == kInsertBeside ? 1 : 2);
        for (int i = 0; i < steps && rows.GetName() != "Document"; ++i) {
            if (!rows.GoParent() || rows.GetCurrentRecord() == nullptr) {
                return false;
            }
        }
        parentId = rows.GetAttribute(kId);
        // A row without an ID (other than the document's) has no section to hold a new one.
        if (parentId.empty() && rows.GetCurrentRecord()->GetParent() != nullptr) {
            return false;
        }
    } else if (!rows.GoRoot()) {
        return false;
    }
    CXTPReportRecordEx* parent = rows.GetCurrentRecord();
    const std::string parentNumbering = rows.GetAttribute(kNumbering);

    const std::string id = platform::NewGuidString();
    if (id.empty()) {
        return false;
    }
    const std::string now = platform::NowTimeStamp();
    const std::string title = Translate("Section");
    ivTreeEdit edit;
    if (!editor->InsertSection(parentId, {{kId, id}, {kTitle, title}, {kCreated, now}}, &edit)) {
        return false;
    }
    // The number counts every child node of the parent in the tree, as a rebuild does.
    const std::string number = std::to_string(edit.childIndex + 1);
    const std::string numbering = parentNumbering.empty() ? number : parentNumbering + "." + number;

    rows.SetCurrentRecord(parent);
    if (!rows.AddNode("Section")) {
        return false;
    }
    const bool filled = rows.AddAttribute(kId, id) && rows.AddAttribute(kNumbering, numbering) &&
                        rows.AddAttribute(kTitle, title) && rows.AddAttribute(kReference, {}) &&
                        rows.AddAttribute(kAlias, {}) &&
                        rows.AddAttributeEx(kStatus, {}, {}, 0, 0) &&
                        rows.AddAttribute(kCreated, now) && rows.AddAttribute(kModified, {}) &&
                        rows.AddAttribute(kAuto, {}) && rows.AddAttribute(kLink, {});
    if (!filled) {
        return false;
    }
    CXTPReportRecordEx* added = rows.GetCurrentRecord();
    m_report.ApplyStyle();
    m_report.ShowCurrentRecord();
    // The list first, then its editor, which takes the keyboard from it.
    if (m_host != nullptr) {
        m_host->FocusList();
    }
    m_report.StartEditing(*added, m_report.FindColumn(kTitle));
    rows.SetCurrentRecord(added);
    rows.EndNode();
    return true;
}

bool mySectionList::RemoveSection(bool quiet) {
    if (!IsSectionFocused()) {
        return false;
    }
    ivReportViewData& rows = *m_report.GetData();
    m_report.TakeFocusedRecord();
    const std::string id = rows.GetAttribute(kId);
    ivTreeEditor* editor = Editor();
    if (id.empty() || editor == nullptr || !editor->SelectSection(id)) {
        return false;
    }
    CXTPReportRecordEx* record = rows.GetCurrentRecord();
    if (!quiet && AskQuestion(Translate("Really remove the current section?")) != kAnswerYes) {
        return false;
    }
    // The question may have let other events run: the row must still be there.
    ivReportModel& model = m_report.Model();
    if (!model.Holds(record) || !editor->RemoveSection(id)) {
        return false;
    }
    CXTPReportRecordEx* parent = record->GetParent();
    // The focus moves to a neighbouring row; its body is loaded below, once the text view has
    // let go of the removed one.
    CXTPReportRecordEx* next = nullptr;
    {
        m_report.FocusQuietly(nullptr);
        const int index = record->GetIndex();
        next = parent->GetChild(index + 1) != nullptr ? parent->GetChild(index + 1)
               : index > 0                            ? parent->GetChild(index - 1)
                                                      : parent;
        rows.SetCurrentRecord(record);
        if (!rows.RemoveNode()) {
            return false;
        }
    }
    RenumberChildren(*parent);
    m_report.ApplyStyle();
    if (m_textView != nullptr) {
        m_textView->SetRTF({});
        m_textView->SetModified(false);
        m_textView->EnableView(false);
    }
    model.SetFocusedRecord(next);
    return true;
}

std::string mySectionList::UniqueAlias(const std::string& value, const std::string& id) {
    const std::string result = MakeAlias(value);
    ivXML* tree = DocumentTree();
    // No alias is no name: clearing one never makes "_2" of it.
    if (result.empty() || tree == nullptr || !tree->GoRoot()) {
        return result;
    }
    const unsigned anywhere = ivData::SELECT_ANYWHERE | ivData::SELECT_ATTRIBUTE;
    if (!tree->SelectWhere("Section", kAlias, result, anywhere | ivData::SELECT_KEEP)) {
        return result;
    }
    std::string candidate = result;
    for (int k = 2;; ++k) {
        if (!tree->GoRoot() || !tree->SelectWhere("Section", kAlias, candidate, anywhere) ||
            tree->GetAttribute(kId) == id) {
            return candidate;
        }
        candidate = result + "_" + std::to_string(k);
    }
}

bool mySectionList::SetValue(const std::string& column, const std::string& given) {
    ivReportViewData& rows = *m_report.GetData();
    KeepCursor keep(rows);
    m_report.TakeFocusedRecord();
    const std::string id = rows.GetAttribute(kId);
    if (id.empty() || column.empty() || column == kId) {
        return false;
    }
    std::string value = given.empty() ? rows.GetAttribute(column) : given;
    ivTreeEditor* editor = Editor();
    if (editor == nullptr) {
        return false;
    }
    if (column == kAlias) {
        const std::string alias = UniqueAlias(value, id);
        if (alias != value) {
            value = alias;
            rows.SetAttribute(kAlias, value);
        }
    }
    ivTreeEditor::Attributes values{{column, value}};
    std::string now;
    if (column != kModified) {
        now = platform::NowTimeStamp();
        values.emplace_back(kModified, now);
    }
    if (!editor->SetAttributes(id, values)) {
        return false;
    }
    if (!now.empty()) {
        rows.SetAttribute(kModified, now);
    }
    if (column == kTitle) {
        SyncText();
        if (m_host != nullptr) {
            m_host->ActivateNextPane();
        }
    }
    return true;
}

void mySectionList::SyncText() {
    ivTreeEditor* editor = Editor();
    if (editor == nullptr || m_syncing) {
        return;
    }
    m_syncing = true;
    if (m_textView != nullptr && m_textView->IsModified()) {
        const std::string body = m_textView->GetRTF();
        // Cleared first: storing marks the document modified, which may save it at once, and
        // that save must not store the body a second time.
        m_textView->SetModified(false);
        const std::string now = platform::NowTimeStamp();
        // A body whose section is gone has nowhere to go; it is dropped.
        if (!m_currentId.empty() && editor->StoreBody(m_currentId, body, now)) {
            if (CXTPReportRecordEx* row = FindRecord(m_currentId)) {
                ivReportViewData& rows = *m_report.GetData();
                KeepCursor keep(rows);
                rows.SetCurrentRecord(row);
                rows.SetAttributeEx(kStatus, {}, {}, body.empty() ? 0 : kSectionBodyImage, 0);
                rows.SetAttribute(kModified, now);
            }
        }
    }
    if (IsSectionFocused()) {
        ivReportViewData& rows = *m_report.GetData();
        KeepCursor keep(rows);
        m_report.TakeFocusedRecord();
        const std::string id = rows.GetAttribute(kId);
        if (id != m_currentId) {
            m_currentId = id;
            ShowBody(id);
        }
    }
    m_syncing = false;
}

void mySectionList::ShowBody(const std::string& id) {
    if (m_textView == nullptr) {
        return;
    }
    ivTreeEditor* editor = Editor();
    const bool found = editor != nullptr && editor->SelectSection(id);
    m_textView->SetRTF(found ? editor->GetTree()->GetAttribute("Text") : std::string());
    m_textView->SetModified(false);
    m_textView->EnableView(found);
}

void mySectionList::OnInitialUpdateHook() {
    SetupColumns();
    if (m_host != nullptr) {
        m_host->RequestRefresh();
    }
}

void mySectionList::OnUpdateHook(wxObject* hint) {
    LoadView(hint);
}

void mySectionList::OnStoreStateHook() {
    SaveViewState();
}

void mySectionList::OnFocusHook(int) {
    SyncText();
}

void mySectionList::OnValueChangedHook(int column) {
    SetValue(m_report.GetColumnName(column), {});
}
