#pragma once

#include "generators/automation.h"

#include <map>
#include <string>

// Our word processor for the Word generator: an automation object ("Word.Application")
// offering the members of Word's object model that the generator calls (Visible,
// Documents.Add, UpdateStyles, Content, Bookmarks.Item("\\endofdoc").Range, Paragraphs.Add,
// Range.Text, Style, InsertParagraphAfter, InsertFile, SaveAs2). A document is a list of
// paragraphs; an inserted RTF file becomes WordprocessingML body content through the RTF
// engine, and SaveAs2 writes the whole document as a .docx package.
ivDispatchPtr CreateDocxApplication();

// The parts of a .docx package, by name ("word/document.xml", ...); empty when the file is
// not a readable zip archive.
std::map<std::string, std::string> ReadDocxParts(const std::string& path);
