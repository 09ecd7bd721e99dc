#pragma once

#include "document/iv_data.h"

#include <memory>
#include <string>
#include <unordered_map>

struct _xmlDoc;
struct _xmlNode;

// The tree cursor over an XML document (libxml2). All text is UTF-8. Documents made with
// Create are declared as version "1.0", encoding "ISO-8859-1"; characters beyond Latin-1 are
// then written as character references. Parsing never substitutes entities, loads a DTD or
// touches the network.
// A subtree taken out of an ivXML tree with DetachNode: it keeps its document alive and is
// freed with it unless it was attached again.
class ivXMLFragment {
public:
    ~ivXMLFragment();
    ivXMLFragment(const ivXMLFragment&) = delete;
    ivXMLFragment& operator=(const ivXMLFragment&) = delete;

private:
    friend class ivXML;
    ivXMLFragment(_xmlNode* node, std::shared_ptr<_xmlDoc> doc)
        : m_node(node), m_doc(std::move(doc)) {}
    _xmlNode* m_node;
    std::shared_ptr<_xmlDoc> m_doc;
    bool m_attached = false;
};

class ivXML : public ivData {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(ivXML);

public:
    ivXML();
    ~ivXML() override;

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
    bool Select(const std::string& path) override;
    bool GoChild(int index) override;
    bool SelectWhere(const std::string& element, const std::string& key, const std::string& value,
                     unsigned flags) override;
    int GetAttributeCount() override;
    int GetChildCount() override;
    std::string GetName() override;
    std::string GetText() override;
    void SetText(const std::string& text) override;
    std::string GetAttributeName(int index) override;
    std::string GetAttributeValue(int index) override;
    std::string GetAttribute(const std::string& name) override;
    void SetAttributeValue(int index, const std::string& value) override;
    void SetAttribute(const std::string& name, const std::string& value) override;
    void SetAttributeEx(const std::string& name, const std::string& value,
                        const std::string& format, int image, unsigned flags) override;
    bool Save(const std::string& path) override;
    bool Load(const std::string& path) override;
    bool Post(const std::string& url, const std::string& user,
              const std::string& password) override;
    bool LoadFromURL(const std::string& url, const std::string& user,
                     const std::string& password) override;
    std::string GetError() override;

    // XML text of the current node and its descendants.
    virtual std::string GetXml();
    // Create, then parse text as a document.
    virtual void LoadXml(const std::string& text);

    // Takes the current element out of the tree with everything below it; the cursor ends on
    // its parent. Null for the root element or when the cursor is on no element.
    std::shared_ptr<ivXMLFragment> DetachNode();
    // Puts a detached subtree back as the child at index of the current element (appended when
    // index is negative or past the end); the cursor ends on it. A fragment is attached once;
    // one from another document is copied in. Refused when it would nest deeper than kMaxDepth.
    bool AttachNode(const std::shared_ptr<ivXMLFragment>& fragment, int index);
    // Removes an attribute of the current element; false when it has none of that name.
    bool RemoveAttribute(const std::string& name);
    // Whether the current node lies inside the subtree of the element with this attribute
    // value (itself included), walking up from the cursor; the cursor stays.
    bool IsWithin(const std::string& key, const std::string& value);

    // A deep copy of the whole document that shares nothing with this one (not even the
    // parser's name dictionary), so that another thread may write it out and free it while
    // this tree is edited; null without a document.
    std::unique_ptr<ivXML> Snapshot() const;

    // The document serialised as Save writes it; empty without a document.
    std::string SaveToString();

private:
    using DocPtr = std::shared_ptr<_xmlDoc>;

    // Replaces the document by one parsed from text; the current node is left as it was.
    bool Parse(const std::string& text);
    _xmlNode* ParentForAppend() const;
    // Forgets what was kept about the tree's shape (child positions, the attribute index).
    void ForgetChildPosition();
    // The first element anywhere in the cursor's document named element (any for "*") whose
    // attribute key is value.
    _xmlNode* FindAnywhere(const std::string& element, const std::string& key,
                           const std::string& value);

    DocPtr m_doc;
    // The current node, or null when the cursor stands on the document as a whole. Its tree is
    // kept alive by m_nodeDoc, which may be an earlier document than m_doc.
    _xmlNode* m_node = nullptr;
    DocPtr m_nodeDoc;
    std::string m_error;
    // The child GoChild reached last under each parent, to continue from there; forgotten
    // whenever the tree changes.
    struct ChildPosition {
        int index;
        _xmlNode* node;
    };
    std::unordered_map<_xmlNode*, ChildPosition> m_childPositions;
    // Elements by the value of one attribute (sections by their ID), so that a run of edits
    // looking sections up does not walk the tree for each. Built when the same kind of look-up
    // comes a second time, and forgotten with the child positions.
    struct AttributeIndex {
        _xmlDoc* doc = nullptr;
        std::string element;
        std::string key;
        int lookups = 0;
        bool built = false;
        std::unordered_map<std::string, _xmlNode*> nodes;  // the first in document order
    };
    AttributeIndex m_index;
};
