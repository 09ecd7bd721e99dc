#include "generators/generator_chm.h"

#include "core/file_errors.h"
#include "core/settings_keys.h"
#include "document/iv_data.h"
#include "generators/file_util.h"
#include "generators/markup.h"
#include "generators/page_pictures.h"
#include "platform/desktop.h"
#include "platform/file_io.h"
#include "rtf/html_writer.h"

#include <cinttypes>
#include <cstdio>

wxIMPLEMENT_DYNAMIC_CLASS(myGeneratorCHM, myGeneratorHTML);

namespace {

constexpr const char* kContentsHeader =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n"
    "<HTML>\n"
    "<HEAD>\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-1\">\n"
    "<meta name=\"GENERATOR\" content=\"Microsoft&reg; HTML Help Workshop 4.1\">\n"
    "<!-- Sitemap 1.0 -->\n"
    "</HEAD><BODY>\n"
    "<UL>\n";

// The project name as one line of the project file: control characters (a line break would
// start a line of its own) become blanks.
std::string ProjectLine(const std::string& name) {
    std::string line = name;
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return line;
}

// The name of the window type: also free of the characters that separate its fields.
std::string WindowName(const std::string& name) {
    std::string window = ProjectLine(name);
    for (char& c : window) {
        if (c == '"' || c == ',' || c == '=') {
            c = '_';
        }
    }
    return window;
}

}  // namespace

myGeneratorCHM::myGeneratorCHM()
    : m_startCompiler([](const std::vector<std::string>& argv, const std::string& folder) {
          return platform::StartDetached(argv, folder);
      }) {}

myGeneratorCHM::~myGeneratorCHM() = default;

void myGeneratorCHM::ApplyOptions(const ivGenerateOptions& options) {
    myGeneratorHTML::ApplyOptions(options);
    if (options.startCompiler) {
        SetCompilerStarter(options.startCompiler);
    }
}

bool myGeneratorCHM::Walk(ivData& cursor, int pass) {
    const std::string name = cursor.GetName();
    if (name.empty()) {
        return false;
    }
    const bool root = name == "Document";
    const bool parent = pass == 1 && !root && HasSectionChildren(cursor);
    if (pass == 1 && root) {
        StartProject();
    }
    if (!myGeneratorHTML::Walk(cursor, pass)) {
        return false;
    }
    if (pass == 1) {
        if (root) {
            EndProject();
        } else if (parent) {
            // Closes the list that WritePage opened for the section's children.
            m_contents.append("</UL>\n");
        }
    }
    return true;
}

void myGeneratorCHM::StartProject() {
    m_contents.append(kContentsHeader);
    const std::string first = Navigation().empty() ? std::string() : Navigation().front().alias;
    const std::string name = ProjectLine(GetProjectName());
    const std::string window = WindowName(GetProjectName());
    m_project.append("[OPTIONS]\n")
        .append("Auto Index=Yes\n")
        .append("Compatibility=1.1 or later\n")
        .append("Title=" + name + "\n")
        .append("Compiled file=" + ProjectFileStem() + ".chm\n")
        .append("Contents file=" + ProjectFileStem() + ".hhc\n")
        .append("Index file=" + ProjectFileStem() + ".hhk\n")
        .append("Default topic=" + first + ".htm\n")
        .append("Default Window=" + window + "\n")
        .append("Display compile progress=No\n")
        .append("Full-text search=Yes\n")
        .append("Language=0x407 Deutsch (Deutschland)\n")
        .append("\n")
        .append("[WINDOWS]\n")
        .append(window + "=\"" + window + "\",\"" + ProjectFileStem() + ".hhc\",\"" +
                ProjectFileStem() + ".hhk\",\"" + first + ".htm\",\"" + first +
                ".htm\",,,,,0x21520,,0x384e,,,,,,,,0\n")
        .append("\n")
        .append("[FILES]\n");
}

void myGeneratorCHM::EndProject() {
    m_contents.append("</UL>\n</BODY></HTML>\n");
    m_project.append(m_fileList)
        .append("\n[ALIAS]\n")
        .append(m_aliasList)
        .append("\n[MAP]\n")
        .append(m_mapList)
        .append("\n[TEXT POPUPS]\n\n[INFOTYPES]\n\n");
}

bool myGeneratorCHM::WritePage(const std::string& id, int reference, const std::string& alias,
                               const std::string& title, const std::string& html,
                               bool hasChildren) {
    m_contents.append("<LI> <OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"");
    // The compiler fails on entries without a name.
    rtf::AppendHtmlEscaped(m_contents, CurrentName(title));
    m_contents.append("\">\n");
    // A parent without a body of its own is a heading in the contents, without a page.
    if (!html.empty() || !hasChildren) {
        m_contents.append("<param name=\"Local\" value=\"" + alias + ".htm\">\n");
        m_fileList.append(alias + ".htm\n");
        m_aliasList.append(alias + "=" + alias + ".htm\n");
        if (reference != 0) {
            char number[16];
            std::snprintf(number, sizeof number, "%" PRIx32, static_cast<uint32_t>(reference));
            m_mapList.append("#define " + alias + "\t0x" + number + "\n");
        }
        // Help viewers show no pictures held inside a page: they become files of the project.
        std::vector<ivPageFile> pictures;
        const std::string page = MovePicturesIntoFiles(html, alias, pictures);
        for (const ivPageFile& picture : pictures) {
            if (!WriteOutput(GetTargetPath() + picture.name, picture.bytes)) {
                return false;
            }
            m_fileList.append(picture.name + "\n");
        }
        if (!myGeneratorHTML::WritePage(id, reference, alias, title, page, hasChildren)) {
            return false;
        }
    }
    m_contents.append("</OBJECT>\n");
    if (hasChildren) {
        m_contents.append("<UL>\n");
    }
    return true;
}

bool myGeneratorCHM::Generate(ivData& cursor) {
    m_compilerStarted = false;
    if (!myGeneratorHTML::Generate(cursor)) {
        return false;
    }
    m_index = m_contents;
    const std::string base = GetTargetPath() + ProjectFileStem();
    // The contents and index files declare ISO-8859-1; the pages are UTF-8.
    const std::string contents = ToLatin1WithReferences(m_contents);
    if (!WriteOutput(base + ".hhc", contents) ||
        !WriteOutput(base + ".hhk", ToLatin1WithReferences(m_index)) ||
        !WriteOutput(base + ".hhp", m_project)) {
        return false;
    }
    // The compiler writes the help file with no care for what is there: a link in its place
    // would be written through.
    platform::FileError error;
    if (!platform::MayReplace(base + ".chm", &error)) {
        return Fail(DescribeFileError(error));
    }
    // The compiler writes the .chm into the folder it runs in, so it starts in the target
    // folder. The project path is one argument, blanks and all.
    const std::string compiler = ReadSetting(settings::kHelpCompiler);
    m_compilerStarted = !compiler.empty() && m_startCompiler &&
                        m_startCompiler({compiler, base + ".hhp"}, GetTargetPath());
    return true;
}
