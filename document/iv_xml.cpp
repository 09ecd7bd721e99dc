#include "document/iv_xml.h"

#include "core/directories.h"
#include "core/file_errors.h"
#include "core/translate.h"
#include "document/url_fetcher.h"
#include "document/xml_output.h"
#include "platform/file_io.h"
#include "platform/guid.h"

#include <libxml/SAX2.h>
#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

wxIMPLEMENT_DYNAMIC_CLASS(ivXML, ivData);

namespace {

constexpr const char* kCreatedEncoding = "ISO-8859-1";

const xmlChar* X(const std::string& s) {
    return reinterpret_cast<const xmlChar*>(s.c_str());
}

std::string S(const xmlChar* s) {
    return s != nullptr ? reinterpret_cast<const char*>(s) : "";
}

void IgnoreError(void*, const char*, ...) {}
void IgnoreStructuredError(void*, xmlErrorPtr) {}

// Nothing outside the document is ever read: not a DTD, not an external entity, not a URL.
xmlParserInputPtr RefuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

// Entity declarations are dropped while parsing, so no entity can expand, however deeply it
// nests: a reference to one then fails the parse as an undeclared entity.
void IgnoreEntityDecl(void*, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {}
void IgnoreUnparsedEntityDecl(void*, const xmlChar*, const xmlChar*, const xmlChar*,
                              const xmlChar*) {}

// The parser builds the tree without a depth limit of its own (XML_PARSE_HUGE lifts libxml2's
// limit of 256 together with its limits on sizes, which large bodies need), so the depth is
// checked as each element starts: parsing stops at the first element beyond kMaxDepth.
struct DepthCheck {
    int tooDeepLine = 0;
};

void StartElementWithinDepth(void* context, const xmlChar* localName, const xmlChar* prefix,
                             const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                             int attributeCount, int defaultedCount, const xmlChar** attributes) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
    auto* check = static_cast<DepthCheck*>(ctxt->_private);
    // nodeNr counts the open elements, this one's parent included.
    if (ctxt->nodeNr >= ivData::kMaxDepth) {
        check->tooDeepLine = xmlSAX2GetLineNumber(context);
        xmlStopParser(ctxt);
        return;
    }
    xmlSAX2StartElementNs(context, localName, prefix, uri, namespaceCount, namespaces,
                          attributeCount, defaultedCount, attributes);
}

// Depth of an element, the root element being at depth 1.
int DepthOf(xmlNodePtr node) {
    int depth = 0;
    for (; node != nullptr && node->type == XML_ELEMENT_NODE; node = node->parent) {
        ++depth;
    }
    return depth;
}

void InitLibxml() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalEntity);
    });
    // Error handlers are per thread in libxml2.
    xmlSetGenericErrorFunc(nullptr, IgnoreError);
    xmlSetStructuredErrorFunc(nullptr, IgnoreStructuredError);
}

struct DocDeleter {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

bool IsWhitespaceOnly(const xmlChar* text) {
    if (text == nullptr) {
        return true;
    }
    for (; *text != 0; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r') {
            return false;
        }
    }
    return true;
}

// Steps to the node after node in document order within top, not descending into node's
// children; null after the last.
xmlNodePtr NextSkippingChildren(xmlNodePtr node, xmlNodePtr top) {
    while (node != top && node->next == nullptr) {
        node = node->parent;
    }
    return node == top ? nullptr : node->next;
}

// Visits the descendants of top in document order until visit returns true, and returns
// the node it stopped at (null when it visited all). Only elements are descended into: the
// children of an entity reference belong to the entity's declaration, not to the tree.
// Iterative, so that however deep a document nests, the walk costs no stack; visit must
// not unlink the node it is given.
template <typename Visit>
xmlNodePtr WalkDescendants(xmlNodePtr top, Visit visit) {
    xmlNodePtr node = top->children;
    while (node != nullptr) {
        if (visit(node)) {
            return node;
        }
        if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            node = node->children;
            continue;
        }
        node = NextSkippingChildren(node, top);
    }
    return nullptr;
}

// Drops whitespace-only text between elements, so that indented files read like compact ones.
void StripBlankText(xmlNodePtr top) {
    std::vector<xmlNodePtr> blanks;
    WalkDescendants(top, [&](xmlNodePtr node) {
        if (node->type == XML_TEXT_NODE && IsWhitespaceOnly(node->content)) {
            blanks.push_back(node);
        }
        return false;
    });
    for (xmlNodePtr blank : blanks) {
        xmlUnlinkNode(blank);
        xmlFreeNode(blank);
    }
}

// Text content of a node and its descendants; entity references are not expanded.
void AppendText(xmlNodePtr node, std::string& out) {
    switch (node->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
        case XML_COMMENT_NODE:
        case XML_PI_NODE:
            out += S(node->content);
            return;
        case XML_ATTRIBUTE_NODE:
        case XML_ELEMENT_NODE:
        case XML_DOCUMENT_NODE:
        case XML_DOCUMENT_FRAG_NODE:
            break;
        default:
            return;
    }
    // Comments and processing instructions inside an element do not belong to its text.
    WalkDescendants(node, [&](xmlNodePtr cur) {
        if (cur->type == XML_TEXT_NODE || cur->type == XML_CDATA_SECTION_NODE) {
            out += S(cur->content);
        }
        return false;
    });
}

bool BeyondLatin1(const xmlChar* text) {
    // UTF-8 lead bytes from 0xC4 on start characters above U+00FF.
    for (; text != nullptr && *text != 0; ++text) {
        if (*text >= 0xC4) {
            return true;
        }
    }
    return false;
}

// Whether a document holds characters beyond Latin-1 where no character reference can stand:
// in names, comments, processing instructions and CDATA sections.
bool NeedsUnicodeEncoding(xmlDocPtr doc) {
    const auto beyond = [](xmlNodePtr node) {
        switch (node->type) {
            case XML_ELEMENT_NODE:
                if (BeyondLatin1(node->name)) {
                    return true;
                }
                for (xmlAttrPtr a = node->properties; a != nullptr; a = a->next) {
                    if (BeyondLatin1(a->name)) {
                        return true;
                    }
                }
                return false;
            case XML_COMMENT_NODE:
            case XML_CDATA_SECTION_NODE:
                return BeyondLatin1(node->content);
            case XML_PI_NODE:
                return BeyondLatin1(node->name) || BeyondLatin1(node->content);
            default:
                return false;
        }
    };
    return WalkDescendants(reinterpret_cast<xmlNodePtr>(doc), beyond) != nullptr;
}

// The parser's reason, with the line and column where it stopped.
std::string ParseErrorText(const xmlError& e) {
    std::string message = e.message != nullptr ? S(BAD_CAST e.message) : std::string();
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    if (message.empty()) {
        message = Translate("The document is not well-formed.");
    }
    if (e.line <= 0) {
        return message;
    }
    return TranslateFormat("Line %d, column %d: %s", e.line, e.int2, message.c_str());
}

// An XPath string literal for any value: quoted with double quotes when it holds none, with
// single quotes when it holds no single quote, otherwise joined with concat().
std::string XPathLiteral(const std::string& value) {
    if (value.find('"') == std::string::npos) {
        return "\"" + value + "\"";
    }
    if (value.find('\'') == std::string::npos) {
        return "'" + value + "'";
    }
    std::string result = "concat(";
    size_t start = 0;
    bool first = true;
    while (start <= value.size()) {
        const size_t quote = value.find('"', start);
        const std::string part =
            value.substr(start, quote == std::string::npos ? std::string::npos : quote - start);
        if (!part.empty()) {
            result += (first ? "" : ", ") + ("\"" + part + "\"");
            first = false;
        }
        if (quote == std::string::npos) {
            break;
        }
        result += first ? "'\"'" : ", '\"'";
        first = false;
        start = quote + 1;
    }
    return result + ")";
}

// A name without a namespace prefix that a path can hold as it stands.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name.find(':') == std::string::npos &&
           xmlValidateNCName(X(name), 0) == 0;
}

bool MatchesAttribute(xmlNodePtr node, const std::string& element, const std::string& key,
                      const std::string& value) {
    if (node->type != XML_ELEMENT_NODE || node->ns != nullptr ||
        (element != "*" &&
         std::strcmp(reinterpret_cast<const char*>(node->name), element.c_str()) != 0)) {
        return false;
    }
    xmlAttrPtr attr = xmlHasNsProp(node, X(key), nullptr);
    if (attr == nullptr || attr->type != XML_ATTRIBUTE_NODE) {
        return false;
    }
    // Most values are a single text node; compare it without copying.
    xmlNodePtr text = attr->children;
    if (text != nullptr && text->next == nullptr && text->type == XML_TEXT_NODE) {
        return value == S(text->content);
    }
    std::string actual;
    AppendText(reinterpret_cast<xmlNodePtr>(attr), actual);
    return actual == value;
}

// The first element in document order named element (any for "*") whose attribute key is
// value: among the children of from, or anywhere in its document.
xmlNodePtr FindByAttribute(xmlNodePtr from, const std::string& element, const std::string& key,
                           const std::string& value, bool anywhere) {
    if (!anywhere) {
        for (xmlNodePtr child = from->children; child != nullptr; child = child->next) {
            if (MatchesAttribute(child, element, key, value)) {
                return child;
            }
        }
        return nullptr;
    }
    return WalkDescendants(reinterpret_cast<xmlNodePtr>(from->doc), [&](xmlNodePtr node) {
        return MatchesAttribute(node, element, key, value);
    });
}

bool IsCursorNode(xmlNodePtr node) {
    switch (node->type) {
        case XML_ELEMENT_NODE:
        case XML_ATTRIBUTE_NODE:
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
        case XML_ENTITY_REF_NODE:
        case XML_PI_NODE:
        case XML_COMMENT_NODE:
        case XML_DOCUMENT_NODE:
            return true;
        default:
            return false;
    }
}

// Attribute at index of an element, or null.
xmlAttrPtr AttributeAt(xmlNodePtr node, int index) {
    if (node == nullptr || node->type != XML_ELEMENT_NODE || index < 0) {
        return nullptr;
    }
    xmlAttrPtr attr = node->properties;
    for (int i = 0; attr != nullptr && i < index; ++i) {
        attr = attr->next;
    }
    return attr;
}

}  // namespace

ivXML::ivXML() {
    InitLibxml();
}

ivXML::~ivXML() {
    Close();
}

void ivXML::ForgetChildPosition() {
    m_childPositions.clear();
    m_index = AttributeIndex{};
}

xmlNodePtr ivXML::FindAnywhere(const std::string& element, const std::string& key,
                               const std::string& value) {
    xmlDocPtr doc = m_node->doc;
    if (m_index.doc != doc || m_index.element != element || m_index.key != key) {
        m_index = AttributeIndex{};
        m_index.doc = doc;
        m_index.element = element;
        m_index.key = key;
    }
    if (!m_index.built && ++m_index.lookups < 2) {
        return FindByAttribute(m_node, element, key, value, true);
    }
    if (!m_index.built) {
        WalkDescendants(reinterpret_cast<xmlNodePtr>(doc), [&](xmlNodePtr node) {
            if (node->type != XML_ELEMENT_NODE || node->ns != nullptr ||
                (element != "*" &&
                 std::strcmp(reinterpret_cast<const char*>(node->name), element.c_str()) != 0)) {
                return false;
            }
            xmlAttrPtr attr = xmlHasNsProp(node, X(key), nullptr);
            if (attr != nullptr && attr->type == XML_ATTRIBUTE_NODE) {
                std::string actual;
                AppendText(reinterpret_cast<xmlNodePtr>(attr), actual);
                m_index.nodes.emplace(std::move(actual), node);
            }
            return false;
        });
        m_index.built = true;
    }
    const auto it = m_index.nodes.find(value);
    return it == m_index.nodes.end() ? nullptr : it->second;
}

void ivXML::Close() {
    ForgetChildPosition();
    m_node = nullptr;
    m_nodeDoc.reset();
    m_doc.reset();
}

bool ivXML::Create() {
    InitLibxml();
    ForgetChildPosition();
    m_doc.reset();
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    if (doc == nullptr) {
        return false;
    }
    doc->encoding = xmlStrdup(BAD_CAST kCreatedEncoding);
    m_doc = DocPtr(doc, DocDeleter());
    m_error.clear();
    return true;
}

bool ivXML::Reset() {
    if (!m_doc) {
        return false;
    }
    ForgetChildPosition();
    m_node = nullptr;
    m_nodeDoc.reset();
    return true;
}

xmlNodePtr ivXML::ParentForAppend() const {
    return m_node != nullptr ? m_node : reinterpret_cast<xmlNodePtr>(m_doc.get());
}

bool ivXML::AddNode(const std::string& name) {
    if (!m_doc || xmlValidateName(X(name), 0) != 0) {
        return false;
    }
    xmlNodePtr parent = ParentForAppend();
    if (parent->type == XML_DOCUMENT_NODE) {
        if (xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(parent)) != nullptr) {
            return false;
        }
    } else if (parent->type != XML_ELEMENT_NODE || DepthOf(parent) >= kMaxDepth) {
        return false;
    }
    xmlNodePtr element = xmlNewDocNode(parent->doc, nullptr, X(name), nullptr);
    if (element == nullptr) {
        return false;
    }
    m_index = AttributeIndex{};
    if (xmlAddChild(parent, element) == nullptr) {
        xmlFreeNode(element);
        return false;
    }
    if (m_node == nullptr) {
        m_nodeDoc = m_doc;
    }
    m_node = element;
    return true;
}

bool ivXML::EndNode() {
    return GoParent();
}

bool ivXML::AddAttribute(const std::string& name, const std::string& value) {
    if (!m_doc || m_node == nullptr || m_node->type != XML_ELEMENT_NODE ||
        xmlValidateName(X(name), 0) != 0) {
        return false;
    }
    if (name == m_index.key) {
        m_index = AttributeIndex{};
    }
    return xmlSetProp(m_node, X(name), X(value)) != nullptr;
}

bool ivXML::AddAttributeEx(const std::string& name, const std::string& value, const std::string&,
                           int, unsigned) {
    return AddAttribute(name, value);
}

bool ivXML::RemoveNode() {
    if (!m_doc || m_node == nullptr || m_node->parent == nullptr) {
        return false;
    }
    ForgetChildPosition();
    xmlNodePtr node = m_node;
    m_node = node->parent;
    xmlUnlinkNode(node);
    xmlFreeNode(node);
    return true;
}

ivXMLFragment::~ivXMLFragment() {
    if (!m_attached && m_node != nullptr) {
        xmlFreeNode(m_node);
    }
}

namespace {

// Levels of elements in the subtree of node, node included; walked without recursion.
int SubtreeHeight(xmlNodePtr top) {
    int height = 0;
    int depth = 0;
    xmlNodePtr node = top;
    while (node != nullptr) {
        if (node->type == XML_ELEMENT_NODE) {
            height = std::max(height, depth + 1);
        }
        if (node->children != nullptr && node->type == XML_ELEMENT_NODE) {
            node = node->children;
            ++depth;
            continue;
        }
        while (node != top && node->next == nullptr) {
            node = node->parent;
            --depth;
        }
        node = node == top ? nullptr : node->next;
    }
    return height;
}

}  // namespace

std::shared_ptr<ivXMLFragment> ivXML::DetachNode() {
    if (!m_doc || m_node == nullptr || m_node->type != XML_ELEMENT_NODE ||
        m_node->parent == nullptr || m_node->parent->type != XML_ELEMENT_NODE) {
        return nullptr;
    }
    ForgetChildPosition();
    xmlNodePtr node = m_node;
    m_node = node->parent;
    xmlUnlinkNode(node);
    return std::shared_ptr<ivXMLFragment>(new ivXMLFragment(node, m_nodeDoc));
}

bool ivXML::AttachNode(const std::shared_ptr<ivXMLFragment>& fragment, int index) {
    if (!m_doc || m_node == nullptr || m_node->type != XML_ELEMENT_NODE || fragment == nullptr ||
        fragment->m_attached || fragment->m_node == nullptr) {
        return false;
    }
    if (DepthOf(m_node) + SubtreeHeight(fragment->m_node) > kMaxDepth) {
        return false;
    }
    xmlNodePtr node = fragment->m_node;
    const bool copied = node->doc != m_node->doc;
    if (copied) {
        node = xmlDocCopyNode(node, m_node->doc, 1);
        if (node == nullptr) {
            return false;
        }
    }
    xmlNodePtr before = index >= 0 ? m_node->children : nullptr;
    for (int i = 0; before != nullptr && i < index; ++i) {
        before = before->next;
    }
    ForgetChildPosition();
    // Adding before a node merges adjacent text nodes; an element never merges.
    if ((before != nullptr ? xmlAddPrevSibling(before, node) : xmlAddChild(m_node, node)) ==
        nullptr) {
        if (copied) {
            xmlFreeNode(node);
        }
        return false;
    }
    if (!copied) {
        fragment->m_attached = true;
    }
    m_node = node;
    return true;
}

bool ivXML::RemoveAttribute(const std::string& name) {
    if (!m_doc || m_node == nullptr || m_node->type != XML_ELEMENT_NODE) {
        return false;
    }
    if (name == m_index.key) {
        m_index = AttributeIndex{};
    }
    return xmlUnsetProp(m_node, X(name)) == 0;
}

bool ivXML::IsWithin(const std::string& key, const std::string& value) {
    if (!m_doc || m_node == nullptr) {
        return false;
    }
    for (xmlNodePtr node = m_node; node != nullptr && node->type == XML_ELEMENT_NODE;
         node = node->parent) {
        xmlChar* found = xmlGetProp(node, X(key));
        const bool same = found != nullptr && S(found) == value;
        xmlFree(found);
        if (same) {
            return true;
        }
    }
    return false;
}

bool ivXML::GoRoot() {
    if (!m_doc) {
        return false;
    }
    xmlNodePtr root = xmlDocGetRootElement(m_doc.get());
    if (root == nullptr) {
        return false;
    }
    m_nodeDoc = m_doc;
    m_node = root;
    return true;
}

bool ivXML::GoParent() {
    if (!m_doc || m_node == nullptr || m_node->parent == nullptr) {
        return false;
    }
    m_node = m_node->parent;
    return true;
}

bool ivXML::Select(const std::string& path) {
    if (!m_doc || m_node == nullptr || path.empty()) {
        return false;
    }
    InitLibxml();
    xmlXPathContextPtr ctx = xmlXPathNewContext(m_node->doc);
    if (ctx == nullptr) {
        return false;
    }
    ctx->node = m_node;
    xmlXPathObjectPtr result = xmlXPathEvalExpression(X(path), ctx);
    xmlNodePtr found = nullptr;
    if (result != nullptr && result->type == XPATH_NODESET && result->nodesetval != nullptr) {
        xmlNodeSetPtr set = result->nodesetval;
        for (int i = 0; i < set->nodeNr; ++i) {
            if (set->nodeTab[i] != nullptr && IsCursorNode(set->nodeTab[i])) {
                found = set->nodeTab[i];
                break;
            }
        }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(ctx);
    if (found == nullptr) {
        return false;
    }
    m_node = found;
    return true;
}

bool ivXML::GoChild(int index) {
    if (!m_doc || m_node == nullptr || index < 0) {
        return false;
    }
    // Walks on from the child this parent reached last when a later index is asked for, so
    // that visiting all children one by one stays linear at every depth of a walk.
    xmlNodePtr child = m_node->children;
    int i = 0;
    auto known = m_childPositions.find(m_node);
    if (known != m_childPositions.end() && known->second.index <= index) {
        child = known->second.node;
        i = known->second.index;
    }
    for (; child != nullptr && i < index; ++i) {
        child = child->next;
    }
    if (child == nullptr) {
        return false;
    }
    m_childPositions[m_node] = ChildPosition{index, child};
    m_node = child;
    return true;
}

bool ivXML::SelectWhere(const std::string& element, const std::string& key,
                        const std::string& value, unsigned flags) {
    if (!m_doc || m_node == nullptr) {
        return false;
    }
    xmlNodePtr remembered = m_node;
    // Looking an element up by a plain attribute (a section by its ID) is what every edit
    // does; a direct walk finds exactly what the path below finds, many times faster.
    if ((flags & SELECT_ATTRIBUTE) != 0 && IsPlainName(key) &&
        (element == "*" || IsPlainName(element))) {
        xmlNodePtr found = (flags & SELECT_ANYWHERE) != 0
                               ? FindAnywhere(element, key, value)
                               : FindByAttribute(m_node, element, key, value, false);
        if (found == nullptr) {
            return false;
        }
        m_node = (flags & SELECT_KEEP) != 0 ? remembered : found;
        return true;
    }
    // The value becomes an XPath literal that matches it exactly, whatever quotes it holds.
    const std::string path = std::string((flags & SELECT_ANYWHERE) != 0 ? "//" : "") + element +
                             "[" + ((flags & SELECT_ATTRIBUTE) != 0 ? "@" : "") + key + " = " +
                             XPathLiteral(value) + "]";
    if (!Select(path)) {
        return false;
    }
    if ((flags & SELECT_KEEP) != 0) {
        m_node = remembered;
    }
    return true;
}

int ivXML::GetAttributeCount() {
    if (!m_doc || m_node == nullptr || m_node->type != XML_ELEMENT_NODE) {
        return 0;
    }
    int count = 0;
    for (xmlAttrPtr a = m_node->properties; a != nullptr; a = a->next) {
        ++count;
    }
    return count;
}

int ivXML::GetChildCount() {
    if (!m_doc || m_node == nullptr || m_node->type == XML_ENTITY_REF_NODE) {
        return 0;
    }
    int count = 0;
    for (xmlNodePtr c = m_node->children; c != nullptr; c = c->next) {
        ++count;
    }
    return count;
}

std::string ivXML::GetName() {
    if (!m_doc || m_node == nullptr) {
        return {};
    }
    switch (m_node->type) {
        case XML_ELEMENT_NODE:
        case XML_ATTRIBUTE_NODE:
        case XML_PI_NODE:
        case XML_ENTITY_REF_NODE:
            return S(m_node->name);
        default:
            return {};
    }
}

std::string ivXML::GetText() {
    if (!m_doc || m_node == nullptr) {
        return {};
    }
    std::string text;
    AppendText(m_node, text);
    return text;
}

void ivXML::SetText(const std::string& text) {
    if (!m_doc || m_node == nullptr) {
        return;
    }
    ForgetChildPosition();
    switch (m_node->type) {
        case XML_ELEMENT_NODE:
        case XML_ATTRIBUTE_NODE: {
            // The text is taken as it stands: no entity references are parsed out of it.
            xmlNodePtr child = m_node->children;
            while (child != nullptr) {
                xmlNodePtr next = child->next;
                xmlUnlinkNode(child);
                xmlFreeNode(child);
                child = next;
            }
            if (!text.empty()) {
                xmlNodePtr node =
                    xmlNewDocTextLen(m_node->doc, X(text), static_cast<int>(text.size()));
                if (node != nullptr) {
                    xmlAddChild(m_node, node);
                }
            }
            break;
        }
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
        case XML_COMMENT_NODE:
        case XML_PI_NODE:
            xmlNodeSetContent(m_node, X(text));
            break;
        default:
            break;
    }
}

std::string ivXML::GetAttributeName(int index) {
    if (!m_doc) {
        return {};
    }
    xmlAttrPtr attr = AttributeAt(m_node, index);
    return attr != nullptr ? S(attr->name) : std::string();
}

std::string ivXML::GetAttributeValue(int index) {
    if (!m_doc) {
        return {};
    }
    xmlAttrPtr attr = AttributeAt(m_node, index);
    if (attr == nullptr) {
        return {};
    }
    std::string text;
    AppendText(reinterpret_cast<xmlNodePtr>(attr), text);
    return text;
}

std::string ivXML::GetAttribute(const std::string& name) {
    if (!m_doc || m_node == nullptr || m_node->type != XML_ELEMENT_NODE) {
        return {};
    }
    xmlAttrPtr attr = xmlHasProp(m_node, X(name));
    if (attr == nullptr || attr->type != XML_ATTRIBUTE_NODE) {
        return {};
    }
    std::string text;
    AppendText(reinterpret_cast<xmlNodePtr>(attr), text);
    return text;
}

void ivXML::SetAttributeValue(int, const std::string&) {}

void ivXML::SetAttribute(const std::string& name, const std::string& value) {
    // Setting an attribute replaces its value in place, or appends it after the others.
    AddAttribute(name, value);
}

void ivXML::SetAttributeEx(const std::string& name, const std::string& value, const std::string&,
                           int, unsigned) {
    SetAttribute(name, value);
}

std::unique_ptr<ivXML> ivXML::Snapshot() const {
    if (!m_doc) {
        return nullptr;
    }
    // A document of its own without a dictionary: every name and value is copied.
    xmlDocPtr copy = xmlNewDoc(m_doc->version != nullptr ? m_doc->version : BAD_CAST "1.0");
    if (copy == nullptr) {
        return nullptr;
    }
    if (m_doc->encoding != nullptr) {
        copy->encoding = xmlStrdup(m_doc->encoding);
    }
    copy->standalone = m_doc->standalone;
    for (xmlNodePtr child = m_doc->children; child != nullptr; child = child->next) {
        if (child->type == XML_DTD_NODE) {
            continue;  // never read from our files, so never written back either
        }
        xmlNodePtr node = xmlDocCopyNode(child, copy, 1);
        if (node == nullptr || xmlAddChild(reinterpret_cast<xmlNodePtr>(copy), node) == nullptr) {
            xmlFreeNode(node);
            xmlFreeDoc(copy);
            return nullptr;
        }
    }
    auto snapshot = std::make_unique<ivXML>();
    snapshot->m_doc = DocPtr(copy, DocDeleter());
    return snapshot;
}

std::string ivXML::SaveToString() {
    if (!m_doc) {
        return {};
    }
    // A document declared as UTF-8 (or not declared) stays UTF-8; every other one is written
    // as ISO-8859-1, the encoding of our files, with a character reference for whatever the
    // encoding cannot hold. Where no reference may stand (a name, a comment) a character
    // beyond Latin-1 makes the document UTF-8.
    const bool utf8 = m_doc->encoding == nullptr ||
                      xmlParseCharEncoding(reinterpret_cast<const char*>(m_doc->encoding)) ==
                          XML_CHAR_ENCODING_UTF8 ||
                      NeedsUnicodeEncoding(m_doc.get());
    std::string bytes;
    if (!SerializeXml(m_doc.get(), utf8, bytes)) {
        return {};
    }
    return bytes;
}

bool ivXML::Save(const std::string& path) {
    if (!m_doc) {
        return false;
    }
    const std::string bytes = SaveToString();
    if (bytes.empty()) {
        m_error = Translate("The document cannot be written out.");
        return false;
    }
    platform::FileError error;
    if (!platform::WriteFileAtomically(path, bytes, &error)) {
        m_error = DescribeFileError(error);
        return false;
    }
    return true;
}

bool ivXML::Parse(const std::string& text) {
    InitLibxml();
    if (text.size() > static_cast<size_t>(INT32_MAX)) {
        m_error = Translate("The document is larger than 2 GB.");
        return false;
    }
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (ctxt == nullptr) {
        m_error = Translate("Out of memory.");
        return false;
    }
    ctxt->sax->entityDecl = IgnoreEntityDecl;
    ctxt->sax->unparsedEntityDecl = IgnoreUnparsedEntityDecl;
    DepthCheck depth;
    ctxt->_private = &depth;
    ctxt->sax->startElementNs = StartElementWithinDepth;
    // No entity substitution, no DTD loading, no network; big section bodies are allowed.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE |
                        XML_PARSE_NOXINCNODE;
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, text.data(), static_cast<int>(text.size()), nullptr,
                                      nullptr, options);
    const bool wellFormed = doc != nullptr && ctxt->wellFormed != 0 && depth.tooDeepLine == 0;
    if (!wellFormed) {
        m_error = depth.tooDeepLine != 0
                      ? TranslateFormat("Line %d: the document nests deeper than %d levels.",
                                        depth.tooDeepLine, kMaxDepth)
                      : ParseErrorText(ctxt->lastError);
        if (doc != nullptr) {
            xmlFreeDoc(doc);
        }
        xmlFreeParserCtxt(ctxt);
        return false;
    }
    xmlFreeParserCtxt(ctxt);
    ForgetChildPosition();
    StripBlankText(reinterpret_cast<xmlNodePtr>(doc));
    m_doc = DocPtr(doc, DocDeleter());
    m_error.clear();
    return true;
}

bool ivXML::Load(const std::string& path) {
    if (!Create()) {
        return false;
    }
    // The file is read here and parsed from memory, so that the parser itself never opens
    // anything: its loader for external resources refuses every request.
    std::string bytes;
    platform::FileError error;
    if (!platform::ReadWholeFileBytes(path, bytes, &error)) {
        m_error = DescribeFileError(error);
        return false;
    }
    return Parse(bytes);
}

void ivXML::LoadXml(const std::string& text) {
    if (Create()) {
        Parse(text);
    }
}

std::string ivXML::GetError() {
    return m_doc ? m_error : std::string();
}

std::string ivXML::GetXml() {
    if (!m_doc || m_node == nullptr) {
        return {};
    }
    xmlBufferPtr buffer = xmlBufferCreate();
    if (buffer == nullptr) {
        return {};
    }
    std::string text;
    if (m_node->type == XML_DOCUMENT_NODE) {
        for (xmlNodePtr c = m_node->children; c != nullptr; c = c->next) {
            xmlNodeDump(buffer, m_node->doc, c, 0, 0);
        }
    } else {
        xmlNodeDump(buffer, m_node->doc, m_node, 0, 0);
    }
    text.assign(reinterpret_cast<const char*>(xmlBufferContent(buffer)),
                static_cast<size_t>(xmlBufferLength(buffer)));
    xmlBufferFree(buffer);
    return text;
}

bool ivXML::Post(const std::string& url, const std::string& user, const std::string& password) {
    if (!m_doc) {
        return false;
    }
    std::shared_ptr<ivUrlFetcher> fetcher = GetUrlFetcher();
    if (!fetcher) {
        return false;
    }
    std::string response;
    if (!fetcher->Post(url, user, password, "text/xml", GetXml(), response)) {
        return false;
    }
    // The response replaces the document only when it parses.
    ivXML reply;
    reply.LoadXml(response);
    if (!reply.m_doc || xmlDocGetRootElement(reply.m_doc.get()) == nullptr) {
        return false;
    }
    ForgetChildPosition();
    m_doc = reply.m_doc;
    return true;
}

bool ivXML::LoadFromURL(const std::string& url, const std::string&, const std::string&) {
    std::shared_ptr<ivUrlFetcher> fetcher = GetUrlFetcher();
    std::string body;
    if (!fetcher || !fetcher->Fetch(url, body)) {
        return false;
    }
    const std::string guid = platform::NewGuidString();
    if (guid.empty()) {
        return false;
    }
    const std::string temp = GetTempDirectory() + guid + ".xml";
    if (!platform::WriteFileAtomically(temp, body)) {
        return false;
    }
    const bool loaded = Load(temp);
    platform::RemoveFile(temp);
    return loaded;
}
