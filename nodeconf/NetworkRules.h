// The network page's fields: the check of each field text (in the order the
// whole-configuration check applies them), the cross-checks between fields,
// and the values the page's correction commands write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mnm {

inline constexpr std::uint32_t kMinTransmitInterval = 20;    // seconds
inline constexpr std::uint32_t kMaxTransmitInterval = 86400; // one day
inline constexpr std::uint32_t kMaxAlarmDelay = 172800;      // two days
inline constexpr std::uint32_t kMaxRetries = 9;
inline constexpr std::uint32_t kMaxPreTransmitOnTime = 60;   // seconds

// A checked field: code 0 with its value (absent when the field may be and
// is empty), or the field's negative code.
struct FieldCheck {
    int code;
    std::uint32_t value;
};

int CheckNetworkName(std::string_view text); // the value is the text itself
FieldCheck CheckNodeNumber(std::string_view text);
// The radio fields may be empty only on a node without UHF radio.
FieldCheck CheckRadioChannel(std::string_view text, bool hasRadio);
FieldCheck CheckTransmitPower(std::string_view text, bool hasRadio);
FieldCheck CheckTransmitInterval(std::string_view text, bool hasRadio);
FieldCheck CheckMaxRetries(std::string_view text, bool hasRadio);
// A disabled Alarm Delay field is not read: absent.
FieldCheck CheckAlarmDelay(std::string_view text, bool fieldEnabled);
// Only while the Alarm Delay is set (not absent): -1404, then -1505.
int CheckAlarmDelayAgainstInterval(std::uint32_t alarmDelay, std::uint32_t interval,
                                   std::uint32_t retries);
// Read only with the low-power transmitter selected; absent otherwise.
FieldCheck CheckPreTransmitOnTime(std::string_view text, bool lowPowerTransmitter);
// Only while the Pre-Transmit On-Time is set: -1905, then -1906.
int CheckPreTransmitAgainstInterval(std::uint32_t preTransmit, std::uint32_t interval);

// The most retries a transmit interval of that many seconds allows.
std::uint32_t RetryLimit(std::uint32_t intervalSeconds);

// Correction values, in seconds.
std::uint32_t SmallestIntervalForRetries(int retries);
std::uint32_t SmallestAlarmDelayFor(std::uint32_t interval);
std::uint32_t LargestIntervalForAlarmDelay(std::uint32_t alarmDelay);
std::uint32_t AlarmDelayRoundedUp(std::uint32_t alarmDelay);
std::uint32_t AlarmDelayRoundedDown(std::uint32_t alarmDelay);

// The correction commands over the field texts: the text to write into the
// corrected field, or nothing when a field they read does not parse.
std::optional<std::string> RetriesForIntervalText(std::string_view intervalText);
std::optional<std::string> AlarmDelayForIntervalText(std::string_view intervalText);
std::optional<std::string> IntervalForRetriesText(std::string_view retriesText);
std::optional<std::string> IntervalForAlarmDelayText(std::string_view alarmDelayText);
std::optional<std::string> AlarmDelayRoundedUpText(std::string_view alarmDelayText);
std::optional<std::string> AlarmDelayRoundedDownText(std::string_view alarmDelayText);

} // namespace mnm
