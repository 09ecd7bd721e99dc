#include "app/cli/cli.h"
#include "platform/file_io.h"
#include "rtf/convert.h"
#include "rtf/metafile_renderer.h"

#include <cstdio>

namespace {

std::string FileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::string Stem(const std::string& path) {
    std::string name = FileName(path);
    const size_t dot = name.rfind('.');
    return dot != std::string::npos && dot > 0 ? name.substr(0, dot) : name;
}

bool ReadInput(const std::string& path, std::string& bytes) {
    if (platform::ReadWholeFileBytes(path, bytes)) {
        return true;
    }
    std::fprintf(stderr, "quorvane-cli: cannot read %s\n", path.c_str());
    return false;
}

bool WriteStdout(const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
           std::fflush(stdout) == 0;
}

int RtfToHtml(const std::vector<std::string>& args) {
    std::vector<std::string> paths;
    rtf::HtmlOptions options;
    const rtf::MetafileRenderer renderer;
    options.renderer = &renderer;
    for (const std::string& arg : args) {
        if (arg == "--fragment") {
            options.fragment = true;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty() || paths.size() > 2) {
        std::fprintf(stderr, "Usage: quorvane-cli rtf2html IN.rtf [OUT.html] [--fragment]\n");
        return 2;
    }
    std::string input;
    if (!ReadInput(paths[0], input)) {
        return 1;
    }
    options.title = Stem(paths[0]);
    if (paths.size() == 1) {
        return WriteStdout(rtf::RtfToHtml(input, options)) ? 0 : 1;
    }
    // Written to a file, the page keeps its pictures as files beside it.
    const std::string& out = paths[1];
    const std::string folder = out.substr(0, out.size() - FileName(out).size());
    options.pictures = rtf::PictureMode::Files;
    options.pictureBaseName = Stem(out);
    std::vector<rtf::HtmlFile> files;
    const std::string html = rtf::RtfToHtml(input, options, &files);
    for (const rtf::HtmlFile& file : files) {
        if (!platform::WriteFileAtomically(folder + file.name, file.bytes)) {
            std::fprintf(stderr, "quorvane-cli: cannot write %s%s\n", folder.c_str(),
                         file.name.c_str());
            return 1;
        }
    }
    if (!platform::WriteFileAtomically(out, html)) {
        std::fprintf(stderr, "quorvane-cli: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

int RtfToText(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "Usage: quorvane-cli rtf2text IN.rtf\n");
        return 2;
    }
    std::string input;
    if (!ReadInput(args[0], input)) {
        return 1;
    }
    return WriteStdout(rtf::RtfToText(input)) ? 0 : 1;
}

}  // namespace

void AddRtfCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"rtf2html", "IN.rtf [OUT.html] [--fragment]",
                        "convert RTF to HTML (to standard output without OUT)", RtfToHtml});
    commands.push_back({"rtf2text", "IN.rtf", "print the text of an RTF file", RtfToText});
}
