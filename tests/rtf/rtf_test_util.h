#pragma once

#include "rtf/model.h"

#include <string>
#include <vector>

namespace rtf_test {

// Paths of the fixture folder and of the shared corpus beside the repository.
std::string FixturePath(const std::string& name);
std::string CorpusPath(const std::string& relative);
bool CorpusAvailable();

std::string ReadBytes(const std::string& path);
std::vector<std::string> ListFiles(const std::string& folder, const std::string& extension);

// Words of a UTF-8 text, lower-cased: runs of letters and digits (private-use characters
// are no letters), for comparing text without caring about layout.
std::vector<std::string> Words(const std::string& utf8);

// The document's text: its paragraphs joined by "\n" (lists, tables and footnotes included).
std::string PlainText(const rtf::Document& document);

// The paragraphs of a document in order, as with ForEachParagraph.
std::vector<const rtf::Paragraph*> Paragraphs(const rtf::Document& document);
std::string ParagraphText(const rtf::Paragraph& p);

}  // namespace rtf_test
