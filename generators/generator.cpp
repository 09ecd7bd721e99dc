#include "generators/generator.h"

#include "core/file_errors.h"
#include "core/settings.h"
#include "core/translate.h"
#include "document/iv_data.h"
#include "generators/file_util.h"
#include "generators/status_indicators.h"

wxIMPLEMENT_DYNAMIC_CLASS(myGenerator, ivObject);

namespace {

ivStatusIndicators* g_indicators = nullptr;

}  // namespace

ivStatusIndicators* SetStatusIndicators(ivStatusIndicators* indicators) {
    ivStatusIndicators* previous = g_indicators;
    g_indicators = indicators;
    return previous;
}

ivStatusIndicators* GetStatusIndicators() {
    return g_indicators;
}

myGenerator::myGenerator() : m_indicators(GetStatusIndicators()) {}

myGenerator::~myGenerator() = default;

bool myGenerator::Generate(ivData&) {
    return false;
}

void myGenerator::ApplyOptions(const ivGenerateOptions& options) {
    if (options.indicators != nullptr) {
        SetIndicators(options.indicators);
    }
}

void myGenerator::SetTargetPath(const std::string& path) {
    m_targetPath = path;
    if (!m_targetPath.empty() && m_targetPath.back() != '/') {
        m_targetPath.push_back('/');
    }
}

bool myGenerator::Run(ivData* cursor) {
    if (cursor == nullptr || !cursor->GoRoot()) {
        return false;
    }
    return Generate(*cursor);
}

int myGenerator::ParseReference(const std::string& text) {
    return AtoiSetting(text);
}

void myGenerator::SetIndicator(const char* name, int value) {
    if (m_indicators != nullptr) {
        m_indicators->SetIndicator(name, value);
    }
}

void myGenerator::ShowStatus(int mode, int progress) {
    SetIndicator(ivStatusIndicators::kMode, mode);
    SetIndicator(ivStatusIndicators::kProgress, progress);
}

bool myGenerator::Fail(const std::string& reason) {
    if (m_error.empty()) {
        m_error = reason;
    }
    return false;
}

bool myGenerator::WriteOutput(const std::string& path, std::string_view bytes) {
    platform::FileError error;
    if (!WriteWholeFile(path, bytes, &error)) {
        return Fail(DescribeFileError(error));
    }
    return true;
}

ivSectionValues myGenerator::ReadSection(ivData& cursor) {
    ivSectionValues section;
    section.id = cursor.GetAttribute("ID");
    section.title = cursor.GetAttribute("Title");
    section.alias = cursor.GetAttribute("Alias");
    section.reference = ParseReference(cursor.GetAttribute("Reference"));
    section.text = cursor.GetAttribute("Text");
    section.hasChildren = HasSectionChildren(cursor);
    return section;
}

bool myGenerator::HasSectionChildren(ivData& cursor) {
    const int count = cursor.GetChildCount();
    for (int i = 0; i < count; ++i) {
        if (cursor.GoChild(i)) {
            const bool named = !cursor.GetName().empty();
            cursor.GoParent();
            if (named) {
                return true;
            }
        }
    }
    return false;
}

bool myGenerator::WalkChildren(ivData& cursor, const std::function<bool()>& walkChild) {
    const int count = cursor.GetChildCount();
    // How deep the element at the cursor is, the root element being at depth 1.
    ++m_walkDepth;
    bool ok = true;
    for (int i = 0; ok && i < count; ++i) {
        if (!cursor.GoChild(i)) {
            continue;
        }
        // Comments and text between sections are no sections; they must not end the run.
        if (cursor.GetName().empty()) {
            ok = cursor.GoParent();
            continue;
        }
        if (m_walkDepth + 1 > ivData::kMaxDepth) {
            ok = Fail(
                TranslateFormat("The document nests deeper than %d levels.", ivData::kMaxDepth));
            break;
        }
        ok = walkChild() && cursor.GoParent();
    }
    --m_walkDepth;
    return ok;
}

std::string myGenerator::ResolveSectionLinks(
    const ivSectionValues& section, const std::function<std::string(const std::string&)>& target) {
    std::vector<std::string> missing;
    std::string body = section_link::Resolve(section.text, target, &missing);
    for (std::string& id : missing) {
        m_missing.push_back({section.id, section.title, std::move(id)});
    }
    return body;
}

std::string myGenerator::ProjectFileStem() const {
    std::string stem;
    stem.reserve(m_projectName.size());
    for (const char c : m_projectName) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        // A quote could not stand in the project file's quoted fields.
        stem.push_back(c == '/' || c == '"' || control ? '_' : c);
    }
    // Names that would leave the folder or hide the files.
    if (stem.empty() || stem == "." || stem == "..") {
        stem = "help";
    }
    return stem;
}
