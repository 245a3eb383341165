#include "nodeconf/ConnectionRule.h"

#include <gtest/gtest.h>

using namespace mnm;

namespace {

ConnectionInput Input(const char* in, const char* out)
{
    ConnectionInput i;
    i.input = in;
    i.output = out;
    return i;
}

} // namespace

TEST(ConnectionRule, RangeStepsBothChannels)
{
    // The field decides the direction, whatever the letter's case.
    const ConnectionAdd add = BuildConnections(Input("D1.1-8", "d2.1"));
    ASSERT_EQ(0, add.code);
    ASSERT_EQ(8u, add.entries.size());
    for (int i = 0; i < 8; ++i) {
        const Connection& c = add.entries[i];
        EXPECT_EQ('d', c.originKind);
        EXPECT_EQ(i + 1, c.originChannel);
        EXPECT_EQ('D', c.destKind);
        EXPECT_EQ(0, c.destNode);
        EXPECT_EQ(i + 1, c.destChannel);
        EXPECT_EQ(kConnValid | kConnOnInterval, c.connFlags);
        EXPECT_EQ(255u, +c.changeThreshold);
    }
}

TEST(ConnectionRule, RangePastChannel255KeepsEarlierMembers)
{
    ConnectionAdd add = BuildConnections(Input("a1.250-300", "A1.1"));
    EXPECT_EQ(-2004, add.code);
    ASSERT_EQ(6u, add.entries.size()); // 250..255
    EXPECT_EQ(255, add.entries.back().originChannel);

    add = BuildConnections(Input("a1.1-8", "5A1.253"));
    EXPECT_EQ(-2004, add.code);
    EXPECT_EQ(3u, add.entries.size()); // the destination reaches 255 first
    EXPECT_EQ(5, add.entries[0].destNode);

    add = BuildConnections(Input("a1.1-99999999999", "A1.1"));
    EXPECT_EQ(-2004, add.code);
    EXPECT_EQ(255u, add.entries.size());
}

TEST(ConnectionRule, Faults)
{
    struct Case {
        const char* in;
        const char* out;
        bool ev;
        const char* pct;
        const char* ppm;
        int code;
    };
    const Case cases[] = {
        {"5a1.1", "A1.1", false, "", "", -2002},
        {"a1.1x", "A1.1", false, "", "", -2011},
        {"a1.1-3x", "A1.1", false, "", "", -2011},
        {"a1.1-", "A1.1", false, "", "", -2012},
        {"a1.3-1", "A1.1", false, "", "", -2013},
        {"q1.1", "A1.1", false, "", "", -2001},
        {"", "A1.1", false, "", "", -2001},
        {"a1.1", "S1.1", false, "", "", -2003},
        {"a1.1", "s1.1", false, "", "", -2003},
        {"a1.1", "A1.1-2", false, "", "", -2003},
        {"a256.1", "A1.1", false, "", "", -2999},
        {"a1.1", "255A1.1", false, "", "", -2999},
        {"p1.1", "A1.1", false, "", "6001", -2014},
        {"p1.1", "A1.1", false, "", "0", -2014},
        {"p1.1", "A1.1", false, "", "", -2014},
        {"p1.1", "D1.1", true, "101", "", -2008},
        {"p1.1", "D1.1", true, "", "", -2008},
        {"a1.1", "A1.1", true, "101", "", -2010},
        {"a1.1", "A1.1", true, "5%", "", -2010},
    };
    for (const Case& k : cases) {
        ConnectionInput in = Input(k.in, k.out);
        in.onChange = k.ev;
        in.percentage = k.pct;
        in.maxPpm = k.ppm;
        const ConnectionAdd add = BuildConnections(in);
        EXPECT_EQ(k.code, add.code) << k.in << " " << k.out;
        EXPECT_TRUE(add.entries.empty()) << k.in << " " << k.out;
    }
}

TEST(ConnectionRule, ThresholdsByKind)
{
    struct Case {
        const char* in;
        const char* out;
        bool ev, offset;
        const char* pct;
        const char* ppm;
        std::uint8_t flags;
        std::uint32_t threshold;
        std::uint8_t scaling;
    };
    const std::uint8_t iv = kConnValid | kConnOnInterval, both = iv | kConnOnChange;
    const Case cases[] = {
        {"p1.1", "A1.1", true, false, "50", "6000", iv, 6000, 0x40}, // EV cleared for pulse to analog
        {"p1.1", "A1.1", false, true, "", "1", iv, 1, 0x41},
        {"p1.1", "D1.1", true, false, "100", "", both, 100, 0},
        {"p1.1", "P1.1", false, false, "junk", "", iv, 0, 0},
        {"a1.1", "A1.1", true, false, "0", "", both, 0, 0},
        {"a1.1", "A1.1", false, false, "junk", "", iv, 255, 0},
        {"s1.1", "D1.1", true, false, "junk", "", both, 255, 0},
        {"d0.1", "3D1.1", false, false, "", "", iv, 255, 0},
    };
    for (const Case& k : cases) {
        ConnectionInput in = Input(k.in, k.out);
        in.onChange = k.ev;
        in.offset = k.offset;
        in.percentage = k.pct;
        in.maxPpm = k.ppm;
        const ConnectionAdd add = BuildConnections(in);
        ASSERT_EQ(0, add.code) << k.in << " " << k.out;
        ASSERT_EQ(1u, add.entries.size());
        const Connection& c = add.entries[0];
        EXPECT_EQ(k.flags, c.connFlags) << k.in << " " << k.out;
        EXPECT_EQ(k.threshold, +c.changeThreshold) << k.in << " " << k.out;
        EXPECT_EQ(k.scaling, c.pulseScaling) << k.in << " " << k.out;
        EXPECT_EQ(0u, +c.connSpare);
    }
}
