#pragma once

#include "rtf/html_writer.h"

#include <string>
#include <string_view>
#include <vector>

namespace rtf {

// RTF in, HTML out: the one conversion path of the conversion library and quorvane-cli.
std::string RtfToHtml(std::string_view rtf, const HtmlOptions& options,
                      std::vector<HtmlFile>* files = nullptr);

// RTF in, plain text out.
std::string RtfToText(std::string_view rtf);

}  // namespace rtf
