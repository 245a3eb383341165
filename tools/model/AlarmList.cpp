#include "tools/model/AlarmList.h"

#include <array>
#include <cstdio>

#include "worker/Worker.h"

namespace mnm::tools {

namespace {

constexpr std::uint16_t kAlarmValue = 0;
// The node reports in units of two seconds.
constexpr int kSecondsPerUnit = 2;
constexpr char kColumnSeparator = '\t';

} // namespace

std::vector<std::string> AlarmLines(const LiveValues& values)
{
    std::vector<std::string> lines;
    for (int node = 0; node < kLiveValueCount; ++node) {
        const std::uint16_t value = values[static_cast<std::size_t>(node)];
        if (value == kNoLiveValue) continue;
        std::array<char, 32> line{};
        if (value == kAlarmValue)
            std::snprintf(line.data(), line.size(), "Node %d:\tALARM", node);
        else
            std::snprintf(line.data(), line.size(), "Node %d:\t%d s", node, value * kSecondsPerUnit);
        lines.emplace_back(line.data());
    }
    return lines;
}

AlarmColumns SplitAlarmLine(std::string_view line)
{
    const std::size_t tab = line.find(kColumnSeparator);
    if (tab == std::string_view::npos) return {line, {}};
    return {line.substr(0, tab), line.substr(tab + 1)};
}

std::string SpokenAlarmLine(std::string_view line)
{
    const AlarmColumns columns = SplitAlarmLine(line);
    if (columns.state.empty()) return std::string(columns.node);
    return std::string(columns.node) + ' ' + std::string(columns.state);
}

} // namespace mnm::tools
