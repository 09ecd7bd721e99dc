// Measures the RTF engine: reader + HTML writer throughput in process on generated 5 MB and
// 50 MB word-processor documents, the peak memory of a process converting them, and a 24 KB
// section body through ivConverter_RTF_HTML::Convert (library load and temporary files
// included). When unrtf or pandoc are installed, they are timed on the same files.
//
// Run from a release build: build-release/bin/rtf_bench

#include "generators/iv_converter_rtf_html.h"
#include "rtf/html_writer.h"
#include "rtf/reader.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// What a word processor writes before the body: font, colour and list tables, style sheet,
// document properties.
const char* const kHeader =
    R"({\rtf1\adeflang1025\ansi\ansicpg1252\uc1\adeff31507\deff0\stshfdbch31505\stshfloch31506\stshfhich31506\stshfbi31507\deflang1033\deflangfe1033\themelang1033\themelangfe0\themelangcs0{\fonttbl{\f0\fbidi \froman\fcharset0\fprq2{\*\panose 02020603050405020304}Times New Roman;}{\f3\fbidi \froman\fcharset2\fprq2{\*\panose 05050102010706020507}Symbol;}
{\f34\fbidi \froman\fcharset0\fprq2{\*\panose 02040503050406030204}Cambria Math;}{\f37\fbidi \fswiss\fcharset0\fprq2{\*\panose 020f0502020204030204}Calibri;}{\f38\fbidi \fswiss\fcharset0\fprq2{\*\panose 020f0302020204030204}Calibri Light;}
{\flomajor\f31500\fbidi \froman\fcharset0\fprq2{\*\panose 02020603050405020304}Times New Roman;}{\fhimajor\f31502\fbidi \fswiss\fcharset0\fprq2{\*\panose 020f0302020204030204}Calibri Light;}{\flominor\f31504\fbidi \froman\fcharset0\fprq2{\*\panose 02020603050405020304}Times New Roman;}
{\fhiminor\f31506\fbidi \fswiss\fcharset0\fprq2{\*\panose 020f0502020204030204}Calibri;}{\f40\fbidi \froman\fcharset238\fprq2 Times New Roman CE;}{\f41\fbidi \froman\fcharset204\fprq2 Times New Roman Cyr;}}
{\colortbl;\red0\green0\blue0;\red0\green0\blue255;\red0\green255\blue255;\red0\green255\blue0;\red255\green0\blue255;\red255\green0\blue0;\red255\green255\blue0;\red255\green255\blue255;\red0\green0\blue128;\red5\green99\blue193;\red47\green84\blue150;}
{\*\defchp \fs22\loch\af31506\hich\af31506\dbch\af31505 }{\*\defpap \ql \li0\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 }
{\stylesheet{\ql \li0\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af0\afs22\alang1025 \ltrch\fcs0 \f31506\fs22\lang1033\langfe1033\cgrid\langnp1033\langfenp1033 \snext0 \sqformat \spriority0 Normal;}
{\s1\ql \li0\ri0\sb240\sl259\slmult1\keepn\widctlpar\wrapdefault\aspalpha\aspnum\faauto\outlinelevel0\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af0\afs32\alang1025 \ltrch\fcs0 \fs32\cf11\lang1033\langfe1033\loch\f31502\hich\af31502\dbch\af31501\cgrid\langnp1033\langfenp1033 \sbasedon0 \snext0 \slink15 \sqformat \spriority9 \styrsid1 heading 1;}
{\*\cs10 \additive \ssemihidden \sunhideused \spriority1 Default Paragraph Font;}{\*\cs15 \additive \rtlch\fcs1 \af0\afs32 \ltrch\fcs0 \fs32\cf11\loch\f31502\hich\af31502\dbch\af31501 \sbasedon10 \slink1 \slocked \spriority9 Heading 1 Char;}
{\*\cs16 \additive \rtlch\fcs1 \af0 \ltrch\fcs0 \ul\cf10 \sbasedon10 \sunhideused \styrsid2 Hyperlink;}}
{\*\listtable{\list\listtemplateid-1\listhybrid{\listlevel\levelnfc0\levelnfcn0\leveljc0\leveljcn0\levelfollow0\levelstartat1\levelspace0\levelindent0{\leveltext\leveltemplateid67698703\'02\'00.;}{\levelnumbers\'01;}\rtlch\fcs1 \af0 \ltrch\fcs0 \fi-360\li720\lin720 }
{\listlevel\levelnfc4\levelnfcn4\leveljc0\leveljcn0\levelfollow0\levelstartat1\lvltentative\levelspace0\levelindent0{\leveltext\leveltemplateid67698713\'02\'01.;}{\levelnumbers\'01;}\rtlch\fcs1 \af0 \ltrch\fcs0 \fi-360\li1440\lin1440 }{\listname ;}\listid1044326419}}
{\*\listoverridetable{\listoverride\listid1044326419\listoverridecount0\ls1}}{\*\rsidtbl \rsid1\rsid2\rsid3}{\mmathPr\mmathFont34\mbrkBin0\mbrkBinSub0\msmallFrac0\mdispDef1\mlMargin0\mrMargin0\mdefJc1\mwrapIndent1440\mintLim0\mnaryLim1}
{\info{\title Report}{\author Author}{\operator Author}{\creatim\yr2024\mo5\dy2\hr9\min41}{\revtim\yr2024\mo5\dy2\hr10\min3}{\version2}{\edmins20}{\nofpages2}{\nofwords420}{\nofchars2400}{\nofcharsws2800}{\vern81}}
\paperw12240\paperh15840\margl1440\margr1440\margt1440\margb1440\gutter0\ltrsect \widowctrl\ftnbj\aenddoc\trackmoves0\trackformatting1\donotembedsysfont1\relyonvml0\donotembedlingdata0\grfdocevents0\validatexml1\showplaceholdtext0\ignoremixedcontent0\saveinvalidxml0\showxmlerrors1
\viewkind1\viewscale100\rsidroot1 \fet0{\*\wgrffmtfilter 2450}\ilfomacatclnup0\ltrpar \sectd \ltrsect\linex0\endnhere\sectlinegrid360\sectdefaultcl\sftnbj
)";

// One page of body as a word processor writes it: a heading, paragraphs of formatted runs
// with revision marks, a hyperlink with its data field, a numbered list, a table.
const char* const kBody =
    R"(\pard\plain \ltrpar\s1\ql \li0\ri0\sb240\sl259\slmult1\keepn\widctlpar\wrapdefault\aspalpha\aspnum\faauto\outlinelevel0\adjustright\rin0\lin0\itap0\pararsid1 \rtlch\fcs1 \af0\afs32\alang1025 \ltrch\fcs0 \fs32\cf11\lang1033\langfe1033\loch\af31502\hich\af31502\dbch\af31501\cgrid\langnp1033\langfenp1033 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31502\dbch\af31501\loch\f31502 Quarterly results and outlook}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 
\par }\pard\plain \ltrpar\ql \li0\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0\pararsid1 \rtlch\fcs1 \af0\afs22\alang1025 \ltrch\fcs0 \f31506\fs22\lang1033\langfe1033\cgrid\langnp1033\langfenp1033 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506 The figures below summarise the }{\rtlch\fcs1 \ab\af0 \ltrch\fcs0 \b\insrsid1 \hich\af31506\dbch\af31505\loch\f31506 second quarter}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506 . Revenue grew in every region, while costs stayed }{\rtlch\fcs1 \ai\af0 \ltrch\fcs0 \i\insrsid2 \hich\af31506\dbch\af31505\loch\f31506 well within}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506  the plan agreed in January. A few highlights are listed here; the full report, with methods and caveats, is on the intranet at }{\field\fldedit{\*\fldinst {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid2 \hich\af31506\dbch\af31505\loch\f31506  HYPERLINK "https://intranet.example.com/reports/2024/q2?view=full" }{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid2 {\*\datafield 
00d0c9ea79f9bace118c8200aa004ba90b0200000003000000e0c9ea79f9bace118c8200aa004ba90b8a00000068007400740070007300}}}{\fldrslt {\rtlch\fcs1 \af0 \ltrch\fcs0 \cs16\ul\cf10\insrsid2 \hich\af31506\dbch\af31505\loch\f31506 the reports page}}}\sectd \ltrsect\linex0\endnhere\sectlinegrid360\sectdefaultcl\sftnbj {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506 . Prices are in euros (\'80) and \u8364\'80 amounts include the caf\'e9 franchise; \u8220\'93quoted\u8221\'94 figures are estimates \u8212\'97 see the notes.
\par }\pard \ltrpar\ql \fi-360\li720\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault\aspalpha\aspnum\faauto\ls1\adjustright\rin0\lin720\itap0\pararsid1\contextualspace {\listtext\pard\plain\ltrpar \rtlch\fcs1 \af0\afs22 \ltrch\fcs0 \f31506\fs22\insrsid1 \hich\af31506\dbch\af31505\loch\f31506 1.\tab}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506 Sales up }{\rtlch\fcs1 \ab\af0 \ltrch\fcs0 \b\cf6\insrsid1 \hich\af31506\dbch\af31505\loch\f31506 12 %}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506  against last year
\par {\listtext\pard\plain\ltrpar \rtlch\fcs1 \af0\afs22 \ltrch\fcs0 \f31506\fs22\insrsid1 \hich\af31506\dbch\af31505\loch\f31506 2.\tab}\hich\af31506\dbch\af31505\loch\f31506 Two new offices opened, in Lyon and in Gda\u324\'6esk
\par }\pard \ltrpar\ql \fi-360\li1440\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault\aspalpha\aspnum\faauto\ls1\ilvl1\adjustright\rin0\lin1440\itap0\pararsid1\contextualspace {\listtext\pard\plain\ltrpar \rtlch\fcs1 \af0\afs22 \ltrch\fcs0 \f31506\fs22\insrsid1 \hich\af31506\dbch\af31505\loch\f31506 a.\tab}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506 staffed from the existing teams
\par }\pard \ltrpar\ql \li0\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0\pararsid1 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506 Results by region:
\par }\trowd \irow0\irowband0\ltrrow\ts11\trgaph108\trleft-108\trbrdrt\brdrs\brdrw10 \trbrdrl\brdrs\brdrw10 \trbrdrb\brdrs\brdrw10 \trbrdrr\brdrs\brdrw10 \trbrdrh\brdrs\brdrw10 \trbrdrv\brdrs\brdrw10 \trftsWidth1\trftsWidthB3\trftsWidthA3\trautofit1\tblind0\tblindtype3 \clvertalt\clbrdrt\brdrs\brdrw10 \clbrdrl\brdrs\brdrw10 \clbrdrb\brdrs\brdrw10 \clbrdrr\brdrs\brdrw10 \cltxlrtb\clftsWidth3\clwWidth3116\clshdrawnil \cellx3008\clvertalt\clbrdrt\brdrs\brdrw10 \clbrdrl\brdrs\brdrw10 \clbrdrb\brdrs\brdrw10 \clbrdrr\brdrs\brdrw10 \cltxlrtb\clftsWidth3\clwWidth3117\clshdrawnil \cellx6125\clvertalt\clbrdrt\brdrs\brdrw10 \clbrdrl\brdrs\brdrw10 \clbrdrb\brdrs\brdrw10 \clbrdrr\brdrs\brdrw10 \cltxlrtb\clftsWidth3\clwWidth3117\clshdrawnil \cellx9242\pard \ltrpar\ql \li0\ri0\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\yts11 {\rtlch\fcs1 \ab\af0 \ltrch\fcs0 \b\insrsid1 \hich\af31506\dbch\af31505\loch\f31506 Region\cell Revenue\cell Change\cell }\pard \ltrpar\ql \li0\ri0\sa160\sl259\slmult1\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \trowd \irow0\irowband0\ltrrow\ts11\trgaph108\trleft-108\cellx3008\cellx6125\cellx9242\row }\pard \ltrpar\ql \li0\ri0\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\yts11 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506 North\cell 4,210\cell {\cf4 +8 %}\cell }\pard \ltrpar\ql \li0\ri0\sa160\sl259\slmult1\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \trowd \irow1\irowband1\ltrrow\ts11\trgaph108\trleft-108\cellx3008\cellx6125\cellx9242\row }\pard \ltrpar\ql \li0\ri0\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\yts11 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \hich\af31506\dbch\af31505\loch\f31506 South\cell 3,975\cell {\cf6 \u8722\'2d2 %}\cell }\pard \ltrpar\ql \li0\ri0\sa160\sl259\slmult1\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \trowd \irow2\irowband2\lastrow \ltrrow\ts11\trgaph108\trleft-108\cellx3008\cellx6125\cellx9242\row }\pard \ltrpar\ql \li0\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0\pararsid1 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid3 \hich\af31506\dbch\af31505\loch\f31506 The outlook for the second half stays cautious: order books are full, but delivery times for components have grown again, and two suppliers announced price rises from September. We will report on the effect in the next issue.
\par }
)";

std::string MakeDocument(size_t bytes) {
    std::string rtf = kHeader;
    rtf.reserve(bytes + 4096);
    while (rtf.size() < bytes) {
        rtf += kBody;
    }
    rtf += "}";
    return rtf;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Kilobytes of a /proc/self/status field.
long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::atol(line.c_str() + std::strlen(field) + 1);
        }
    }
    return -1;
}

void Throughput(const std::string& rtf, int runs, const char* label) {
    std::vector<double> times;
    size_t htmlBytes = 0;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        const rtf::ReadResult read = rtf::ReadRtf(rtf);
        const std::string html = rtf::WriteHtml(read.document, rtf::HtmlOptions{});
        times.push_back(Seconds(start));
        htmlBytes = html.size();
    }
    const double seconds = Median(times);
    std::printf("  %-28s %8.1f ms  %7.1f MB/s  (%zu bytes of HTML)\n", label, seconds * 1000,
                static_cast<double>(rtf.size()) / 1e6 / seconds, htmlBytes);
}

// In a process of its own: the input is made, converted once, and the peak resident size
// compared with the input's size.
int MemoryChild(size_t bytes) {
    const std::string rtf = MakeDocument(bytes);
    const long before = StatusKb("VmRSS:");
    const rtf::ReadResult read = rtf::ReadRtf(rtf);
    const std::string html = rtf::WriteHtml(read.document, rtf::HtmlOptions{});
    const long peak = StatusKb("VmHWM:");
    const double input = static_cast<double>(rtf.size()) / 1024.0;
    std::printf(
        "  %2zu MB input: peak %6.1f MB resident = %.2f x input; %.2f x input above the "
        "process holding the input (%zu bytes of HTML)\n",
        bytes >> 20, static_cast<double>(peak) / 1024.0, static_cast<double>(peak) / input,
        static_cast<double>(peak - before) / input, html.size());
    return 0;
}

void Memory(const char* self, size_t bytes) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        execl(self, self, "--memory", std::to_string(bytes).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

void ConvertBody(const std::string& folder) {
    const std::string body = MakeDocument(24 * 1024);
    ivConverter_RTF_HTML converter;
    std::vector<double> times;
    size_t htmlBytes = 0;
    for (int i = 0; i < 200; ++i) {
        const Clock::time_point start = Clock::now();
        const std::string html = converter.Convert(body, folder, "section", "Section", 16);
        times.push_back(Seconds(start));
        htmlBytes = html.size();
    }
    if (htmlBytes == 0) {
        std::printf("  the conversion failed: is librtftohtml.so next to this program?\n");
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "  %zu bytes of RTF: median %.2f ms, 90th percentile %.2f ms, slowest %.2f ms "
        "(%zu bytes of HTML)\n",
        body.size(), times[times.size() / 2] * 1000, times[times.size() * 9 / 10] * 1000,
        times.back() * 1000, htmlBytes);
}

bool Installed(const char* program) {
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Whole-process time of an outside converter, median of a few runs.
void Outside(const char* program, const std::string& command,
             const std::vector<std::string>& files) {
    if (!Installed(program)) {
        std::printf("  %-8s not installed\n", program);
        return;
    }
    for (const std::string& file : files) {
        std::vector<double> times;
        const std::uintmax_t size = std::filesystem::file_size(file);
        const int runs = size > (10u << 20) ? 1 : 3;
        for (int i = 0; i < runs; ++i) {
            const Clock::time_point start = Clock::now();
            const std::string line = command + " '" + file + "' >/dev/null 2>&1";
            if (std::system(line.c_str()) != 0) {
                std::printf("  %-8s failed on %s\n", program, file.c_str());
                return;
            }
            times.push_back(Seconds(start));
        }
        const double seconds = Median(times);
        std::printf("  %-8s %9ju bytes: %8.1f ms  %7.2f MB/s\n", program, size, seconds * 1000,
                    static_cast<double>(size) / 1e6 / seconds);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--memory") {
        return MemoryChild(std::strtoull(argv[2], nullptr, 10));
    }
    const std::string five = MakeDocument(5u << 20);
    const std::string fifty = MakeDocument(50u << 20);

    std::printf("Reader + HTML writer in process (median):\n");
    Throughput(five, 9, "5 MB word-processor RTF");
    Throughput(fifty, 3, "50 MB word-processor RTF");

    std::printf("Memory of a process converting (input, model and HTML all held):\n");
    Memory("/proc/self/exe", 5u << 20);
    Memory("/proc/self/exe", 50u << 20);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("rtf_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::printf("ivConverter_RTF_HTML::Convert of a section body (200 calls):\n");
    ConvertBody(folder.string() + "/");

    std::printf("Outside converters, whole process, same files:\n");
    const std::string small = (folder / "body24k.rtf").string();
    const std::string medium = (folder / "doc5m.rtf").string();
    const std::string large = (folder / "doc50m.rtf").string();
    std::ofstream(small, std::ios::binary) << MakeDocument(24 * 1024);
    std::ofstream(medium, std::ios::binary) << five;
    std::ofstream(large, std::ios::binary) << fifty;
    Outside("unrtf", "unrtf --html", {small, medium, large});
    // pandoc needs about a gigabyte for 5 MB already; 50 MB is left out.
    Outside("pandoc", "pandoc -f rtf -t html", {small, medium});
    std::filesystem::remove_all(folder);
    return 0;
}
