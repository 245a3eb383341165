#include "nodeconf/Endpoint.h"

#include <gtest/gtest.h>

using namespace mnm;

TEST(Endpoint, ParseResults)
{
    struct Case {
        const char* text;
        bool range;
        int code;
        std::uint32_t node;
        char letter;
        int card, channel, count;
    };
    const Case cases[] = {
        {"a1.1-8", true, 0, absent, 'a', 1, 1, 8},
        {"  12A3.4", false, 0, 12, 'A', 3, 4, 1},
        {"5.a1.2", false, 0, 5, 'a', 1, 2, 1},   // punctuation after the node is skipped
        {"a1:2", false, 0, absent, 'a', 1, 2, 1},
        {"a1..2", false, 0, absent, 'a', 1, 2, 1},
        {"d0.0", false, 0, absent, 'd', 0, 0, 1},
        {"a1.5-5", true, 0, absent, 'a', 1, 5, 1},
        {"a1.8-1", true, -104, 0, 0, 0, 0, 0},
        {"a1.1-", true, -103, 0, 0, 0, 0, 0},
        {"a1.1-8x", true, -105, 0, 0, 0, 0, 0},
        {"a1.1-8", false, -102, 0, 0, 0, 0, 0},
        {"a1.1x", true, -101, 0, 0, 0, 0, 0},
        {"", false, -2, 0, 0, 0, 0, 0},
        {"   ", false, -2, 0, 0, 0, 0, 0},
        {"12", false, -2, 0, 0, 0, 0, 0},
        {"x1.1", false, -3, 0, 0, 0, 0, 0},
        {"5 a1.2", false, -3, 0, 0, 0, 0, 0},
        {"a", false, -4, 0, 0, 0, 0, 0},
        {"a1", false, -5, 0, 0, 0, 0, 0},
        {"a1.", false, -5, 0, 0, 0, 0, 0},
        {"a1.x", false, -6, 0, 0, 0, 0, 0},
        {"a1 2", false, -6, 0, 0, 0, 0, 0},
    };
    for (const Case& k : cases) {
        Endpoint e;
        EXPECT_EQ(k.code, ParseEndpoint(k.text, k.range, e)) << k.text;
        if (k.code != 0) continue;
        EXPECT_EQ(k.node, e.node) << k.text;
        EXPECT_EQ(k.letter, e.letter) << k.text;
        EXPECT_EQ(k.card, e.card) << k.text;
        EXPECT_EQ(k.channel, e.channel) << k.text;
        EXPECT_EQ(k.count, e.count) << k.text;
    }
}

TEST(Endpoint, HugeNumbersSaturateInsteadOfWrapping)
{
    Endpoint e;
    // 2^32 + 1 would wrap to node 1 and channel 1.
    ASSERT_EQ(0, ParseEndpoint("4294967297a1.4294967297", false, e));
    EXPECT_GT(e.node, 254u);
    EXPECT_GT(e.channel, 255);
    ASSERT_EQ(0, ParseEndpoint("a1.0-99999999999999999999", true, e));
    EXPECT_GT(e.count, 256);
}

TEST(Endpoint, KindNames)
{
    EXPECT_EQ("Status Input", KindName('s'));
    EXPECT_EQ("Status Output", KindName('S'));
    EXPECT_EQ("Pulse Input", KindName('p'));
    EXPECT_EQ("", KindName('x'));
}

TEST(Endpoint, DialupEndpointMessages)
{
    struct Case {
        const char* local;
        const char* remote;
        bool input;
        const char* message;
    };
    const Case cases[] = {
        {"", "5D1.1", true, "Invalid Origin Endpoint"},
        {"a1", "5D1.1", true, "Invalid Origin Endpoint"},
        {"x1.1", "5D1.1", true, "Invalid Origin Endpoint Letter"},
        {"a1.0", "5D1.1", true, "Origin Endpoint Channel Number is zero"},
        {"a1.1", "D1.1", true, "Destination Endpoint does not include the Node Number"},
        {"a1.1", "5D1", true, "Invalid Destination Endpoint"},
        {"a1.1", "12 D2.1", true, "Invalid Destination Endpoint"},
        {"a1.1", "0A1.1", true, "Destination Node is zero"},
        {"a1.1", "-3A1.1", true, "Destination Node is less than zero"},
        {"a1.1", "255A1.1", true, "Destination Node is greater than 254"},
        {"a1.1", "5X1.1", true, "Invalid Destination Endpoint Letter"},
        {"a1.1", "5A1.0", true, "Destination Endpoint Channel Number is zero"},
        {"a1.1", "5s1.1", true, "Can not connect to a Status Output, as there\n is no such thing"},
    };
    for (const Case& k : cases) {
        DialupEndpoints out;
        const Report r = ParseDialupEndpoints(k.local, k.remote, k.input, out);
        EXPECT_NE(0, r.code) << k.local << " " << k.remote;
        EXPECT_EQ(k.message, r.text.value_or("")) << k.local << " " << k.remote;
    }

    // A text holding a zero byte where the letter belongs.
    DialupEndpoints out;
    const Report nul = ParseDialupEndpoints("a1.1", std::string_view("5\0" "1.1", 5), true, out);
    EXPECT_EQ("Unable to Parse Destination Endpoint", nul.text.value_or(""));
}
