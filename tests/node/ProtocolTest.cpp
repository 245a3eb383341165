// The protocol through the real link thread against a virtual node on a
// pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "link/Link.h"
#include "wire/NodeCodes.h"
#include "protocol/NodeProtocol.h"
#include "transfer/NodeStaticDataRead.h"
#include "transfer/NodeTransferWrappers.h"
#include "protocol/NodeTypedQueries.h"
#include "settings/Settings.h"
#include "tests/node/NodeOnTerminal.h"

namespace mnm {
namespace {

using NodeProtocol = OnNode;
using NodeStaticDataRead = OnNode;

TEST_F(NodeProtocol, BudgetBelowTenMillisecondsFailsEveryQuery)
{
    TestNode().SetQueryReply(query::kHighestChannel, 0, 0, {20});
    std::uint32_t v = 0;
    ASSERT_EQ(NodeQueryU8(TestChannel(), query::kHighestChannel, 0, 0, v), 0);
    EXPECT_EQ(v, 20u);
    SetTestBudgets(9, 1500);
    EXPECT_EQ(NodeQueryU8(TestChannel(), query::kHighestChannel, 0, 0, v), kTransportNoReply);
    SetTestBudgets(800, 1500);
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // let the late reply arrive
}

TEST_F(NodeProtocol, ReplyForOtherParametersAndFiveByteAckAreIgnored)
{
    // Each stray frame settles in the receiver first, and the node answers
    // late enough for the protocol to have taken it: bytes arriving while a
    // complete frame waits are dropped by the link.
    constexpr Fault kLateReply{Fault::kDelay, 200, 1};
    TestNode().SetQueryReply(query::kCardName, 1, 0, Bytes("IO"));
    TestNode().InjectFault({kTypeQuery, query::kCardName}, kLateReply);
    TestNode().SendPayload({kTypeQuery, kQueryReply, query::kCardName, 2, 0, 'X'});
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::uint8_t reply[kReplyBufferSize];
    ASSERT_EQ(NodeQuery(TestChannel(), query::kCardName, 1, 0, reply), 2);
    EXPECT_EQ(reply[0], 'I');

    TestChannel().SetNextSequence(100);
    TestNode().SetCommandStatuses(command::kOnOff, {0});
    TestNode().InjectFault({kTypeCommand, command::kOnOff}, kLateReply);
    TestNode().SendPayload({kTypeCommand, 0, 100, 1, 0});
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::uint8_t data[4] = {0, 0, 0, 1};
    EXPECT_EQ(NodeCommand(TestChannel(), command::kOnOff, data, 4), 0);
}

TEST_F(NodeProtocol, SequenceWrapsAfterLastNumber)
{
    TestChannel().SetNextSequence(kMaxSequenceNumber);
    const std::size_t before = TestNode().Commands().size();
    const std::uint8_t data[2] = {0, 5};
    EXPECT_EQ(NodeCommand(TestChannel(), command::kSetChannel, data, 2), 1);
    EXPECT_EQ(NodeCommand(TestChannel(), command::kSetChannel, data, 2), 1);
    const auto seen = TestNode().Commands();
    ASSERT_EQ(seen.size(), before + 2);
    EXPECT_EQ(seen[before].sequence, kMaxSequenceNumber);
    EXPECT_EQ(seen[before + 1].sequence, 1);
}

TEST_F(NodeProtocol, EndOfTableResults)
{
    TestNode().SetQueryReply(query::kRoute, 0, 1, {});
    std::uint32_t v = 0;
    EXPECT_EQ(NodeQueryOptionalU32(TestChannel(), query::kRoute, 0, 1, v), 1);
    TestNode().SetQueryReply(query::kDialupNumber, 1, 0, {0, 0, 0, 3});
    char text[40] = "keep";
    int declared = 0;
    EXPECT_EQ(NodeQueryCountedText(TestChannel(), query::kDialupNumber, 1, 0, text, 32, declared), kTransportWrongLength);
    EXPECT_STREQ(text, "keep");
    TestNode().SetQueryReply(query::kDialupNumber, 2, 0, {});
    EXPECT_EQ(NodeQueryCountedText(TestChannel(), query::kDialupNumber, 2, 0, text, 32, declared), 0);
    EXPECT_EQ(declared, -1);
}

TEST_F(NodeProtocol, FlashCommandRefusedFourTimesReturnsZero)
{
    TestNode().SetCommandStatuses(command::kCommitNetwork, {0});
    const std::size_t before = TestNode().Commands().size();
    EXPECT_EQ(NodeFlashCommand(TestChannel(), command::kCommitNetwork, nullptr, 0), 0);
    EXPECT_EQ(TestNode().Commands().size(), before + 4);
    EXPECT_FALSE(TestChannel().FlashWriting());
}

TEST_F(NodeProtocol, FlashCommandWaitsWhileNodeWrites)
{
    TestNode().SetCommandStatuses(command::kCommitRoutes, {kStatusFlashStarted});
    TestNode().SetQueryReplies(query::kFlashState, 0, 0, {{3}, {3}, {1}});
    EXPECT_EQ(NodeFlashCommand(TestChannel(), command::kCommitRoutes, nullptr, 0), 1);
    EXPECT_EQ(TestNode().QueryCount(query::kFlashState), 3);
    EXPECT_FALSE(TestChannel().FlashWriting());
}

TEST_F(NodeProtocol, SmsMessageOfFortyCharactersInTwoSegments)
{
    const std::string message = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    TestNode().SetQueryReply(query::kSmsMessageSegment, 0, 3, Counted(message.substr(0, 32), 40));
    TestNode().SetQueryReply(query::kSmsMessageSegment, 1, 3, Counted(message.substr(32), 8));
    char text[161];
    ASSERT_TRUE(ReadSmsMessage(TestChannel(), 3, text, 160));
    EXPECT_EQ(std::string(text), message);
    EXPECT_FALSE(ReadSmsMessage(TestChannel(), 3, text, 39)); // longer than the caller allows
}

void SetHardware(const std::string& secondCard)
{
    TestNode().SetQueryReply(query::kChannelName, 1, 0, {1, 'd', 1, 2, 'D', 'o', 'o', 'r'});
    TestNode().SetQueryReply(query::kChannelName, 2, 0, {1, 'd', 1, 2, 'X'}); // duplicate point
    TestNode().SetQueryReply(query::kChannelName, 3, 0, {0x81, 'a', 1, 1, 'S'}); // skipped
    TestNode().SetQueryReply(query::kChannelName, 4, 0, {0});
    TestNode().SetQueryReply(query::kCardNameCount, 0, 0, {2});
    TestNode().SetQueryReply(query::kCardName, 1, 0, Bytes(std::string(20, 'C')));
    TestNode().SetQueryReply(query::kCardName, 2, 0, Bytes(secondCard));
    TestNode().SetQueryReply(query::kChannelGroup, 1, 0, {0, 'd', 1, 8});
    TestNode().SetQueryReply(query::kChannelGroup, 2, 0, {2, 'A', 2, 4}); // under no card
    TestNode().SetQueryReply(query::kChannelGroup, 3, 0, {});
    TestNode().SetQueryReply(query::kVersion, 0, 0, Bytes("2.08.0050"));
    TestNode().SetQueryReply(query::kSerialNumber, 0, 0, Bytes("SN-7"));
    TestNode().SetQueryReply(query::kChannelLayout, 0, 0, Bytes("1-20"));
    TestNode().SetQueryReply(query::kHighestChannel, 0, 0, {20});
}

TEST_F(NodeStaticDataRead, ReadsTablesAndIdentity)
{
    SetHardware("IO");
    NodeStaticData d;
    ASSERT_EQ(ReadNodeStaticData(TestChannel(), d), 0);
    EXPECT_EQ(d.channelNameCount, 1);
    EXPECT_STREQ(d.channelNames[0].name, "Door");
    EXPECT_EQ(d.cardNameCount, 2);
    EXPECT_EQ(d.channelGroupCount, 2);
    EXPECT_EQ(d.channelGroups[1].cardPosition, 2);
    EXPECT_STREQ(d.firmwareVersion, "2.08.0050");
    EXPECT_STREQ(d.serialNumber, "SN-7");
    EXPECT_STREQ(d.channelLayout, "1-20");
    EXPECT_STREQ(d.highestChannel, "20");

    // A list whose first entry is the end: no names, and the read goes on.
    TestNode().SetQueryReply(query::kChannelName, 1, 0, {0});
    ASSERT_EQ(ReadNodeStaticData(TestChannel(), d), 0);
    EXPECT_EQ(d.channelNameCount, 0);
    EXPECT_EQ(d.cardNameCount, 2);
}

TEST_F(NodeStaticDataRead, TooLongCardNameOrSixtyFifthGroupFailsAndClears)
{
    SetHardware(std::string(21, 'C'));
    NodeStaticData d;
    EXPECT_EQ(ReadNodeStaticData(TestChannel(), d), kTransportWrongLength);
    EXPECT_EQ(d.channelNameCount, 0);
    EXPECT_EQ(d.cardNameCount, 0);

    SetHardware("IO");
    for (int i = 1; i <= 65; ++i)
        TestNode().SetQueryReply(query::kChannelGroup, static_cast<std::uint8_t>(i), 0, {0, 'd', 1, 8});
    EXPECT_EQ(ReadNodeStaticData(TestChannel(), d), kTransportWrongLength);
    EXPECT_EQ(d.channelGroupCount, 0);
    TestNode().SetQueryReply(query::kChannelGroup, 3, 0, {});
}

TEST_F(NodeStaticDataRead, MissingLayoutFailsTheRead)
{
    SetHardware("IO");
    TestNode().InjectFault({kTypeQuery, query::kChannelLayout}, {Fault::kDrop});
    NodeStaticData d;
    EXPECT_EQ(ReadNodeStaticData(TestChannel(), d), kTransportNoReply);
    EXPECT_EQ(d.cardNameCount, 0);
}

} // namespace
} // namespace mnm
