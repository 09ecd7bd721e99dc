// The RTF writer's output read by LibreOffice, when it is installed: every fixture and
// corpus file is read, written again by our writer, and converted to text by LibreOffice;
// its words must be ours. (LibreOffice's text export leaves out footnotes and shows hidden
// text, so documents are compared that way.)

#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "rtf/text_writer.h"
#include "tests/rtf/rtf_test_util.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

// Calls visit(paragraph) for every paragraph of blocks, in lists and tables too.
template <typename Visit>
void ForEachParagraph(std::vector<rtf::Block>& blocks, Visit visit) {
    for (rtf::Block& block : blocks) {
        if (auto* p = std::get_if<rtf::Paragraph>(&block.content)) {
            visit(*p);
        } else if (auto* list = std::get_if<rtf::List>(&block.content)) {
            for (rtf::ListItem& item : list->items) {
                ForEachParagraph(item.blocks, visit);
            }
        } else if (auto* table = std::get_if<rtf::Table>(&block.content)) {
            for (rtf::TableRow& row : table->rows) {
                for (rtf::TableCell& cell : row.cells) {
                    ForEachParagraph(cell.blocks, visit);
                }
            }
        }
    }
}

// LibreOffice's text export numbers footnote references and shows hidden text.
void AsLibreOfficeExports(std::vector<rtf::Block>& blocks) {
    ForEachParagraph(blocks, [](rtf::Paragraph& p) {
        p.format.hiddenMark = false;
        for (rtf::Run& run : p.runs) {
            run.format.hidden = false;
            if (run.kind == rtf::RunKind::FootnoteRef) {
                run.kind = rtf::RunKind::Text;
                run.text = std::to_string(run.index + 1);
            }
        }
    });
}

// LibreOffice computes fields such as PAGE anew; the document is written with its links
// only, so that the results stay the document's.
rtf::Document WithoutFields(rtf::Document document) {
    document.fields.clear();
    const auto clear = [](rtf::Paragraph& p) {
        for (rtf::Run& run : p.runs) {
            run.format.field = -1;
        }
    };
    ForEachParagraph(document.blocks, clear);
    for (auto& footnote : document.footnotes) {
        ForEachParagraph(footnote, clear);
    }
    return document;
}

// Our text as LibreOffice exports it: without footnotes, their references as bare numbers,
// hidden text shown.
std::string TextWithoutFootnotes(rtf::Document document) {
    document.footnotes.clear();
    AsLibreOfficeExports(document.blocks);
    return rtf::WriteText(document);
}

TEST(LibreOffice, ReadsWhatTheRtfWriterWrites) {
    if (!testing_support::HaveLibreOffice()) {
        GTEST_SKIP() << "LibreOffice is not installed";
    }
    std::vector<std::string> inputs = rtf_test::ListFiles(QV_RTF_FIXTURES, ".rtf");
    if (rtf_test::CorpusAvailable()) {
        for (const std::string& path :
             rtf_test::ListFiles(rtf_test::CorpusPath("public"), ".rtf")) {
            inputs.push_back(path);
        }
    }
    testing_support::TempDir dir;
    std::filesystem::create_directories(dir.File("in"));
    std::map<std::string, std::string> expected;
    for (const std::string& path : inputs) {
        const std::string name = std::filesystem::path(path).stem().string();
        // LibreOffice 7.4 refuses to open any RTF that holds a Macintosh (\macpict) picture.
        if (name == "metafiles") {
            continue;
        }
        const rtf::Document document = rtf::ReadRtf(rtf_test::ReadBytes(path)).document;
        const std::string stem = std::filesystem::path(path).stem().string();
        std::ofstream(dir.File("in/" + stem + ".rtf"), std::ios::binary)
            << rtf::WriteRtf(WithoutFields(document));
        expected[stem] = TextWithoutFootnotes(document);
    }
    std::string log;
    ASSERT_EQ(testing_support::RunLibreOffice(
                  dir.path(), "--convert-to 'txt:Text (encoded):UTF8' --outdir out in/*.rtf", &log),
              0)
        << log;
    for (const auto& [stem, text] : expected) {
        const std::string converted = rtf_test::ReadBytes(dir.File("out/" + stem + ".txt"));
        ASSERT_FALSE(converted.empty()) << stem;
        EXPECT_EQ(rtf_test::Words(text), rtf_test::Words(converted)) << stem;
    }
}

}  // namespace
