// The alarm list: one line per node the network reports on, from the
// worker's live values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "worker/Worker.h"

namespace mnm::tools {

// The node's line: "Node 7:\tALARM" for a value of 0, else the value x 2 as
// seconds ("Node 9:\t30 s"); a node of no value (65535) has none.
std::vector<std::string> AlarmLines(const LiveValues& values);

// A line's two columns: the text before the first tab and the text after it.
struct AlarmColumns {
    std::string_view node;
    std::string_view state;
};
AlarmColumns SplitAlarmLine(std::string_view line);

// The line as a screen reader says it: the columns joined by a space.
std::string SpokenAlarmLine(std::string_view line);

} // namespace mnm::tools
