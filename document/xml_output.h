#pragma once

#include <string>

struct _xmlDoc;

// Writes a libxml2 document out as text: the XML declaration naming the encoding, then the
// tree as libxml2 serialises it, in UTF-8 or in ISO-8859-1 (characters beyond Latin-1 then
// as decimal character references, which is valid wherever no name, comment, processing
// instruction or CDATA section holds one: the caller chooses UTF-8 for those).
//
// The time is linear in the size of the output, however large a single attribute: libxml2's
// own encoding output converts a large buffer in small steps, moving the rest of it each
// time. Bytes that are no UTF-8, and control characters XML cannot hold, are written as
// U+FFFD, so that what is written can always be read back. False when libxml2 fails.
bool SerializeXml(_xmlDoc* doc, bool utf8, std::string& out);
