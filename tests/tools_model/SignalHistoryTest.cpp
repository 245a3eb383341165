#include "tools/model/SignalHistory.h"

#include <gtest/gtest.h>

namespace mnm::tools {
namespace {

using namespace std::chrono_literals;

constexpr milliseconds kMinute = 60s;

TEST(SignalHistory, FiguresCoverEverySampleKept)
{
    SignalHistory h;
    EXPECT_EQ(h.Figures(), std::nullopt);
    h.Add(100ms, -100);
    h.Add(400ms, -110); // the same second
    h.Add(1500ms, -95);
    h.Add(2000ms, -104);
    EXPECT_EQ(h.Seconds().size(), 3u);
    EXPECT_EQ(h.Seconds().front().Mean(), -105);
    // The mean is of the samples, not of the seconds: -409 / 4.
    EXPECT_EQ(h.Figures(), (SignalFigures{-110, -95, -102}));
}

TEST(SignalHistory, SamplesOlderThanTenMinutesGo)
{
    SignalHistory h;
    h.Add(0ms, -120);
    h.Add(kMinute, -100);
    h.Add(10 * kMinute, -90); // the first is exactly ten minutes old: kept
    EXPECT_EQ(h.Figures()->minimum, -120);
    h.Add(10 * kMinute + 1s, -91);
    EXPECT_EQ(h.Figures()->minimum, -100);
    h.Age(11 * kMinute + 1s);
    EXPECT_EQ(h.Figures(), (SignalFigures{-91, -90, -91}));
    h.Age(30 * kMinute);
    EXPECT_TRUE(h.Empty());
}

TEST(SignalHistory, StaysBoundedUnderManySamples)
{
    SignalHistory h;
    for (milliseconds t = 0ms; t < 30 * kMinute; t += 50ms) h.Add(t, -100 - static_cast<int>(t.count() % 7));
    EXPECT_LE(h.Seconds().size(), kSignalHistoryEntries);
    EXPECT_EQ(h.Figures(), (SignalFigures{-106, -100, -103}));
}

TEST(SignalHistory, ClockSetBackStartsAfresh)
{
    SignalHistory h;
    h.Add(5s, -100);
    h.Add(5900ms, -104); // the same second is no step back
    h.Add(2s, -110);
    ASSERT_EQ(h.Seconds().size(), 1u);
    EXPECT_EQ(h.Figures(), (SignalFigures{-110, -110, -110}));
    h.Add(3s, -100);
    EXPECT_EQ(h.Seconds().size(), 2u);
}

TEST(SignalPlot, TimeRunsOverTenMinutesToTheRightEdge)
{
    const PlotArea area{10, 5, 601, 36};
    const milliseconds now = 20 * kMinute;
    EXPECT_EQ(PlotX(now, now, area), 610);
    EXPECT_EQ(PlotX(now - 10 * kMinute, now, area), 10);
    EXPECT_EQ(PlotX(now - 5 * kMinute, now, area), 310);
    // Outside the span: on the edges.
    EXPECT_EQ(PlotX(now - 30 * kMinute, now, area), 10);
    EXPECT_EQ(PlotX(now + 1s, now, area), 610);
}

TEST(SignalPlot, StrongestAtTheTopWeakestAtTheBottom)
{
    const PlotArea area{0, 5, 100, 36}; // 35 steps for the 35 dB of the scale
    EXPECT_EQ(PlotY(-90, area), 5);
    EXPECT_EQ(PlotY(-125, area), 40);
    EXPECT_EQ(PlotY(-100, area), 15);
    EXPECT_EQ(PlotY(-20, area), 5);
    EXPECT_EQ(PlotY(-65535, area), 40);
    // A degenerate area does not divide by zero.
    EXPECT_EQ(PlotY(-100, PlotArea{0, 0, 0, 0}), 0);
    EXPECT_EQ(PlotX(1s, 1s, PlotArea{3, 0, 1, 1}), 3);
}

TEST(SignalPlot, TraceAndSpansFollowTheSeconds)
{
    SignalHistory h;
    h.Add(0ms, -100);
    h.Add(500ms, -110);
    h.Add(10 * kMinute, -90);
    const PlotArea area{0, 0, 601, 36};
    const milliseconds now = 10 * kMinute;
    // Ten minutes without a reading between them: two stretches, no line.
    EXPECT_EQ(PlotTrace(h, now, area), (std::vector<PlotPoint>{{0, 15, false}, {600, 0, false}}));
    EXPECT_EQ(PlotSpans(h, now, area), (std::vector<PlotSpan>{{0, 10, 20}, {600, 0, 0}}));

    // A second that follows within the gap is joined (the first one has aged out by then).
    h.Add(10 * kMinute + kTraceGap, -100);
    h.Add(10 * kMinute + kTraceGap + kTraceGap + 1s, -100);
    const std::vector<PlotPoint> trace = PlotTrace(h, 10 * kMinute + 2 * kTraceGap + 1s, area);
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_TRUE(trace[1].joined);
    EXPECT_FALSE(trace[2].joined);
}

TEST(SignalPlot, SummaryNamesTheFiguresOrSaysThereAreNone)
{
    EXPECT_EQ(SignalSummary(SignalFigures{-117, -96, -106}), "min -117  max -96  mean -106 dBm");
    EXPECT_EQ(SignalSummary(std::nullopt), "No signal yet");
    EXPECT_NE(SignalDescription(SignalFigures{-117, -96, -106}).find("-106"), std::string::npos);
}

} // namespace
} // namespace mnm::tools
