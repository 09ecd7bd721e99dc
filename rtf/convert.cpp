#include "rtf/convert.h"

#include "rtf/reader.h"
#include "rtf/text_writer.h"

namespace rtf {

std::string RtfToHtml(std::string_view rtf, const HtmlOptions& options,
                      std::vector<HtmlFile>* files) {
    return WriteHtml(ReadRtf(rtf).document, options, files);
}

std::string RtfToText(std::string_view rtf) {
    return WriteText(ReadRtf(rtf).document);
}

}  // namespace rtf
