#include "app/model/CompareReport.h"

#include <utility>

namespace mnm::app {
namespace {

// Read the same way as each line: the configuration on the left of the
// arrow, the node on the right.
std::string Heading(const ConfigState& state, std::string_view port)
{
    const std::string name = state.fileName.empty() ? kCompareUntitled : state.fileName;
    std::string node = "the node";
    if (!port.empty()) node += " on " + std::string(port);
    return "Configuration " + name + " -> " + node;
}

} // namespace

CompareReportTexts CompareReport(const ConfigState& state, std::string_view port, std::vector<std::string> differences)
{
    CompareReportTexts texts;
    texts.heading = Heading(state, port);
    texts.same = differences.empty();
    texts.lines = texts.same ? std::vector<std::string>{kSameConfigurationText} : std::move(differences);
    return texts;
}

std::string CompareClipboardText(const CompareReportTexts& texts)
{
    std::string text = texts.heading + '\n';
    for (const std::string& line : texts.lines) text += line + '\n';
    return text;
}

} // namespace mnm::app
