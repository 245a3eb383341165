// The protocol through the real link thread against a virtual node on a
// pseudo-terminal.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "link/Link.h"
#include "link/NodeCodes.h"
#include "link/NodeProtocol.h"
#include "link/NodeStaticDataRead.h"
#include "link/NodeTransferWrappers.h"
#include "link/NodeTypedQueries.h"
#include "settings/Settings.h"
#include "sim/VirtualNode.h"

namespace mnm {
namespace {

VirtualNode* gNode = nullptr;

std::vector<std::uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

class NodeOnTerminal : public ::testing::Environment {
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/mnm-node-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        setenv("XDG_CONFIG_HOME", pattern, 1);
        EnsureSettingsKey();
        WriteSetting(kSettingNipQueryTimeout, "800");
        WriteSetting(kSettingNcpWriteFlashTimeout, "1500");
        gNode = new VirtualNode;
        ASSERT_TRUE(gNode->Start());
        LinkInitialise();
        LinkSelectPort(gNode->DevicePath());
        thread_ = std::jthread([](std::stop_token stop) { LinkThread(stop); });
        // Wait until the link has the port open, so no test's first bytes are lost.
        gNode->SetQueryReply(query::kVersion, 0, 0, Text("2.08.0050"));
        std::uint8_t reply[kReplyBufferSize];
        for (int i = 0; i < 20 && NodeQuery(query::kVersion, 0, 0, reply) < 0; ++i) {}
    }
    void TearDown() override
    {
        thread_.request_stop();
        thread_.join();
        delete gNode;
    }

private:
    std::jthread thread_;
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new NodeOnTerminal);

std::vector<std::uint8_t> Counted(std::uint32_t declared, const std::string& s)
{
    std::vector<std::uint8_t> v(4 + s.size() + 1, 0);
    for (int i = 0; i < 4; ++i) v[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(declared >> (24 - 8 * i));
    for (std::size_t i = 0; i < s.size(); ++i) v[4 + i] = static_cast<std::uint8_t>(s[i]);
    return v;
}

TEST(NodeProtocol, BudgetBelowTenMillisecondsFailsEveryQuery)
{
    gNode->SetQueryReply(query::kHighestChannel, 0, 0, {20});
    std::uint32_t v = 0;
    ASSERT_EQ(NodeQueryU8(query::kHighestChannel, 0, 0, v), 0);
    EXPECT_EQ(v, 20u);
    WriteSetting(kSettingNipQueryTimeout, "9");
    ResetNodeQueryBudget();
    EXPECT_EQ(NodeQueryU8(query::kHighestChannel, 0, 0, v), kErrNoReply);
    WriteSetting(kSettingNipQueryTimeout, "800");
    ResetNodeQueryBudget();
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // let the late reply arrive
}

TEST(NodeProtocol, ReplyForOtherParametersAndFiveByteAckAreIgnored)
{
    gNode->SetQueryReply(query::kCardName, 1, 0, Text("IO"));
    gNode->SendPayload({kTypeQuery, kQueryReply, query::kCardName, 2, 0, 'X'});
    // Let the stray frame settle in the receiver first: bytes arriving while
    // a complete frame waits are dropped by the link.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::uint8_t reply[kReplyBufferSize];
    ASSERT_EQ(NodeQuery(query::kCardName, 1, 0, reply), 2);
    EXPECT_EQ(reply[0], 'I');

    SetNextCommandSequence(100);
    gNode->SetCommandStatuses(command::kOnOff, {0});
    gNode->SendPayload({kTypeCommand, 0, 100, 1, 0});
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::uint8_t data[4] = {0, 0, 0, 1};
    EXPECT_EQ(NodeCommand(command::kOnOff, data, 4), 0);
}

TEST(NodeProtocol, SequenceWrapsAfterLastNumber)
{
    SetNextCommandSequence(kMaxSequenceNumber);
    const std::size_t before = gNode->Commands().size();
    const std::uint8_t data[2] = {0, 5};
    EXPECT_EQ(NodeCommand(command::kSetChannel, data, 2), 1);
    EXPECT_EQ(NodeCommand(command::kSetChannel, data, 2), 1);
    const auto seen = gNode->Commands();
    ASSERT_EQ(seen.size(), before + 2);
    EXPECT_EQ(seen[before].sequence, kMaxSequenceNumber);
    EXPECT_EQ(seen[before + 1].sequence, 1);
}

TEST(NodeProtocol, EndOfTableResults)
{
    gNode->SetQueryReply(query::kRoute, 0, 1, {});
    std::uint32_t v = 0;
    EXPECT_EQ(NodeQueryOptionalU32(query::kRoute, 0, 1, v), 1);
    gNode->SetQueryReply(query::kDialupNumber, 1, 0, {0, 0, 0, 3});
    char text[40] = "keep";
    int declared = 0;
    EXPECT_EQ(NodeQueryCountedText(query::kDialupNumber, 1, 0, text, 32, declared), -1);
    EXPECT_STREQ(text, "keep");
    gNode->SetQueryReply(query::kDialupNumber, 2, 0, {});
    EXPECT_EQ(NodeQueryCountedText(query::kDialupNumber, 2, 0, text, 32, declared), 0);
    EXPECT_EQ(declared, -1);
}

TEST(NodeProtocol, FlashCommandRefusedFourTimesReturnsZero)
{
    gNode->SetCommandStatuses(command::kCommitNetwork, {0});
    const std::size_t before = gNode->Commands().size();
    EXPECT_EQ(NodeFlashCommand(command::kCommitNetwork, nullptr, 0), 0);
    EXPECT_EQ(gNode->Commands().size(), before + 4);
    EXPECT_FALSE(NodeFlashWriting());
}

TEST(NodeProtocol, FlashCommandWaitsWhileNodeWrites)
{
    gNode->SetCommandStatuses(command::kCommitRoutes, {kStatusFlashStarted});
    gNode->SetQueryReplies(query::kFlashState, 0, 0, {{3}, {3}, {1}});
    EXPECT_EQ(NodeFlashCommand(command::kCommitRoutes, nullptr, 0), 1);
    EXPECT_EQ(gNode->QueryCount(query::kFlashState), 3);
    EXPECT_FALSE(NodeFlashWriting());
}

TEST(NodeProtocol, SmsMessageOfFortyCharactersInTwoSegments)
{
    const std::string message = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    gNode->SetQueryReply(query::kSmsMessageSegment, 0, 3, Counted(40, message.substr(0, 32)));
    gNode->SetQueryReply(query::kSmsMessageSegment, 1, 3, Counted(8, message.substr(32)));
    char text[161];
    ASSERT_TRUE(ReadSmsMessage(3, text, 160));
    EXPECT_EQ(std::string(text), message);
    EXPECT_FALSE(ReadSmsMessage(3, text, 39)); // longer than the caller allows
}

void SetHardware(const std::string& secondCard)
{
    gNode->SetQueryReply(query::kChannelName, 1, 0, {1, 'd', 1, 2, 'D', 'o', 'o', 'r'});
    gNode->SetQueryReply(query::kChannelName, 2, 0, {1, 'd', 1, 2, 'X'}); // duplicate point
    gNode->SetQueryReply(query::kChannelName, 3, 0, {0x81, 'a', 1, 1, 'S'}); // skipped
    gNode->SetQueryReply(query::kChannelName, 4, 0, {0});
    gNode->SetQueryReply(query::kCardNameCount, 0, 0, {2});
    gNode->SetQueryReply(query::kCardName, 1, 0, Text(std::string(20, 'C')));
    gNode->SetQueryReply(query::kCardName, 2, 0, Text(secondCard));
    gNode->SetQueryReply(query::kChannelGroup, 1, 0, {0, 'd', 1, 8});
    gNode->SetQueryReply(query::kChannelGroup, 2, 0, {2, 'A', 2, 4}); // under no card
    gNode->SetQueryReply(query::kChannelGroup, 3, 0, {});
    gNode->SetQueryReply(query::kVersion, 0, 0, Text("2.08.0050"));
    gNode->SetQueryReply(query::kSerialNumber, 0, 0, Text("SN-7"));
    gNode->SetQueryReply(query::kChannelLayout, 0, 0, Text("1-20"));
    gNode->SetQueryReply(query::kHighestChannel, 0, 0, {20});
}

TEST(NodeStaticDataRead, ReadsTablesAndIdentity)
{
    SetHardware("IO");
    NodeStaticData d;
    ASSERT_EQ(ReadNodeStaticData(d), 0);
    EXPECT_EQ(d.channelNameCount, 1);
    EXPECT_STREQ(d.channelNames[0].name, "Door");
    EXPECT_EQ(d.cardNameCount, 2);
    EXPECT_EQ(d.channelGroupCount, 2);
    EXPECT_EQ(d.channelGroups[1].cardPosition, 2);
    EXPECT_STREQ(d.firmwareVersion, "2.08.0050");
    EXPECT_STREQ(d.serialNumber, "SN-7");
    EXPECT_STREQ(d.channelLayout, "1-20");
    EXPECT_STREQ(d.highestChannel, "20");
}

TEST(NodeStaticDataRead, TooLongCardNameOrSixtyFifthGroupFailsAndClears)
{
    SetHardware(std::string(21, 'C'));
    NodeStaticData d;
    EXPECT_EQ(ReadNodeStaticData(d), -1);
    EXPECT_EQ(d.channelNameCount, 0);
    EXPECT_EQ(d.cardNameCount, 0);

    SetHardware("IO");
    for (int i = 1; i <= 65; ++i)
        gNode->SetQueryReply(query::kChannelGroup, static_cast<std::uint8_t>(i), 0, {0, 'd', 1, 8});
    EXPECT_EQ(ReadNodeStaticData(d), -1);
    EXPECT_EQ(d.channelGroupCount, 0);
    gNode->SetQueryReply(query::kChannelGroup, 3, 0, {});
}

TEST(NodeStaticDataRead, MissingLayoutFailsTheRead)
{
    SetHardware("IO");
    gNode->ClearQueryReply(query::kChannelLayout, 0, 0);
    NodeStaticData d;
    EXPECT_EQ(ReadNodeStaticData(d), kErrNoReply);
    EXPECT_EQ(d.cardNameCount, 0);
}

} // namespace
} // namespace mnm
