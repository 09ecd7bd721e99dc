#pragma once

#include "core/version.h"

#include <functional>
#include <string>

// Asks the maker's server whether a newer build exists for this processor, system and
// language, from a small XML manifest:
//   <SOFTPKG NAME="{product GUID}" VERSION="1,0,1,24">
//     <IMPLEMENTATION><PROCESSOR VALUE=".."/><OS VALUE=".."/><LANGUAGE VALUE="de"/>
//       <CODEBASE HREF="http://.../setup"/></IMPLEMENTATION> ...
//   </SOFTPKG>
// Names and values are compared exactly.

// The product's identifier in the manifest.
inline constexpr const char* kProductGuid = "{6F1C2A84-3B5D-4E7A-9C0F-2D8E4B61A7C3}";

struct UpdateInputs {
    std::string productGuid;
    std::string productName;
    std::string language;   // lower case
    std::string processor;  // first word of the system description
    std::string system;     // second word
    ivVersion version;
};

// The inputs of the running program for a language.
UpdateInputs CurrentUpdateInputs(const std::string& language);

// Up to four numbers separated by ","; see ParseVersion.
ivVersion ParseManifestVersion(const std::string& text);

// A newer build: the same major version and a greater build number. Minor and revision do
// not count.
bool IsNewerBuild(const ivVersion& offered, const ivVersion& running);

// The installer URL of a newer build for these inputs (the last matching implementation's);
// empty when there is none, the manifest cannot be had, or the URL is not an http(s) URL.
std::string FindUpdate(const std::string& manifestUrl, const UpdateInputs& inputs);

// The whole check: with an update, asks whether to fetch it and opens the installer URL on
// Yes; without one, says "No update available!" only when the user asked (interactive).
void RunUpdateCheck(const std::string& manifestUrl, const UpdateInputs& inputs, bool interactive,
                    const std::function<bool(const std::string& url)>& openUrl);
