#include "nodeconf/Duration.h"

#include "nodeconf/NodeConf.h"
#include "nodeconf/NumberText.h"
#include "nodeconf/ResultCodes.h"

#include <cctype>

namespace mnm {

namespace {

// Offsets from the field's first notation code (HOURS symbol twice).
enum Fault {
    kHoursTwice = 0,
    kHoursAfterMinutes,
    kHoursAfterSeconds,
    kHoursWithoutDigits,
    kMinutesTwice,
    kMinutesAfterSeconds,
    kMinutesWithoutDigits,
    kSecondsTwice,
    kSecondsWithoutDigits,
    kOutOfRange,
    kUnparsable,
};

int FaultCode(DurationField field, Fault fault)
{
    const int first = field == DurationField::TransmitInterval ? kIntervalHoursTwice : kAlarmDelayHoursTwice;
    return first - fault;
}

// Digits accumulate up to here, so a long run cannot wrap into a small value.
constexpr std::uint64_t kAccumulatorCap = kMaxDurationSeconds + 1;

} // namespace

int ParseDuration(std::string_view text, DurationField field, std::uint32_t& seconds)
{
    if (text.empty()) return field == DurationField::TransmitInterval ? kTransmitIntervalEmpty : kAlarmDelayEmpty;
    constexpr std::int64_t none = -1;
    std::int64_t pending = none, hours = none, minutes = none, secs = none;
    for (char raw : text) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        if (IsDigit(c)) {
            const std::int64_t next = (pending == none ? 0 : pending) * 10 + (c - '0');
            pending = next > static_cast<std::int64_t>(kAccumulatorCap) ? kAccumulatorCap : next;
        } else if (c == 'H') {
            if (hours != none) return FaultCode(field, kHoursTwice);
            if (minutes != none) return FaultCode(field, kHoursAfterMinutes);
            if (secs != none) return FaultCode(field, kHoursAfterSeconds);
            if (pending == none) return FaultCode(field, kHoursWithoutDigits);
            hours = pending;
            pending = none;
        } else if (c == 'M') {
            if (minutes != none) return FaultCode(field, kMinutesTwice);
            if (secs != none) return FaultCode(field, kMinutesAfterSeconds);
            if (pending == none) return FaultCode(field, kMinutesWithoutDigits);
            minutes = pending;
            pending = none;
        } else if (c == 'S') {
            if (secs != none) return FaultCode(field, kSecondsTwice);
            if (pending == none) return FaultCode(field, kSecondsWithoutDigits);
            secs = pending;
            pending = none;
        } else {
            return FaultCode(field, kUnparsable);
        }
    }
    if (pending != none) {
        if (secs != none) return FaultCode(field, kUnparsable);
        (minutes == none ? minutes : secs) = pending;
    }
    const std::int64_t total = (hours == none ? 0 : hours * 3600) +
                               (minutes == none ? 0 : minutes * 60) + (secs == none ? 0 : secs);
    if (total > static_cast<std::int64_t>(kMaxDurationSeconds))
        return FaultCode(field, kOutOfRange);
    seconds = static_cast<std::uint32_t>(total);
    return kDurationParsed;
}

std::string FormatDuration(std::uint32_t seconds)
{
    if (seconds == absent) return {};
    const std::uint32_t h = seconds / 3600, m = seconds % 3600 / 60, s = seconds % 60;
    const std::string H = std::to_string(h), M = std::to_string(m), S = std::to_string(s);
    if (h != 0) {
        if (s != 0) return H + "h" + M + "m" + S + "s";
        return m != 0 ? H + "h" + M : H + "h";
    }
    if (m != 0) return s != 0 ? M + "m" + S + "s" : M;
    return s != 0 ? S + "s" : "0";
}

} // namespace mnm
