// The received signal strength of the last ten minutes, one entry per
// second (a live pass comes several times a second), and the arithmetic of
// the plot that draws it under the gauge.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tools/model/RadioStatus.h"

namespace mnm::tools {

using std::chrono::milliseconds;

inline constexpr milliseconds kSignalHistorySpan{10 * 60 * 1000};
inline constexpr milliseconds kSignalHistoryStep{1000};
// One entry per step over the span, and the one being filled.
inline constexpr std::size_t kSignalHistoryEntries = kSignalHistorySpan / kSignalHistoryStep + 1;

struct SignalSecond {
    milliseconds start{0}; // a multiple of the step
    int minimum = 0;
    int maximum = 0;
    long long sum = 0;
    int count = 0;
    int Mean() const;
};

struct SignalFigures {
    int minimum = 0;
    int maximum = 0;
    int mean = 0;
    bool operator==(const SignalFigures&) const = default;
};

class SignalHistory {
public:
    // A sample at `tick`; entries older than the span before it go. A tick
    // in a second before the last sample's (a clock set back) starts afresh.
    void Add(milliseconds tick, int dbm);
    // Forgets what is older than the span before `now` (nothing to add
    // while the node is silent, yet the history ages).
    void Age(milliseconds now);
    void Clear() { seconds_.clear(); }

    bool Empty() const { return seconds_.empty(); }
    const std::deque<SignalSecond>& Seconds() const { return seconds_; }
    // Over every sample kept; nothing when there is none.
    std::optional<SignalFigures> Figures() const;

private:
    std::deque<SignalSecond> seconds_;
};

// The plot's drawing area in pixels.
struct PlotArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PlotPoint {
    int x = 0;
    int y = 0;
    bool joined = true; // false: a new stretch of the trace after a gap
    bool operator==(const PlotPoint&) const = default;
};

// Longer without a reading (another view shown, the node silent) and the
// trace is broken there rather than bridged by a line that looks like one.
inline constexpr milliseconds kTraceGap{10000};

// One second's extent: the line from its weakest to its strongest sample.
struct PlotSpan {
    int x = 0;
    int top = 0;    // strongest
    int bottom = 0; // weakest
    bool operator==(const PlotSpan&) const = default;
};

// Time runs left to right over the span ending at `now` (the right edge);
// earlier and later ticks stay on the edges.
int PlotX(milliseconds tick, milliseconds now, const PlotArea& area);
// The signal scale's maximum at the top, its minimum at the bottom; values
// beyond it stay on the edges.
int PlotY(int dbm, const PlotArea& area);
// The means, oldest first, and each second's extent.
std::vector<PlotPoint> PlotTrace(const SignalHistory& history, milliseconds now, const PlotArea& area);
std::vector<PlotSpan> PlotSpans(const SignalHistory& history, milliseconds now, const PlotArea& area);

// "min -117  max -96  mean -106 dBm", or the empty plot's text.
std::string SignalSummary(const std::optional<SignalFigures>& figures);
// The same for a screen reader, in words.
std::string SignalDescription(const std::optional<SignalFigures>& figures);
// The time axis's ends.
inline constexpr const char* kPlotStartText = "10 min ago";
inline constexpr const char* kPlotEndText = "now";

} // namespace mnm::tools
