// The monitor's log file: comma-separated lines a spreadsheet opens as they
// stand, one per reading shown.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace mnm::tools {

// Every line ends so, as comma-separated files are defined.
inline constexpr std::string_view kLogLineEnd = "\r\n";

std::string MonitorLogHeader();

// Local time "2024-05-01T13:45:12.345" (ISO 8601, to the millisecond).
std::string LocalTimestamp(std::chrono::system_clock::time_point when);


// A reading's line: when, the endpoint as the caption names it, the value
// as the node sent it, the text the display showed and the whole caption
// (input or output, the unit the value is shown in, the channel's name).
std::string MonitorLogRow(std::chrono::system_clock::time_point when, std::string_view endpoint,
                          std::uint32_t value, std::string_view shown, std::string_view caption);

} // namespace mnm::tools
