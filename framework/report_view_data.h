#pragma once

#include "document/iv_data.h"
#include "framework/report_model.h"

// The record cursor: an ivData whose nodes are the records of a report and whose attributes
// are a record's items, addressed by item index or by column name. The first record added is
// the root. Attribute names given to the Add operations are not compared with the columns:
// each value goes to the next column.
class ivReportViewData : public ivData, private ivReportModelListener {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(ivReportViewData);

public:
    ivReportViewData() = default;
    explicit ivReportViewData(ivReportModel* model) { Attach(model); }
    ~ivReportViewData() override;

    void Close() override;
    bool Create() override;
    bool Reset() override;
    bool AddNode(const std::string& name) override;
    bool EndNode() override;
    bool AddAttribute(const std::string& name, const std::string& value) override;
    bool AddAttributeEx(const std::string& name, const std::string& value,
                        const std::string& format, int image, unsigned flags) override;
    bool RemoveNode() override;
    bool GoRoot() override;
    bool GoParent() override;
    bool GoChild(int index) override;
    int GetAttributeCount() override;
    int GetChildCount() override;
    std::string GetName() override;
    std::string GetText() override { return {}; }
    std::string GetAttributeValue(int index) override;
    std::string GetAttribute(const std::string& name) override;
    void SetAttributeValue(int index, const std::string& value) override;
    void SetAttribute(const std::string& name, const std::string& value) override;
    void SetAttributeValueEx(int index, const std::string& value, const std::string& format,
                             int image, unsigned flags) override;
    void SetAttributeEx(const std::string& name, const std::string& value,
                        const std::string& format, int image, unsigned flags) override;

    // Writes value into the item at index of the current record, or with index -1 a new item
    // for the next column (the one whose item index is the record's item count); flags as the
    // Ex operations take them, image 0 for none. False without a report, a current record or a
    // column for the index.
    bool SetItem(int index, const std::string& value, const std::string& format, int image,
                 unsigned flags);

    void Attach(ivReportModel* model);
    ivReportModel* GetModel() const { return m_model; }
    CXTPReportRecordEx* GetCurrentRecord() const { return m_current; }
    // record must belong to the report's records, or be null.
    void SetCurrentRecord(CXTPReportRecordEx* record) { m_current = record; }

private:
    void OnRecordsDropped(const CXTPReportRecordEx& top) override;
    void OnModelDestroyed() override;

    ivReportModel* m_model = nullptr;
    CXTPReportRecordEx* m_current = nullptr;
};
