#include "generators/generator_html.h"

#include "core/file_errors.h"
#include "core/settings_keys.h"
#include "core/translate.h"
#include "document/iv_data.h"
#include "generators/file_util.h"
#include "generators/markup.h"
#include "generators/shipped_template.h"
#include "generators/status_indicators.h"
#include "rtf/html_writer.h"

wxIMPLEMENT_DYNAMIC_CLASS(myGeneratorHTML, myGenerator);

namespace {

constexpr const char* kNavigationPlaceholder = "<%navigation%>";
constexpr const char* kTitlePlaceholder = "<%title%>";
constexpr const char* kContentPlaceholder = "<%content%>";

// The alias of a section whose "Alias" and title give none.
constexpr const char* kFallbackAlias = "section";

// A page template is the frame of a page: a few kilobytes of markup and styles. One larger
// than this is refused, since every page of a run holds a copy of it.
constexpr uint64_t kMaxTemplateBytes = uint64_t{4} << 20;

}  // namespace

myGeneratorHTML::myGeneratorHTML()
    : m_convert([this](const std::string& rtf, const std::string& folder, const std::string& name,
                       const std::string& title, unsigned flags) {
          return m_converter.Convert(rtf, folder, name, title, flags);
      }) {
    SetTemplatePath(ReadSetting(settings::kHtmlTemplate));
}

myGeneratorHTML::~myGeneratorHTML() = default;

void myGeneratorHTML::ApplyOptions(const ivGenerateOptions& options) {
    myGenerator::ApplyOptions(options);
    if (options.templatePath) {
        SetTemplatePath(*options.templatePath);
    }
}

void myGeneratorHTML::SetTemplatePath(const std::string& path) {
    m_templatePath = ResolveTemplatePath(path);
    m_conversionFlags = path.empty() ? 0 : kConvertForTemplate;
}

std::string myGeneratorHTML::SectionName(const std::string& title, const std::string& userAlias) {
    if (!title.empty()) {
        return title;
    }
    return userAlias.empty() ? Translate("Section") : userAlias;
}

std::string myGeneratorHTML::CurrentName(const std::string& title) const {
    if (m_nextEntry == 0 || m_nextEntry > m_navigation.size()) {
        return SectionName(title, {});
    }
    return m_navigation[m_nextEntry - 1].name;
}

std::string myGeneratorHTML::MakeAlias(const std::string& title) {
    return ::MakeAlias(title);
}

bool myGeneratorHTML::EndRun(bool ok) {
    ShowStatus(0, 0);
    return ok;
}

bool myGeneratorHTML::Generate(ivData& cursor) {
    ShowStatus(command_id::kToolsGenerate, 0);
    ForgetMissingLinks();
    // A template that cannot be read fails the run before anything is written, rather than
    // giving pages without it.
    m_page.clear();
    platform::FileError error;
    if (!m_templatePath.empty() &&
        !platform::ReadWholeFileBytes(m_templatePath, m_page, &error, kMaxTemplateBytes)) {
        Fail(TranslateFormat("The page template cannot be read: %s",
                             DescribeFileError(error).c_str()));
        return EndRun(false);
    }
    if (!Walk(cursor, 0)) {
        return EndRun(false);
    }
    if (!m_page.empty()) {
        // The pages are UTF-8; a template that names no character set is told so.
        DeclareUtf8(m_page);
        ReplaceAll(m_page, kNavigationPlaceholder, m_navigationList);
        if (ivPageNavigation::Wanted(m_page)) {
            std::vector<ivPageNavigation::Page> pages;
            pages.reserve(m_navigation.size());
            for (const NavigationEntry& entry : m_navigation) {
                pages.push_back({entry.alias, entry.name, entry.depth});
            }
            m_pageNavigation = std::make_unique<ivPageNavigation>(std::move(pages));
        }
    }
    m_nextEntry = 0;
    if (!Walk(cursor, 1)) {
        return EndRun(false);
    }
    return EndRun(true);
}

bool myGeneratorHTML::Walk(ivData& cursor, int pass) {
    const std::string name = cursor.GetName();
    if (name.empty()) {
        return false;
    }
    if (name == "Document") {
        return WalkChildren(cursor, [&] { return Walk(cursor, pass); });
    }
    const bool ok = pass == 0 ? AddNavigationEntry(cursor) : WriteSectionPage(cursor);
    if (!ok) {
        return false;
    }
    ++m_depth;
    const bool children = WalkChildren(cursor, [&] { return Walk(cursor, pass); });
    --m_depth;
    return children;
}

bool myGeneratorHTML::AddNavigationEntry(ivData& cursor) {
    NavigationEntry entry;
    entry.id = cursor.GetAttribute("ID");
    entry.title = cursor.GetAttribute("Title");
    const std::string userAlias = cursor.GetAttribute("Alias");
    entry.name = SectionName(entry.title, userAlias);
    entry.depth = m_depth + 1;
    // An alias from the file names a file: one that could leave the target folder is formed
    // anew. A section with neither alias nor title still gets a page.
    std::string alias = MakeSafeAlias(userAlias);
    if (alias.empty()) {
        alias = MakeAlias(entry.title);
    }
    if (alias.empty()) {
        alias = kFallbackAlias;
    }
    entry.alias = m_aliases.Claim(alias);
    m_sectionPages.emplace(entry.id, entry.alias);
    // Every bookmark of every body is known before the first page is written, so that links
    // can reach bookmarks of later sections.
    for (const std::string& bookmark : ivLinkResolver::BookmarksOf(cursor.GetAttribute("Text"))) {
        m_links.AddBookmark(bookmark, entry.alias);
    }

    m_navigationList.append("<a href=\"").append(entry.alias).append(".htm\" title=\"");
    rtf::AppendHtmlEscaped(m_navigationList, entry.name);
    m_navigationList.append("\">");
    rtf::AppendHtmlEscaped(m_navigationList, entry.name);
    m_navigationList.append("</a><br>\n");

    m_navigation.push_back(std::move(entry));
    ++m_sectionCount;
    return true;
}

bool myGeneratorHTML::WriteSectionPage(ivData& cursor) {
    if (m_nextEntry >= m_navigation.size()) {
        return false;
    }
    const NavigationEntry& entry = m_navigation[m_nextEntry++];
    ++m_processedCount;
    ShowStatus(command_id::kToolsGenerate,
               static_cast<int>(static_cast<long long>(m_processedCount) * 100 / m_sectionCount));

    ivSectionValues section = ReadSection(cursor);
    section.text = ResolveSectionLinks(section, [&](const std::string& id) {
        const auto page = m_sectionPages.find(id);
        return page == m_sectionPages.end() ? std::string() : page->second + ".htm";
    });
    std::string html;
    if (!section.text.empty() && m_convert) {
        // The converter works in a private folder of the temporary folder, not in the target.
        html = m_links.ResolveHtml(
            m_convert(section.text, std::string(), entry.alias, entry.name, m_conversionFlags),
            entry.alias);
    }
    return WritePage(section.id, section.reference, entry.alias, section.title, html,
                     section.hasChildren);
}

bool myGeneratorHTML::WritePage(const std::string&, int, const std::string& alias,
                                const std::string& title, const std::string& html, bool) {
    std::string page;
    if (m_page.empty()) {
        // A section without body still gets a page that shows what it is.
        page = html.empty() ? TitlePage(CurrentName(title)) : html;
    } else {
        page = m_page;
        if (m_pageNavigation && m_nextEntry > 0) {
            m_pageNavigation->Fill(page, m_nextEntry - 1, GetProjectName());
        }
        ReplaceAll(page, kTitlePlaceholder, rtf::EscapeHtml(CurrentName(title)));
        ReplaceAll(page, kContentPlaceholder, html);
    }
    return WriteOutput(GetTargetPath() + alias + ".htm", page);
}
