#pragma once

#include "document/iv_object.h"

#include <string>

// The abstract tree cursor: a tree of named nodes with text attributes, text content and
// ordered children, and a cursor that stands on one node (the current node) or on the document
// as a whole. Every operation acts on the current node or moves the cursor, and reports
// failure only through its result (false, empty text, 0).
class ivData : public ivObject {
    wxDECLARE_ABSTRACT_CLASS(ivData);

public:
    // Flags of SelectWhere; other bits are ignored.
    static constexpr unsigned SELECT_ANYWHERE = 0x80000000u;   // search the whole document
    static constexpr unsigned SELECT_KEEP = 0x08000000u;       // test only: the cursor stays
    static constexpr unsigned SELECT_ATTRIBUTE = 0x00010000u;  // key names an attribute

    // How deep elements may nest, the root element being at depth 1. Loading refuses a
    // document that nests deeper, and AddNode does not go deeper, so that every walk over a
    // tree has a bounded depth. 256 is libxml2's own limit (which the parser's large-body
    // option lifts), far beyond any real outline; a recursive walk of that depth costs little
    // stack, and the section list's tree control, whose time to show a chain of sections grows
    // with the cube of its length, still shows one at once (a thousand levels froze it for
    // minutes).
    static constexpr int kMaxDepth = 256;

    virtual void Close() = 0;
    virtual bool Create() = 0;
    virtual bool Reset() = 0;
    virtual bool AddNode(const std::string& name) = 0;
    virtual bool EndNode() = 0;
    virtual bool AddAttribute(const std::string& name, const std::string& value) = 0;
    virtual bool AddNodeText(const std::string& name, const std::string& text);
    // The display format, image and flags are for list-backed implementations.
    virtual bool AddAttributeEx(const std::string& name, const std::string& value,
                                const std::string& format, int image, unsigned flags) = 0;
    virtual bool AddNodeTextEx(const std::string& name, const std::string& text,
                               const std::string& format, int image, unsigned flags);
    virtual bool RemoveNode() = 0;
    virtual bool GoRoot() = 0;
    virtual bool GoParent() = 0;
    virtual bool Select(const std::string& path);
    virtual bool GoChild(int index) = 0;
    virtual bool SelectByAttribute(const std::string& element, const std::string& key,
                                   const std::string& value, unsigned flags);
    virtual bool SelectByChild(const std::string& element, const std::string& key,
                               const std::string& value, unsigned flags);
    // Default: scans the children of the current node for the first whose name is element (or
    // any name for "*") and whose attribute key (SELECT_ATTRIBUTE) or child text key equals
    // value. SELECT_KEEP and SELECT_ANYWHERE are not supported here and give false.
    virtual bool SelectWhere(const std::string& element, const std::string& key,
                             const std::string& value, unsigned flags);
    virtual int GetAttributeCount() = 0;
    virtual int GetChildCount() = 0;
    virtual std::string GetName() = 0;
    virtual std::string GetText() = 0;
    virtual void SetText(const std::string& text);
    virtual std::string GetAttributeName(int index);
    virtual std::string GetAttributeValue(int index) = 0;
    virtual std::string GetAttribute(const std::string& name) = 0;
    virtual void SetAttributeValue(int index, const std::string& value) = 0;
    virtual void SetAttribute(const std::string& name, const std::string& value) = 0;
    virtual void SetAttributeValueEx(int index, const std::string& value, const std::string& format,
                                     int image, unsigned flags);
    virtual void SetAttributeEx(const std::string& name, const std::string& value,
                                const std::string& format, int image, unsigned flags) = 0;
    virtual std::string GetChildText(int index);
    virtual std::string GetTextOf(const std::string& path);
    virtual bool SetChildText(int index, const std::string& text);
    virtual bool SetTextOf(const std::string& path, const std::string& text);
    virtual bool SetChildTextEx(int index, const std::string& text, const std::string& format,
                                int image, unsigned flags);
    virtual bool SetTextOfEx(const std::string& path, const std::string& text,
                             const std::string& format, int image, unsigned flags);
    virtual bool Save(const std::string& path);
    virtual bool Load(const std::string& path);
    virtual bool Post(const std::string& url, const std::string& user, const std::string& password);
    virtual bool LoadFromURL(const std::string& url, const std::string& user,
                             const std::string& password);
    virtual std::string GetError();
};
