#include "tools/model/MonitorLog.h"

#include "nodeconf/CsvText.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace mnm::tools {

namespace {

const std::array<std::string, 5> kColumns{"Time", "Endpoint", "Value", "Shown", "Caption"};
// Room for any int in every field, so a text is never cut.
constexpr int kTimestampSize = 96;
constexpr int kTmBaseYear = 1900;
constexpr long long kMillisecondsPerSecond = 1000;

std::string TimestampText(const std::tm& local, int milliseconds)
{
    char text[kTimestampSize];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", local.tm_year + kTmBaseYear,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, milliseconds);
    return text;
}

} // namespace

std::string MonitorLogHeader() { return CsvLine(kColumns).append(kLogLineEnd); }

std::string LocalTimestamp(std::chrono::system_clock::time_point when)
{
    using namespace std::chrono;
    const long long sinceEpoch = duration_cast<milliseconds>(when.time_since_epoch()).count();
    // Whole seconds rounded down, so a time before 1970 keeps a millisecond part of 0..999.
    long long seconds = sinceEpoch / kMillisecondsPerSecond;
    long long millis = sinceEpoch % kMillisecondsPerSecond;
    if (millis < 0) {
        millis += kMillisecondsPerSecond;
        --seconds;
    }
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return TimestampText(local, static_cast<int>(millis));
}

std::string MonitorLogRow(std::chrono::system_clock::time_point when, std::string_view endpoint,
                          std::uint32_t value, std::string_view shown, std::string_view caption)
{
    const std::string cells[] = {LocalTimestamp(when), std::string(endpoint), std::to_string(value),
                                 std::string(shown), std::string(caption)};
    return CsvLine(cells).append(kLogLineEnd);
}

} // namespace mnm::tools
