#include "framework/report_layout.h"

#include "document/iv_xml.h"
#include "framework/report_model.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kRoot = "ReportControl";
// More entries than this are not a layout anyone wrote.
constexpr int kMostEntries = 1000;

int Number(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

void WriteOrder(ivXML& xml, const char* element, const std::vector<ivReportOrder>& order) {
    xml.AddNode(element);
    for (const ivReportOrder& entry : order) {
        xml.AddNode("Column");
        xml.AddAttribute("ItemIndex", std::to_string(entry.itemIndex));
        xml.AddAttribute("Ascending", entry.ascending ? "1" : "0");
        xml.EndNode();
    }
    xml.EndNode();
}

std::vector<ivReportOrder> ReadOrder(ivXML& xml, const ivReportModel& model) {
    std::vector<ivReportOrder> order;
    const int count = std::min(xml.GetChildCount(), kMostEntries);
    for (int i = 0; i < count; ++i) {
        if (!xml.GoChild(i)) {
            continue;
        }
        if (xml.GetName() == "Column") {
            const int index = Number(xml.GetAttribute("ItemIndex"));
            const bool known = model.FindColumnByItemIndex(index) != nullptr;
            const bool repeated = std::any_of(order.begin(), order.end(),
                                              [&](const auto& o) { return o.itemIndex == index; });
            if (known && !repeated) {
                order.push_back({index, xml.GetAttribute("Ascending") != "0"});
            }
        }
        xml.GoParent();
    }
    return order;
}

}  // namespace

std::string GetReportLayoutXML(const ivReportModel& model) {
    ivXML xml;
    if (!xml.Create() || !xml.AddNode(kRoot)) {
        return {};
    }
    xml.AddAttribute("Version", "1");
    for (int position = 0; position < model.GetColumnCount(); ++position) {
        const CXTPReportColumnEx* column = model.GetColumnAt(position);
        xml.AddNode("Column");
        xml.AddAttribute("ItemIndex", std::to_string(column->GetItemIndex()));
        xml.AddAttribute("Name", column->GetName());
        xml.AddAttribute("Width", std::to_string(column->GetWidth()));
        xml.AddAttribute("Visible", column->IsVisible() ? "1" : "0");
        xml.EndNode();
    }
    WriteOrder(xml, "SortOrder", model.SortOrder());
    WriteOrder(xml, "GroupOrder", model.GroupOrder());
    xml.GoRoot();
    return xml.GetXml();
}

bool SetReportLayoutXML(ivReportModel& model, const std::string& text) {
    if (text.empty()) {
        return false;
    }
    ivXML xml;
    xml.LoadXml(text);
    if (!xml.GoRoot() || xml.GetName() != kRoot) {
        return false;
    }
    std::vector<CXTPReportColumnEx*> placed;
    bool sortSeen = false;
    bool groupSeen = false;
    std::vector<ivReportOrder> sort;
    std::vector<ivReportOrder> group;
    const int count = std::min(xml.GetChildCount(), kMostEntries);
    for (int i = 0; i < count; ++i) {
        if (!xml.GoChild(i)) {
            continue;
        }
        const std::string name = xml.GetName();
        if (name == "Column") {
            CXTPReportColumnEx* column =
                model.FindColumnByItemIndex(Number(xml.GetAttribute("ItemIndex")));
            const bool fits = column != nullptr && column->GetName() == xml.GetAttribute("Name") &&
                              std::find(placed.begin(), placed.end(), column) == placed.end();
            if (fits) {
                placed.push_back(column);
                const std::string width = xml.GetAttribute("Width");
                if (!width.empty()) {
                    column->SetWidth(Number(width));
                }
                const std::string visible = xml.GetAttribute("Visible");
                if (!visible.empty()) {
                    column->SetVisible(visible != "0");
                }
            }
        } else if (name == "SortOrder") {
            sort = ReadOrder(xml, model);
            sortSeen = true;
        } else if (name == "GroupOrder") {
            group = ReadOrder(xml, model);
            groupSeen = true;
        }
        xml.GoParent();
    }
    for (size_t position = 0; position < placed.size(); ++position) {
        model.MoveColumn(placed[position], static_cast<int>(position));
    }
    if (sortSeen) {
        model.SortOrder() = sort;
    }
    if (groupSeen) {
        model.GroupOrder() = group;
    }
    model.NotifyColumnsChanged();
    return true;
}
