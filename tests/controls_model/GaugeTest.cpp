#include "controls/model/Gauge.h"

#include <gtest/gtest.h>

namespace mnm::controls {
namespace {

const GaugeScale kSignal{-125, -90, -120, -114};
constexpr int kWidth = 350;  // 10 pixels a dB

TEST(Gauge, ValueInsideTheScaleFillsRedYellowAndPartOfGreen)
{
    const int x = GaugeX(kSignal, GaugeShownValue(kSignal, true, -100), kWidth);
    EXPECT_EQ(x, 250);
    const std::vector<GaugeZone> zones = GaugeZones(kSignal, x, kWidth);
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[0], (GaugeZone{0, 50, {192, 0, 0}}));
    EXPECT_EQ(zones[1], (GaugeZone{50, 110, {255, 255, 0}}));
    EXPECT_EQ(zones[2], (GaugeZone{110, 250, {0, 255, 0}}));
    EXPECT_EQ(GaugeText(kSignal, -100), "-100");
}

TEST(Gauge, ValuesOutsideTheScaleClampAndSayWhichSide)
{
    const int above = GaugeX(kSignal, GaugeShownValue(kSignal, true, -80), kWidth);
    EXPECT_EQ(above, kWidth);
    EXPECT_EQ(GaugeZones(kSignal, above, kWidth).back().right, kWidth);
    EXPECT_EQ(GaugeText(kSignal, -80), ">-90");

    const int below = GaugeX(kSignal, GaugeShownValue(kSignal, true, -130), kWidth);
    EXPECT_EQ(below, 0);
    EXPECT_TRUE(GaugeZones(kSignal, below, kWidth).empty());
    EXPECT_EQ(GaugeText(kSignal, -130), "<-125");
}

TEST(Gauge, NoValueShowsTheMinimumAndStartsBetweenTheThresholds)
{
    EXPECT_EQ(GaugeShownValue(kSignal, false, -100), -125);
    EXPECT_EQ(GaugeStartValue(kSignal), -117);
}

TEST(Gauge, ScaleWithoutSpanOrUpsideDownDoesNotDivideByZero)
{
    const GaugeScale flat{-90, -90, -90, -90};
    EXPECT_EQ(GaugeX(flat, -90, kWidth), 0);
    EXPECT_TRUE(GaugeZones(flat, 0, kWidth).empty());
    const GaugeScale reversed{10, 0, 5, 5};
    EXPECT_EQ(GaugeX(reversed, 3, kWidth), 0);
    const GaugeScale wide{INT32_MIN, INT32_MAX, 0, 1};
    EXPECT_EQ(GaugeX(wide, INT32_MAX, kWidth), kWidth);
}

TEST(Gauge, TextEndsLeftOfTheValueButNotPastTheLeftEdge)
{
    EXPECT_EQ(GaugeTextLeft(250, 30), 218);
    EXPECT_EQ(GaugeTextLeft(10, 30), 2);
}

} // namespace
} // namespace mnm::controls
