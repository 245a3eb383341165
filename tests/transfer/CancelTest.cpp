// Stopping a receive or a send part-way, and what a failure of the line is
// reported as, against the node's model in the same process.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "nodeconf/ErrorCatalogue.h"
#include "protocol/TransportResult.h"
#include "sim/SampleConfigurations.h"
#include "tests/protocol/ModelLine.h"
#include "transfer/NodeTransfers.h"
#include "transfer/TransferMessage.h"

namespace mnm {
namespace {

class Words final : public ProgressSink {
public:
    void Set(std::uint32_t word) override { words.push_back(word); }
    std::vector<std::uint32_t> words;
};

class Stopping : public ::testing::Test {
protected:
    Stopping() { line_.Model().SetConfig(SampleConfiguration()); }

    // Requests the stop when the node is asked `code` (a query, or a command
    // when `command` is set) for the `nth` time.
    void StopAt(std::uint8_t code, bool command, int nth = 1)
    {
        line_.OnRequest([this, code, command, nth, seen = 0](const std::vector<std::uint8_t>& r) mutable {
            const bool match = command ? r[0] == kTypeCommand && r[4] == code : r[0] == kTypeQuery && r[2] == code;
            if (match && ++seen == nth) stop_.request_stop();
        });
    }
    // What was sent after the stop: the commands after the last one seen
    // before it.
    void ExpectStoppedAndRestored(const Report& report)
    {
        EXPECT_EQ(report.code, kTextReport);
        EXPECT_EQ(report.text, kTransferCancelledText);
        EXPECT_EQ(line_.Model().Scheduler(), 0);
        ASSERT_FALSE(line_.CommandCodes().empty());
        EXPECT_EQ(line_.CommandCodes().back(), command::kTaskScheduler);
        ASSERT_FALSE(progress_.words.empty());
        EXPECT_EQ(progress_.words.back(), kProgressIdle);
    }

    ModelLine line_;
    NodeChannel channel_{line_, {ChecksForMilliseconds(800), ChecksForMilliseconds(1500)}};
    std::stop_source stop_;
    Words progress_;
};

TEST_F(Stopping, AReceiveEndsAndRestoresTheScheduler)
{
    StopAt(query::kConnection, false, 3);
    NodeConf record{};
    ExpectStoppedAndRestored(ReceiveFromNode(channel_, record, progress_, stop_.get_token()));
    // Nothing was read after the stop.
    EXPECT_EQ(std::count(progress_.words.begin(), progress_.words.end(), ProgressWord(kProgressScheduler, 0)), 1);
}

TEST_F(Stopping, ASendEndsBeforeItCommitsAndRestoresTheScheduler)
{
    StopAt(command::kRoute, true, 2);
    ExpectStoppedAndRestored(
        SendToNode(channel_, EditedConfiguration(), SendOptions{true}, progress_, stop_.get_token()));
    const std::vector<std::uint8_t> codes = line_.CommandCodes();
    for (std::uint8_t commit : {command::kWipeFlash, command::kCommitRoutes, command::kCommitNetwork})
        EXPECT_EQ(std::count(codes.begin(), codes.end(), commit), 0) << +commit;
    EXPECT_EQ(line_.Model().CommitCount(), 0);
}

TEST_F(Stopping, ASendStoppedWhileTheFlashIsWrittenEndsToo)
{
    StopAt(query::kFlashState, false, 1);
    ExpectStoppedAndRestored(
        SendToNode(channel_, EditedConfiguration(), SendOptions{true}, progress_, stop_.get_token()));
}

// The stop comes just as a long request starts across the line: its
// acknowledgement comes first, and the restore after it must still be waited
// for, or the operator is told to power-cycle a node that is well.
TEST_F(Stopping, AStopWhileALongRequestCrossesTheLineStillRestores)
{
    line_.OnRequest([this](const std::vector<std::uint8_t>& r) {
        if (r[0] == kTypeCommand && r[4] == command::kSmsMessageSegment) {
            line_.SetLineRate(true);
            stop_.request_stop();
        }
    });
    ExpectStoppedAndRestored(
        SendToNode(channel_, EditedConfiguration(), SendOptions{true}, progress_, stop_.get_token()));
}

// A stop that cuts the final restore short leaves it to the transfer's end,
// which puts the scheduler back whatever the stop says.
TEST_F(Stopping, AStopDuringTheLastRestoreOfASendStillRestores)
{
    StopAt(command::kTaskScheduler, true, 2);
    ExpectStoppedAndRestored(
        SendToNode(channel_, EditedConfiguration(), SendOptions{false}, progress_, stop_.get_token()));
    const std::vector<std::uint8_t> codes = line_.CommandCodes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), command::kTaskScheduler), 3) << "raised, cut short, put back";
}

TEST_F(Stopping, AStopDuringTheLastRestoreOfAReceiveStillRestores)
{
    StopAt(command::kTaskScheduler, true, 2);
    NodeConf record{};
    ExpectStoppedAndRestored(ReceiveFromNode(channel_, record, progress_, stop_.get_token()));
    const std::vector<std::uint8_t> codes = line_.CommandCodes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), command::kTaskScheduler), 3) << "raised, cut short, put back";
}

TEST_F(Stopping, AStopAfterTheLastStepChangesNothing)
{
    NodeConf record{};
    const Report report = ReceiveFromNode(channel_, record, progress_, stop_.get_token());
    stop_.request_stop();
    EXPECT_EQ(report.code, 0);
    EXPECT_FALSE(report.text); // success carries no text
    EXPECT_EQ(record.connectionCount, SampleConfiguration().connectionCount);
}

// The line failing where the sequence passes the protocol's result on is
// reported as the send's failure, with its catalogue text.
TEST(TransferFailures, ALineFailureIsShownAsTheTransfersOwn)
{
    ModelLine line;
    NodeChannel channel(line, {ChecksForMilliseconds(50), ChecksForMilliseconds(50)});
    line.OnRequest([&line](const std::vector<std::uint8_t>& r) {
        if (r[0] == kTypeCommand && r[4] == command::kRadioChannel) line.SetSilent(true);
    });
    Words progress;
    const Report report = SendToNode(channel, SampleConfiguration(), SendOptions{true}, progress);
    EXPECT_EQ(report.code, -4052);
    // A silent node cannot have its task scheduler put back either.
    EXPECT_EQ(report.text, MessageForCode(-4052) + "\n" + kPowerCycleText);
    EXPECT_EQ(progress.words.back(), kProgressIdle);

    // Composed and catalogue failures keep their own text.
    const Report highway = FinishTransfer(Report{-4001}, false, -4052);
    EXPECT_EQ(highway.code, -4001);
    EXPECT_EQ(highway.text, "Serial Data Highway Parameters not Supported by Target Node");
    const Report noAck = FinishTransfer(Report{kTransportNoAck}, false, -4051);
    EXPECT_EQ(noAck.code, -4051);
    EXPECT_EQ(noAck.text, "The Upload Failed");
    EXPECT_EQ(FinishTransfer(Report{-9903}, false, -4052).code, -9903); // the routing steps' own codes
    const Report composed = FinishTransfer(TransferFailure("Unable to upload Node Number"), false, -4051);
    EXPECT_EQ(composed.code, kTextReport);
    EXPECT_EQ(composed.text, "Unable to upload Node Number");
    const std::string longText(kTransferMessageLength + 40, 'x');
    EXPECT_EQ(TransferFailure("%s", longText.c_str()).text->size(), std::size_t(kTransferMessageLength));
}

} // namespace
} // namespace mnm
