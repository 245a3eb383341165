#include "tools/model/MonitorDisplay.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mnm::tools {
namespace {

enum Choice { kMilliamps = 0, kVolts = 1, kFsd = 2, kRaw = 3 };
constexpr int kWideDisplay = 12;

MonitorReading Reading(char kind, int card, int channel, std::uint32_t value, int node = 0)
{
    return {value, node, kind, card, channel};
}

MonitorShown Analog(std::uint32_t value, int choice, char kind = 'a')
{
    return ShowReading(Reading(kind, 2, 1, value), nullptr, choice, kWideDisplay, nullptr);
}

TEST(MonitorReadingBytes, DecodesTheNodesLayout)
{
    MonitorReadingBytes bytes{};
    const std::uint8_t head[] = {0x00, 0x40, 0x00, 0x01, 7, 'p', 2, 3};
    std::memcpy(bytes.data(), head, sizeof head);
    const MonitorReading r = DecodeReading(bytes);
    EXPECT_EQ(r.value, 0x400001u);
    EXPECT_EQ(r.node, 7);
    EXPECT_EQ(r.kind, 'p');
    EXPECT_EQ(r.card, 2);
    EXPECT_EQ(r.channel, 3);
}

TEST(MonitorAnalog, ScalesFullRangeToEachChoiceRounded)
{
    EXPECT_EQ(Analog(4095, kVolts).text, "5.000");
    EXPECT_EQ(Analog(2048, kVolts).text, "2.501");
    EXPECT_EQ(Analog(4095, kMilliamps).text, "20.00");
    EXPECT_EQ(Analog(4095, kFsd).text, "100.00");
    EXPECT_EQ(Analog(4095, kRaw).text, "4095");
    // Fractions keep their leading zeros.
    EXPECT_EQ(Analog(10, kVolts).text, "0.012");
    EXPECT_EQ(Analog(0, kMilliamps).text, "0.00");
    // A value far above full scale does not wrap in the scaling.
    EXPECT_EQ(Analog(0xFFFFFFFEu, kFsd).text, "104883206.20");
    for (int choice : {kMilliamps, kVolts, kFsd, kRaw}) EXPECT_EQ(Analog(65535, choice).text, "of") << choice;
}

TEST(MonitorAnalog, CaptionCarriesTheUnitOfTheChoice)
{
    EXPECT_EQ(Analog(1, kVolts).caption, "Analog Input (V)  A2.1");
    EXPECT_EQ(Analog(1, kMilliamps).caption, "Analog Input (mA)  A2.1");
    EXPECT_EQ(Analog(1, kFsd, 'A').caption, "Analog Output (% FSD)  A2.1");
    EXPECT_EQ(Analog(1, kRaw).caption, "Analog Input  A2.1");
    // A choice out of the list reads as the default.
    EXPECT_EQ(Analog(4095, 9).text, "5.000");
    const MonitorShown remote = ShowReading(Reading('a', 2, 1, 1, 5), nullptr, kVolts, kWideDisplay, nullptr);
    EXPECT_EQ(remote.caption, "Analog Input (V)  5 A2.1");
}

TEST(MonitorPulse, ShowsTheCountOrNoCount)
{
    const auto pulse = [](std::uint32_t value) {
        return ShowReading(Reading('p', 2, 1, value), nullptr, kVolts, kWideDisplay, nullptr);
    };
    EXPECT_EQ(pulse(0x400000).text, "-----");
    EXPECT_EQ(pulse(0x400000).caption, "Pulse Input  P2.1");
    EXPECT_EQ(pulse(0x1234).text, "4660");
    // The top byte is never part of the count; the low 16 bits alone while bits 23..16 are clear.
    EXPECT_EQ(pulse(0xFF001234).text, "4660");
    EXPECT_EQ(pulse(0xAB012345).text, "74565");
}

TEST(MonitorDigital, RangeShowsHighestChannelLeftmost)
{
    const MonitoredEndpoint range{'d', 1, 1, 8};
    const MonitorShown shown = ShowReading(Reading('d', 1, 1, 0x81), &range, kVolts, 8, nullptr);
    EXPECT_EQ(shown.text, "10000001");
    EXPECT_EQ(shown.caption, "Digital Inputs  D1.8-1");
    EXPECT_EQ(shown.endpoint, "D1.8-1");
    // A smaller display keeps every digit but the caption names those it has room for.
    EXPECT_EQ(ShowReading(Reading('d', 1, 1, 0x81), &range, kVolts, 4, nullptr).caption, "Digital Inputs  D1.4-1");
    const MonitoredEndpoint status{'S', 3, 2, 4};
    const MonitorShown outputs = ShowReading(Reading('S', 3, 2, 0b1010), &status, kVolts, kWideDisplay, nullptr);
    EXPECT_EQ(outputs.text, "101");
    EXPECT_EQ(outputs.caption, "Status Outputs  S3.4-2");
}

TEST(MonitorDigital, OnlyChannelsWithABitGetADigit)
{
    const MonitoredEndpoint wide{'d', 1, 1, 40};
    const MonitorShown all = ShowReading(Reading('d', 1, 1, 0xFFFFFFFF), &wide, kVolts, 40, nullptr);
    EXPECT_EQ(all.text, std::string(32, '1'));
    EXPECT_EQ(all.endpoint, "D1.32-1");

    const MonitoredEndpoint top{'d', 1, 30, 40};
    const MonitorShown topBits = ShowReading(Reading('d', 1, 30, 0xA0000000), &top, kVolts, kWideDisplay, nullptr);
    EXPECT_EQ(topBits.text, "101");
    EXPECT_EQ(topBits.caption, "Digital Inputs  D1.32-30");

    const MonitoredEndpoint beyond{'d', 1, 33, 40};
    EXPECT_TRUE(ShowReading(Reading('d', 1, 33, 0xFFFFFFFF), &beyond, kVolts, kWideDisplay, nullptr).Empty());
    const MonitorShown single = ShowReading(Reading('d', 1, 33, 0xFFFFFFFF), nullptr, kVolts, kWideDisplay, nullptr);
    EXPECT_EQ(single.text, "");
    EXPECT_EQ(single.caption, "");
    EXPECT_EQ(ShowReading(Reading('d', 1, 32, 0x80000000), nullptr, kVolts, kWideDisplay, nullptr).text, "1");
}

TEST(MonitorDigital, SingleChannelIsNamedFromTheNode)
{
    NodeStaticData names;
    ClearNodeStaticData(names);
    AddChannelName(names, 'd', 1, 2, "Pump running");
    const MonitorShown on = ShowReading(Reading('d', 1, 2, 0x2), nullptr, kVolts, kWideDisplay, &names);
    EXPECT_EQ(on.text, "1");
    EXPECT_EQ(on.caption, "Digital Input  D1.2 (Pump running)");
    EXPECT_EQ(on.endpoint, "D1.2");
    EXPECT_EQ(ShowReading(Reading('d', 1, 2, 0x1), nullptr, kVolts, kWideDisplay, &names).text, "0");
    // The output of the same number is another point.
    EXPECT_EQ(ShowReading(Reading('D', 1, 2, 0x2), nullptr, kVolts, kWideDisplay, &names).caption,
              "Digital Output  D1.2");
    // A range is never named after its first channel.
    const MonitoredEndpoint range{'d', 1, 2, 3};
    EXPECT_EQ(ShowReading(Reading('d', 1, 2, 0x2), &range, kVolts, kWideDisplay, &names).caption,
              "Digital Inputs  D1.3-2");
}

TEST(MonitorDisplay, NothingToShowForNoKind)
{
    for (char kind : {'\0', 'x', 'Q'}) {
        const MonitorShown shown = ShowReading(Reading(kind, 1, 1, 5), nullptr, kVolts, kWideDisplay, nullptr);
        EXPECT_TRUE(shown.text.empty()) << kind;
        EXPECT_TRUE(shown.caption.empty()) << kind;
    }
}

} // namespace
} // namespace mnm::tools
