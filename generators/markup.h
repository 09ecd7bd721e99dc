#pragma once

#include <string>
#include <string_view>

// Text that goes into generated markup.

// Text that goes into markup is escaped with rtf::AppendHtmlEscaped (rtf/html_writer.h) and
// walked with rtf::NextUtf8 (rtf/code_page.h).

// UTF-8 text as ISO-8859-1 bytes; characters beyond it become numeric character references
// ("&#8364;"), bytes that are not UTF-8 the replacement character's reference.
std::string ToLatin1WithReferences(std::string_view utf8);

// Adds <meta charset="utf-8"> right after the start tag of the head of an HTML page that
// does not declare a character set anywhere; a page without a head is left alone.
void DeclareUtf8(std::string& html);

// A whole page of a section without body: its title as the page's title and heading. The
// help compiler also needs a word on every page.
std::string TitlePage(const std::string& title);

// Replaces every occurrence of placeholder in text by value, scanning left to right; the
// inserted values are not scanned again.
void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view value);
