#pragma once

#include <string>

class ivReportModel;

// The layout of a report's columns as XML text with the root element "ReportControl": for each
// column in display order its item index, name, width and visibility, then the sort and the
// group order. Reading it back applies what fits the columns there are.
std::string GetReportLayoutXML(const ivReportModel& model);

// Applies a layout; false (and nothing changed) when the text is no such layout. Columns are
// matched by item index and name; columns the layout does not name keep their place after
// the ones it does.
bool SetReportLayoutXML(ivReportModel& model, const std::string& text);
