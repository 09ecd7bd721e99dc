// A stand-in for librtftohtml.so that records how it was called: the two path arguments and
// the options record go to "call.bin" in the folder above the output folder (the converter's
// working folder, which goes after the call); it writes "<folder><base>.htm" holding the RTF
// file's bytes, unless the title asks it to fail ("fail") or to write nothing ("none").

#include "rtf/rtftohtml.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void Write(const std::string& path, const void* data, size_t size) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int rtftohtml_file(const char* rtfPath,
                                                                     const char* outFolder,
                                                                     RtfToHtmlOptions options) {
    const std::string folder(outFolder);
    std::string call(rtfPath);
    call += '\n';
    call += folder;
    call += '\n';
    call.append(reinterpret_cast<const char*>(&options), sizeof options);
    Write(folder + "../call.bin", call.data(), call.size());
    if (std::strcmp(options.title, "fail") == 0) {
        return 7;
    }
    if (std::strcmp(options.title, "none") == 0) {
        return 0;
    }
    std::string rtf;
    if (std::FILE* f = std::fopen(rtfPath, "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
            rtf.append(buffer, n);
        }
        std::fclose(f);
    }
    std::string base(rtfPath);
    base = base.substr(base.rfind('/') + 1);
    base = base.substr(0, base.rfind('.'));
    const std::string html = "converted:" + rtf;
    Write(folder + base + options.extension, html.data(), html.size());
    return 0;
}
