// libFuzzer target: arbitrary bytes as a document. Whatever loads must walk, and must read
// back from its own saved form with the same outline.

#include "document/iv_xml.h"
#include "document/outline.h"

#include <wx/init.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Rows(ivXML& xml) {
    std::vector<std::string> rows;
    if (xml.GoRoot()) {
        for (const OutlineRow& row : BuildOutline(xml)) {
            rows.push_back(row.numbering + '\t' + row.title + '\t' + row.id);
        }
    }
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static wxInitializer wx;
    ivXML xml;
    xml.LoadXml(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<std::string> rows = Rows(xml);
    if (rows.empty()) {
        return 0;
    }
    xml.GoRoot();
    xml.SelectWhere("Section", "ID", rows.back().substr(rows.back().rfind('\t') + 1),
                    ivData::SELECT_ANYWHERE | ivData::SELECT_ATTRIBUTE);
    (void)xml.GetXml();

    ivXML back;
    back.LoadXml(xml.SaveToString());
    if (Rows(back) != rows) {
        std::abort();  // what the writer wrote does not read back as the same document
    }
    return 0;
}
