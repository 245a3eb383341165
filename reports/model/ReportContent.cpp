#include "reports/model/ReportContent.h"

#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/TextEncoding.h"
#include "reports/model/ReportIcons.h"

namespace mnm::reports {

ReportContent ErrorReportContent(const Report& report, std::string_view title)
{
    return {Cp1252ToUtf8(MessageOf(report)), std::string(title), IconForCode(report.code)};
}

ReportContent TextReportContent(const std::optional<std::string>& text, const std::optional<std::string>& title)
{
    return {text.value_or(std::string(kDefaultReportText)), title.value_or(std::string(kDefaultReportTitle)),
            kIconError};
}

} // namespace mnm::reports
