// Node software versions ("major.minor.build") and the features they gate.
#pragma once

namespace mnm {

// Accepts empty values for channel, power, interval and retries.
inline constexpr const char* kVersionAbsentValues = "2.03.0000";
// Table sizes, network flags and the flash wipe.
inline constexpr const char* kVersionTableSizes = "2.03.0041";
// The task scheduler command.
inline constexpr const char* kVersionTaskScheduler = "2.08.0050";

// -1, 0 or 1 comparing major, then minor, then build; unreadable parts are 0.
int CompareVersions(const char* a, const char* b);

} // namespace mnm
