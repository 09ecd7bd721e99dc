#include "generators/docx_document.h"

#include "generators/file_util.h"
#include "platform/file_io.h"
#include "rtf/docx_writer.h"
#include "rtf/reader.h"

#include <wx/mstream.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <algorithm>
#include <vector>

namespace {

// Word's built-in style numbers: wdStyleNormal, then wdStyleHeading1 to wdStyleHeading9.
constexpr int kStyleNormal = -1;
constexpr int kStyleHeading1 = -2;
constexpr int kStyleHeading9 = -10;

struct Paragraph {
    int heading = 0;   // 1 to 9 for a heading style, 0 for Normal
    std::string text;  // set through Range.Text
    bool inserted = false;
    std::string body;  // WordprocessingML of an inserted file, in place of the paragraph
    // A bookmark around the paragraph's text (Bookmarks.Add), with its w:id.
    std::string bookmark;
    int bookmarkId = -1;
};
using ParagraphPtr = std::shared_ptr<Paragraph>;

struct Document {
    Document() { paragraphs.push_back(std::make_shared<Paragraph>()); }
    // A new document, like Word's, holds one empty paragraph.
    std::vector<ParagraphPtr> paragraphs;
    rtf::DocxContext context;
};
using DocumentPtr = std::shared_ptr<Document>;

bool IsUnused(const Paragraph& p) {
    return p.heading == 0 && p.text.empty() && !p.inserted;
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    rtf::AppendXmlEscaped(out, text);
    return out;
}

// Base of the objects: members are looked up by name in the derived classes.
class Object : public ivDispatch {
protected:
    static bool Returns(ivVariant& result, ivDispatchPtr object) {
        result = ivVariant::Object(std::move(object));
        return true;
    }
    static bool IsString(const std::vector<ivVariant>& args, size_t i) {
        return i < args.size() && args[i].type == ivVariant::Type::String;
    }
};

class ParagraphsObject;

class RangeObject : public Object {
public:
    enum class Kind { Content, EndOfDocument, Paragraph };

    RangeObject(DocumentPtr document, Kind kind, ParagraphPtr paragraph = {})
        : m_document(std::move(document)), m_kind(kind), m_paragraph(std::move(paragraph)) {}

    Kind GetKind() const { return m_kind; }
    const ParagraphPtr& GetParagraph() const { return m_paragraph; }

    bool Invoke(const std::string& member, ivInvokeKind kind, const std::vector<ivVariant>& args,
                ivVariant& result) override;

private:
    bool InsertFile(const std::vector<ivVariant>& args);

    DocumentPtr m_document;
    Kind m_kind;
    ParagraphPtr m_paragraph;
};

class ParagraphObject : public Object {
public:
    ParagraphObject(DocumentPtr document, ParagraphPtr paragraph)
        : m_document(std::move(document)), m_paragraph(std::move(paragraph)) {}

    bool Invoke(const std::string& member, ivInvokeKind kind, const std::vector<ivVariant>& args,
                ivVariant& result) override {
        if (member == "Range" && kind == ivInvokeKind::PropertyGet) {
            return Returns(result, std::make_shared<RangeObject>(
                                       m_document, RangeObject::Kind::Paragraph, m_paragraph));
        }
        if (member == "Style" && kind == ivInvokeKind::PropertyPut && args.size() == 1 &&
            args[0].type == ivVariant::Type::Short) {
            const int style = args[0].number;
            if (style == kStyleNormal) {
                m_paragraph->heading = 0;
                return true;
            }
            if (style <= kStyleHeading1 && style >= kStyleHeading9) {
                m_paragraph->heading = kStyleHeading1 - style + 1;
                m_document->context.UseHeading(m_paragraph->heading);
                return true;
            }
        }
        return false;
    }

private:
    DocumentPtr m_document;
    ParagraphPtr m_paragraph;
};

class ParagraphsObject : public Object {
public:
    explicit ParagraphsObject(DocumentPtr document) : m_document(std::move(document)) {}

    bool Invoke(const std::string& member, ivInvokeKind kind, const std::vector<ivVariant>& args,
                ivVariant& result) override {
        if (member == "Count" && kind == ivInvokeKind::PropertyGet) {
            result = ivVariant::Short(
                static_cast<int16_t>(std::min<size_t>(m_document->paragraphs.size(), 32767)));
            return true;
        }
        if (member != "Add" || kind != ivInvokeKind::Method || args.size() > 1) {
            return false;
        }
        // Only additions at the end of the document are supported.
        if (args.size() == 1) {
            auto* range = dynamic_cast<RangeObject*>(args[0].object.get());
            if (range == nullptr || range->GetKind() != RangeObject::Kind::EndOfDocument) {
                return false;
            }
        }
        // The empty last paragraph (the one every document ends with) becomes the new one.
        auto& paragraphs = m_document->paragraphs;
        if (paragraphs.empty() || !IsUnused(*paragraphs.back())) {
            paragraphs.push_back(std::make_shared<Paragraph>());
        }
        return Returns(result, std::make_shared<ParagraphObject>(m_document, paragraphs.back()));
    }

private:
    DocumentPtr m_document;
};

bool RangeObject::Invoke(const std::string& member, ivInvokeKind kind,
                         const std::vector<ivVariant>& args, ivVariant& result) {
    if (member == "Paragraphs" && kind == ivInvokeKind::PropertyGet) {
        return Returns(result, std::make_shared<ParagraphsObject>(m_document));
    }
    if (m_kind != Kind::Paragraph) {
        return false;
    }
    if (member == "Text" && kind == ivInvokeKind::PropertyPut && IsString(args, 0)) {
        m_paragraph->text = args[0].text;
        m_paragraph->inserted = false;
        m_paragraph->body.clear();
        return true;
    }
    if (member == "InsertParagraphAfter" && kind == ivInvokeKind::Method && args.empty()) {
        auto& paragraphs = m_document->paragraphs;
        // Searched from the end, where the generator works.
        auto at = std::find(paragraphs.rbegin(), paragraphs.rend(), m_paragraph);
        if (at == paragraphs.rend()) {
            return false;
        }
        paragraphs.insert(at.base(), std::make_shared<Paragraph>());
        return true;
    }
    if (member == "InsertFile" && kind == ivInvokeKind::Method) {
        return InsertFile(args);
    }
    return false;
}

// InsertFile(FileName, Range, ConfirmConversions, Link, Attachment): only the whole file is
// inserted, as its content; the file must be there, as Word requires.
bool RangeObject::InsertFile(const std::vector<ivVariant>& args) {
    if (!IsString(args, 0) || (args.size() > 1 && !IsString(args, 1)) ||
        (args.size() > 1 && !args[1].text.empty()) || args.size() > 5) {
        return false;
    }
    std::string rtf;
    if (!platform::ReadWholeFileBytes(args[0].text, rtf)) {
        return false;
    }
    const rtf::ReadResult read = rtf::ReadRtf(rtf);
    m_paragraph->body = rtf::WriteWordprocessingML(read.document, m_document->context);
    m_paragraph->inserted = true;
    m_paragraph->text.clear();
    return true;
}

std::string DocumentXml(const Document& document) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document ";
    xml += rtf::kDocxNamespaces;
    xml += "><w:body>\n";
    for (const ParagraphPtr& p : document.paragraphs) {
        if (p->inserted) {
            xml += p->body;
            continue;
        }
        xml += "<w:p>";
        if (p->heading != 0) {
            xml += "<w:pPr><w:pStyle w:val=\"Heading" + std::to_string(p->heading) + "\"/></w:pPr>";
        }
        if (p->bookmarkId >= 0) {
            xml += "<w:bookmarkStart w:id=\"" + std::to_string(p->bookmarkId) + "\" w:name=\"" +
                   XmlEscaped(p->bookmark) + "\"/>";
        }
        if (!p->text.empty()) {
            xml += "<w:r><w:t xml:space=\"preserve\">" + XmlEscaped(p->text) + "</w:t></w:r>";
        }
        if (p->bookmarkId >= 0) {
            xml += "<w:bookmarkEnd w:id=\"" + std::to_string(p->bookmarkId) + "\"/>";
        }
        xml += "</w:p>\n";
    }
    // A4 with Word's default margins.
    xml +=
        "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1417\" "
        "w:right=\"1417\" w:bottom=\"1134\" w:left=\"1417\" w:header=\"708\" w:footer=\"708\" "
        "w:gutter=\"0\"/></w:sectPr>\n</w:body></w:document>\n";
    return xml;
}

std::string StylesXml(const Document& document) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:styles ";
    xml += rtf::kDocxNamespaces;
    xml +=
        ">\n<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Liberation Serif\" "
        "w:hAnsi=\"Liberation Serif\" w:cs=\"Liberation Serif\"/><w:sz w:val=\"24\"/>"
        "</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after=\"120\"/></w:pPr>"
        "</w:pPrDefault></w:docDefaults>\n"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
        "w:val=\"Normal\"/><w:qFormat/></w:style>\n";
    xml += document.context.HeadingStylesXml();
    xml += "</w:styles>\n";
    return xml;
}

struct Part {
    std::string name;
    std::string bytes;
};

std::vector<Part> PackageParts(const Document& document) {
    const rtf::DocxContext& context = document.context;
    std::string types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
        "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>";
    std::string relationships =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/styles\" Target=\"styles.xml\"/>";
    std::vector<Part> parts;
    // A part the body needs only sometimes: its content type, its relationship and its bytes.
    const auto addPart = [&](const char* name, const char* id, std::string xml) {
        types += std::string("<Override PartName=\"/word/") + name +
                 ".xml\" ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.wordprocessingml." +
                 name + "+xml\"/>";
        relationships += std::string("<Relationship Id=\"") + id +
                         "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                         "relationships/" +
                         name + "\" Target=\"" + name + ".xml\"/>";
        parts.push_back({std::string("word/") + name + ".xml", std::move(xml)});
    };
    if (context.HasNumbering()) {
        addPart("numbering", "rId2", context.NumberingXml());
    }
    if (context.HasFootnotes()) {
        addPart("footnotes", "rId3", context.FootnotesXml());
    }
    for (const rtf::DocxMedia& media : context.Media()) {
        types += "<Override PartName=\"/word/" + media.partName + "\" ContentType=\"" +
                 media.contentType + "\"/>";
        parts.push_back({"word/" + media.partName, media.bytes});
    }
    types += "</Types>\n";
    relationships += context.RelationshipsXml() + "</Relationships>\n";

    std::vector<Part> all;
    all.push_back({"[Content_Types].xml", types});
    all.push_back({"_rels/.rels",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                   "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                   "relationships\"><Relationship Id=\"rId1\" "
                   "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                   "officeDocument\" Target=\"word/document.xml\"/></Relationships>\n"});
    all.push_back({"word/document.xml", DocumentXml(document)});
    all.push_back({"word/styles.xml", StylesXml(document)});
    all.push_back({"word/_rels/document.xml.rels", relationships});
    for (Part& part : parts) {
        all.push_back(std::move(part));
    }
    return all;
}

bool SaveDocx(const Document& document, const std::string& path) {
    wxMemoryOutputStream memory;
    {
        wxZipOutputStream zip(memory);
        for (const Part& part : PackageParts(document)) {
            if (!zip.PutNextEntry(wxString::FromUTF8(part.name)) ||
                !zip.WriteAll(part.bytes.data(), part.bytes.size())) {
                return false;
            }
        }
        if (!zip.Close()) {
            return false;
        }
    }
    const size_t size = memory.GetLength();
    std::string bytes(size, '\0');
    memory.CopyTo(bytes.data(), size);
    return WriteWholeFile(path, bytes);
}

class DocumentObject : public Object {
public:
    DocumentObject() : m_document(std::make_shared<Document>()) {}

    bool Invoke(const std::string& member, ivInvokeKind kind, const std::vector<ivVariant>& args,
                ivVariant& result) override {
        const bool get = kind == ivInvokeKind::PropertyGet;
        const bool method = kind == ivInvokeKind::Method;
        if (member == "UpdateStyles" && method) {
            return true;
        }
        if (member == "Content" && get) {
            return Returns(result,
                           std::make_shared<RangeObject>(m_document, RangeObject::Kind::Content));
        }
        if (member == "Paragraphs" && get) {
            return Returns(result, std::make_shared<ParagraphsObject>(m_document));
        }
        if (member == "Bookmarks" && get) {
            return Returns(result, std::make_shared<BookmarksObject>(m_document));
        }
        if (member == "SaveAs2" && method && IsString(args, 0)) {
            return SaveDocx(*m_document, args[0].text);
        }
        return false;
    }

private:
    class BookmarkObject : public Object {
    public:
        explicit BookmarkObject(DocumentPtr document) : m_document(std::move(document)) {}
        bool Invoke(const std::string& member, ivInvokeKind kind, const std::vector<ivVariant>&,
                    ivVariant& result) override {
            if (member == "Range" && kind == ivInvokeKind::PropertyGet) {
                return Returns(result, std::make_shared<RangeObject>(
                                           m_document, RangeObject::Kind::EndOfDocument));
            }
            return false;
        }

    private:
        DocumentPtr m_document;
    };

    // The predefined bookmark "\endofdoc", and Add(Name, Range) around a whole paragraph.
    class BookmarksObject : public Object {
    public:
        explicit BookmarksObject(DocumentPtr document) : m_document(std::move(document)) {}
        bool Invoke(const std::string& member, ivInvokeKind kind,
                    const std::vector<ivVariant>& args, ivVariant& result) override {
            if (member == "Item" && kind == ivInvokeKind::Method && args.size() == 1 &&
                IsString(args, 0) && args[0].text == "\\endofdoc") {
                return Returns(result, std::make_shared<BookmarkObject>(m_document));
            }
            if (member == "Add" && kind == ivInvokeKind::Method && args.size() == 2 &&
                IsString(args, 0) && !args[0].text.empty()) {
                auto* range = dynamic_cast<RangeObject*>(args[1].object.get());
                if (range == nullptr || range->GetKind() != RangeObject::Kind::Paragraph) {
                    return false;
                }
                Paragraph& paragraph = *range->GetParagraph();
                // The ids of the bodies' bookmarks come from the same count.
                m_document->context.StartBookmark(args[0].text);
                paragraph.bookmarkId = m_document->context.EndBookmark(args[0].text);
                paragraph.bookmark = args[0].text;
                return true;
            }
            return false;
        }

    private:
        DocumentPtr m_document;
    };

    DocumentPtr m_document;
};

class DocumentsObject : public Object {
public:
    bool Invoke(const std::string& member, ivInvokeKind kind, const std::vector<ivVariant>& args,
                ivVariant& result) override {
        if (member == "Add" && kind == ivInvokeKind::Method && args.empty()) {
            return Returns(result, std::make_shared<DocumentObject>());
        }
        return false;
    }
};

class ApplicationObject : public Object {
public:
    bool Invoke(const std::string& member, ivInvokeKind kind, const std::vector<ivVariant>& args,
                ivVariant& result) override {
        if (member == "Visible" && kind == ivInvokeKind::PropertyPut && args.size() == 1 &&
            args[0].type == ivVariant::Type::Bool) {
            // Documents are shown once saved, by whoever saved them.
            m_visible = args[0].boolean;
            return true;
        }
        if (member == "Visible" && kind == ivInvokeKind::PropertyGet) {
            result = ivVariant::Bool(m_visible);
            return true;
        }
        if (member == "Documents" && kind == ivInvokeKind::PropertyGet) {
            return Returns(result, std::make_shared<DocumentsObject>());
        }
        return false;
    }

private:
    bool m_visible = false;
};

}  // namespace

ivDispatchPtr CreateDocxApplication() {
    return std::make_shared<ApplicationObject>();
}

std::map<std::string, std::string> ReadDocxParts(const std::string& path) {
    std::map<std::string, std::string> parts;
    wxFFileInputStream file(wxString::FromUTF8(path));
    if (!file.IsOk()) {
        return parts;
    }
    wxZipInputStream zip(file);
    std::unique_ptr<wxZipEntry> entry;
    while (entry.reset(zip.GetNextEntry()), entry) {
        std::string bytes;
        char buffer[8192];
        while (zip.Read(buffer, sizeof buffer).LastRead() > 0) {
            bytes.append(buffer, zip.LastRead());
        }
        parts[entry->GetName(wxPATH_UNIX).utf8_string()] = std::move(bytes);
    }
    return parts;
}
