#include "document/xml_output.h"

#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <cstring>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Length of the UTF-8 sequence that starts with lead, 0 for a byte that starts none.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// Whether the byte at position i (from 1) of a sequence with this lead may follow; this
// excludes overlong forms, surrogates and code points beyond U+10FFFF.
bool ValidContinuation(unsigned char lead, size_t i, unsigned char byte) {
    if ((byte & 0xC0) != 0x80) {
        return false;
    }
    if (i != 1) {
        return true;
    }
    switch (lead) {
        case 0xE0:
            return byte >= 0xA0;
        case 0xED:
            return byte <= 0x9F;
        case 0xF0:
            return byte >= 0x90;
        case 0xF4:
            return byte <= 0x8F;
        default:
            return true;
    }
}

// Takes libxml2's UTF-8 output piece by piece and appends it to the text in the encoding
// chosen; a sequence cut between two pieces is completed by the next.
class Sink {
public:
    Sink(std::string& out, bool utf8) : m_out(out), m_utf8(utf8) {}

    void Append(const unsigned char* p, size_t n) {
        const unsigned char* const end = p + n;
        while (m_pendingSize > 0 && p < end) {
            if (!ValidContinuation(m_pending[0], m_pendingSize, *p)) {
                Emit(kReplacement, nullptr, 0);
                m_pendingSize = 0;
                break;
            }
            m_pending[m_pendingSize++] = *p++;
            if (m_pendingSize == SequenceLength(m_pending[0])) {
                EmitSequence(m_pending, m_pendingSize);
                m_pendingSize = 0;
            }
        }
        while (p < end) {
            // Runs of plain ASCII text are copied as they stand.
            const unsigned char* run = p;
            while (p < end && *p >= 0x20 && *p < 0x80) {
                ++p;
            }
            m_out.append(reinterpret_cast<const char*>(run), static_cast<size_t>(p - run));
            if (p == end) {
                break;
            }
            const size_t length = SequenceLength(*p);
            size_t valid = 1;
            while (valid < length && p + valid < end && ValidContinuation(*p, valid, p[valid])) {
                ++valid;
            }
            if (length != 0 && valid == length) {
                EmitSequence(p, length);
            } else if (length != 0 && p + valid == end) {
                std::memcpy(m_pending, p, valid);  // the rest follows in the next piece
                m_pendingSize = valid;
            } else {
                Emit(kReplacement, nullptr, 0);
            }
            p += valid;
        }
    }

    // Ends the output: a sequence left incomplete becomes U+FFFD.
    void Finish() {
        if (m_pendingSize > 0) {
            Emit(kReplacement, nullptr, 0);
            m_pendingSize = 0;
        }
    }

private:
    // A complete, valid sequence of length bytes.
    void EmitSequence(const unsigned char* p, size_t length) {
        char32_t c = length == 1 ? p[0] : p[0] & (0xFF >> (length + 1));
        for (size_t i = 1; i < length; ++i) {
            c = (c << 6) | (p[i] & 0x3F);
        }
        Emit(c, p, length);
    }

    // Writes one character; bytes, when given, are its valid UTF-8 form.
    void Emit(char32_t c, const unsigned char* bytes, size_t length) {
        if (!IsXmlChar(c)) {
            c = kReplacement;
            bytes = nullptr;
        }
        if (!m_utf8) {
            if (c < 0x100) {
                m_out.push_back(static_cast<char>(c));
            } else {
                m_out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
            }
            return;
        }
        if (bytes != nullptr) {
            m_out.append(reinterpret_cast<const char*>(bytes), length);
        } else if (c < 0x80) {
            m_out.push_back(static_cast<char>(c));
        } else {
            m_out += "\xEF\xBF\xBD";  // only U+FFFD is ever made here
        }
    }

    std::string& m_out;
    bool m_utf8;
    unsigned char m_pending[4] = {};
    size_t m_pendingSize = 0;
};

int WriteToSink(void* context, const char* buffer, int length) {
    if (length > 0) {
        static_cast<Sink*>(context)->Append(reinterpret_cast<const unsigned char*>(buffer),
                                            static_cast<size_t>(length));
    }
    return length;
}

// Escapes text content as libxml2 does for a document with an encoding: "<", ">", "&" and
// carriage returns; every other byte passes, to be encoded by the sink.
int EscapeText(unsigned char* out, int* outLength, const unsigned char* in, int* inLength) {
    unsigned char* const start = out;
    unsigned char* const outEnd = out + *outLength;
    const unsigned char* const base = in;
    const unsigned char* const inEnd = in + *inLength;
    for (; in < inEnd; ++in) {
        const char* entity = nullptr;
        switch (*in) {
            case '<':
                entity = "&lt;";
                break;
            case '>':
                entity = "&gt;";
                break;
            case '&':
                entity = "&amp;";
                break;
            case '\r':
                entity = "&#13;";
                break;
            default:
                break;
        }
        const size_t size = entity != nullptr ? std::strlen(entity) : 1;
        if (static_cast<size_t>(outEnd - out) < size) {
            break;
        }
        if (entity != nullptr) {
            std::memcpy(out, entity, size);
        } else {
            *out = *in;
        }
        out += size;
    }
    *outLength = static_cast<int>(out - start);
    *inLength = static_cast<int>(in - base);
    return 0;
}

}  // namespace

bool SerializeXml(xmlDocPtr doc, bool utf8, std::string& out) {
    out.clear();
    out += "<?xml version=\"";
    out += doc->version != nullptr ? reinterpret_cast<const char*>(doc->version) : "1.0";
    out += utf8 ? "\" encoding=\"UTF-8\"" : "\" encoding=\"ISO-8859-1\"";
    if (doc->standalone == 0) {
        out += " standalone=\"no\"";
    } else if (doc->standalone == 1) {
        out += " standalone=\"yes\"";
    }
    out += "?>\n";

    // With the document saying UTF-8 and the context naming no encoding, libxml2 converts
    // nothing and writes attribute values as they are; the sink encodes.
    Sink sink(out, utf8);
    const xmlChar* declared = doc->encoding;
    doc->encoding = BAD_CAST "UTF-8";
    xmlSaveCtxtPtr ctxt = xmlSaveToIO(WriteToSink, nullptr, &sink, nullptr, XML_SAVE_NO_DECL);
    bool ok = ctxt != nullptr;
    if (ok) {
        xmlSaveSetEscape(ctxt, EscapeText);
        ok = xmlSaveDoc(ctxt, doc) >= 0;
        ok = xmlSaveClose(ctxt) >= 0 && ok;
    }
    doc->encoding = declared;
    sink.Finish();
    return ok;
}
