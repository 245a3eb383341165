// The protocol's waits on a channel: replies, time-outs, the flash-state
// bound and stop requests, against the node's model in the same process.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "protocol/NodeProtocol.h"
#include "protocol/NodeTypedQueries.h"
#include "tests/protocol/ModelLine.h"

namespace mnm {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// Far longer than any test here should take, so a wait that ignores a stop
// shows as a failure rather than as a slow pass.
constexpr int kLongBudgetMs = 20000;

class Channel : public ::testing::Test {
protected:
    ModelLine line_;
    NodeChannel channel_{line_, {ChecksForMilliseconds(kLongBudgetMs), ChecksForMilliseconds(kLongBudgetMs)}};
};

TEST_F(Channel, RepliesArriveAndMissingOnesTimeOut)
{
    line_.SetReplyDelay(milliseconds(20));
    std::uint32_t highest = 0;
    ASSERT_EQ(NodeQueryU8(channel_, query::kHighestChannel, 0, 0, highest), 0);
    EXPECT_GT(highest, 0u);

    channel_.SetBudgets({ChecksForMilliseconds(50), ChecksForMilliseconds(50)});
    line_.SetSilent(true);
    std::uint8_t reply[kReplyBufferSize];
    EXPECT_EQ(NodeQuery(channel_, query::kVersion, 0, 0, reply), kTransportNoReply);
    EXPECT_EQ(NodeCommand(channel_, command::kSetChannel, reply, 2, 1), kTransportNoAck);
    // A transport result is never a catalogue code, whatever its item bits.
    for (int r : {kTransportNoReply, kTransportNoAck, kTransportCancelled, kTransportWrongLength})
        EXPECT_TRUE(IsTransportResult(r));
    EXPECT_FALSE(IsTransportResult(-4052));
    EXPECT_FALSE(IsTransportResult(-(255 * 65536 + 4211)));
}

TEST_F(Channel, EveryWaitEndsOnAStop)
{
    line_.SetSilent(true);
    std::stop_source stop;
    StopScope scope(channel_, stop.get_token());
    std::jthread stopper([&stop] {
        std::this_thread::sleep_for(milliseconds(30));
        stop.request_stop();
    });
    const auto start = Clock::now();
    std::uint8_t reply[kReplyBufferSize];
    EXPECT_EQ(NodeQuery(channel_, query::kVersion, 0, 0, reply), kTransportCancelled);
    EXPECT_LT(Clock::now() - start, milliseconds(kLongBudgetMs / 4));
    // Once stopped, nothing more is sent and nothing waits.
    EXPECT_EQ(NodeCommand(channel_, command::kSetChannel, reply, 2), kTransportCancelled);
    EXPECT_EQ(NodeFlashCommand(channel_, command::kCommitRoutes, nullptr, 0), kTransportCancelled);
    EXPECT_TRUE(line_.CommandCodes().empty());
    EXPECT_FALSE(channel_.Pause(milliseconds(kLongBudgetMs)));
}

// A node that writes for ever no longer holds the caller for ever: the
// flash-state polls end with the command's own time-out.
TEST_F(Channel, FlashStatePollingIsBounded)
{
    channel_.SetBudgets({ChecksForMilliseconds(800), 1});
    // Status 9 starts a flash write, which the model reports as "still
    // writing" for two reads; starting it again on every read keeps it so.
    int stateReads = 0;
    line_.OnRequest([&](const std::vector<std::uint8_t>& r) {
        if (r[0] == kTypeQuery && r[2] == query::kFlashState) {
            ++stateReads;
            line_.Model().Command(command::kCommitRoutes, nullptr, 0);
        }
    });
    EXPECT_EQ(NodeFlashCommand(channel_, command::kCommitRoutes, nullptr, 0), kTransportNoAck);
    EXPECT_GT(stateReads, 1);
    EXPECT_FALSE(channel_.FlashWriting());
}

} // namespace
} // namespace mnm
