#include "editor/model/NetworkExplain.h"

#include "nodeconf/Duration.h"
#include "nodeconf/NetworkRules.h"
#include "nodeconf/NumberText.h"
#include "nodeconf/ResultCodes.h"

#include <cstdio>
#include <optional>

namespace mnm::editor {

namespace {

constexpr NetworkField kOrder[] = {kMaxRetriesField, kAlarmDelayField, kTransmitIntervalField};

const std::string& FieldText(const EditorContents& e, NetworkField f)
{
    return f == kMaxRetriesField ? e.maxRetries : f == kAlarmDelayField ? e.alarmDelay : e.transmitInterval;
}

struct Said {
    std::string text;
    std::vector<int> links;
};

std::optional<Said> FormCheck(const EditorContents& e, NetworkField f)
{
    const std::string& text = FieldText(e, f);
    if (text.empty()) return std::nullopt;
    if (f == kMaxRetriesField) {
        if (!IsAllDigits(text))
            return Said{"The Maximum Retries field must be all-numeric and be no longer than two digits.", {}};
        if (text.size() >= 3) return Said{"The Maximum Retries field must be no longer than two digits.", {}};
    } else if (f == kAlarmDelayField) {
        std::uint32_t seconds = 0;
        const int code = ParseDuration(text, DurationField::AlarmDelay, seconds);
        if (code != kDurationParsed && code != kAlarmDelayOutOfRange)
            return Said{"The Alarm Delay must be digits representing minutes.\nHours can optionally be specified.\n\n"
                        "Examples of valid formats are:\n1h30\n2h\n20\n",
                        {}};
    }
    return std::nullopt;
}

// May set the zero Alarm Delay remark and go on (nothing returned).
std::optional<Said> RangeCheck(const EditorContents& e, Explanation& x, NetworkField f)
{
    const std::string& text = FieldText(e, f);
    if (text.empty()) return std::nullopt;
    std::uint32_t seconds = 0;
    if (f == kMaxRetriesField) {
        if (IsAllDigits(text) && DigitsValue(text) > kMaxRetries)
            return Said{"The Maximum Retries must not be greater than 9.\n\nTo reduce the Maximum Retries to this "
                        "maximum, press here@",
                        {kSetMaxRetries}};
    } else if (f == kAlarmDelayField) {
        const int code = ParseDuration(text, DurationField::AlarmDelay, seconds);
        if (code == kAlarmDelayOutOfRange || (code == kDurationParsed && seconds > kMaxAlarmDelay))
            return Said{"The Alarm Delay must not be greater than two days.\n\nTo reduce the Alarm Delay to this "
                        "maximum, press here@",
                        {kRoundDownAlarmDelay}};
        if (code != kDurationParsed) return std::nullopt;
        if (seconds == 0)
            x.Set("Zero Alarm Delay is not recommended.\nIt may be used in special circumstances\n(see user manual).");
        else if (seconds < 60)
            return Said{"The Alarm Delay must be a whole number of minutes. It must be at least one minute.\n\nTo "
                        "increase the Alarm Delay to this minimum allowable value, press here@",
                        {kRoundUpAlarmDelay}};
        else if (seconds % 60 != 0)
            return Said{"The Alarm Delay must be a whole number of minutes.\n\nTo increase the Alarm Delay to the next "
                        "whole minute, press here@\nTo reduce the Alarm Delay to the next whole minute down, press "
                        "here@",
                        {kRoundUpAlarmDelay, kRoundDownAlarmDelay}};
    } else {
        const int code = ParseDuration(text, DurationField::TransmitInterval, seconds);
        if (code != kDurationParsed && code != kIntervalOutOfRange)
            return Said{"The Transmit Interval may be entered as hours, minutes, and/or seconds.\n\nExamples of valid "
                        "formats:\n40s\n2m\n1h10m\n\nIf no units are entered, i.e. h,m, or s, the entry is assumed "
                        "to be in minutes.",
                        {}};
        if (code == kDurationParsed && seconds < kMinTransmitInterval)
            return Said{"The Transmit Interval must be at least 20s.\n\nTo increase the Transmit Interval to this "
                        "minimum, press here@",
                        {kSetMinInterval}};
        if (code == kIntervalOutOfRange || seconds > kMaxTransmitInterval)
            return Said{"The Transmit Interval must not be greater than one day.\n\nTo reduce the Transmit Interval "
                        "to this maximum, press here@",
                        {kSetMaxInterval}};
    }
    return std::nullopt;
}

std::optional<std::uint32_t> Seconds(const std::string& text, DurationField field)
{
    std::uint32_t s = 0;
    if (ParseDuration(text, field, s) != kDurationParsed) return std::nullopt;
    return s;
}

void Say(Explanation& x, const Said& said)
{
    x.Set(said.text);
    for (int link : said.links) x.AddLink(link);
}

void Explain(EditorContents& e, Explanation& x, NetworkField changed)
{
    if (e.maxRetries.empty() && e.alarmDelay.empty() && e.transmitInterval.empty()) {
        x.Set("");
        return;
    }
    x.Set("");
    if (auto said = FormCheck(e, changed)) return Say(x, *said);
    for (NetworkField f : kOrder)
        if (auto said = FormCheck(e, f)) return Say(x, *said);
    if (auto said = RangeCheck(e, x, changed)) return Say(x, *said);
    for (NetworkField f : kOrder)
        if (auto said = RangeCheck(e, x, f)) return Say(x, *said);

    if (changed == kTransmitIntervalField) {
        const auto t = Seconds(e.transmitInterval, DurationField::TransmitInterval);
        if (e.intervalCounter > 0) {
            e.intervalCounter = 2;
            ChangeNetworkField(e, x, kMaxRetriesField, t ? std::to_string(RetryLimit(*t)) : "");
        }
        if (e.alarmCounter > 0) {
            e.alarmCounter = 2;
            ChangeNetworkField(e, x, kAlarmDelayField, t ? FormatDuration(SmallestAlarmDelayFor(*t)) : "");
        }
    }

    const auto t = Seconds(e.transmitInterval, DurationField::TransmitInterval);
    if (t && IsAllDigits(e.maxRetries) && DigitsValue(e.maxRetries) > RetryLimit(*t)) {
        char text[200];
        std::snprintf(text, sizeof text,
                      "For the given Transmit Interval, the Maximum Retries must be no greater than %u.\n\nTo reduce "
                      "the Maximum Retries to this maximum, press here@",
                      RetryLimit(*t));
        return Say(x, {text, {kRetriesFromInterval}});
    }
    const auto a = Seconds(e.alarmDelay, DurationField::AlarmDelay);
    if (t && a && *a != 0 && 2 * static_cast<std::uint64_t>(*t) > *a) {
        char text[300];
        std::snprintf(text, sizeof text,
                      "For the given Transmit Interval, the given Alarm Delay is too short: it needs to be at least "
                      "twice the Transmit Interval.\n\nTo lengthen the Alarm Delay to %stwice the Transmit Interval, "
                      "press here@",
                      (2 * static_cast<std::uint64_t>(*t)) % 60 != 0 ? "at least " : "");
        return Say(x, {text, {kAlarmDelayFromInterval}});
    }
}

} // namespace

void Explanation::Set(std::string_view newText)
{
    text = std::string(newText.substr(0, kMaxExplanationLength));
    links.clear();
}

void Explanation::AddLink(int command)
{
    if (static_cast<int>(links.size()) < kMaxLinks) links.push_back(command);
}

void ChangeNetworkField(EditorContents& e, Explanation& x, NetworkField field, std::string text)
{
    switch (field) {
    case kTransmitIntervalField: e.transmitInterval = std::move(text); break;
    case kMaxRetriesField:
        e.maxRetries = std::move(text);
        if (e.intervalCounter > 0) --e.intervalCounter;
        break;
    case kAlarmDelayField:
        e.alarmDelay = std::move(text);
        if (e.alarmCounter > 0) --e.alarmCounter;
        break;
    }
    Explain(e, x, field);
}

void RunCorrection(EditorContents& e, Explanation& x, int command)
{
    std::optional<std::string> text;
    NetworkField field = kTransmitIntervalField;
    switch (command) {
    case kSetMinInterval: text = FormatDuration(kMinTransmitInterval); break;
    case kSetMaxInterval: text = FormatDuration(kMaxTransmitInterval); break;
    case kSetMaxRetries: field = kMaxRetriesField, text = std::to_string(kMaxRetries); break;
    case kRoundUpAlarmDelay: field = kAlarmDelayField, text = AlarmDelayRoundedUpText(e.alarmDelay); break;
    case kRoundDownAlarmDelay: field = kAlarmDelayField, text = AlarmDelayRoundedDownText(e.alarmDelay); break;
    case kRetriesFromInterval: field = kMaxRetriesField, text = RetriesForIntervalText(e.transmitInterval); break;
    case kAlarmDelayFromInterval: field = kAlarmDelayField, text = AlarmDelayForIntervalText(e.transmitInterval); break;
    case kIntervalFromRetries: text = IntervalForRetriesText(e.maxRetries); break;
    case kIntervalFromAlarmDelay: text = IntervalForAlarmDelayText(e.alarmDelay); break;
    }
    if (text) ChangeNetworkField(e, x, field, *text);
}

} // namespace mnm::editor
