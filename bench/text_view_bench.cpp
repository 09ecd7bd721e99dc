// The section text view with large bodies: loading (SetRTF, which shows the first screens
// and leaves the rest to idle time), saving an edited body (GetRTF) and the hand-over between two
// sections with large bodies, shown and painted.

#include "bench/bench_support.h"
#include "rtf/reader.h"
#include "views/text_view.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include <cstdio>
#include <string>

namespace {

using bench::MedianOf;

// A body as users write them: styled paragraphs, links, lists and now and then a table, of
// about bytes bytes.
std::string LargeBody(size_t bytes, int seed) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier "
        "New;}}{\\colortbl;\\red192\\green0\\blue0;\\red0\\green0\\blue255;}\\viewkind4\\uc1\n";
    for (int n = 0; rtf.size() < bytes; ++n) {
        const std::string id = std::to_string(seed * 100000 + n);
        if (n % 40 == 39) {
            rtf += "\\pard\\trowd\\cellx2500\\cellx5000\\cellx7500";
            for (int c = 0; c < 3; ++c) {
                rtf += "\\intbl Cell " + id + "." + std::to_string(c) + "\\cell";
            }
            rtf += "\\row\\pard\n";
        } else if (n % 10 < 3) {
            rtf +=
                "\\pard{\\pntext\\f0\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent360{\\pntxtb\\'B7}"
                "}"
                "\\fi-360\\li720 Item " +
                id + " of a list with {\\b bold} words\\par\n";
        } else {
            rtf +=
                "\\pard\\sa120\\f0\\fs20 Paragraph " + id +
                " says what the section is about, {\\b bold}, {\\i italic}, "
                "{\\cf1 red} and {\\f1 code} words, Gr\\'fc\\'dfe and \\u8364? euro, then "
                "{\\field{\\*\\fldinst{HYPERLINK \"https://example.org/" +
                id +
                "\"}}{\\fldrslt{\\cf2\\ul a link}}} and more plain text to fill the line.\\par\n";
        }
    }
    return rtf + "}";
}

void Run(myTextView& view, const std::string& name, size_t bytes, double goalMs) {
    const std::string body = LargeBody(bytes, 1);
    // Its parts: reading the RTF, filling a buffer outside the window.
    const rtf::Document document = rtf::ReadRtf(body).document;
    const double read = MedianOf(5, [&] { (void)rtf::ReadRtf(body); });
    const double fill = MedianOf(5, [&] {
        wxRichTextBuffer buffer;
        ivRichTextCarry carry;
        FillRichTextBuffer(document, buffer, carry);
    });
    const double load = MedianOf(5, [&] { view.SetRTF(body); });
    std::printf("  %-8s parts: reading %7.1f ms, filling a buffer %7.1f ms\n", name.c_str(),
                read * 1e3, fill * 1e3);
    const double save = MedianOf(5, [&] {
        view.SetModified(true);
        (void)view.GetRTF();
    });
    std::printf("  %-8s body (%7zu bytes): SetRTF %7.1f ms, GetRTF %7.1f ms   (goal < %.0f)\n",
                name.c_str(), body.size(), load * 1e3, save * 1e3, goalMs);
    // What SetRTF leaves for the idle time: the rest of the body taken in and laid out.
    const double whole = MedianOf(3, [&] {
        view.SetRTF(body);
        view.FinishLoading();
    });
    std::printf("  %-8s all of it laid out (the rest while idle): %7.1f ms\n", name.c_str(),
                whole * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    {
        const bench::BenchFolder dir;
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(900, 700));
        auto* view = new myTextView(frame, wxID_ANY);
        view->EnableView(true);
        frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        frame->GetSizer()->Add(view, 1, wxEXPAND);
        frame->Show();
        wxTheApp->Yield();
        std::printf("Section text view\n");
        Run(*view, "180 KB", 180 * 1024, 100);
        Run(*view, "1 MB", 1024 * 1024, 500);
        // Leaving an edited section for another: its body is taken back, the next one shown.
        const std::string first = LargeBody(180 * 1024, 2);
        const std::string second = LargeBody(180 * 1024, 3);
        bool toFirst = false;
        view->SetRTF(first);
        const double change = MedianOf(9, [&] {
            view->SetModified(true);
            (void)view->GetRTF();
            view->SetRTF(toFirst ? first : second);
            toFirst = !toFirst;
            view->Update();
        });
        std::printf("  focus change between two 180 KB sections: %7.1f ms   (goal < 150)\n",
                    change * 1e3);
        frame->Destroy();
        wxTheApp->Yield();
    }
    wxEntryCleanup();
    return 0;
}
