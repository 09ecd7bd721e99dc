// libFuzzer target: the reader on arbitrary bytes, then every writer on what it read, and
// the RTF writer's output read back.

#include "rtf/docx_writer.h"
#include "rtf/html_writer.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"
#include "rtf/text_writer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const rtf::Document document = rtf::ReadRtf(input).document;
    rtf::HtmlOptions options;
    (void)rtf::WriteHtml(document, options);
    (void)rtf::WriteText(document);
    rtf::DocxContext context;
    (void)rtf::WriteWordprocessingML(document, context);
    (void)rtf::ReadRtf(rtf::WriteRtf(document));
    return 0;
}
