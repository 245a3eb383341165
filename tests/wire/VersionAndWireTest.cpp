#include <gtest/gtest.h>

#include <cstring>

#include "wire/NodeVersion.h"
#include "wire/WireRecords.h"

namespace mnm {
namespace {

TEST(CompareVersions, ComparesMajorMinorBuildAsNumbers)
{
    struct Case { const char* a; const char* b; int expected; } cases[] = {
        {"2.03.0041", "2.3.41", 0},   {"2.10.0000", "2.08.0050", 1}, {"2.08.0049", "2.08.0050", -1},
        {"3.00.0000", "2.99.9999", 1}, {"", "0.0.0", 0},            {"junk", "0.0.1", -1},
        {"2.03", "2.03.0000", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(CompareVersions(c.a, c.b), c.expected) << c.a << " " << c.b;
}

TEST(WireRecords, ConnectionFromNodeSetsValidOnlyForGoodEndpoints)
{
    const std::uint8_t good[16] = {0x03, 5, 1, 2, 'a', 7, 3, 4, 'A', 0x12, 0x34, 0x56, 0x78, 0x10, 0x02, 9};
    Connection c = DecodeConnection(good);
    EXPECT_EQ(c.connFlags, kConnValid | 0x03);
    EXPECT_EQ(c.originKind, 'a');
    EXPECT_EQ(c.destNode, 7);
    EXPECT_EQ(+c.connSpare, 0x12345678u);
    EXPECT_EQ(+c.changeThreshold, 0x0210u); // low byte first
    EXPECT_EQ(c.pulseScaling, 9);

    std::uint8_t bad[16];
    std::memcpy(bad, good, 16);
    bad[8] = 'a'; // an input cannot be a destination
    c = DecodeConnection(bad);
    EXPECT_EQ(c.connFlags, 0x03);
    EXPECT_EQ(c.destKind, 'a');
    EXPECT_EQ(+c.changeThreshold, 0x0210u);
}

TEST(WireRecords, ConnectionToNodeLayout)
{
    Connection c{};
    ASSERT_EQ(MakeConnection(c, 1, 'd', 2, 3, 4, 'D', 5, 6), 0);
    c.connFlags |= kConnOnChange;
    c.connSpare = 0xAABBCCDD;
    c.changeThreshold = 0x1234;
    c.pulseScaling = 7;
    std::uint8_t w[16];
    EncodeConnection(c, w);
    const std::uint8_t expected[16] = {0x81, 1, 2, 3, 'd', 4, 5, 6, 'D', 0xAA, 0xBB, 0xCC, 0xDD, 0x34, 0x12, 7};
    EXPECT_EQ(std::memcmp(w, expected, 16), 0);
}

TEST(WireRecords, DialupAndSmsWordsAreBigEndianBothWays)
{
    DialupConnection d{};
    d.flags = kDialValid | kDialOnChange;
    d.changeThreshold = 0x0102;
    d.interval = 0x0304;
    d.maxPpm = 0x0506;
    d.localKind = 'a';
    d.telephone = 3;
    std::uint8_t w[24];
    EncodeDialupConnection(d, w);
    EXPECT_EQ(w[0], 0x80);
    EXPECT_EQ(w[3], 0x02);
    EXPECT_EQ(w[4], 0x01);
    EXPECT_EQ(w[9], 0x06);
    EXPECT_EQ(w[10], 'a');
    const DialupConnection back = DecodeDialupConnection(w);
    EXPECT_EQ(std::memcmp(&back, &d, sizeof d), 0);

    SmsConnection s{};
    s.kind = 'a';
    s.limit = 0x1122;
    s.extra2 = 0x3344;
    s.telephone = 5;
    EncodeSmsConnection(s, w);
    EXPECT_EQ(w[4], 0x11);
    EXPECT_EQ(w[11], 0x44);
    const SmsConnection sback = DecodeSmsConnection(w);
    EXPECT_EQ(std::memcmp(&sback, &s, sizeof s), 0);
}

} // namespace
} // namespace mnm
