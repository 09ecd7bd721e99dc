#pragma once

#include "generators/alias.h"
#include "generators/generator.h"
#include "generators/iv_converter_rtf_html.h"
#include "generators/link_resolver.h"
#include "generators/page_navigation.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Writes one HTML page per section into the target folder, each poured into the page
// template when one is set ("<%navigation%>", "<%title%>" and "<%content%>" are filled), and
// a navigation list that links every section. Two passes: the first gives every section a
// unique alias (its page name) and builds the navigation, the second converts the bodies and
// writes the pages.
class myGeneratorHTML : public myGenerator {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(myGeneratorHTML);

public:
    // Flag of the conversion: the body goes into a template, so only its content is wanted.
    static constexpr unsigned kConvertForTemplate = 16;

    // Turns one RTF body into HTML: rtf, folder for temporary files, their base name, page
    // title, conversion flags. Empty when the body cannot be converted.
    using Converter = std::function<std::string(const std::string& rtf, const std::string& folder,
                                                const std::string& name, const std::string& title,
                                                unsigned flags)>;

    // Reads the template path from "/Generators/HTML/Template" ("default": the shipped one).
    myGeneratorHTML();
    ~myGeneratorHTML() override;

    bool Generate(ivData& cursor) override;
    // Writes the page of one section; false when it cannot be written.
    virtual bool WritePage(const std::string& id, int reference, const std::string& alias,
                           const std::string& title, const std::string& html, bool hasChildren);
    virtual std::string MakeAlias(const std::string& title);
    // Pass 0 builds the navigation, pass 1 writes the pages.
    virtual bool Walk(ivData& cursor, int pass);

    // Replaces the template setting for this generator; empty means no template, "default"
    // the one installed with the program.
    void SetTemplatePath(const std::string& path);
    void ApplyOptions(const ivGenerateOptions& options) override;
    const std::string& GetTemplatePath() const { return m_templatePath; }

    // Replaces the RTF-to-HTML conversion, which is by default the converter's (tests).
    void SetConverter(Converter converter) { m_convert = std::move(converter); }

    // One link line per section, in document order.
    const std::string& GetNavigationList() const { return m_navigationList; }

protected:
    struct NavigationEntry {
        std::string id;
        std::string alias;
        std::string title;
        std::string name;  // what readers see: the title, or a name for an untitled section
        int depth = 0;     // 1 for a top-level section
    };

    // What a section is called where readers see it: its title; for a section without one
    // its own alias, or the translated "Section".
    static std::string SectionName(const std::string& title, const std::string& userAlias);

    // The sections as pass 0 found them, in document order; pass 1 visits the same sections
    // in the same order and takes its entries by position.
    const std::vector<NavigationEntry>& Navigation() const { return m_navigation; }

    // What the section whose page pass 1 writes now is called: its entry's name, or title
    // when no page is being written.
    std::string CurrentName(const std::string& title) const;

    // Whether the pages of this run are poured into a template.
    bool HasTemplate() const { return !m_page.empty(); }

    // Ends a run: both indicators to 0; returns ok.
    bool EndRun(bool ok);

private:
    bool AddNavigationEntry(ivData& cursor);
    bool WriteSectionPage(ivData& cursor);

    std::vector<NavigationEntry> m_navigation;
    // The page of each section ID, the first section holding an ID counting.
    std::unordered_map<std::string, std::string> m_sectionPages;
    size_t m_nextEntry = 0;
    // How deep pass 0 is in the sections.
    int m_depth = 0;
    // The tree and page links of a template that asks for them.
    std::unique_ptr<ivPageNavigation> m_pageNavigation;
    AliasRegistry m_aliases;
    ivLinkResolver m_links;
    int m_processedCount = 0;
    int m_sectionCount = 0;
    std::string m_navigationList;
    std::string m_templatePath;
    unsigned m_conversionFlags = 0;
    // The template with the navigation filled in, read once per run.
    std::string m_page;
    ivConverter_RTF_HTML m_converter;
    Converter m_convert;
};
