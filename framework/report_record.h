#pragma once

#include "framework/report_item.h"

#include <memory>
#include <string>
#include <vector>

// A record of the report control: its name, its parent, its items (one per column, in the order
// of the columns' item indices) and its child records.
class CXTPReportRecordEx {
public:
    CXTPReportRecordEx(const std::string& name, CXTPReportRecordEx* parent);
    CXTPReportRecordEx(const CXTPReportRecordEx&) = delete;
    CXTPReportRecordEx& operator=(const CXTPReportRecordEx&) = delete;

    const std::string& GetName() const { return m_name; }
    CXTPReportRecordEx* GetParent() const { return m_parent; }

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // The item at index, or null.
    ivReportItem* GetItem(int index);
    const ivReportItem* GetItem(int index) const;
    ivReportItem& AddItem(ivReportItem item);
    // The item holding the preview text, or null.
    const ivReportItem* GetPreviewItem() const;

    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    CXTPReportRecordEx* GetChild(int index) const;
    const std::vector<std::unique_ptr<CXTPReportRecordEx>>& GetChildren() const {
        return m_children;
    }
    CXTPReportRecordEx& AddChild(std::unique_ptr<CXTPReportRecordEx> child);
    // Makes child (taken from elsewhere) the child at index, or the last one when index is
    // negative or past the end.
    CXTPReportRecordEx& InsertChild(std::unique_ptr<CXTPReportRecordEx> child, int index);
    // Takes the child out of the list; null when it is not a child of this record.
    std::unique_ptr<CXTPReportRecordEx> TakeChild(const CXTPReportRecordEx* child);
    // Position among the parent's children; -1 for the root.
    int GetIndex() const { return m_index; }

    bool IsExpanded() const { return m_expanded; }
    void SetExpanded(bool expanded) { m_expanded = expanded; }
    // Whether other is this record or one of its descendants.
    bool Contains(const CXTPReportRecordEx* other) const;

    bool GetState() const { return m_state; }
    void SetState(bool state) { m_state = state; }

private:
    std::string m_name;
    CXTPReportRecordEx* m_parent;
    std::vector<ivReportItem> m_items;
    std::vector<std::unique_ptr<CXTPReportRecordEx>> m_children;
    int m_index = -1;
    bool m_expanded = true;
    bool m_state = false;
};
