#include "tools/model/EngineeringCommands.h"

#include <gtest/gtest.h>

#include <vector>

using namespace mnm;
using namespace mnm::tools;

namespace {

using Bytes = std::vector<std::uint8_t>;

template <std::size_t N> Bytes AsBytes(const std::optional<CommandBytes<N>>& bytes)
{
    return bytes ? Bytes(bytes->begin(), bytes->end()) : Bytes{};
}

TEST(EngineeringEndpoint, ReadsOnlyThisNodesOutputsOfTheActionsKind)
{
    EXPECT_EQ(ReadOutputPoint("D3.4", kDigitalOutputKind), (OutputPoint{3, 4}));
    EXPECT_EQ(ReadOutputPoint("d3.4", kDigitalOutputKind), (OutputPoint{3, 4})); // either case
    EXPECT_EQ(ReadOutputPoint("A255.1", kAnalogOutputKind), (OutputPoint{255, 1}));

    EXPECT_FALSE(ReadOutputPoint("5D3.4", kDigitalOutputKind)); // another node's
    EXPECT_FALSE(ReadOutputPoint("A3.4", kDigitalOutputKind));
    EXPECT_FALSE(ReadOutputPoint("D3.0", kDigitalOutputKind));
    EXPECT_FALSE(ReadOutputPoint("D3.17", kDigitalOutputKind));
    EXPECT_FALSE(ReadOutputPoint("D256.1", kDigitalOutputKind));
    EXPECT_FALSE(ReadOutputPoint("D3.1-4", kDigitalOutputKind));
}

TEST(EngineeringCommand, DigitalOnNamesTheChannelAndOffAllOthers)
{
    EXPECT_EQ(AsBytes(DigitalCommandFor("D3.4", true)), (Bytes{0x00, 0x10, 3, 0x00, 0x08}));
    EXPECT_EQ(AsBytes(DigitalCommandFor("D3.4", false)), (Bytes{0x00, 0x20, 3, 0xFF, 0xF7}));
    EXPECT_FALSE(DigitalCommandFor("5D3.4", true));
}

TEST(EngineeringCommand, AnalogLevelIsTheValueOverFullScaleIn4096Steps)
{
    EXPECT_EQ(AsBytes(AnalogCommandFor("A2.1", "2.5", kVoltsScale)), (Bytes{0x00, 0x41, 2, 0x08, 0x00}));
    // Full scale itself is held to the top level.
    EXPECT_EQ(AsBytes(AnalogCommandFor("A2.3", "5", kVoltsScale)), (Bytes{0x00, 0x43, 2, 0x0F, 0xFF}));
    // 12.345 mA reads as 1234 hundredths: 1234 x 4096 / 2000 = 2527.
    EXPECT_EQ(AsBytes(AnalogCommandFor("A1.2", "12.345", kMilliampsScale)), (Bytes{0x00, 0x42, 1, 0x09, 0xDF}));
    // Channel 16 is written as 0 in the sub-command.
    EXPECT_EQ(AsBytes(AnalogCommandFor("A1.16", "1", kVoltsScale)), (Bytes{0x00, 0x40, 1, 0x03, 0x33}));

    EXPECT_FALSE(AnalogCommandFor("A2.1", "6", kVoltsScale));
    EXPECT_FALSE(AnalogCommandFor("A2.1", "20.01", kMilliampsScale));
}

TEST(EngineeringCommand, ValuesThatWrapThirtyTwoBitsStayAboveFullScale)
{
    // 4294968 V in millivolts is 2^32 + 704: wrapped it would look like 0.704 V.
    EXPECT_FALSE(AnalogCommandFor("A2.1", "4294968", kVoltsScale));
    EXPECT_FALSE(AnalogCommandFor("A2.1", "9999999999", kVoltsScale));
    EXPECT_FALSE(AnalogCommandFor("A2.1", "42949673", kMilliampsScale));
}

TEST(EngineeringCommand, PulsesSetUpTheChannelThenGiveTheCount)
{
    EXPECT_EQ(AsBytes(PulseCommandFor("P1.2", "300")), (Bytes{0x00, 0xA2, 1, 0x00, 0x00, 0xB2, 1, 0x01, 0x2C}));
    EXPECT_EQ(AsBytes(PulseCommandFor("p4.15", "65535")), (Bytes{0x00, 0xAF, 4, 0x00, 0x00, 0xBF, 4, 0xFF, 0xFF}));
    // Channel 16 must not turn the set-up code into the count code.
    EXPECT_EQ(AsBytes(PulseCommandFor("P1.16", "1")), (Bytes{0x00, 0xA0, 1, 0x00, 0x00, 0xB0, 1, 0x00, 0x01}));

    EXPECT_FALSE(PulseCommandFor("P1.2", "65536"));
    EXPECT_FALSE(PulseCommandFor("P1.2", ""));
    EXPECT_FALSE(PulseCommandFor("P1.2", " 3"));
    EXPECT_FALSE(PulseCommandFor("P1.2", "99999999999999999999"));
}

TEST(DecimalValue, ScalesToTheDecimalsAndDropsTheRest)
{
    EXPECT_EQ(ReadDecimal("2.5", 3), 2500u);
    EXPECT_EQ(ReadDecimal("12.345", 2), 1234u);
    EXPECT_EQ(ReadDecimal("  \t7", 2), 700u);
    EXPECT_EQ(ReadDecimal(".5", 3), 500u);
    EXPECT_EQ(ReadDecimal("1234567890", 3), 1234567890000u);
    EXPECT_EQ(ReadDecimal("1.234567891", 3), 1234u); // ten digits, most dropped

    EXPECT_FALSE(ReadDecimal("", 3));
    EXPECT_FALSE(ReadDecimal(".", 3));
    EXPECT_FALSE(ReadDecimal("1.2.3", 3));
    EXPECT_FALSE(ReadDecimal("12345678901", 3)); // eleven digits
    EXPECT_FALSE(ReadDecimal("1.2345678901", 3));
    EXPECT_FALSE(ReadDecimal("-1", 3));
}

} // namespace
