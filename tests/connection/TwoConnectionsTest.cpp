// Two node connections in one process, each to its own virtual node on its
// own pseudo-terminal, sending at the same time: nothing is shared between
// them, so each node sees exactly its own conversation.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "connection/NodeConnection.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"
#include "tests/Eventually.h"
#include "wire/NodeCodes.h"

namespace mnm {
namespace {

constexpr int kSendDone = 8504;
constexpr auto kPatience = std::chrono::seconds(60);

// A node, the connection to it and the ids its worker posted.
struct Lane {
    VirtualNode node;
    std::mutex lock;
    std::condition_variable posted;
    std::set<int> ids;
    NodeConnection connection; // last: its threads end before what they post to

    bool Start()
    {
        if (!node.Start()) return false;
        connection.SelectPort(node.DevicePath());
        const WorkerOptions options{{ChecksForMilliseconds(800), ChecksForMilliseconds(1500)}, true, true};
        return connection.Start(
            [this](int id) {
                {
                    std::lock_guard<std::mutex> guard(lock);
                    ids.insert(id);
                }
                posted.notify_all();
                return true;
            },
            options);
    }
    bool WaitForPost(int id)
    {
        std::unique_lock<std::mutex> guard(lock);
        return posted.wait_for(guard, kPatience, [&] { return ids.count(id) != 0; });
    }
    std::vector<int> CommandSequences() const
    {
        std::vector<int> sequences;
        for (const auto& c : node.Commands()) sequences.push_back(c.sequence);
        return sequences;
    }
};

NodeConf Named(NodeConf record, const char* name)
{
    std::snprintf(record.networkName, sizeof record.networkName, "%s", name);
    return record;
}

TEST(TwoConnections, SendingToTwoNodesAtOnceKeepsEachConversationApart)
{
    Lane north, south;
    ASSERT_TRUE(north.Start());
    ASSERT_TRUE(south.Start());
    ASSERT_TRUE(Eventually([&] { return north.connection.worker().IsNodeConnected(); }));
    ASSERT_TRUE(Eventually([&] { return south.connection.worker().IsNodeConnected(); }));

    const NodeConf toNorth = Named(EditedConfiguration(), "NORTH");
    const NodeConf toSouth = Named(SampleConfiguration(), "SOUTH");
    ASSERT_EQ(north.connection.worker().StartSend(toNorth, kSendDone), StartResult::kStarted);
    ASSERT_EQ(south.connection.worker().StartSend(toSouth, kSendDone), StartResult::kStarted);
    ASSERT_TRUE(north.WaitForPost(kSendDone));
    ASSERT_TRUE(south.WaitForPost(kSendDone));

    for (Lane* lane : {&north, &south}) {
        const TransferOutcome sent = lane->connection.worker().SendOutcome();
        EXPECT_TRUE(sent.Succeeded()) << sent.report.text.value_or("");
        // Each channel numbers its own commands from 1, with no gap another
        // conversation could have taken.
        const std::vector<int> sequences = lane->CommandSequences();
        ASSERT_FALSE(sequences.empty());
        for (std::size_t i = 0; i < sequences.size(); ++i)
            ASSERT_EQ(sequences[i], static_cast<int>(i % kMaxSequenceNumber) + 1) << "command " << i;
    }
    north.node.WithState([&](NodeModel& s) {
        EXPECT_STREQ(s.Flash().networkName, "NORTH");
        EXPECT_EQ(s.Flash().connectionCount, toNorth.connectionCount);
        EXPECT_EQ(s.Flash().nodeNumber, toNorth.nodeNumber);
    });
    south.node.WithState([&](NodeModel& s) {
        EXPECT_STREQ(s.Flash().networkName, "SOUTH");
        EXPECT_EQ(s.Flash().connectionCount, toSouth.connectionCount);
        EXPECT_EQ(s.Flash().nodeNumber, toSouth.nodeNumber);
    });
}

} // namespace
} // namespace mnm
