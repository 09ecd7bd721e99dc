#include "document/section_link.h"

#include "document/paragraph_walk.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"

namespace section_link {

namespace {

bool StartsWithScheme(std::string_view target) {
    if (target.size() < kScheme.size()) {
        return false;
    }
    for (size_t i = 0; i < kScheme.size(); ++i) {
        char c = target[i];
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (c != kScheme[i]) {
            return false;
        }
    }
    return true;
}

// Calls visit(run) for every run of the document's paragraphs and footnotes.
template <typename Visit>
void ForEachRun(rtf::Document& document, Visit&& visit) {
    ForEachParagraphToChange(document, [&](rtf::Paragraph& p) {
        for (rtf::Run& run : p.runs) {
            visit(run);
        }
    });
}

}  // namespace

std::string Target(std::string_view sectionId) {
    return std::string(kScheme) + std::string(sectionId);
}

std::string IdOf(std::string_view target) {
    if (!StartsWithScheme(target)) {
        return {};
    }
    return std::string(target.substr(kScheme.size()));
}

bool MayHoldLinks(std::string_view rtf) {
    // The scheme is written in small letters; a body that has it in other case is rare
    // enough to be read in full.
    if (rtf.find(kScheme) != std::string_view::npos) {
        return true;
    }
    return rtf.find("UORVANE-") != std::string_view::npos ||
           rtf.find("uorvane-S") != std::string_view::npos;
}

std::string RtfField(std::string_view sectionId, std::string_view text) {
    std::string out = "{\\field{\\*\\fldinst{HYPERLINK \"";
    rtf::AppendRtfText(out, Target(sectionId));
    out += "\"}}{\\fldrslt{\\ul ";
    rtf::AppendRtfText(out, text);
    out += "}}}";
    return out;
}

std::string Resolve(const std::string& rtf,
                    const std::function<std::string(const std::string& id)>& target,
                    std::vector<std::string>* missing) {
    if (!MayHoldLinks(rtf)) {
        return rtf;
    }
    rtf::Document document = rtf::ReadRtf(rtf).document;
    bool changed = false;
    // Links to sections that exist get their new target; the others go.
    std::vector<char> section(document.links.size(), 0);
    std::vector<char> gone(document.links.size(), 0);
    for (size_t i = 0; i < document.links.size(); ++i) {
        const std::string id = IdOf(document.links[i]);
        if (id.empty()) {
            continue;
        }
        changed = true;
        section[i] = 1;
        const std::string resolved = target(id);
        if (resolved.empty()) {
            gone[i] = 1;
            if (missing != nullptr) {
                missing->push_back(id);
            }
        } else {
            document.links[i] = resolved;
        }
    }
    if (!changed) {
        return rtf;
    }
    ForEachRun(document, [&](rtf::Run& run) {
        const int link = run.format.link;
        if (link < 0 || static_cast<size_t>(link) >= section.size() || section[link] == 0) {
            return;
        }
        // The field kept for RTF written back would still name the old target; the link
        // alone is written as a hyperlink field of its own.
        run.format.field = -1;
        if (gone[link] != 0) {
            run.format.link = -1;
            run.format.underline = rtf::Underline::None;
        }
    });
    return rtf::WriteRtf(document);
}

void Retarget(rtf::Document& document,
              const std::function<std::string(const std::string& target)>& retarget) {
    std::vector<char> changed(document.links.size(), 0);
    bool any = false;
    for (size_t i = 0; i < document.links.size(); ++i) {
        std::string target = retarget(document.links[i]);
        if (target != document.links[i]) {
            document.links[i] = std::move(target);
            changed[i] = 1;
            any = true;
        }
    }
    if (!any) {
        return;
    }
    ForEachRun(document, [&](rtf::Run& run) {
        const int link = run.format.link;
        if (link >= 0 && static_cast<size_t>(link) < changed.size() && changed[link] != 0) {
            run.format.field = -1;
        }
    });
}

std::vector<std::string> LinkedIds(const std::string& rtf) {
    std::vector<std::string> ids;
    if (!MayHoldLinks(rtf)) {
        return ids;
    }
    const rtf::Document document = rtf::ReadRtf(rtf).document;
    for (const std::string& link : document.links) {
        std::string id = IdOf(link);
        if (!id.empty()) {
            ids.push_back(std::move(id));
        }
    }
    return ids;
}

}  // namespace section_link
