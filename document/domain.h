#pragma once

#include <string>

class ivEditHistory;
class ivTreeEditor;
class ivXML;
class wxObject;

// What a document offers its views: its two trees and the storage operations.
class ivDomain {
public:
    // Kinds of GetTree.
    static constexpr int kDocumentTree = 0;
    static constexpr int kViewStateTree = 2;

    virtual ~ivDomain() = default;

    // Updates every view of the document with the hint.
    virtual void UpdateViews(wxObject* hint) = 0;
    virtual ivXML* GetTree(int) { return nullptr; }
    // The one edit path of the document tree; null while there is none.
    virtual ivTreeEditor* GetTreeEditor() { return nullptr; }
    // The edits that can be taken back; null when the document keeps none.
    virtual ivEditHistory* GetEditHistory() { return nullptr; }
    virtual bool New() { return true; }
    virtual bool Open(const std::string&) { return true; }
    // Makes every view rebuild from the document tree.
    virtual void Refresh() {}
    virtual bool Save(const std::string&) { return true; }
    // Called when the document closes.
    virtual void CloseDomain() {}
    virtual void Idle() {}
};
