#pragma once

#include "rtf/model.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Links between sections. A link in a body is a HYPERLINK field whose target names the
// section's ID, "quorvane-section:{GUID}", so that it still leads there after the section's
// title or alias changed or the section moved. Output and the editor resolve it.
namespace section_link {

inline constexpr std::string_view kScheme = "quorvane-section:";

// "quorvane-section:" + id.
std::string Target(std::string_view sectionId);

// The section ID a link target names; empty when it is no section link (the scheme is
// matched without regard to case).
std::string IdOf(std::string_view target);

// Whether an RTF body may hold section links: a quick look at the bytes, before reading it.
bool MayHoldLinks(std::string_view rtf);

// An RTF paragraph group holding a link to a section, showing text, for bodies made by
// program (import) and for the editor's "Insert link" command.
std::string RtfField(std::string_view sectionId, std::string_view text);

// A section link that could not be resolved: the section it is in and the ID it names.
struct Missing {
    std::string fromId;
    std::string fromTitle;
    std::string targetId;
};

// Rewrites the section links of an RTF body: target(id) gives what a link to the section
// becomes (a page, "#bookmark"), or an empty text when the section does not exist; such a
// link becomes plain text and its ID is appended to missing. The body comes back unchanged
// when it holds no section link.
std::string Resolve(const std::string& rtf,
                    const std::function<std::string(const std::string& id)>& target,
                    std::vector<std::string>* missing);

// Gives the links of a read body the targets that retarget returns for them, so that RTF
// written from it has them (the fields kept from reading would name the old ones).
void Retarget(rtf::Document& document,
              const std::function<std::string(const std::string& target)>& retarget);

// The IDs the section links of an RTF body name, in order.
std::vector<std::string> LinkedIds(const std::string& rtf);

}  // namespace section_link
