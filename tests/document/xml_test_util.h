#pragma once

#include "document/iv_xml.h"

#include <string>

// Builds a document from XML text, cursor on the root element.
inline bool ParseInto(ivXML& xml, const std::string& text) {
    xml.LoadXml(text);
    return xml.GoRoot();
}
