#pragma once

#include <string>

class myReportView;
class myTextView;

// Links between sections in a document window: "Insert link to section..." (the Insert menu
// and the text view's context menu) picks a section in a filtered list and links the selected
// text to it, or inserts the section's title as a link; Ctrl+click on such a link selects its
// section in the list. Other links keep opening as before.
void BindSectionLinkCommands(myReportView& list, myTextView& text);

// Makes the selection of text a link to the section id, or, without a selection, inserts name
// as that link at the caret; one step of the text's undo.
void InsertSectionLink(myTextView& text, const std::string& id, const std::string& name);
