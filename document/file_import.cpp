#include "document/file_import.h"

#include "core/translate.h"
#include "document/html_import.h"
#include "document/section_link.h"
#include "document/tree_editor.h"
#include "platform/file_io.h"
#include "platform/guid.h"
#include "platform/time_stamp.h"
#include "rtf/image_size.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "rtf/text_writer.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <unordered_map>

namespace fs = std::filesystem;

namespace {

enum class Kind { None, Rtf, Html, Markdown, Text };

Kind KindOf(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".rtf") {
        return Kind::Rtf;
    }
    if (ext == ".htm" || ext == ".html" || ext == ".xhtml") {
        return Kind::Html;
    }
    if (ext == ".md" || ext == ".markdown") {
        return Kind::Markdown;
    }
    if (ext == ".txt" || ext == ".text") {
        return Kind::Text;
    }
    return Kind::None;
}

// One file or folder to import.
struct Node {
    fs::path path;
    Kind kind = Kind::None;
    bool folder = false;
    std::string id;
    std::string root;  // the folder whose files it may refer to
    std::vector<Node> children;
};

bool IsInside(const fs::path& path, const std::string& root) {
    const std::string p = path.string();
    return p == root || (p.size() > root.size() && p.compare(0, root.size(), root) == 0 &&
                         (root.back() == '/' || p[root.size()] == '/'));
}

std::string PercentDecoded(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() &&
            std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out.push_back(static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// Whether a reference names a place on the web or elsewhere than in the files ("http:",
// "mailto:", "data:", "#top"), which importing leaves as it is.
bool IsExternal(const std::string& ref) {
    if (ref.empty() || ref[0] == '#') {
        return true;
    }
    const size_t colon = ref.find(':');
    const size_t slash = ref.find_first_of("/?#");
    return colon != std::string::npos && (slash == std::string::npos || colon < slash);
}

class ImportRun {
public:
    ImportRun(ivTreeEditor& editor, ivImportResult& result) : m_editor(editor), m_result(result) {}

    // The plan of one path given by the user, or nothing when it is passed over.
    std::optional<Node> Plan(const fs::path& given) {
        std::error_code ec;
        const fs::path path = fs::canonical(given, ec);
        if (ec) {
            return std::nullopt;
        }
        m_root = (fs::is_directory(path, ec) ? path : path.parent_path()).string();
        return PlanNode(path, 0);
    }

    bool Insert(const Node& node, const std::string& parentId) {
        std::vector<std::pair<std::string, std::string>> attributes = {
            {"ID", node.id}, {"Title", node.path.filename().string()}, {"Created", m_now}};
        if (!node.folder) {
            std::string title;
            std::string body;
            if (!Convert(node, title, body)) {
                m_result.skipped.push_back(node.path.filename().string() + ": " +
                                           Translate("The file cannot be read."));
                return true;
            }
            if (!title.empty()) {
                attributes[1].second = title;
            }
            attributes.emplace_back("Text", std::move(body));
        }
        if (!m_editor.InsertSection(parentId, attributes)) {
            return false;
        }
        m_result.sectionIds.push_back(node.id);
        for (const Node& child : node.children) {
            if (!Insert(child, node.id)) {
                return false;
            }
        }
        return true;
    }

private:
    std::optional<Node> PlanNode(const fs::path& path, int depth) {
        std::error_code ec;
        const std::string name = path.filename().string();
        if (!IsInside(path, m_root)) {
            m_result.skipped.push_back(name + ": " + Translate("It lies outside the folder."));
            return std::nullopt;
        }
        Node node;
        node.path = path;
        node.root = m_root;
        if (fs::is_directory(path, ec)) {
            if (depth >= ivFileImporter::kMaxDepth) {
                m_result.skipped.push_back(name + ": " + Translate("The folder nests too deep."));
                return std::nullopt;
            }
            node.folder = true;
            std::vector<fs::path> entries;
            for (const auto& entry : fs::directory_iterator(path, ec)) {
                entries.push_back(entry.path());
            }
            std::sort(entries.begin(), entries.end(), [](const fs::path& a, const fs::path& b) {
                return a.filename() < b.filename();
            });
            for (const fs::path& entry : entries) {
                // Links inside the folder are followed only to what lies inside it, and never
                // to folders, which could lead round in a circle.
                const bool link = fs::is_symlink(entry, ec);
                const fs::path real = fs::canonical(entry, ec);
                if (ec || (link && fs::is_directory(real, ec))) {
                    continue;
                }
                if (!IsInside(real, m_root)) {
                    m_result.skipped.push_back(entry.filename().string() + ": " +
                                               Translate("It lies outside the folder."));
                    continue;
                }
                if (auto child = PlanNode(real, depth + 1)) {
                    node.children.push_back(std::move(*child));
                }
            }
        } else {
            node.kind = KindOf(path);
            if (node.kind == Kind::None) {
                // Pictures and other files are no sections; naming each would only be noise.
                return std::nullopt;
            }
            if (fs::file_size(path, ec) > ivFileImporter::kMaxFileBytes) {
                m_result.skipped.push_back(name + ": " + Translate("The file is too large."));
                return std::nullopt;
            }
        }
        if (++m_count > ivFileImporter::kMaxFiles) {
            m_result.skipped.push_back(name + ": " + Translate("Too many files."));
            return std::nullopt;
        }
        node.id = platform::NewGuidString();
        m_ids.emplace(path.string(), node.id);
        return node;
    }

    // The place a relative reference of the file in folder names, if it is there.
    std::optional<fs::path> Resolve(const fs::path& folder, const std::string& ref) const {
        std::string file = ref.substr(0, ref.find_first_of("?#"));
        file = PercentDecoded(file);
        if (file.empty() || file[0] == '/') {
            return std::nullopt;
        }
        std::error_code ec;
        const fs::path real = fs::canonical(folder / file, ec);
        if (ec || !IsInside(real, m_root)) {
            return std::nullopt;
        }
        return real;
    }

    std::string LinkTarget(const fs::path& folder, const std::string& href) const {
        if (IsExternal(href)) {
            return href;
        }
        if (const auto real = Resolve(folder, href)) {
            const auto found = m_ids.find(real->string());
            if (found != m_ids.end()) {
                return section_link::Target(found->second);
            }
        }
        return href;
    }

    bool Picture(const fs::path& folder, const std::string& src, rtf::Picture& picture) const {
        if (IsExternal(src)) {
            return false;
        }
        const auto real = Resolve(folder, src);
        std::error_code ec;
        if (!real || !fs::is_regular_file(*real, ec) ||
            fs::file_size(*real, ec) > ivFileImporter::kMaxPictureBytes) {
            return false;
        }
        std::string data;
        if (!platform::ReadWholeFileBytes(real->string(), data, nullptr,
                                          ivFileImporter::kMaxPictureBytes)) {
            return false;
        }
        if (data.rfind("\x89PNG", 0) == 0) {
            picture.format = rtf::PictureFormat::Png;
        } else if (data.rfind("\xFF\xD8\xFF", 0) == 0) {
            picture.format = rtf::PictureFormat::Jpeg;
        } else {
            return false;
        }
        int width = 0;
        int height = 0;
        rtf::ImagePixelSize(picture.format, data, width, height);
        // Shown at 96 pixels an inch.
        picture.width = width * 15;
        picture.height = height * 15;
        picture.data = std::move(data);
        return true;
    }

    static std::string FirstHeading(const rtf::Document& document) {
        std::string heading;
        rtf::ForEachParagraph(document.blocks, [&](const rtf::Paragraph& p) {
            if (!heading.empty() || p.format.heading == 0) {
                return;
            }
            for (const rtf::Run& run : p.runs) {
                if (run.kind == rtf::RunKind::Text && !run.format.hidden) {
                    heading += run.text;
                }
            }
        });
        return heading;
    }

    bool Convert(const Node& node, std::string& title, std::string& body) {
        m_root = node.root;
        std::string bytes;
        if (!platform::ReadWholeFileBytes(node.path.string(), bytes, nullptr,
                                          ivFileImporter::kMaxFileBytes)) {
            return false;
        }
        const fs::path folder = node.path.parent_path();
        rtf::Document document;
        if (node.kind == Kind::Html || node.kind == Kind::Markdown) {
            html_import::Hooks hooks;
            hooks.link = [&](const std::string& href) { return LinkTarget(folder, href); };
            hooks.picture = [&](const std::string& src, rtf::Picture& picture) {
                return Picture(folder, src, picture);
            };
            html_import::Result read = node.kind == Kind::Html
                                           ? html_import::ReadHtml(bytes, hooks)
                                           : html_import::ReadMarkdown(bytes, hooks);
            document = std::move(read.document);
            title = std::move(read.title);
        } else {
            // Plain text is read by the RTF reader too: one paragraph a line.
            document = rtf::ReadRtf(bytes).document;
            if (node.kind == Kind::Rtf) {
                title = FirstHeading(document);
                section_link::Retarget(
                    document, [&](const std::string& link) { return LinkTarget(folder, link); });
            }
        }
        // Titles are one line.
        std::replace_if(
            title.begin(), title.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; },
            ' ');
        body = rtf::WriteRtf(document);
        return true;
    }

    ivTreeEditor& m_editor;
    ivImportResult& m_result;
    std::string m_root;
    std::unordered_map<std::string, std::string> m_ids;  // canonical path to section ID
    size_t m_count = 0;
    std::string m_now = platform::NowTimeStamp();
};

}  // namespace

bool ivFileImporter::Import(const std::vector<std::string>& paths, const std::string& parentId,
                            ivImportResult& result) {
    if (!parentId.empty() && !m_editor.SelectSection(parentId)) {
        return false;
    }
    ImportRun run(m_editor, result);
    // Every path is planned first, so that links between them all are known.
    std::vector<Node> plans;
    bool ok = true;
    for (const std::string& path : paths) {
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            result.skipped.push_back(path + ": " + Translate("The file cannot be read."));
            ok = false;
            continue;
        }
        if (auto plan = run.Plan(path)) {
            plans.push_back(std::move(*plan));
        }
    }
    for (const Node& plan : plans) {
        if (!run.Insert(plan, parentId)) {
            return false;
        }
    }
    return ok;
}
