#include "tools/model/SignalHistory.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mnm::tools {

namespace {

constexpr const char* kNoSignalText = "No signal yet";
constexpr const char* kNoSignalDescription = "No received signal strength in the last ten minutes";
constexpr std::size_t kTextRoom = 128;

// Rounded down, also for ticks before the clock's zero.
milliseconds StepStart(milliseconds tick)
{
    const long long step = kSignalHistoryStep.count();
    long long n = tick.count() / step;
    if (tick.count() % step < 0) --n;
    return milliseconds(n * step);
}

// The position of `value` from `from` to `to` across `pixels` pixels.
int Across(long long value, long long from, long long to, int pixels)
{
    if (pixels <= 1 || to <= from) return 0;
    const long long clamped = std::clamp(value, from, to);
    return static_cast<int>((clamped - from) * (pixels - 1) / (to - from));
}

} // namespace

int SignalSecond::Mean() const
{
    return count == 0 ? 0 : static_cast<int>(std::lround(static_cast<double>(sum) / count));
}

void SignalHistory::Add(milliseconds tick, int dbm)
{
    const milliseconds start = StepStart(tick);
    // A clock set back makes the times kept meaningless against the new ones.
    if (!seconds_.empty() && start < seconds_.back().start) seconds_.clear();
    if (seconds_.empty() || start > seconds_.back().start) {
        seconds_.push_back({start, dbm, dbm, 0, 0});
    }
    SignalSecond& last = seconds_.back();
    last.minimum = std::min(last.minimum, dbm);
    last.maximum = std::max(last.maximum, dbm);
    last.sum += dbm;
    ++last.count;
    Age(tick);
}

void SignalHistory::Age(milliseconds now)
{
    while (!seconds_.empty() && seconds_.front().start < now - kSignalHistorySpan) seconds_.pop_front();
    while (seconds_.size() > kSignalHistoryEntries) seconds_.pop_front();
}

std::optional<SignalFigures> SignalHistory::Figures() const
{
    if (seconds_.empty()) return std::nullopt;
    SignalFigures f{seconds_.front().minimum, seconds_.front().maximum, 0};
    long long sum = 0;
    long long count = 0;
    for (const SignalSecond& s : seconds_) {
        f.minimum = std::min(f.minimum, s.minimum);
        f.maximum = std::max(f.maximum, s.maximum);
        sum += s.sum;
        count += s.count;
    }
    f.mean = static_cast<int>(std::lround(static_cast<double>(sum) / static_cast<double>(count)));
    return f;
}

int PlotX(milliseconds tick, milliseconds now, const PlotArea& area)
{
    return area.left + Across(tick.count(), (now - kSignalHistorySpan).count(), now.count(), area.width);
}

int PlotY(int dbm, const PlotArea& area)
{
    // Measured down from the top: the strongest signal is highest.
    return area.top + Across(-static_cast<long long>(dbm), -static_cast<long long>(kSignalScale.maximum),
                             -static_cast<long long>(kSignalScale.minimum), area.height);
}

std::vector<PlotPoint> PlotTrace(const SignalHistory& history, milliseconds now, const PlotArea& area)
{
    std::vector<PlotPoint> points;
    points.reserve(history.Seconds().size());
    const SignalSecond* previous = nullptr;
    for (const SignalSecond& s : history.Seconds()) {
        const bool joined = previous && s.start - previous->start <= kTraceGap;
        points.push_back({PlotX(s.start, now, area), PlotY(s.Mean(), area), joined});
        previous = &s;
    }
    return points;
}

std::vector<PlotSpan> PlotSpans(const SignalHistory& history, milliseconds now, const PlotArea& area)
{
    std::vector<PlotSpan> spans;
    spans.reserve(history.Seconds().size());
    for (const SignalSecond& s : history.Seconds())
        spans.push_back({PlotX(s.start, now, area), PlotY(s.maximum, area), PlotY(s.minimum, area)});
    return spans;
}

std::string SignalSummary(const std::optional<SignalFigures>& figures)
{
    if (!figures) return kNoSignalText;
    char text[kTextRoom];
    std::snprintf(text, sizeof text, "min %d  max %d  mean %d dBm", figures->minimum, figures->maximum, figures->mean);
    return text;
}

std::string SignalDescription(const std::optional<SignalFigures>& figures)
{
    if (!figures) return kNoSignalDescription;
    char text[kTextRoom];
    std::snprintf(text, sizeof text, "Last ten minutes: weakest %d dBm, strongest %d dBm, mean %d dBm",
                  figures->minimum, figures->maximum, figures->mean);
    return text;
}

} // namespace mnm::tools
