// The receive and send sequences through the real link thread against the
// virtual node.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>
#include <tuple>

#include "editor/model/Transfer.h"
#include "wire/NodeCodes.h"
#include "protocol/NodeProtocol.h"
#include "transfer/NodeTransfers.h"
#include "worker/Worker.h"
#include "wire/WireRecords.h"
#include "nodeconf/ErrorCatalogue.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "tests/node/NodeOnTerminal.h"
#include "transfer/TransferMessage.h"

namespace mnm {
namespace {

std::vector<std::uint8_t> SmsSizes(int connections, int numbers, int messages)
{
    std::vector<std::uint8_t> v(18, 0);
    const int values[9] = {connections, numbers, messages, 0, 32, 32, 32, 5152, 160};
    for (int i = 0; i < 9; ++i) PutU16(v.data() + 2 * i, static_cast<std::uint32_t>(values[i]));
    return v;
}

// Derived fields aside, byte for byte.
void ExpectSameConfiguration(NodeConf a, NodeConf b)
{
    ComputeDerivedFields(a);
    ComputeDerivedFields(b);
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
    EXPECT_EQ(a.connectionCount, b.connectionCount);
    EXPECT_STREQ(a.smsMessages[2], b.smsMessages[2]);
}

class Transfer : public OnNode {
protected:
    void SetUp() override
    {
        OnNode::SetUp();
        WriteSetting(kSettingCommitToFlashOnDownload, "1");
        // Short budgets keep the waits for what a node does not answer brief.
        SetTestBudgets(200, 1500);
    }
    void TearDown() override { SetTestBudgets(800, 1500); }

    int Receive(NodeConf& record)
    {
        std::memset(&record, 0xAB, sizeof record);
        return Kept(ReceiveFromNode(TestChannel(), record, progress_));
    }
    int Send(NodeConf record, bool commit = true)
    {
        return Kept(SendToNode(TestChannel(), record, SendOptions{commit}, progress_));
    }
    // The code, with the text kept for the assertions that follow.
    int Kept(const Report& report)
    {
        message_ = report.text.value_or("");
        return report.code;
    }
    void Node(const std::function<void(NodeModel&)>& change) { TestNode().WithState(change); }

    std::string message_;
    RecordedProgress progress_;
};

TEST_F(Transfer, SentConfigurationComesBackAndIsCommitted)
{
    const NodeConf sent = SampleConfiguration();
    ASSERT_EQ(Send(sent), 0) << message_;
    const std::vector<std::uint32_t> words = progress_.Take();
    NodeConf flash{};
    Node([&](NodeModel& s) { flash = s.Flash(); });
    ExpectSameConfiguration(flash, sent);

    // Sending rises in per mille, commits are counted, and it ends idle.
    std::uint32_t last = 0;
    bool committing = false;
    for (std::uint32_t w : words) {
        if (w >> 16 == kProgressSending) {
            EXPECT_GE(w & 0xFFFF, last);
            last = w & 0xFFFF;
        }
        committing = committing || w >> 16 == kProgressCommitting;
    }
    EXPECT_EQ(last, 1000u);
    EXPECT_TRUE(committing);
    EXPECT_EQ(words.back(), kProgressIdle);

    NodeConf received;
    ASSERT_EQ(Receive(received), 0) << message_;
    ExpectSameConfiguration(received, sent);
    EXPECT_EQ(progress_.Word(), kProgressIdle);
}

TEST_F(Transfer, ReceiveOfAnOlderNodeSkipsTableSizesAndCountsPastTheEstimate)
{
    Node([](NodeModel& s) {
        s.SetVersion("2.03.0040");
        s.SetConfig(SampleConfiguration());
    });
    NodeConf r;
    ASSERT_EQ(Receive(r), 0) << message_;
    std::uint32_t highest = 0;
    for (std::uint32_t w : progress_.Take())
        if (w >> 16 == kProgressReceiving) highest = std::max(highest, w & 0xFFFF);
    EXPECT_GT(highest, 1000u);
    for (std::uint8_t code : {query::kRouteTableSize, query::kConnectionCount, query::kNetworkFlags})
        EXPECT_EQ(TestNode().QueryCount(code), 0) << +code;
    EXPECT_EQ(r.networkFlags, 0u);
    EXPECT_EQ(r.connectionCount, 5);
}

TEST_F(Transfer, ReceiveTakesFullTablesAndMissingFeatures)
{
    NodeConf full = NewNodeConf();
    const NodeConf maximal = MaximalConfiguration();
    std::memcpy(full.connections, maximal.connections, sizeof full.connections);
    full.connectionCount = kMaxConnections;
    std::memcpy(full.smsMessages, maximal.smsMessages, sizeof full.smsMessages);
    Node([&](NodeModel& s) { s.SetConfig(full); });
    NodeConf r;
    ASSERT_EQ(Receive(r), 0) << message_;
    EXPECT_EQ(r.connectionCount, kMaxConnections);
    for (const auto& q : TestNode().Queries())
        EXPECT_FALSE(q.code == query::kConnection && q.p1 * 256 + q.p2 >= kMaxConnections);
    EXPECT_EQ(r.smsMessageCount, 32);
    EXPECT_STREQ(r.smsMessages[31], maximal.smsMessages[31]);

    // No dialup, no low-power parameters: the reading still succeeds.
    TestNode().Reset();
    Node([](NodeModel& s) { s.SetConfig(SampleConfiguration()); });
    TestNode().InjectFault({kTypeQuery, query::kDialupConnection, 1}, {Fault::kDrop});
    TestNode().InjectFault({kTypeQuery, query::kLowPowerReceiver}, {Fault::kDrop});
    ASSERT_EQ(Receive(r), 0) << message_;
    EXPECT_EQ(r.dialupConnectionCount, 0);
    EXPECT_EQ(r.dialupNumberCount, 0);
    EXPECT_EQ(r.redialAttempts, 0);
    EXPECT_TRUE(IsAbsent(r.lowPowerReceiver));
    EXPECT_TRUE(IsAbsent(r.preTransmitOnTime));
    EXPECT_EQ(TestNode().QueryCount(query::kLowPowerReceiver), 3);
}

TEST_F(Transfer, ReceiveFailuresNameWhatCouldNotBeRead)
{
    NodeConf r;
    TestNode().SetQueryReply(query::kDialupConnection, 1, 0, {});
    TestNode().InjectFault({kTypeQuery, query::kRedialParameters}, {Fault::kDrop});
    EXPECT_EQ(Receive(r), kTextReport);
    EXPECT_EQ(message_, "Unable to upload Dialup Connections' Redial parameters");

    TestNode().Reset();
    TestNode().SetQueryReply(query::kSmsTableSizes, 0, 0, SmsSizes(0, 0, 33));
    EXPECT_EQ(Receive(r), kTextReport);
    EXPECT_EQ(message_, "There are 33 SMS Messages,\nbut the maximum is 32.");

    TestNode().Reset();
    TestNode().SetQueryReply(query::kDialupNumber, 1, 0, Counted(std::string(33, '5')));
    EXPECT_EQ(Receive(r), kTextReport);
    EXPECT_EQ(message_, "Dialup Connection Telephone Number #1 is too long enough (33 vs 32)");

    TestNode().Reset();
    Node([](NodeModel& s) { s.SetConfig(SampleConfiguration()); });
    TestNode().SetQueryReply(query::kSmsNumber, 0, 3, Counted("999"));
    EXPECT_EQ(Receive(r), kTextReport);
    EXPECT_EQ(message_, "Unable to confirm end of list of (2) SMS Telephone Numbers");

    // More numbers than the record holds: stop, and store nothing beyond it.
    TestNode().Reset();
    NodeConf numbers = NewNodeConf();
    std::memcpy(numbers.dialupNumbers, MaximalConfiguration().dialupNumbers, sizeof numbers.dialupNumbers);
    Node([&](NodeModel& s) { s.SetConfig(numbers); });
    TestNode().SetQueryReply(query::kDialupNumber, 33, 0, Counted("123"));
    EXPECT_EQ(Receive(r), kTextReport);
    EXPECT_EQ(message_, "Dialup Connection Telephone Number #33 is beyond the maximum of 32");
}

TEST_F(Transfer, SendRefusesWhatTheNodeCannotTakeBeforeWriting)
{
    NodeConf c = SampleConfiguration();
    c.radioChannel = static_cast<std::int32_t>(absent);
    c.transmitInterval = static_cast<std::int32_t>(absent);
    c.networkFlags = 0;
    Node([](NodeModel& s) { s.SetVersion("2.02.0000"); });
    EXPECT_EQ(Send(c), kTextReport);
    EXPECT_EQ(message_, "These items are empty:\nChannel Number, Transmit Interval,\n"
                        "but the connected Node does not accept empty values for them");
    c.transmitInterval = 600;
    EXPECT_EQ(Send(c), kTextReport);
    EXPECT_EQ(message_, "The connected Node does not accept an empty value for the Channel Number field.");

    c = SampleConfiguration();
    c.networkFlags = kFlagNoRadio;
    EXPECT_EQ(Send(c), kTextReport);
    EXPECT_EQ(message_, "The connected Node does not allow the usage of Network Flags,\n"
                        " specifically the non-fitting of a UHF Radio Module");
    c.networkFlags = kFlagNoModem;
    EXPECT_EQ(Send(c), kTextReport);
    EXPECT_EQ(message_, "The connected Node does not allow the usage of Network Flags");

    TestNode().Reset();
    Node([](NodeModel& s) { s.SetSmsSupported(false); });
    c = NewNodeConf();
    c.smsConnections[0] = SampleConfiguration().smsConnections[0];
    c.smsConnectionCount = 1;
    EXPECT_EQ(Send(c), kTextReport);
    EXPECT_EQ(message_, "This SMS parameter has been defined:\n\n1 SMS Connection.\n\n"
                        "However, the connected Node does not support SMS's.\n");
    EXPECT_TRUE(CommandsOf(command::kRadioChannel).empty()); // nothing written

    // Primary entry 129 would be numbered as secondary entry 1 and come back
    // in the other table: refused before the node is even asked anything.
    TestNode().Reset();
    c = SampleConfiguration();
    c.primaryRouteCount = kSecondaryRouteBase + 2;
    for (int i = 0; i < c.primaryRouteCount; ++i) c.primaryRoutes[i] = static_cast<RouteEntry>(i + 1);
    EXPECT_EQ(Send(c), kTextReport);
    EXPECT_EQ(message_, "The Primary Routing Table has 130 entries, but a Node holds at most 128");
    EXPECT_TRUE(TestNode().Commands().empty());
    EXPECT_TRUE(TestNode().Queries().empty());
    c.primaryRouteCount = kSecondaryRouteBase;
    EXPECT_EQ(Send(c), 0) << message_;
    Node([&](NodeModel& s) { EXPECT_EQ(s.Flash().primaryRouteCount, kSecondaryRouteBase); });
}

TEST_F(Transfer, SendOrdersConnectionsRoutesAndSmsSegments)
{
    NodeConf c = SampleConfiguration();
    const int destinations[] = {7, 3, 0, 7};
    c.connectionCount = 4;
    for (int i = 0; i < 4; ++i) c.connections[i].destNode = static_cast<std::uint8_t>(destinations[i]);
    c.connections[0].changeThreshold = 70;
    c.connections[3].changeThreshold = 73;
    std::memset(c.smsMessages, 0, sizeof c.smsMessages);
    std::memset(c.smsMessages[1], 'x', 70);
    ComputeDerivedFields(c);
    ASSERT_EQ(Send(c), 0) << message_;

    // Node 0 first, then 3, then the two to 7 in table order, at indexes from 0.
    std::vector<std::tuple<int, int, int>> order; // destination, index, threshold
    for (const auto& w : CommandsOf(command::kConnection))
        if (w.data.size() == 18) order.emplace_back(w.data[2 + 5], GetU16(w.data.data()), w.data[2 + 13]);
    EXPECT_EQ(order, (std::vector<std::tuple<int, int, int>>{{0, 0, 3}, {3, 1, 2}, {7, 2, 70}, {7, 3, 73}}));

    std::vector<int> routes;
    for (const auto& w : CommandsOf(command::kRoute))
        if (w.data.size() == 6) routes.push_back(GetU16(w.data.data()));
    EXPECT_EQ(routes, (std::vector<int>{1, 2, 3, 129, 130}));

    std::vector<std::pair<int, std::size_t>> segments;
    for (const auto& w : CommandsOf(command::kSmsMessageSegment))
        if (w.data[1] == 2) segments.emplace_back(w.data[0], w.data.size() - 2);
    EXPECT_EQ(segments, (std::vector<std::pair<int, std::size_t>>{{0, 32}, {1, 32}, {2, 6}}));
}

TEST_F(Transfer, SendCommitsAfterAWipeAndOnlyWhenAsked)
{
    TestNode().InjectFault({kTypeCommand, command::kWipeFlash}, {Fault::kStatus, 2, 3});
    ASSERT_EQ(Send(SampleConfiguration()), 0) << message_;
    EXPECT_EQ(CommandsOf(command::kWipeFlash).size(), 4u);
    EXPECT_EQ(CommandsOf(command::kCommitDialup).size(), 1u);

    TestNode().Reset();
    ASSERT_EQ(Send(SampleConfiguration(), false), 0) << message_;
    for (std::uint8_t code : {command::kWipeFlash, command::kCommitRoutes, command::kCommitConnections,
                              command::kCommitDialup})
        EXPECT_TRUE(CommandsOf(code).empty()) << +code;
    NodeConf flash{}, working{};
    Node([&](NodeModel& s) {
        flash = s.Flash();
        working = s.Working();
    });
    EXPECT_EQ(working.connectionCount, 5);
    EXPECT_NE(std::memcmp(&flash, &working, sizeof flash), 0);
}

TEST_F(Transfer, SendThatCannotRestoreTheSchedulerFails)
{
    // The scheduler is switched, then never answers again.
    TestNode().InjectFault({kTypeCommand, command::kTaskScheduler}, {Fault::kStatus, 1, 1});
    TestNode().InjectFault({kTypeCommand, command::kTaskScheduler}, {Fault::kDrop});
    EXPECT_EQ(Send(SampleConfiguration()), kTextReport);
    EXPECT_EQ(message_, "Reset the Node by removing the power for a minimum of 2 seconds.");
    EXPECT_EQ(CommandsOf(command::kTaskScheduler).size(), 6u);
}

// A field unit that still answers must not be left running its own work at
// low priority after a failed transfer.
TEST_F(Transfer, AFailureAfterTheSchedulerWasRaisedPutsItBack)
{
    const auto scheduler = [] {
        int state = -1;
        TestNode().WithState([&](NodeModel& s) { state = s.Scheduler(); });
        return state;
    };
    TestNode().InjectFault({kTypeCommand, command::kRoute}, {Fault::kWrongLength});
    EXPECT_LT(Send(SampleConfiguration()), 0);
    EXPECT_EQ(scheduler(), 0);
    EXPECT_EQ(CommandsOf(command::kTaskScheduler).size(), 2u) << "raised, then put back once";

    TestNode().Reset();
    Node([](NodeModel& s) { s.SetSmsSupported(false); });
    NodeConf alerts = SampleConfiguration();
    ASSERT_GT(alerts.smsConnectionCount, 0);
    EXPECT_EQ(Send(alerts), kTextReport);
    EXPECT_EQ(scheduler(), 0);

    TestNode().Reset();
    Node([](NodeModel& s) { s.SetConfig(EditedConfiguration()); });
    TestNode().InjectFault({kTypeQuery, query::kConnection}, {Fault::kWrongLength});
    NodeConf r;
    EXPECT_LT(Receive(r), 0);
    EXPECT_EQ(scheduler(), 0);
    EXPECT_FALSE(message_.ends_with(kPowerCycleText)) << message_;

    // When it cannot be put back either, the text says what to do.
    TestNode().Reset();
    Node([](NodeModel& s) { s.SetConfig(EditedConfiguration()); });
    TestNode().InjectFault({kTypeQuery, query::kConnection}, {Fault::kWrongLength});
    TestNode().InjectFault({kTypeCommand, command::kTaskScheduler}, {Fault::kStatus, 1, 1});
    TestNode().InjectFault({kTypeCommand, command::kTaskScheduler}, {Fault::kDrop});
    EXPECT_LT(Receive(r), 0);
    EXPECT_TRUE(message_.ends_with(std::string("\n") + kPowerCycleText)) << message_;
}

TEST_F(Transfer, NodeWithoutHighwayTakesOnlyTheValuesMeaningNone)
{
    Node([](NodeModel& s) {
        s.SetHighwaySupported(false);
        s.SetConfig(EditedConfiguration());
    });
    NodeConf r;
    ASSERT_EQ(Receive(r), 0) << message_;
    EXPECT_EQ(r.highwayEncoding, 0);
    EXPECT_EQ(r.highwayParity, 'S');
    ASSERT_EQ(Send(r), 0) << message_;

    // The same after a pass through the editor, and with the highway
    // defaults of a new configuration.
    editor::EditorContents e;
    editor::LoadIntoEditor(r, e);
    NodeConf edited;
    ASSERT_EQ(editor::StoreFromEditor(e, edited).code, 0);
    EXPECT_EQ(edited.highwayEncoding, 'A');
    ASSERT_EQ(Send(edited), 0) << message_;

    editor::EditorContents blank;
    editor::Reset(blank);
    e.rtu = blank.rtu;
    e.sevenBit = blank.sevenBit;
    e.parity = blank.parity;
    e.checkParity = blank.checkParity;
    NodeConf fresh;
    const Report stored = editor::StoreFromEditor(e, fresh);
    ASSERT_TRUE(stored.ok()) << MessageOf(stored);
    EXPECT_EQ(std::make_tuple(fresh.highwayEncoding, +fresh.highwayCharSize, fresh.highwayParity, +fresh.highwayCheckParity),
              std::make_tuple('A', 8, 'E', 1));
    ASSERT_EQ(Send(fresh), 0) << message_;
    EXPECT_TRUE(CommandsOf(command::kHighway).empty());

    TestNode().Reset();
    Node([](NodeModel& s) { s.SetHighwaySupported(false); });
    NodeConf rtu = SampleConfiguration(); // 'R', a highway the node cannot take
    EXPECT_EQ(Send(rtu), -4001);
    EXPECT_EQ(message_, MessageForCode(-4001)); // a catalogue code brings its catalogue text
    EXPECT_TRUE(CommandsOf(command::kLowPowerReceiver).empty());
    EXPECT_TRUE(CommandsOf(command::kRedialParameters).empty());
}

} // namespace
} // namespace mnm
