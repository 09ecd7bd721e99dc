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

    // The document serialised as Save writes it; empty without a document.
    std::string SaveToString();

private:
    using DocPtr = std::shared_ptr<_xmlDoc>;

    // Replaces the document by one parsed from text; the current node is left as it was.
    bool Parse(const std::string& text);
    _xmlNode* ParentForAppend() const;
    void ForgetChildPosition();

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
};
