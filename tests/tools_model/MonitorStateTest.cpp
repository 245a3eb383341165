#include "tools/model/MonitorState.h"

#include <gtest/gtest.h>

namespace mnm::tools {
namespace {

using std::chrono::milliseconds;
constexpr milliseconds kTimeout{300};

MonitorReadingBytes Bytes(char kind, int card, int channel, std::uint32_t value)
{
    MonitorReadingBytes b{};
    b[0] = static_cast<std::uint8_t>(value >> 24);
    b[1] = static_cast<std::uint8_t>(value >> 16);
    b[2] = static_cast<std::uint8_t>(value >> 8);
    b[3] = static_cast<std::uint8_t>(value);
    b[kReadingKindOffset] = static_cast<std::uint8_t>(kind);
    b[kReadingCardOffset] = static_cast<std::uint8_t>(card);
    b[kReadingChannelOffset] = static_cast<std::uint8_t>(channel);
    return b;
}

TEST(MonitorEndpointText, ReadsPointsAndRangesOfThisNode)
{
    EXPECT_EQ(ParseMonitoredEndpoint("D1.2", true), (MonitoredEndpoint{'d', 1, 2, 2}));
    EXPECT_EQ(ParseMonitoredEndpoint("d1.2", false), (MonitoredEndpoint{'D', 1, 2, 2}));
    EXPECT_EQ(ParseMonitoredEndpoint("d1.1-8", true), (MonitoredEndpoint{'d', 1, 1, 8}));
    EXPECT_EQ(ParseMonitoredEndpoint("S255.250-255", false), (MonitoredEndpoint{'S', 255, 250, 255}));
    // Analog and pulse readings carry one channel: a range of them watches its first.
    EXPECT_EQ(ParseMonitoredEndpoint("a2.1-4", true), (MonitoredEndpoint{'a', 2, 1, 1}));
    EXPECT_EQ(ParseMonitoredEndpoint("P2.3-4", false), (MonitoredEndpoint{'P', 2, 3, 3}));
}

TEST(MonitorEndpointText, RefusesWhatTheSelectCommandCannotCarry)
{
    for (const char* text : {"", "D", "D1.", "x1.1", "3D1.2", "D256.1", "D300.1", "D1.0", "D1.256", "d1.250-260",
                             "d1.5-3", "D1.2x"})
        EXPECT_FALSE(ParseMonitoredEndpoint(text, true)) << text;
}

TEST(MonitorStateEndpoint, InvalidTextChangesNothing)
{
    MonitorState state(milliseconds(0), kTimeout);
    EXPECT_EQ(state.Endpoint(), nullptr);
    // Nothing is watched yet: even an empty reading is not one of ours.
    EXPECT_FALSE(state.Arrive(Bytes('\0', 0, 0, 0), milliseconds(1)));
    ASSERT_TRUE(state.ChangeEndpoint("a2.1", true));
    ASSERT_TRUE(state.Arrive(Bytes('a', 2, 1, 4095), milliseconds(10)));
    for (const char* text : {"4a2.1", "a300.1", "a2.", "A2.0"}) EXPECT_FALSE(state.ChangeEndpoint(text, false));
    ASSERT_NE(state.Endpoint(), nullptr);
    EXPECT_EQ(*state.Endpoint(), (MonitoredEndpoint{'a', 2, 1, 1}));
    EXPECT_EQ(state.Reading().value, 4095u);
}

TEST(MonitorStateEndpoint, AnotherEndpointForgetsTheOldReading)
{
    MonitorState state(milliseconds(0), kTimeout);
    state.ChangeEndpoint("a2.1", true);
    state.Arrive(Bytes('a', 2, 1, 100), milliseconds(10));
    // The same endpoint again (the view opened once more) keeps what it shows.
    state.ChangeEndpoint("A2.1", true);
    EXPECT_EQ(state.Reading().kind, 'a');

    state.ChangeEndpoint("A2.1", false);
    EXPECT_EQ(state.Reading().kind, '\0');
    // A reading of the old endpoint still on its way is not taken.
    EXPECT_FALSE(state.Arrive(Bytes('a', 2, 1, 100), milliseconds(20)));
    EXPECT_FALSE(state.Arrive(Bytes('A', 2, 2, 100), milliseconds(20)));
    EXPECT_EQ(state.Reading().kind, '\0');
    EXPECT_TRUE(state.Arrive(Bytes('A', 2, 1, 7), milliseconds(20)));
    EXPECT_EQ(state.Reading().value, 7u);

    // A range is matched by its first channel, which is what the node is asked for.
    state.ChangeEndpoint("d1.1-8", true);
    EXPECT_TRUE(state.Arrive(Bytes('d', 1, 1, 0x81), milliseconds(30)));
    MonitorReadingBytes remote = Bytes('d', 1, 1, 0x81);
    remote[kReadingNodeOffset] = 4;
    EXPECT_FALSE(state.Arrive(remote, milliseconds(30)));
}

TEST(MonitorStateAge, ReadingGoesAfterTheTimeOutOrWhenTheClockTurnsBack)
{
    MonitorState state(milliseconds(1000), kTimeout);
    state.ChangeEndpoint("p2.1", true);
    state.Arrive(Bytes('p', 2, 1, 5), milliseconds(1000));
    EXPECT_FALSE(state.Age(milliseconds(1300)));
    EXPECT_EQ(state.Reading().value, 5u);
    EXPECT_TRUE(state.Age(milliseconds(1301)));
    EXPECT_EQ(state.Reading().kind, '\0');
    // The age counts again from the moment it went.
    EXPECT_FALSE(state.Age(milliseconds(1601)));

    state.Arrive(Bytes('p', 2, 1, 6), milliseconds(2000));
    EXPECT_TRUE(state.Age(milliseconds(1999)));
    EXPECT_EQ(state.Reading().kind, '\0');
    EXPECT_FALSE(state.Age(milliseconds(2100)));

    // A new clock starts the age afresh instead of reading as a jump.
    state.Arrive(Bytes('p', 2, 1, 7), milliseconds(2100));
    state.Restart(milliseconds(0));
    EXPECT_FALSE(state.Age(milliseconds(300)));
    EXPECT_EQ(state.Reading().value, 7u);
}

} // namespace
} // namespace mnm::tools
