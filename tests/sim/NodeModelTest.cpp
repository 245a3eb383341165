// The virtual node's model on its own: what it keeps, when its flash
// changes, and how an older or smaller node answers.
#include <algorithm>

#include <gtest/gtest.h>

#include "sim/NodeModel.h"
#include "sim/SampleConfigurations.h"
#include "wire/NodeCodes.h"
#include "wire/NodeVersion.h"
#include "wire/WireRecords.h"

namespace mnm {
namespace {

std::optional<int> U16Command(NodeModel& m, std::uint8_t code, int value)
{
    std::uint8_t data[2];
    PutU16(data, static_cast<std::uint32_t>(value));
    return m.Command(code, data, 2);
}

// A commit answers "flash write started", reports "still writing" twice and
// copies its part of working memory to flash only when it reports done.
TEST(NodeModel, WritesGoToWorkingMemoryAndCommitsCopyThemToFlash)
{
    NodeModel m;
    m.SetConfig(SampleConfiguration());
    ASSERT_EQ(U16Command(m, command::kNodeNumber, 77), kStatusAccepted);
    EXPECT_EQ(m.Working().nodeNumber, 77);
    EXPECT_NE(m.Flash().nodeNumber, 77);

    EXPECT_EQ(m.Command(command::kCommitNetwork, nullptr, 0), kStatusFlashStarted);
    EXPECT_EQ(m.Query(query::kFlashState, 0, 0), (std::vector<std::uint8_t>{kFlashStillWriting}));
    EXPECT_EQ(m.Query(query::kFlashState, 0, 0), (std::vector<std::uint8_t>{kFlashStillWriting}));
    EXPECT_NE(m.Flash().nodeNumber, 77);
    EXPECT_EQ(m.Query(query::kFlashState, 0, 0), (std::vector<std::uint8_t>{kFlashWritten}));
    EXPECT_EQ(m.Flash().nodeNumber, 77);
    EXPECT_EQ(m.CommitCount(), 1);
    // The radio part is not the network part.
    ASSERT_EQ(U16Command(m, command::kRadioChannel, 9), kStatusAccepted);
    EXPECT_NE(m.Flash().radioChannel, 9);
}

TEST(NodeModel, TablesAreClearedWrittenAndReadBack)
{
    NodeModel m;
    m.SetConfig(SampleConfiguration());
    ASSERT_EQ(m.Command(command::kConnection, nullptr, 0), kStatusAccepted);
    EXPECT_EQ(m.Working().connectionCount, 0);
    EXPECT_EQ(m.Query(query::kConnection, 0, 0), std::vector<std::uint8_t>{}); // end of the table

    const Connection c = SampleConfiguration().connections[1];
    std::uint8_t data[2 + kConnectionWireSize];
    PutU16(data, 0);
    EncodeConnection(c, data + 2);
    ASSERT_EQ(m.Command(command::kConnection, data, sizeof data), kStatusAccepted);
    const auto back = m.Query(query::kConnection, 0, 0);
    ASSERT_TRUE(back && back->size() == static_cast<std::size_t>(kConnectionWireSize));
    // The node keeps the entry but not the program's own valid mark.
    EXPECT_EQ(std::vector<std::uint8_t>(data + 3, data + sizeof data), std::vector<std::uint8_t>(back->begin() + 1, back->end()));
    EXPECT_EQ((*back)[0], data[2] & ~kConnValid);
    // A wrongly sized entry is refused, not stored.
    EXPECT_EQ(m.Command(command::kConnection, data, sizeof data - 1), kStatusRefused);
    EXPECT_EQ(m.Working().connectionCount, 1);
}

TEST(NodeModel, AnOlderOrSmallerNodeLeavesRequestsUnanswered)
{
    NodeModel m;
    const std::uint8_t favour = 1;
    ASSERT_EQ(m.Command(command::kTaskScheduler, &favour, 1), kStatusAccepted);
    EXPECT_EQ(m.Scheduler(), 1);

    m.SetVersion("2.03.0040");
    EXPECT_FALSE(m.Query(query::kSmsTableSizes, 0, 0));
    EXPECT_FALSE(m.Query(query::kRouteTableSize, 1, 0));
    EXPECT_FALSE(m.Command(command::kTaskScheduler, &favour, 1));
    EXPECT_FALSE(m.Command(command::kWipeFlash, nullptr, 0));

    m.SetVersion(kDefaultNodeVersion);
    m.SetSmsSupported(false);
    m.SetHighwaySupported(false);
    EXPECT_FALSE(m.Query(query::kSmsTableSizes, 0, 0));
    EXPECT_FALSE(m.Query(query::kHighway, 0, 0));
    ASSERT_TRUE(m.Query(query::kNodeNumber, 0, 0));

    m.SetSmsSupported(true);
    const auto sizes = m.Query(query::kSmsTableSizes, 0, 0);
    ASSERT_TRUE(sizes && sizes->size() == static_cast<std::size_t>(kSmsTableSizesWireSize));
    const SmsTableSizes s = DecodeSmsTableSizes(sizes->data());
    EXPECT_EQ(s.maxConnections, kMaxSmsConnections);
    EXPECT_EQ(s.maxMessageLength, kSmsMessageLength);
}

// A demonstration must look alive: the signal moves, within the range the
// test page's gauge shows, and the alarm list has a few nodes, not all.
TEST(NodeModel, TheSignalMovesWithinTheGaugeAndFewNodesReport)
{
    NodeModel m;
    int lowest = 0, highest = -200;
    for (int pass = 0; pass < 500; ++pass) {
        const auto block = m.Query(query::kStatusBlock, 0, 0);
        ASSERT_TRUE(block && block->size() == static_cast<std::size_t>(kStatusBlockSize));
        const int dbm = -static_cast<int>(GetU32(block->data()) >> 16);
        lowest = std::min(lowest, dbm);
        highest = std::max(highest, dbm);
    }
    EXPECT_GE(lowest, -118);
    EXPECT_LE(highest, -95);
    EXPECT_GE(highest - lowest, 15);

    const auto live = m.Query(query::kLiveValues, 0, 0);
    ASSERT_TRUE(live && !live->empty() && live->size() % kLiveGroupSize == 0);
    int reporting = 0, alarms = 0;
    for (std::size_t i = 0; i < live->size(); i += kLiveGroupSize) {
        const std::uint32_t value = GetU16(live->data() + i + 1);
        reporting += value != 65535;
        alarms += value == 0;
    }
    EXPECT_GT(reporting, 1);
    EXPECT_LT(reporting, static_cast<int>(live->size() / kLiveGroupSize));
    EXPECT_EQ(alarms, 1);
}

} // namespace
} // namespace mnm
