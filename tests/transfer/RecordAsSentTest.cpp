// What a node holds after a send, and what a comparison with a node forgives.
#include <gtest/gtest.h>

#include "sim/SampleConfigurations.h"
#include "transfer/RecordAsSent.h"

namespace mnm {
namespace {

TEST(RecordAsSent, ConnectionOrderAndHighwayAsTheSendWritesThem)
{
    NodeConf r = NewNodeConf();
    r.connectionCount = 4;
    const int destinations[] = {7, 0, 7, 255};
    for (int i = 0; i < 4; ++i) {
        MakeConnection(r.connections[i], 0, 'd', 1, i + 1, destinations[i] % 255, 'D', 1, i + 1);
        r.connections[i].destNode = static_cast<std::uint8_t>(destinations[i]);
    }
    // By destination from this node up, table order within one; no real node, not sent.
    EXPECT_EQ(ConnectionSendOrder(r), (std::vector<int>{1, 0, 2}));

    r.highwayEncoding = 'R';
    EXPECT_EQ(RecordAsSent(r, true).highwayEncoding, 'C') << "with a modem the first byte is 'C'";
    r.networkFlags |= kFlagNoModem;
    EXPECT_EQ(RecordAsSent(r, true).highwayEncoding, 'R');
    EXPECT_TRUE(HoldsNoHighway(RecordAsSent(r, false)));
    EXPECT_EQ(RecordAsSent(r, true).connections[0].originChannel, 2);
}

TEST(RecordAsSent, AComparisonForgivesOnlyWhatTheSendItselfChanges)
{
    NodeConf file = EditedConfiguration();
    file.networkFlags &= ~kFlagNoModem;
    file.highwayEncoding = 'A';
    NodeConf node = file;
    node.highwayEncoding = 'C'; // as the send wrote it
    EXPECT_EQ(ComparableWithNode(file, node).highwayEncoding, 'C');
    node.highwayEncoding = 'R'; // another value: a real difference, the file's own stays
    EXPECT_EQ(ComparableWithNode(file, node).highwayEncoding, 'A');
    SetNoHighway(node);
    EXPECT_TRUE(HoldsNoHighway(ComparableWithNode(file, node)));
}

} // namespace
} // namespace mnm
