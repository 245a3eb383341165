#include "nodeconf/NodeStaticData.h"

#include <gtest/gtest.h>

#include <string>

namespace mnm {
namespace {

NodeStaticData Empty()
{
    NodeStaticData d;
    ClearNodeStaticData(d);
    return d;
}

TEST(NodeStaticData, CardNamesAcceptOneToTwentyCharactersUpToThirtyTwo)
{
    NodeStaticData d = Empty();
    EXPECT_EQ(AddCardName(d, ""), -1);
    EXPECT_EQ(AddCardName(d, std::string(21, 'x').c_str()), -1);
    EXPECT_EQ(AddCardName(d, std::string(20, 'x').c_str()), 1);
    for (int i = 2; i <= kMaxCardNames; ++i) ASSERT_EQ(AddCardName(d, "IO"), i);
    EXPECT_EQ(AddCardName(d, "IO"), -1);
    EXPECT_EQ(CardName(d, 1), std::string(20, 'x'));
    EXPECT_EQ(CardName(d, 0), nullptr);
    EXPECT_EQ(CardName(d, 33), nullptr);
}

TEST(NodeStaticData, ChannelGroupPositionMayEqualCardCountButNotExceedIt)
{
    NodeStaticData d = Empty();
    AddCardName(d, "Digital");
    EXPECT_EQ(AddChannelGroup(d, -1, 'd', 1, 8), -1);
    EXPECT_EQ(AddChannelGroup(d, 2, 'd', 1, 8), -1);
    EXPECT_EQ(AddChannelGroup(d, 1, 'd', 1, 8), 0);
    for (int i = 1; i < kMaxChannelGroups; ++i) ASSERT_EQ(AddChannelGroup(d, 0, 'D', 1, 4), 0);
    EXPECT_EQ(AddChannelGroup(d, 0, 'D', 1, 4), -1);
    ASSERT_NE(ChannelGroup(d, 1), nullptr);
    EXPECT_EQ(ChannelGroup(d, 1)->cardPosition, 1);
    EXPECT_EQ(ChannelGroup(d, 65), nullptr);
}

TEST(NodeStaticData, ChannelNamesOnePerPointCutAndLookedUpWithLimit)
{
    NodeStaticData d = Empty();
    EXPECT_EQ(AddChannelName(d, 'd', 1, 2, std::string(60, 'n').c_str()), 1);
    EXPECT_EQ(AddChannelName(d, 'd', 1, 2, "second"), 0);
    EXPECT_EQ(AddChannelName(d, 'D', 1, 2, "output"), 1); // case is part of the point
    std::string name;
    EXPECT_EQ(ChannelName(d, 'd', 1, 2, 63, name), 1);
    EXPECT_EQ(name, std::string(48, 'n'));
    EXPECT_EQ(ChannelName(d, 'd', 1, 2, 47, name), -1);
    EXPECT_EQ(ChannelName(d, 'a', 1, 2, 63, name), 0);
    for (int i = 3; i <= kMaxChannelNames; ++i) ASSERT_EQ(AddChannelName(d, 'a', 1, i, "x"), 1);
    EXPECT_EQ(AddChannelName(d, 'a', 2, 1, "x"), 0);
}

TEST(NodeStaticData, CopyTakesTablesButNotIdentity)
{
    NodeStaticData from = Empty(), to = Empty();
    AddCardName(from, "Card");
    AddChannelGroup(from, 0, 'a', 3, 4);
    AddChannelName(from, 'a', 3, 1, "Level");
    std::snprintf(from.serialNumber, sizeof from.serialNumber, "S1");
    std::snprintf(to.serialNumber, sizeof to.serialNumber, "KEEP");
    CopyHardwareTables(to, from);
    EXPECT_EQ(to.cardNameCount, 1);
    EXPECT_EQ(to.channelGroupCount, 1);
    EXPECT_EQ(to.channelNameCount, 1);
    EXPECT_STREQ(to.serialNumber, "KEEP");
}

TEST(NodeStaticData, DisplayTextsAndItemValues)
{
    NodeStaticData d = Empty();
    AddCardName(d, "DIG16");
    AddChannelName(d, 'd', 2, 5, "Door");
    ChannelGroupEntry g{};
    g.kind = 'd';
    g.cardNumber = 2;
    g.channelCount = 16;
    EXPECT_EQ(CardItemText(d, 1), "Card 1, DIG16");
    EXPECT_EQ(GroupItemText(g), "Digital Inputs D2.[1..16]");
    EXPECT_EQ(ChannelItemText(d, 'd', 2, 5), "D2.5   Door");
    EXPECT_EQ(ChannelItemText(d, 'd', 2, 6), "D2.6");
    EXPECT_EQ(ChannelItemValue('d', 2, 5), 0x80000000u + 'd' * 0x10000u + 0x205u);
    EXPECT_EQ(GroupItemValue(g), 'd' * 0x10000u + 0x210u - 0x40000000u);
}

TEST(NodeStaticData, KindFilterSeparatesDirections)
{
    struct Case { char kind; std::uint32_t bit; } cases[] = {
        {'d', 1}, {'D', 16}, {'a', 2}, {'A', 32}, {'p', 4}, {'P', 64}, {'s', 8}, {'x', 0}};
    for (const Case& c : cases) EXPECT_EQ(KindFilterBit(c.kind), c.bit) << c.kind;
    EXPECT_TRUE(KindInFilter('A', 2 * 16 | 1));
    EXPECT_FALSE(KindInFilter('a', 2 * 16 | 1));
}

TEST(NodeStaticData, EngineeringDefaultsTakeFirstOutputGroupsAndKeepTypedFields)
{
    NodeStaticData d = Empty();
    AddCardName(d, "Mixed");
    AddChannelGroup(d, 0, 'd', 1, 8);
    AddChannelGroup(d, 0, 'D', 3, 8);
    AddChannelGroup(d, 0, 'D', 4, 8);
    AddChannelGroup(d, 0, 'A', 5, 2);
    EngineeringEndpoints f;
    f.pulseOutput = "P9.9";
    FillDefaultEngineeringEndpoints(d, f);
    EXPECT_EQ(f.digitalOutput, "D3.1");
    EXPECT_EQ(f.pulseOutput, "P9.9");
    EXPECT_EQ(f.analogOutput1, "A5.1");
    EXPECT_EQ(f.analogOutput2, "A5.1");
}

} // namespace
} // namespace mnm
