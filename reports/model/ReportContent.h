// What an error report shows: its text, caption and picture, from a report
// or from a plain text.
#pragma once

#include "nodeconf/Report.h"

#include <optional>
#include <string>
#include <string_view>

namespace mnm::reports {

inline constexpr std::string_view kDefaultReportText = "Report";
inline constexpr std::string_view kDefaultReportTitle = "Error";

struct ReportContent {
    std::string text;   // UTF-8
    std::string title;  // UTF-8
    int icon = 0;
};

// The report's own text, or its code's catalogue message; the picture is
// the code's.
ReportContent ErrorReportContent(const Report& report, std::string_view title);

// An absent text or title gets its default; the picture is the error one.
ReportContent TextReportContent(const std::optional<std::string>& text, const std::optional<std::string>& title);

} // namespace mnm::reports
