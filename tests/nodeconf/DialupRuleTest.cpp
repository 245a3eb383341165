#include "nodeconf/DialupRule.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mnm;

namespace {

DialupInput Primary(const char* local, const char* remote)
{
    DialupInput in;
    in.local = local;
    in.remote = remote;
    in.telephonePage = 3;
    in.intervalTicked = true;
    in.interval = "15";
    return in;
}

std::string MessageOf(const DialupInput& in)
{
    DialupConnection c;
    const Report r = BuildDialupConnection(in, c);
    return r.ok() ? "" : r.text.value_or("(no text)");
}

} // namespace

TEST(DialupRule, PrimaryConnection)
{
    DialupInput in = Primary("a1.2", "12A3.4");
    in.changeTicked = true;
    in.threshold = "5";
    DialupConnection c;
    ASSERT_TRUE(BuildDialupConnection(in, c).ok());
    EXPECT_EQ(std::make_tuple(kDialValid | kDialOnChange | kDialPercent, 'a', 1, 2, 'A', 3, 4, 12, 3, 15, 5),
              std::make_tuple(+c.flags, c.localKind, +c.localCard, +c.localChannel, c.remoteKind, +c.remoteCard,
                              +c.remoteChannel, +c.remoteNode, +c.telephone, +c.interval, +c.changeThreshold));
}

TEST(DialupRule, TelephoneByRoute)
{
    DialupInput in = Primary("d1.1", "2D1.1");
    in.leasedLine = true;
    DialupConnection c;
    ASSERT_TRUE(BuildDialupConnection(in, c).ok());
    EXPECT_EQ(kDialLeasedLine, c.telephone);

    in.route = 1; // secondary: no telephone, no transmit conditions needed
    in.intervalTicked = false;
    ASSERT_TRUE(BuildDialupConnection(in, c).ok());
    EXPECT_EQ(0, c.telephone);
    EXPECT_EQ(kDialValid | kDialSecondary, +c.flags);
}

TEST(DialupRule, PulseToAnalog)
{
    DialupInput in = Primary("p1.1", "2A1.1");
    in.maxPpm = "6000";
    in.offset4mA = true;
    in.changeTicked = true; // not offered for pulse to analog, so not read
    in.threshold = "junk";
    DialupConnection c;
    ASSERT_TRUE(BuildDialupConnection(in, c).ok());
    EXPECT_EQ(kDialValid | kDialHasMaxPpm | kDialOffset, +c.flags);
    EXPECT_EQ(6000, +c.maxPpm);

    const std::pair<const char*, const char*> ppm[] = {
        {"", "The Maximum Pulse-Rate is empty"},
        {"6x", "There is a non-digit in the Maximum Pulse-Rate"},
        {"0", "The Maximum Pulse-Rate must not be zero"},
        {"6001", "The Maximum Pulse-Rate of 6001 exceeds the maximum of 6000"},
        {"0099999999999999", "The Maximum Pulse-Rate of 99999999999999 exceeds the maximum of 6000"},
    };
    for (const auto& [text, message] : ppm) {
        in.maxPpm = text;
        EXPECT_EQ(message, MessageOf(in)) << text;
    }
    in.maxPpm = "10";
    in.intervalTicked = false;
    EXPECT_EQ("The Connection does not have an Interval associated with it.", MessageOf(in));
}

TEST(DialupRule, Intervals)
{
    const std::pair<const char*, int> good[] = {{"1h30", 90}, {"2h", 120}, {"h45", 45}, {"1H75", 135},
                                                {"65535", 65535}};
    for (const auto& [text, minutes] : good) {
        DialupInput in = Primary("d1.1", "2D1.1");
        in.interval = text;
        DialupConnection c;
        ASSERT_TRUE(BuildDialupConnection(in, c).ok()) << text;
        EXPECT_EQ(minutes, +c.interval) << text;
    }

    const std::pair<const char*, const char*> bad[] = {
        {"", "The Transmission Interval is empty"},
        {"1h2h", "There is more than one 'H' character in the Transmission Interval"},
        {"1m", "There is a character in the Transmission Interval that is\nneither a digit nor an 'H'"},
        {"1092h16", "The Transmission Interval is too great"},
        {"99999999999h", "The Transmission Interval is too great"},
        {"0", "The Transmission Interval is zero"},
        {"h", "The Transmission Interval is zero"},
        {"65536", "The Connection is invalid in some way,\n but MNMGR can not tell what."},
    };
    for (const auto& [text, message] : bad) {
        DialupInput in = Primary("d1.1", "2D1.1");
        in.interval = text;
        EXPECT_EQ(message, MessageOf(in)) << text;
    }
}

TEST(DialupRule, KindsAndThresholds)
{
    struct Case {
        const char* local;
        const char* remote;
        int direction;
        bool interval;
        bool change;
        const char* threshold;
        const char* message; // "" = accepted
    };
    const Case cases[] = {
        {"a1.1", "2D1.1", 0, true, false, "", "Cannot connect Analog Input to Digital Output"},
        {"D1.1", "2P1.1", 1, true, false, "", "Cannot connect Digital Output to Pulse Output"},
        {"s1.1", "2D1.1", 0, true, false, "", ""},
        {"S1.1", "2D1.1", 1, true, false, "",
         "Can not connect from a Status Output, as there\n is no such thing"},
        {"d1.1", "2D1.1", 0, false, true, "junk", ""}, // digital change has no threshold
        {"d1.1", "2D1.1", 0, false, false, "",
         "The Connection has neither Interval nor State-Change conditions associated with it."},
        {"a1.1", "2A1.1", 0, false, true, "", "The Transmission State-Change Threshhold is empty"},
        {"a1.1", "2A1.1", 0, false, true, "5%",
         "The Transmission State-Change Threshhold contains non-digits."},
        {"a1.1", "2A1.1", 0, false, true, "0",
         "The Transmission State-Change Threshhold must be non-zero"},
        {"a1.1", "2A1.1", 0, false, true, "100",
         "The Transmission State-Change Threshhold must be lower than 100%"},
        {"a1.1", "2A1.1", 0, false, true, "99", ""},
        {"p1.1", "2P1.1", 0, false, true, "65534", ""},
        {"p1.1", "2P1.1", 0, false, true, "65535",
         "The Connection is invalid in some way,\n but MNMGR can not tell what."},
        {"a1.-1", "2A1.1", 0, true, false, "",
         "The Connection is invalid in some way,\n but MNMGR can not tell what."},
        {"a1.1", "2A1.256", 0, true, false, "",
         "The Connection is invalid in some way,\n but MNMGR can not tell what."},
    };
    for (const Case& k : cases) {
        DialupInput in = Primary(k.local, k.remote);
        in.direction = k.direction;
        in.intervalTicked = k.interval;
        in.changeTicked = k.change;
        in.threshold = k.threshold;
        EXPECT_EQ(k.message, MessageOf(in)) << k.local << " " << k.remote;
    }

    DialupInput in = Primary("p1.1", "2P1.1");
    in.intervalTicked = false;
    in.changeTicked = true;
    in.threshold = "250";
    DialupConnection c;
    ASSERT_TRUE(BuildDialupConnection(in, c).ok());
    EXPECT_EQ(kDialValid | kDialOnChange, +c.flags); // a count, not a percentage
    EXPECT_EQ(250, +c.changeThreshold);
}
