// Bodies through the text view and back: every word and the formatting the control holds
// survive, what it cannot hold survives untouched, and an unedited body is never rewritten.

#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "tests/rtf/rtf_test_util.h"
#include "tests/views/text_view_fixture.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/richtext/richtextbuffer.h>

#include <algorithm>
#include <cctype>

namespace {

using rtf_test::CorpusPath;
using rtf_test::FixturePath;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// What the control holds of a character's format, resolved against the document defaults.
std::string Signature(const rtf::Document& doc, const rtf::CharFormat& f) {
    // A font without a name is none the control can show: the default one.
    const auto named = [&doc](int i) {
        return i >= 0 && static_cast<size_t>(i) < doc.fonts.size() && !doc.fonts[i].name.empty();
    };
    const int font = named(f.font) ? f.font : doc.defaultFont;
    const int size = f.size > 0 ? f.size : doc.defaultSize;
    std::string s;
    s += f.bold ? 'b' : '-';
    s += f.italic ? 'i' : '-';
    s += f.underline != rtf::Underline::None ? 'u' : '-';
    s += f.strike ? 's' : '-';
    s += static_cast<char>('0' + static_cast<int>(f.valign));
    s += " c" + std::to_string(f.color) + " h" + std::to_string(f.background);
    if (font >= 0 && static_cast<size_t>(font) < doc.fonts.size()) {
        s += " f" + Lower(doc.fonts[font].name);
    }
    if (size > 0) {
        s += " z" + std::to_string((size + 1) / 2);
    }
    if (f.link >= 0 && static_cast<size_t>(f.link) < doc.links.size()) {
        s += " l" + doc.links[f.link];
    }
    return s;
}

// The text of a document's runs, each stretch with its format; hidden text and field
// results as they are (they travel in placeholders).
std::vector<std::pair<std::string, std::string>> Formatted(const rtf::Document& doc) {
    std::vector<std::pair<std::string, std::string>> out;
    rtf::ForEachParagraph(doc.blocks, [&](const rtf::Paragraph& p) {
        for (const rtf::Run& run : p.runs) {
            if (run.kind != rtf::RunKind::Text || run.text.empty()) {
                continue;
            }
            const bool carried =
                run.format.hidden || (run.format.field >= 0 && run.format.link < 0);
            const std::string sig = carried ? "carried" : Signature(doc, run.format);
            if (!out.empty() && out.back().second == sig) {
                out.back().first += run.text;
            } else {
                out.emplace_back(run.text, sig);
            }
        }
        out.emplace_back("\n", "paragraph");
    });
    return out;
}

std::string FootnoteText(const rtf::Document& doc, size_t index) {
    rtf::Document note;
    note.blocks = doc.footnotes.at(index);
    return rtf_test::PlainText(note);
}

size_t CountFootnoteRefs(const rtf::Document& doc) {
    size_t count = 0;
    rtf::ForEachParagraph(doc.blocks, [&](const rtf::Paragraph& p) {
        count += std::count_if(p.runs.begin(), p.runs.end(), [](const rtf::Run& run) {
            return run.kind == rtf::RunKind::FootnoteRef;
        });
    });
    return count;
}

std::vector<rtf::Alignment> Alignments(const rtf::Document& doc) {
    std::vector<rtf::Alignment> out;
    rtf::ForEachParagraph(doc.blocks,
                          [&](const rtf::Paragraph& p) { out.push_back(p.format.align); });
    return out;
}

class TextViewRtf : public TextViewFixture {
protected:
    // Every other file of a corpus folder, starting with the first or the second.
    void ExpectCorpusKept(const char* folder, size_t half) {
        if (!rtf_test::CorpusAvailable()) {
            GTEST_SKIP() << "no corpus beside the repository";
        }
        const auto files = rtf_test::ListFiles(CorpusPath(folder), ".rtf");
        EXPECT_GT(files.size(), 5u);
        for (size_t i = half; i < files.size(); i += 2) {
            ExpectKept(files[i], rtf_test::ReadBytes(files[i]));
        }
    }

    // The body through the control as though edited, and read back.
    rtf::Document ThroughControl(const std::string& rtf) {
        m_view->SetRTF(rtf);
        m_view->SetModified(true);
        return rtf::ReadRtf(m_view->GetRTF()).document;
    }

    void ExpectKept(const std::string& name, const std::string& rtf) {
        const rtf::Document before = rtf::ReadRtf(rtf).document;
        const rtf::Document after = ThroughControl(rtf);
        EXPECT_EQ(rtf_test::Words(rtf_test::PlainText(after)),
                  rtf_test::Words(rtf_test::PlainText(before)))
            << name;
        const auto formatted = Formatted(after);
        const auto expected = Formatted(before);
        EXPECT_EQ(formatted.size(), expected.size()) << name;
        for (size_t i = 0; i < std::min(formatted.size(), expected.size()); ++i) {
            if (formatted[i] != expected[i]) {
                ADD_FAILURE() << name << ": stretch " << i << " \"" << formatted[i].first
                              << "\" is " << formatted[i].second << ", was \"" << expected[i].first
                              << "\" " << expected[i].second;
                break;
            }
        }
        EXPECT_EQ(Alignments(after), Alignments(before)) << name;
        EXPECT_EQ(CountFootnoteRefs(after), CountFootnoteRefs(before)) << name;
        EXPECT_EQ(after.footnotes.size() >= before.footnotes.size(), true) << name;
    }
};

TEST_F(TextViewRtf, FixturesKeepTheirWordsAndFormatsThroughTheControl) {
    for (const std::string& path : rtf_test::ListFiles(FixturePath(""), ".rtf")) {
        ExpectKept(path, rtf_test::ReadBytes(path));
    }
}

// The corpus in two halves, and the damaged files, so that each test stays short.
TEST_F(TextViewRtf, CorpusFilesKeepTheirWordsAndFormatsThroughTheControlFirstHalf) {
    ExpectCorpusKept("public", 0);
}

TEST_F(TextViewRtf, CorpusFilesKeepTheirWordsAndFormatsThroughTheControlSecondHalf) {
    ExpectCorpusKept("public", 1);
}

TEST_F(TextViewRtf, DamagedCorpusFilesKeepWhatCouldBeReadThroughTheControl) {
    ExpectCorpusKept("malformed", 0);
    ExpectCorpusKept("malformed", 1);
}

TEST_F(TextViewRtf, AnUneditedBodyComesBackByteForByte) {
    const std::string body = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Caf\\'e9 {\\b bold}\\par}";
    m_view->SetRTF(body);
    EXPECT_FALSE(m_view->IsModified());
    EXPECT_EQ(m_view->GetRTF(), body);
    // Stored once edited, then clean again: the stored text is what comes back.
    m_view->SetInsertionPoint(0);
    m_view->WriteText("X");
    ASSERT_TRUE(m_view->IsModified());
    const std::string stored = m_view->GetRTF();
    EXPECT_NE(stored, body);
    m_view->SetModified(false);
    EXPECT_EQ(m_view->GetRTF(), stored);
    EXPECT_EQ(rtf_test::PlainText(rtf::ReadRtf(stored).document),
              "X" + rtf_test::PlainText(rtf::ReadRtf(body).document));
}

TEST_F(TextViewRtf, FootnoteBookmarkFieldAndHiddenTextSurviveEditsBesideThem) {
    const std::string body =
        "{\\rtf1\\ansi Before{\\*\\bkmkstart mark}here{\\*\\bkmkend mark}"
        "{\\super\\chftn{\\footnote\\pard\\plain{\\super\\chftn} The note.}} and "
        "{\\field{\\*\\fldinst{ PAGE }}{\\fldrslt{7}}} {\\v secret} end.\\par}";
    m_view->SetRTF(body);
    const wxString shown = m_view->GetValue();
    EXPECT_FALSE(shown.Contains("secret")) << "hidden text is a placeholder, not text";
    m_view->SetInsertionPoint(0);
    m_view->WriteText("New ");
    m_view->SetInsertionPoint(m_view->GetLastPosition());
    m_view->WriteText(" More.");
    const rtf::Document doc = rtf::ReadRtf(m_view->GetRTF()).document;
    ASSERT_EQ(doc.footnotes.size(), 1u);
    EXPECT_EQ(rtf_test::Words(FootnoteText(doc, 0)), (std::vector<std::string>{"the", "note"}));
    EXPECT_EQ(CountFootnoteRefs(doc), 1u);
    ASSERT_FALSE(doc.fields.empty());
    EXPECT_NE(doc.fields[0].instruction.find("PAGE"), std::string::npos);
    std::vector<std::string> bookmarks;
    bool hidden = false;
    rtf::ForEachParagraph(doc.blocks, [&](const rtf::Paragraph& p) {
        for (const rtf::Run& run : p.runs) {
            if (run.kind == rtf::RunKind::BookmarkStart || run.kind == rtf::RunKind::BookmarkEnd) {
                bookmarks.push_back(run.text);
            }
            hidden = hidden || (run.format.hidden && run.text == "secret");
        }
    });
    EXPECT_EQ(bookmarks, (std::vector<std::string>{"mark", "mark"}));
    EXPECT_TRUE(hidden);
    const std::string text = rtf_test::PlainText(doc);
    EXPECT_EQ(text.rfind("New Beforehere", 0), 0u) << text;
    EXPECT_NE(text.find("end. More."), std::string::npos) << text;
}

TEST_F(TextViewRtf, BinaryPicturesComeBackAsHexText) {
    wxImage pixels(3, 2);
    pixels.SetRGB(1, 1, 0x7B, 0x5C, 0x7D);  // the bytes of "{\\}" in the pixel data
    wxMemoryOutputStream stream;
    ASSERT_TRUE(pixels.SaveFile(stream, wxBITMAP_TYPE_PNG));
    std::string png(stream.GetSize(), '\0');
    stream.CopyTo(png.data(), png.size());
    const std::string& data = png;
    const std::string body = "{\\rtf1 A{\\pict\\pngblip\\picwgoal300\\pichgoal300\\bin" +
                             std::to_string(data.size()) + " " + data + "}B\\par}";
    const rtf::Document before = rtf::ReadRtf(body).document;
    ASSERT_EQ(before.pictures.size(), 1u);
    m_view->SetRTF(body);
    m_view->SetInsertionPoint(m_view->GetLastPosition());
    m_view->WriteText("C");
    const std::string out = m_view->GetRTF();
    EXPECT_EQ(out.find("\\bin"), std::string::npos);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](char c) {
        return c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F);
    })) << "the body stays text";
    const rtf::Document after = rtf::ReadRtf(out).document;
    ASSERT_EQ(after.pictures.size(), 1u);
    EXPECT_EQ(after.pictures[0].data, before.pictures[0].data);
}

TEST_F(TextViewRtf, ListsTablesLinksAndIndentsAreTheControlsOwnAndComeBack) {
    const std::string body =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
        "{\\colortbl;\\red0\\green128\\blue0;}"
        "\\pard\\li720\\fi-360\\sb120\\sa60\\qc Centred {\\cf1 green} {\\f1\\fs30 mono}\\par"
        "{\\field{\\*\\fldinst{HYPERLINK \"https://example.org/\"}}{\\fldrslt{link}}}\\par"
        "\\pard\\trowd\\cellx2000\\cellx4000\\intbl one\\cell two\\cell\\row"
        "\\trowd\\cellx2000\\cellx4000\\intbl three\\cell four\\cell\\row\\pard after\\par}";
    const rtf::Document doc = ThroughControl(body);
    const auto paragraphs = rtf_test::Paragraphs(doc);
    ASSERT_GE(paragraphs.size(), 2u);
    EXPECT_EQ(paragraphs[0]->format.leftIndent, 720);
    EXPECT_EQ(paragraphs[0]->format.firstIndent, -360);
    EXPECT_EQ(paragraphs[0]->format.spaceBefore, 120);
    EXPECT_EQ(paragraphs[0]->format.spaceAfter, 60);
    ASSERT_FALSE(doc.links.empty());
    EXPECT_EQ(doc.links[0], "https://example.org/");
    size_t tables = 0;
    rtf::ForEachTable(doc.blocks, [&](const rtf::Table& table) {
        ++tables;
        ASSERT_EQ(table.rows.size(), 2u);
        ASSERT_EQ(table.rows[1].cells.size(), 2u);
        EXPECT_EQ(rtf_test::ParagraphText(*table.rows[1].cells[1].blocks[0].AsParagraph()), "four");
    });
    EXPECT_EQ(tables, 1u);

    // A bulleted paragraph made in the control is a list on the way out.
    m_view->SetRTF("{\\rtf1 first\\par second\\par}");
    m_view->SetInsertionPoint(0);
    Command(command_id::kFormatParagraphBullets);
    EXPECT_TRUE(Update(command_id::kFormatParagraphBullets).GetChecked());
    const rtf::Document listed = rtf::ReadRtf(m_view->GetRTF()).document;
    ASSERT_FALSE(listed.blocks.empty());
    const rtf::List* list = listed.blocks[0].AsList();
    ASSERT_NE(list, nullptr) << m_view->GetRTF();
    EXPECT_EQ(list->items.size(), 1u);
    EXPECT_EQ(list->style, rtf::ListStyle::Bullet);
}

// A body far longer than the window: plain paragraphs, then a numbered list long enough to
// lie across any part the view takes in at once, then a closing paragraph.
std::string LongBody() {
    rtf::Document doc;
    const auto paragraph = [](const std::string& text) {
        rtf::Paragraph p;
        p.runs.push_back(rtf::Run{rtf::RunKind::Text, {}, text, -1});
        return p;
    };
    for (int i = 0; i < 300; ++i) {
        doc.blocks.emplace_back(paragraph("Paragraph " + std::to_string(i) +
                                          " tells what this part of the section is about."));
    }
    rtf::List list;
    list.style = rtf::ListStyle::Decimal;
    for (int i = 0; i < 400; ++i) {
        list.items.emplace_back();
        list.items.back().blocks.emplace_back(paragraph("Step " + std::to_string(i)));
    }
    doc.blocks.emplace_back(std::move(list));
    doc.blocks.emplace_back(paragraph("Closing words"));
    return rtf::WriteRtf(doc);
}

void PumpUntilLoaded(const myTextView& view) {
    for (int i = 0; i < 400 && view.IsLoading(); ++i) {
        PumpEvents(5);
    }
}

TEST_F(TextViewRtf, ALongBodyShowsItsStartFirstAndIsWholeAtEveryMoment) {
    const std::string body = LongBody();
    const rtf::Document before = rtf::ReadRtf(body).document;
    m_view->SetRTF(body);
    ASSERT_TRUE(m_view->IsLoading()) << "the body is too short to be loaded in parts";
    m_view->Update();
    SaveScreenshot("text_view_long_body");
    EXPECT_FALSE(m_view->IsModified());
    EXPECT_EQ(m_view->GetRTF(), body);

    // Edited while the rest still waits: the whole body comes back, the list still one list.
    m_view->SetInsertionPoint(0);
    m_view->WriteText("Typed ");
    ASSERT_TRUE(m_view->IsLoading());
    const rtf::Document early = rtf::ReadRtf(m_view->GetRTF()).document;
    std::vector<std::string> words = rtf_test::Words(rtf_test::PlainText(before));
    words.insert(words.begin(), "typed");
    EXPECT_EQ(rtf_test::Words(rtf_test::PlainText(early)), words);
    ASSERT_EQ(early.blocks.size(), before.blocks.size());
    ASSERT_NE(early.blocks[300].AsList(), nullptr);
    EXPECT_EQ(early.blocks[300].AsList()->items.size(), 400u);

    // Taken in while idle, after the edit; the edit is still one undoable step.
    PumpUntilLoaded(*m_view);
    ASSERT_FALSE(m_view->IsLoading());
    EXPECT_EQ(rtf::ReadRtf(m_view->GetRTF()).document.blocks, early.blocks);
    EXPECT_TRUE(m_view->GetValue().EndsWith("Closing words"));
    m_view->Undo();
    EXPECT_EQ(rtf_test::Words(rtf_test::PlainText(rtf::ReadRtf(m_view->GetRTF()).document)),
              rtf_test::Words(rtf_test::PlainText(before)));
}

TEST_F(TextViewRtf, WhatNeedsTheWholeLongBodyTakesTheRestInFirst) {
    const std::string body = LongBody();
    m_view->SetRTF(body);
    ASSERT_TRUE(m_view->IsLoading());
    m_view->SelectAll();
    EXPECT_FALSE(m_view->IsLoading());
    EXPECT_TRUE(m_view->GetStringSelection().EndsWith("Closing words"));
    EXPECT_FALSE(m_view->IsModified());

    // Deleting at the end of what is loaded reaches into the rest, as at any other place.
    m_view->SetRTF(body);
    ASSERT_TRUE(m_view->IsLoading());
    m_view->SetInsertionPoint(m_view->GetLastPosition());
    Command(command_id::kEditDelete);
    EXPECT_FALSE(m_view->IsLoading());
    EXPECT_TRUE(m_view->GetValue().EndsWith("Closing words"));

    // Another body replaces one still loading.
    m_view->SetRTF(body);
    m_view->SetRTF("{\\rtf1 short\\par}");
    EXPECT_FALSE(m_view->IsLoading());
    EXPECT_EQ(m_view->GetValue(), "short");
}

TEST_F(TextViewRtf, MergedCellsSpanTheirColumnsAndRowsAndComeBackAsTheyWere) {
    // A heading across two columns, a cell down two rows, a row that starts a column in.
    const std::string body =
        "{\\rtf1\\ansi\\trowd\\cellx4000\\cellx6000\\intbl Both\\cell Side\\cell\\row"
        "\\trowd\\clvmgf\\cellx2000\\cellx4000\\cellx6000\\intbl Down\\cell b\\cell c\\cell\\row"
        "\\trowd\\clvmrg\\cellx2000\\cellx4000\\cellx6000\\intbl\\cell e\\cell f\\cell\\row"
        "\\pard after\\par}";
    const rtf::Document before = rtf::ReadRtf(body).document;
    ASSERT_EQ(before.blocks[0].AsTable()->rows[0].cells[0].colSpan, 2) << "the reader's spans";
    m_view->SetRTF(body);
    m_view->Update();
    SaveScreenshot("text_view_merged_cells");
    const wxRichTextTable* grid = nullptr;
    for (const wxRichTextObject* object :
         static_cast<wxRichTextParagraph*>(m_view->GetBuffer().GetChild(0))->GetChildren()) {
        grid = grid != nullptr ? grid : dynamic_cast<const wxRichTextTable*>(object);
    }
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetColumnCount(), 3);
    EXPECT_EQ(grid->GetCell(0, 0)->GetColSpan(), 2);
    EXPECT_EQ(grid->GetCell(1, 0)->GetRowSpan(), 2);
    EXPECT_EQ(grid->GetCell(0, 2)->GetText(), "Side") << "after the spanning cell";

    m_view->SetModified(true);
    const rtf::Document after = rtf::ReadRtf(m_view->GetRTF()).document;
    ASSERT_FALSE(after.blocks.empty());
    const rtf::Table* table = after.blocks[0].AsTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(*table, *before.blocks[0].AsTable());
}

// The images of the top level of the view's buffer.
std::vector<wxRichTextImage*> Images(myTextView& view) {
    std::vector<wxRichTextImage*> images;
    for (wxRichTextObject* paragraph : view.GetBuffer().GetChildren()) {
        for (wxRichTextObject* child :
             dynamic_cast<wxRichTextParagraph&>(*paragraph).GetChildren()) {
            if (auto* image = dynamic_cast<wxRichTextImage*>(child)) {
                images.push_back(image);
            }
        }
    }
    return images;
}

// Whether a picture has colour in it: the frames standing in for drawings are grey.
bool HasColour(wxRichTextImage& image) {
    wxImage pixels;
    if (!image.GetImageBlock().Load(pixels)) {
        return false;
    }
    for (int y = 0; y < pixels.GetHeight(); ++y) {
        for (int x = 0; x < pixels.GetWidth(); ++x) {
            const int r = pixels.GetRed(x, y), g = pixels.GetGreen(x, y), b = pixels.GetBlue(x, y);
            if (std::max({r, g, b}) - std::min({r, g, b}) > 64) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(TextViewRtf, MetafilesShowAFrameThenTheirDrawingAndGoBackAsTheyCame) {
    const std::string body = rtf_test::ReadBytes(FixturePath("metafiles.rtf"));
    const rtf::Document before = rtf::ReadRtf(body).document;
    const auto waiting = [this] {
        std::vector<wxRichTextImage*> images = Images(*m_view);
        std::erase_if(images, [](wxRichTextImage* image) {
            return !image->GetProperties().HasProperty("qv-drawing");
        });
        return images;
    };
    m_view->SetRTF(body);
    // The WMF, the EMF and the EMF with a WMF beside it; the PNG and the bitmap show as they
    // are, and the Macintosh picture, which nothing here draws, stays a placeholder.
    ASSERT_EQ(Images(*m_view).size(), 5u);
    const std::vector<wxRichTextImage*> metafiles = waiting();
    ASSERT_EQ(metafiles.size(), 3u);
    for (wxRichTextImage* image : metafiles) {
        // At the picture's size from the start, so that nothing moves when the drawing comes.
        EXPECT_TRUE(image->GetAttributes().GetTextBoxAttr().GetWidth().IsValid());
        EXPECT_FALSE(HasColour(*image)) << "a grey frame until the drawing comes";
    }
    for (int waited = 0; waited < 400 && !waiting().empty(); ++waited) {
        PumpEvents(50);
    }
    ASSERT_TRUE(waiting().empty());
    for (wxRichTextImage* image : metafiles) {
        EXPECT_TRUE(HasColour(*image)) << "the drawing replaced the frame";
    }
    EXPECT_FALSE(m_view->IsModified()) << "a drawing coming in is no edit";
    EXPECT_EQ(m_view->GetRTF(), body);

    // Written beside: the metafiles go back as they came, not as the drawings.
    m_view->SetInsertionPoint(0);
    m_view->WriteText("Before ");
    const rtf::Document after = rtf::ReadRtf(m_view->GetRTF()).document;
    EXPECT_EQ(after.pictures, before.pictures);

    // Back to the body later: the drawings are there at once.
    m_view->SetRTF("{\\rtf1 Another body.\\par}");
    m_view->SetRTF(body);
    EXPECT_TRUE(waiting().empty());
    EXPECT_TRUE(HasColour(*Images(*m_view)[0]));
}

TEST_F(TextViewRtf, TheOlderControlStillRoundTrips) {
    RecreateView("1");
    EXPECT_TRUE(m_view->IsOldControl());
    ExpectKept("word_lists", rtf_test::ReadBytes(FixturePath("word_lists.rtf")));
    RecreateView("0");
    EXPECT_FALSE(m_view->IsOldControl());
}

}  // namespace
