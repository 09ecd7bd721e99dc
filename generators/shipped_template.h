#pragma once

#include <string>

// The page template installed with the program, which "/Generators/HTML/Template" and
// `quorvane-cli generate --template` name by the word "default".
inline constexpr const char* kShippedTemplateName = "default";

// Where the shipped template is for programs in moduleDirectory: "templates/default.htm"
// beside them (build tree), else "../../share/quorvane-editor/templates/default.htm" (as
// installed). Empty when neither exists.
std::string FindShippedTemplate(const std::string& moduleDirectory);

// The template file a template setting names: the shipped template for "default" (or the
// word itself when it is not installed, so that reading it fails and says so), any other
// text as it is.
std::string ResolveTemplatePath(const std::string& setting);
