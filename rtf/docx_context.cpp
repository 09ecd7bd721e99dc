// The parts of a .docx package that body content refers to.

#include "rtf/docx_writer.h"

#include <algorithm>

namespace rtf {

const char* const kDocxNamespaces =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"";

namespace {

constexpr const char* kHyperlinkType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink";
constexpr const char* kImageType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

const char* NumberFormatName(ListStyle style) {
    switch (style) {
        case ListStyle::Decimal:
            return "decimal";
        case ListStyle::LowerAlpha:
            return "lowerLetter";
        case ListStyle::UpperAlpha:
            return "upperLetter";
        case ListStyle::LowerRoman:
            return "lowerRoman";
        case ListStyle::UpperRoman:
            return "upperRoman";
        case ListStyle::Bullet:
            break;
    }
    return "bullet";
}

}  // namespace

DocxContext::DocxContext(int firstRelationshipId) : m_nextRelationship(firstRelationshipId) {}

std::string DocxContext::AddHyperlink(const std::string& url) {
    DocxRelationship r{"rId" + std::to_string(m_nextRelationship++), kHyperlinkType, url, true};
    m_relationships.push_back(r);
    return r.id;
}

std::string DocxContext::AddImage(std::string bytes, const std::string& extension) {
    const std::string type = extension == "emf"   ? "image/x-emf"
                             : extension == "wmf" ? "image/x-wmf"
                                                  : "image/" + extension;
    DocxMedia media{"media/image" + std::to_string(m_media.size() + 1) + "." + extension, type,
                    std::move(bytes)};
    DocxRelationship r{"rId" + std::to_string(m_nextRelationship++), kImageType, media.partName,
                       false};
    m_media.push_back(std::move(media));
    m_relationships.push_back(r);
    return r.id;
}

int DocxContext::StartBookmark(const std::string& name) {
    const int id = m_nextBookmark++;
    m_openBookmarks.emplace_back(name, id);
    return id;
}

int DocxContext::EndBookmark(const std::string& name) {
    for (auto it = m_openBookmarks.rbegin(); it != m_openBookmarks.rend(); ++it) {
        if (it->first == name) {
            const int id = it->second;
            m_openBookmarks.erase(std::next(it).base());
            return id;
        }
    }
    return -1;
}

std::vector<int> DocxContext::TakeOpenBookmarks() {
    std::vector<int> ids;
    for (const auto& open : m_openBookmarks) {
        ids.push_back(open.second);
    }
    m_openBookmarks.clear();
    return ids;
}

int DocxContext::AddList(ListStyle style, int start) {
    m_lists.push_back(ListDefinition{style, start});
    return static_cast<int>(m_lists.size());
}

int DocxContext::AddFootnote(std::string paragraphsXml) {
    m_footnotes.push_back(std::move(paragraphsXml));
    return static_cast<int>(m_footnotes.size());
}

void DocxContext::UseHeading(int level) {
    m_maxHeading = std::max(m_maxHeading, std::min(level, 9));
}

std::string DocxContext::RelationshipsXml() const {
    std::string xml;
    for (const DocxRelationship& r : m_relationships) {
        xml += "<Relationship Id=\"" + r.id + "\" Type=\"" + r.type + "\" Target=\"";
        AppendXmlEscaped(xml, r.target);
        xml += r.external ? "\" TargetMode=\"External\"/>\n" : "\"/>\n";
    }
    return xml;
}

std::string DocxContext::NumberingXml() const {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:numbering ";
    xml += kDocxNamespaces;
    xml += ">\n";
    // Every list has its own abstract definition, its style on all nine levels; the abstract
    // definitions must all precede the numbering instances.
    for (size_t i = 0; i < m_lists.size(); ++i) {
        const ListDefinition& list = m_lists[i];
        xml += "<w:abstractNum w:abstractNumId=\"" + std::to_string(i) +
               "\"><w:multiLevelType w:val=\"hybridMultilevel\"/>";
        for (int level = 0; level < 9; ++level) {
            xml += "<w:lvl w:ilvl=\"" + std::to_string(level) + "\"><w:start w:val=\"" +
                   std::to_string(list.start) + "\"/><w:numFmt w:val=\"" +
                   NumberFormatName(list.style) + "\"/><w:lvlText w:val=\"";
            if (list.style == ListStyle::Bullet) {
                xml += "\xE2\x80\xA2";
            } else {
                xml += '%';
                xml += std::to_string(level + 1);
                xml += '.';
            }
            xml += "\"/><w:lvlJc w:val=\"left\"/><w:pPr><w:ind w:left=\"" +
                   std::to_string(720 * (level + 1)) + "\" w:hanging=\"360\"/></w:pPr></w:lvl>";
        }
        xml += "</w:abstractNum>\n";
    }
    for (size_t i = 0; i < m_lists.size(); ++i) {
        xml += "<w:num w:numId=\"" + std::to_string(i + 1) + "\"><w:abstractNumId w:val=\"" +
               std::to_string(i) + "\"/></w:num>\n";
    }
    xml += "</w:numbering>\n";
    return xml;
}

std::string DocxContext::FootnotesXml() const {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:footnotes ";
    xml += kDocxNamespaces;
    xml +=
        ">\n<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p>"
        "</w:footnote>\n<w:footnote w:type=\"continuationSeparator\" w:id=\"0\"><w:p><w:r>"
        "<w:continuationSeparator/></w:r></w:p></w:footnote>\n";
    for (size_t i = 0; i < m_footnotes.size(); ++i) {
        xml += "<w:footnote w:id=\"" + std::to_string(i + 1) + "\">" + m_footnotes[i] +
               "</w:footnote>\n";
    }
    xml += "</w:footnotes>\n";
    return xml;
}

std::string DocxContext::HeadingStylesXml() const {
    // Sizes in half-points and space before in twips, falling with the level.
    static const int kSizes[9] = {32, 28, 26, 24, 22, 22, 22, 22, 22};
    static const int kBefore[9] = {360, 240, 240, 200, 200, 160, 160, 160, 160};
    std::string xml;
    for (int level = 1; level <= m_maxHeading; ++level) {
        const std::string n = std::to_string(level);
        const int size = kSizes[level - 1];
        xml += "<w:style w:type=\"paragraph\" w:styleId=\"Heading" + n +
               "\"><w:name w:val=\"heading " + n +
               "\"/><w:basedOn w:val=\"Normal\"/><w:next w:val=\"Normal\"/><w:uiPriority "
               "w:val=\"9\"/><w:qFormat/><w:pPr><w:keepNext/><w:keepLines/><w:spacing "
               "w:before=\"" +
               std::to_string(kBefore[level - 1]) + "\" w:after=\"120\"/><w:outlineLvl w:val=\"" +
               std::to_string(level - 1) + "\"/></w:pPr><w:rPr><w:b/>" +
               (level >= 4 ? "<w:i/>" : "") + "<w:color w:val=\"1F3864\"/><w:sz w:val=\"" +
               std::to_string(size) + "\"/><w:szCs w:val=\"" + std::to_string(size) +
               "\"/></w:rPr></w:style>\n";
    }
    return xml;
}

}  // namespace rtf
