// Duration texts of the Transmit Interval and Alarm Delay fields: groups of
// digits with H, M and S units (1h10m, 40s, 5m30); a bare number is minutes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mnm {

inline constexpr std::uint32_t kMaxDurationSeconds = 604800; // seven days

// Which field a text comes from: each has its own codes and messages.
enum class DurationField { TransmitInterval, AlarmDelay };

// Returns 1 with the seconds, or the field's negative code (-1301 / -1401
// empty, -4391..-4401 / -4421..-4431 for the notation and the seven-day bound).
int ParseDuration(std::string_view text, DurationField field, std::uint32_t& seconds);
inline constexpr int kDurationParsed = 1;

// The shortest text that parses back to the same seconds; absent gives "".
std::string FormatDuration(std::uint32_t seconds);

} // namespace mnm
