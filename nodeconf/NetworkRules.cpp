#include "nodeconf/NetworkRules.h"

#include "nodeconf/Duration.h"
#include "nodeconf/Endpoint.h"
#include "nodeconf/NodeConf.h"
#include "nodeconf/NumberText.h"
#include "nodeconf/ResultCodes.h"

#include <algorithm>

namespace mnm {

namespace {

constexpr std::size_t kNodeNumberLength = 4;
constexpr std::size_t kChannelLength = 3;
constexpr std::size_t kPowerLength = 3;
constexpr std::size_t kRetriesLength = 1;
constexpr std::size_t kPreTransmitLength = 5;
constexpr std::uint32_t kMaxRadioChannel = 64;
constexpr std::uint32_t kMaxTransmitPower = 1000; // mW

FieldCheck Ok(std::uint32_t value) { return {0, value}; }
FieldCheck Fail(int code) { return {code, absent}; }

// Codes of a digits-only field, from its base (-1001 empty, -1002 too long,
// -1003 non-digits, -1004 out of range).
FieldCheck CheckNumberField(std::string_view text, int base, std::size_t maxLength,
                            std::uint32_t low, std::uint32_t high)
{
    if (text.empty()) return Fail(base);
    if (text.size() > maxLength) return Fail(base - 1);
    if (!IsAllDigits(text)) return Fail(base - 2);
    const std::uint32_t value = DigitsValue(text);
    if (value < low || value > high) return Fail(base - 3);
    return Ok(value);
}

bool InNameSet(char c) { return (c >= 'A' && c <= 'Z') || IsDigit(c) || c == ' '; }

std::optional<std::uint32_t> ParsedSeconds(std::string_view text, DurationField field)
{
    std::uint32_t seconds = 0;
    if (ParseDuration(text, field, seconds) != kDurationParsed) return std::nullopt;
    return seconds;
}

} // namespace

int CheckNetworkName(std::string_view text)
{
    if (text.empty()) return kNetworkNameEmpty;
    if (text.size() > static_cast<std::size_t>(kNetworkNameLength)) return kNetworkNameTooLong;
    if (!std::all_of(text.begin(), text.end(), InNameSet)) return kNetworkNameInvalidCharacters;
    return 0;
}

FieldCheck CheckNodeNumber(std::string_view text)
{
    return CheckNumberField(text, kNodeNumberEmpty, kNodeNumberLength, 1, kMaxNodeNumber);
}

FieldCheck CheckRadioChannel(std::string_view text, bool hasRadio)
{
    if (text.empty() && !hasRadio) return Ok(absent);
    return CheckNumberField(text, kChannelEmpty, kChannelLength, 1, kMaxRadioChannel);
}

FieldCheck CheckTransmitPower(std::string_view text, bool hasRadio)
{
    if (text.empty() && !hasRadio) return Ok(absent);
    return CheckNumberField(text, kTransmitPowerEmpty, kPowerLength, 1, kMaxTransmitPower);
}

FieldCheck CheckTransmitInterval(std::string_view text, bool hasRadio)
{
    if (text.empty() && !hasRadio) return Ok(absent);
    std::uint32_t seconds = 0;
    const int code = ParseDuration(text, DurationField::TransmitInterval, seconds);
    if (code == kIntervalOutOfRange) return Fail(kTransmitIntervalOutOfRange);
    if (code != kDurationParsed) return Fail(code);
    if (seconds < kMinTransmitInterval || seconds > kMaxTransmitInterval) return Fail(kTransmitIntervalOutOfRange);
    return Ok(seconds);
}

FieldCheck CheckMaxRetries(std::string_view text, bool hasRadio)
{
    if (text.empty()) return hasRadio ? Fail(kMaxRetriesEmpty) : Ok(absent);
    if (!IsAllDigits(text)) return Fail(kMaxRetriesNonDigits);
    const std::uint32_t value = DigitsValue(text);
    if (text.size() > kRetriesLength || value > kMaxRetries) return Fail(kMaxRetriesOutOfRange);
    return Ok(value);
}

FieldCheck CheckAlarmDelay(std::string_view text, bool fieldEnabled)
{
    if (!fieldEnabled) return Ok(absent);
    std::uint32_t seconds = 0;
    const int code = ParseDuration(text, DurationField::AlarmDelay, seconds);
    if (code == kAlarmDelayOutOfRange) return Fail(kAlarmDelayAboveTwoDays);
    if (code != kDurationParsed) return Fail(code);
    if (seconds > kMaxAlarmDelay) return Fail(kAlarmDelayAboveTwoDays);
    if (seconds % 60 != 0) return Fail(kAlarmDelayNotWholeMinutes);
    return Ok(seconds);
}

int CheckAlarmDelayAgainstInterval(std::uint32_t alarmDelay, std::uint32_t interval,
                                   std::uint32_t retries)
{
    // 64-bit, so twice an absent interval is still larger than every delay.
    if (alarmDelay != 0 && 2 * static_cast<std::uint64_t>(interval) > alarmDelay) return kAlarmDelayBelowTwiceInterval;
    if (retries > RetryLimit(interval)) return kMaxRetriesTooGreatForInterval;
    return 0;
}

FieldCheck CheckPreTransmitOnTime(std::string_view text, bool lowPowerTransmitter)
{
    if (!lowPowerTransmitter) return Ok(absent);
    if (!text.empty() && !IsAllDigits(text)) return Fail(kPreTransmitNonDigits);
    if (text.empty()) return Fail(kPreTransmitEmpty);
    if (text.size() > kPreTransmitLength) return Fail(kPreTransmitTooLong);
    const std::uint32_t value = DigitsValue(text);
    if (value > kMaxPreTransmitOnTime) return Fail(kPreTransmitOutOfRange);
    return Ok(value);
}

int CheckPreTransmitAgainstInterval(std::uint32_t preTransmit, std::uint32_t interval)
{
    if (preTransmit != 0 && interval == absent) return kPreTransmitWithoutInterval;
    if (preTransmit >= interval) return kPreTransmitNotBelowInterval;
    return 0;
}

std::uint32_t RetryLimit(std::uint32_t intervalSeconds)
{
    return std::min<std::uint32_t>(kMaxRetries, intervalSeconds / 60 + 1);
}

std::uint32_t SmallestIntervalForRetries(int retries)
{
    if (retries <= 1) return kMinTransmitInterval;
    // Capped at the longest interval the field accepts, so absurd retries
    // cannot overflow into a short interval.
    const std::uint64_t seconds = (static_cast<std::uint64_t>(retries) - 1) * 60;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(seconds, kMaxTransmitInterval));
}

std::uint32_t SmallestAlarmDelayFor(std::uint32_t interval)
{
    const std::uint64_t twice = 2 * static_cast<std::uint64_t>(interval);
    return static_cast<std::uint32_t>((twice + 59) / 60 * 60);
}

std::uint32_t LargestIntervalForAlarmDelay(std::uint32_t alarmDelay) { return alarmDelay / 2; }

std::uint32_t AlarmDelayRoundedUp(std::uint32_t alarmDelay)
{
    if (alarmDelay != 0 && alarmDelay % 60 == 0) return alarmDelay;
    return (alarmDelay / 60 + 1) * 60;
}

std::uint32_t AlarmDelayRoundedDown(std::uint32_t alarmDelay)
{
    if (alarmDelay > kMaxAlarmDelay) return kMaxAlarmDelay;
    return alarmDelay - alarmDelay % 60;
}

std::optional<std::string> RetriesForIntervalText(std::string_view intervalText)
{
    const auto interval = ParsedSeconds(intervalText, DurationField::TransmitInterval);
    if (!interval) return std::nullopt;
    return std::to_string(RetryLimit(*interval));
}

std::optional<std::string> AlarmDelayForIntervalText(std::string_view intervalText)
{
    const auto interval = ParsedSeconds(intervalText, DurationField::TransmitInterval);
    if (!interval) return std::nullopt;
    return FormatDuration(SmallestAlarmDelayFor(*interval));
}

std::optional<std::string> IntervalForRetriesText(std::string_view retriesText)
{
    int retries = 0;
    if (!ScanInt(retriesText, retries)) return std::nullopt;
    return FormatDuration(SmallestIntervalForRetries(retries));
}

std::optional<std::string> IntervalForAlarmDelayText(std::string_view alarmDelayText)
{
    const auto delay = ParsedSeconds(alarmDelayText, DurationField::AlarmDelay);
    if (!delay) return std::nullopt;
    return FormatDuration(LargestIntervalForAlarmDelay(*delay));
}

std::optional<std::string> AlarmDelayRoundedUpText(std::string_view alarmDelayText)
{
    const auto delay = ParsedSeconds(alarmDelayText, DurationField::AlarmDelay);
    if (!delay) return std::nullopt;
    return FormatDuration(AlarmDelayRoundedUp(*delay));
}

std::optional<std::string> AlarmDelayRoundedDownText(std::string_view alarmDelayText)
{
    std::uint32_t delay = 0;
    const int code = ParseDuration(alarmDelayText, DurationField::AlarmDelay, delay);
    if (code == kAlarmDelayOutOfRange) return FormatDuration(kMaxAlarmDelay); // past seven days counts as the most
    if (code != kDurationParsed) return std::nullopt;
    return FormatDuration(AlarmDelayRoundedDown(delay));
}

} // namespace mnm
