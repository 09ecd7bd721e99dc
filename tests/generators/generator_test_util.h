#pragma once

#include "core/command_ids.h"
#include "document/iv_xml.h"
#include "generators/status_indicators.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace generator_testing {

// What "MODE" shows while output is generated: the image of "TOOLS_GENERATE", table number
// 34590.
inline constexpr int kGenerating = command_id::FromTableNumber(34590);

// A document tree parsed from the XML of its "Document" element.
inline std::unique_ptr<ivXML> MakeDocument(const std::string& body) {
    auto tree = std::make_unique<ivXML>();
    tree->LoadXml("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body);
    return tree;
}

// Every indicator value in the order a generator set it.
class RecordingIndicators : public ivStatusIndicators {
public:
    void SetIndicator(const std::string& name, int value) override {
        m_calls.emplace_back(name, value);
    }
    std::vector<int> Values(const std::string& name) const {
        std::vector<int> values;
        for (const auto& [n, v] : m_calls) {
            if (n == name) {
                values.push_back(v);
            }
        }
        return values;
    }
    const std::vector<std::pair<std::string, int>>& Calls() const { return m_calls; }

private:
    std::vector<std::pair<std::string, int>> m_calls;
};

// A stand-in for the RTF-to-HTML conversion that shows what it was given:
// "<p>[name|title|flags] rtf</p>" with the name, title and flags it received.
inline std::string EchoConvert(const std::string& rtf, const std::string&, const std::string& name,
                               const std::string& title, unsigned flags) {
    return "<p>[" + name + "|" + title + "|" + std::to_string(flags) + "] " + rtf + "</p>";
}

// Compares text with the golden file tests/generators/golden/<name>.
inline void ExpectGolden(const std::string& name, const std::string& actual) {
    testing_support::ExpectGolden(std::string(QV_GOLDEN_DIR) + "/" + name, actual);
}

}  // namespace generator_testing
