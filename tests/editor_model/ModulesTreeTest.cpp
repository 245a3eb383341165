#include "editor/model/ModulesTree.h"

#include <gtest/gtest.h>

using namespace mnm;
using namespace mnm::editor;

namespace {

// Packed by hand, so a fault in the packing is not mirrored here.
constexpr std::uint32_t Heading(char kind, std::uint32_t card, std::uint32_t count)
{
    return 0xC0000000u + static_cast<std::uint32_t>(kind) * 65536u + card * 256u + count;
}
constexpr std::uint32_t Channel(char kind, std::uint32_t card, std::uint32_t channel)
{
    return 0x80000000u + static_cast<std::uint32_t>(kind) * 65536u + card * 256u + channel;
}

// Card 1: eight digital inputs (the third named) and four analog outputs.
NodeStaticData OneCard()
{
    NodeStaticData data;
    ClearNodeStaticData(data);
    AddCardName(data, "IO-8D4A");
    AddChannelGroup(data, 0, 'd', 1, 8);
    AddChannelGroup(data, 0, 'A', 1, 4);
    AddChannelName(data, 'd', 1, 3, "Pump");
    return data;
}

} // namespace

TEST(ModulesTree, CardHeadingsAndChannelsFollowTheMask)
{
    EXPECT_EQ(15u, kConnectionsTreeMask);
    EXPECT_EQ(187u, kSmsTreeMask);
    EXPECT_EQ(255u, kDialupTreeMask);
    EXPECT_EQ(255u, kMonitorTreeMask);

    const auto cards = ModulesTreeItems(OneCard(), kConnectionsTreeMask);
    ASSERT_EQ(1u, cards.size());
    EXPECT_EQ("Card 1, IO-8D4A", cards[0].text);
    EXPECT_EQ(0u, cards[0].value);
    ASSERT_EQ(2u, cards[0].children.size());

    const ModuleItem& inputs = cards[0].children[0];
    EXPECT_EQ("Digital Inputs D1.[1..8]", inputs.text);
    EXPECT_EQ(Heading('d', 1, 8), inputs.value);
    ASSERT_EQ(8u, inputs.children.size());
    EXPECT_EQ("D1.1", inputs.children[0].text);
    EXPECT_EQ("D1.3   Pump", inputs.children[2].text);
    EXPECT_EQ(Channel('d', 1, 8), inputs.children[7].value);

    const ModuleItem& outputs = cards[0].children[1];
    EXPECT_EQ("Analog Outputs A1.[1..4]", outputs.text);
    EXPECT_EQ(Heading('A', 1, 4), outputs.value) << "the letter keeps its case";
    EXPECT_TRUE(outputs.children.empty()) << "outputs are no connection source";

    const auto dialup = ModulesTreeItems(OneCard(), kDialupTreeMask);
    ASSERT_EQ(4u, dialup[0].children[1].children.size());
    EXPECT_EQ(Channel('A', 1, 4), dialup[0].children[1].children[3].value);
}

TEST(ModulesTree, GroupsGoUnderTheirOwnCardInOrder)
{
    NodeStaticData data = OneCard();
    AddCardName(data, "Status 2S");
    AddChannelGroup(data, 1, 's', 2, 2);
    AddChannelGroup(data, 1, 'p', 2, 1);
    AddChannelGroup(data, 2, 'D', 9, 1); // position past the last card: under none

    const auto cards = ModulesTreeItems(data, kSmsTreeMask);
    ASSERT_EQ(2u, cards.size());
    EXPECT_EQ(2u, cards[0].children.size());
    EXPECT_EQ("Card 2, Status 2S", cards[1].text);
    ASSERT_EQ(2u, cards[1].children.size());
    EXPECT_EQ("Status Inputs S2.[1..2]", cards[1].children[0].text);
    EXPECT_EQ("S2.2", cards[1].children[0].children[1].text);
    EXPECT_EQ("Pulse Inputs P2.[1..1]", cards[1].children[1].text);
    EXPECT_TRUE(cards[1].children[1].children.empty()) << "no pulse points on the SMS page";
}

TEST(ModulesTree, EachPageDecidesWhatAPickDoes)
{
    using P = ModulePick;
    const std::uint32_t in = Channel('d', 1, 3), out = Channel('A', 1, 2);
    const std::uint32_t inGroup = Heading('d', 1, 8), outGroup = Heading('D', 2, 4);

    EXPECT_EQ(P({"D1.3", false}), PickForConnections(in));
    EXPECT_EQ(std::nullopt, PickForConnections(out));
    EXPECT_EQ(P({"D1.1-8", false}), PickForConnections(inGroup));
    EXPECT_EQ(std::nullopt, PickForConnections(outGroup));

    for (auto pick : {PickForSms, PickForDialup}) {
        EXPECT_EQ(P({"D1.3", false}), pick(in));
        EXPECT_EQ(P({"A1.2", true}), pick(out));
        EXPECT_EQ(std::nullopt, pick(inGroup));
    }

    EXPECT_EQ(P({"A1.2", true}), PickForMonitor(out));
    EXPECT_EQ(P({"D2.1-4", true}), PickForMonitor(outGroup));
    EXPECT_EQ(P({"S3.1-2", false}), PickForMonitor(Heading('s', 3, 2)));
    EXPECT_EQ(std::nullopt, PickForMonitor(Heading('a', 1, 4))) << "analog groups are watched one by one";

    for (auto pick : {PickForConnections, PickForSms, PickForDialup, PickForMonitor}) {
        EXPECT_EQ(std::nullopt, pick(0)) << "card item";
        EXPECT_EQ(std::nullopt, pick(Channel('x', 1, 1))) << "unknown kind";
    }
}

TEST(ModulesTree, EmptyOrOversizedGroupsNeverSpillIntoTheCardByte)
{
    NodeStaticData data;
    ClearNodeStaticData(data);
    AddCardName(data, "Odd");
    AddChannelGroup(data, 0, 'd', 1, 0);
    AddChannelGroup(data, 0, 's', 1, -3);
    AddChannelGroup(data, 0, 'x', 1, 4);    // unknown kind
    AddChannelGroup(data, 0, 'a', 300, 2);  // card number past a byte
    AddChannelGroup(data, 0, 'D', 2, 1000); // count past a byte

    const auto cards = ModulesTreeItems(data, kMonitorTreeMask);
    ASSERT_EQ(3u, cards[0].children.size());
    const ModuleItem& zero = cards[0].children[0];
    const ModuleItem& negative = cards[0].children[1];
    EXPECT_EQ("Digital Inputs D1.[none]", zero.text);
    EXPECT_EQ(Heading('d', 1, 0), zero.value);
    EXPECT_EQ("Status Inputs S1.[none]", negative.text);
    EXPECT_EQ(Heading('s', 1, 0), negative.value);
    EXPECT_TRUE(zero.children.empty());
    EXPECT_TRUE(negative.children.empty());
    EXPECT_EQ(std::nullopt, PickForConnections(zero.value));
    EXPECT_EQ(std::nullopt, PickForMonitor(negative.value));

    const ModuleItem& big = cards[0].children[2];
    EXPECT_EQ("Digital Outputs D2.[1..255]", big.text);
    EXPECT_EQ(Heading('D', 2, 255), big.value);
    EXPECT_EQ(255u, big.children.size());
}
