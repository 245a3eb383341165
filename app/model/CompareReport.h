// What the comparison of the open configuration with the node's shows: a
// heading naming both sides, one line per difference (or a line saying there
// is none), and the text Copy puts on the clipboard.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/model/ConfigState.h"

namespace mnm::app {

inline constexpr char kCompareTitle[] = "Compare with Node";
inline constexpr char kSameConfigurationText[] = "The node holds the same configuration.";
// The open configuration's name while it has no file.
inline constexpr char kCompareUntitled[] = "Untitled";

struct CompareReportTexts {
    std::string heading;
    std::vector<std::string> lines; // the differences, or kSameConfigurationText alone
    bool same = false;

    bool operator==(const CompareReportTexts&) const = default;
};

// `state`: the open configuration as it was stored for the comparison;
// `port`: the port the node was read on; `differences`: one "PATH: A -> B"
// each, A the open configuration's value and B the node's, in order.
CompareReportTexts CompareReport(const ConfigState& state, std::string_view port,
                                 std::vector<std::string> differences);

// The heading and every line, each ending in a line break.
std::string CompareClipboardText(const CompareReportTexts& texts);

} // namespace mnm::app
