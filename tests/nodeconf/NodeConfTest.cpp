#include "nodeconf/NodeConf.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mnm;

TEST(NodeConf, NewRecordIsAllZero)
{
    NodeConf conf = NewNodeConf();
    NodeConf zero;
    std::memset(&zero, 0, sizeof zero);
    EXPECT_EQ(0, std::memcmp(&conf, &zero, sizeof conf));
}

TEST(NodeConf, MakeConnectionChecksInOrderAndLeavesFailuresZero)
{
    Connection c;
    EXPECT_EQ(0, MakeConnection(c, 0, 'd', 1, 1, 3, 'D', 2, 1));
    EXPECT_EQ(kConnValid, c.connFlags);
    EXPECT_EQ(3, c.destNode);

    struct Case { int code; int on; char ok; int oc; int och; int dn; char dk; int dc; int dch; };
    const Case cases[] = {
        {-1, 255, 'd', 1, 1, 0, 'D', 1, 1}, {-2, 0, 'd', 256, 1, 0, 'D', 1, 1},
        {-3, 0, 'd', 1, -1, 0, 'D', 1, 1},  {-4, 0, 'D', 1, 1, 0, 'D', 1, 1},
        {-5, 0, 'd', 1, 1, 255, 'D', 1, 1}, {-6, 0, 'd', 1, 1, 0, 'D', 256, 1},
        {-7, 0, 'd', 1, 1, 0, 'D', 1, 256}, {-8, 0, 'd', 1, 1, 0, 'S', 1, 1},
        {-1, -1, 'x', 1, 1, 0, 'S', 1, 1}, // the first failing step wins
    };
    Connection zero;
    std::memset(&zero, 0, sizeof zero);
    for (const Case& k : cases) {
        std::memset(&c, 0x5A, sizeof c);
        EXPECT_EQ(k.code, MakeConnection(c, k.on, k.ok, k.oc, k.och, k.dn, k.dk, k.dc, k.dch));
        EXPECT_EQ(0, std::memcmp(&c, &zero, sizeof c)) << k.code;
    }
}

TEST(NodeConf, ConnectionEqualityIgnoresFlagsAndThresholds)
{
    Connection a, b;
    MakeConnection(a, 0, 'a', 1, 2, 5, 'A', 3, 4);
    MakeConnection(b, 0, 'a', 1, 2, 5, 'A', 3, 4);
    b.connFlags |= kConnOnChange;
    b.changeThreshold = 10;
    EXPECT_TRUE(ConnectionsEqual(a, b));
    b.destNode = 6;
    EXPECT_FALSE(ConnectionsEqual(a, b));
}

TEST(NodeConf, DerivedFieldsCountHighestNonEmptyAndBytes)
{
    NodeConf conf = NewNodeConf();
    std::strcpy(conf.smsMessages[0], "abc");
    std::strcpy(conf.smsMessages[4], "hello");
    std::strcpy(conf.smsNumbers[31], "0123");
    std::strcpy(conf.dialupNumbers[1], "99");
    ComputeDerivedFields(conf);
    EXPECT_EQ(5, conf.smsMessageCount);
    EXPECT_EQ(8 + 5, conf.smsMessageBytes);
    EXPECT_EQ(32, conf.smsNumberCount);
    EXPECT_EQ(2, conf.dialupNumberCount);
}
