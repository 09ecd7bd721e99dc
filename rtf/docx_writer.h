#pragma once

#include "rtf/model.h"

#include <string>
#include <vector>

namespace rtf {

// The namespace declarations that the root element of a part holding WordprocessingML body
// content from WriteWordprocessingML must carry (w, r, wp, a, pic).
extern const char* const kDocxNamespaces;

struct DocxRelationship {
    std::string id;      // "rId1000", ...
    std::string type;    // the relationship type URI
    std::string target;  // "media/image1.png" (relative to word/) or an external URL
    bool external = false;
};

struct DocxMedia {
    std::string partName;     // "media/image1.png", relative to word/
    std::string contentType;  // "image/png", "image/jpeg"
    std::string bytes;
};

// What the body XML refers to and a .docx package must therefore also hold: relationships
// of the main document part (hyperlinks, images), media parts, numbering definitions for
// lists, footnotes and heading styles. One context serves every body written into the same
// document; the package writer collects its parts at the end.
class DocxContext {
public:
    // Relationship ids are "rId<n>" from firstRelationshipId on, so that they do not collide
    // with the package writer's own (styles, numbering, footnotes, ...).
    explicit DocxContext(int firstRelationshipId = 1000);

    // Used by the writer.
    std::string AddHyperlink(const std::string& url);
    // A media part of the bytes; extension "png", "jpeg", "bmp", "emf" or "wmf".
    std::string AddImage(std::string bytes, const std::string& extension);
    int AddList(ListStyle style, int start);     // a w:numId
    int AddFootnote(std::string paragraphsXml);  // a w:id
    int NextDrawingId() { return ++m_drawingIds; }
    void UseHeading(int level);
    // The w:id of a bookmark: a new one at its start, the start's at its end (-1 when the
    // bookmark was never started, or has ended already).
    int StartBookmark(const std::string& name);
    int EndBookmark(const std::string& name);
    // The ids of the bookmarks still open, which end with the body; they are forgotten.
    std::vector<int> TakeOpenBookmarks();

    // Used by the package writer.
    const std::vector<DocxRelationship>& Relationships() const { return m_relationships; }
    const std::vector<DocxMedia>& Media() const { return m_media; }
    // <Relationship/> elements for word/_rels/document.xml.rels.
    std::string RelationshipsXml() const;
    bool HasNumbering() const { return !m_lists.empty(); }
    std::string NumberingXml() const;  // the whole word/numbering.xml
    bool HasFootnotes() const { return !m_footnotes.empty(); }
    std::string FootnotesXml() const;  // the whole word/footnotes.xml
    // <w:style/> elements of the heading styles the bodies use ("Heading1", ...), for
    // word/styles.xml.
    std::string HeadingStylesXml() const;

private:
    struct ListDefinition {
        ListStyle style;
        int start;
    };

    int m_nextRelationship;
    int m_drawingIds = 0;
    std::vector<DocxRelationship> m_relationships;
    std::vector<DocxMedia> m_media;
    std::vector<ListDefinition> m_lists;
    std::vector<std::string> m_footnotes;
    int m_maxHeading = 0;
    int m_nextBookmark = 0;
    std::vector<std::pair<std::string, int>> m_openBookmarks;
};

// Writes the blocks of a document as WordprocessingML body content (w:p and w:tbl
// elements, no w:body): formatting, lists (numbering from the context), tables, bookmarks,
// hyperlinks (relationships; links to a bookmark, "#name" or a local page's "page#name",
// as internal links), pictures (media parts: PNG, JPEG, BMP and the metafiles as they are)
// and footnotes. Hidden text is left out. Hyperlinks and pictures inside footnotes are
// written as their text only.
std::string WriteWordprocessingML(const Document& document, DocxContext& context);

// Appends text with XML's special characters escaped and characters XML forbids dropped.
void AppendXmlEscaped(std::string& out, std::string_view text);

}  // namespace rtf
