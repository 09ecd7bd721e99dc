#pragma once

#include <string>
#include <string_view>

// Text that goes into generated markup.

// Appends text with "&", "<", ">", '"' and "'" written as references, fit for element
// content and attribute values alike.
void AppendEscapedHtml(std::string& out, std::string_view text);
std::string EscapeHtml(std::string_view text);

// Decodes the code point at text[i] and advances i past it; a byte that does not start valid
// UTF-8 gives U+FFFD and advances by one.
char32_t NextCodePoint(std::string_view text, size_t& i);

// UTF-8 text as ISO-8859-1 bytes; characters beyond it become numeric character references
// ("&#8364;"), bytes that are not UTF-8 the replacement character's reference.
std::string ToLatin1WithReferences(std::string_view utf8);

// Adds <meta charset="utf-8"> right after the start tag of the head of an HTML page that
// does not declare a character set anywhere; a page without a head is left alone.
void DeclareUtf8(std::string& html);

// Replaces every occurrence of placeholder in text by value, scanning left to right; the
// inserted values are not scanned again.
void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view value);
