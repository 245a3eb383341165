#include "fleet/NetworkCheck.h"

#include "editor/model/RoutingList.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mnm;

namespace {

NetworkMember Node(std::string file, int number, const char* name, std::uint32_t flags = 0)
{
    NetworkMember m{std::move(file), NewNodeConf()};
    std::strncpy(m.conf.networkName, name, kNetworkNameLength);
    m.conf.nodeNumber = number;
    m.conf.networkFlags = flags;
    return m;
}

void Connect(NodeConf& c, char in, int inChannel, int node, char out, int outCard, int outChannel)
{
    Connection& entry = c.connections[c.connectionCount++];
    ASSERT_EQ(0, MakeConnection(entry, 0, in, 1, inChannel, node, out, outCard, outChannel));
    entry.connFlags |= kConnOnInterval;
}

// A route as the routing page's Add button makes it.
RouteEntry Route(int destination, std::string repeater, int telephone = 0)
{
    editor::RouteEdits edits;
    edits.destination = std::to_string(destination);
    edits.repeater = std::move(repeater);
    edits.telephoneChosen = telephone != 0;
    edits.telephonePage = telephone;
    const editor::RouteParse parsed = editor::ParseRouteEdits(edits);
    EXPECT_EQ(0, parsed.code);
    return parsed.word;
}

void Primary(NodeConf& c, RouteEntry word) { c.primaryRoutes[c.primaryRouteCount++] = word; }

void Alert(NodeConf& c, int telephone)
{
    c.smsConnections[c.smsConnectionCount++] =
        SmsConnection{'d', 1, 1, 1, kSmsNone, kSmsNone, 0, 0, 0, 1, static_cast<std::uint8_t>(telephone), {}};
}

void Dialup(NodeConf& c, int remoteNode, int telephone)
{
    c.dialupConnections[c.dialupConnectionCount++] =
        DialupConnection{kDialValid | kDialOnChange, 0, 0, 0, 'd', 1, 1, 'D', 2, 1,
                         static_cast<std::uint8_t>(telephone), static_cast<std::uint8_t>(remoteNode), {}};
}

std::string Files(const std::vector<NetworkFinding>& findings)
{
    std::string files;
    for (const NetworkFinding& f : findings) files += f.file + " ";
    return files;
}

} // namespace

TEST(NetworkCheck, ACleanNetworkHasNoFinding)
{
    NetworkMember a = Node("a.mnc", 1, "NORTH");
    Connect(a.conf, 'a', 1, 3, 'A', 1, 1);
    Connect(a.conf, 'd', 1, 0, 'D', 2, 1); // local
    Connect(a.conf, 'd', 2, 1, 'D', 2, 2); // its own number: local too
    // The narrowest entry decides; a range names numbers, not nodes.
    Primary(a.conf, Route(0, "255"));
    Primary(a.conf, (3u << 16) | (9u << 8) | 255u);
    Primary(a.conf, Route(3, "2"));
    Alert(a.conf, 1);
    std::strcpy(a.conf.smsNumbers[0], "0123 456");
    Dialup(a.conf, 3, 2);
    std::strcpy(a.conf.dialupNumbers[1], "0456 789");

    NetworkMember b = Node("b.mnc", 2, "NORTH");
    Connect(b.conf, 'd', 1, 1, 'D', 1, 1); // direct, no route

    NetworkMember c = Node("c.mnc", 3, "NORTH");
    Connect(c.conf, 'd', 1, 1, 'D', 1, 3);
    Primary(c.conf, Route(1, "", 1));
    std::strcpy(c.conf.dialupNumbers[0], "0111");

    const auto findings = CheckNetwork({a, b, c});
    EXPECT_TRUE(findings.empty()) << findings.front().file << ": " << findings.front().text;
}

TEST(NetworkCheck, OneFaultOfEachKindInFileRuleAndEntryOrder)
{
    // The odd name comes first: the network's is the one most files hold.
    NetworkMember a = Node("a.mnc", 1, "SOUTH");
    Connect(a.conf, 'a', 1, 9, 'A', 1, 1);
    Connect(a.conf, 'd', 1, 3, 'D', 1, 1);
    Connect(a.conf, 'd', 2, 3, 'D', 1, 2);
    Primary(a.conf, Route(7, "2"));
    Primary(a.conf, Route(3, "2"));

    NetworkMember b = Node("b.mnc", 2, "NORTH");
    Primary(b.conf, Route(3, "1")); // back to node 1: a loop
    b.conf.secondaryRoutes[b.conf.secondaryRouteCount++] = Route(0, "8");
    Connect(b.conf, 'd', 1, 4, 'D', 1, 1);

    NetworkMember c = Node("c.mnc", 2, "NORTH");

    NetworkMember d = Node("d.mnc", 3, "NORTH");
    Connect(d.conf, 'd', 1, 1, 'D', 1, 1);
    Primary(d.conf, 0x03000000u | Route(1, "255")); // with a metric of 2
    Primary(d.conf, Route(2, "", 4));
    Alert(d.conf, 2);
    Dialup(d.conf, 6, 1);
    std::strcpy(d.conf.dialupNumbers[0], "0111");
    std::strcpy(d.conf.dialupNumbers[3], "   ");
    std::strcpy(d.conf.smsNumbers[0], "0123");

    NetworkMember e = Node("e.mnc", 4, "NORTH", kFlagNoRadio | kFlagNoModem);
    Connect(e.conf, 'd', 1, 1, 'D', 1, 1);
    Primary(e.conf, Route(1, "", 1));
    std::strcpy(e.conf.dialupNumbers[0], "0111");

    const auto findings = CheckNetwork({a, b, c, d, e});
    ASSERT_EQ(12u, findings.size());
    EXPECT_EQ("a.mnc a.mnc a.mnc a.mnc b.mnc b.mnc c.mnc d.mnc d.mnc d.mnc d.mnc e.mnc ", Files(findings));
    const std::vector<std::string> expected = {
        "network name \"SOUTH\" is not the network's \"NORTH\" held by b.mnc",
        "connection A1.1 -> 9A1.1: node 9 is not among the configurations",
        "primary route \"7 by repeater 2\": node 7 is not among the configurations",
        "connection D1.1 -> 3D1.1 (and 1 more to node 3): the route to node 3 loops through nodes 1, 2, 1: "
        "b.mnc routes it \"3 by repeater 1\"",
        "secondary route \"[Any] by repeater 8\": repeater node 8 is not among the configurations",
        "connection D1.1 -> 4D1.1: node 4 cannot be reached: b.mnc sends it by radio to e.mnc, which has no radio",
        "node number 2 is already held by b.mnc",
        "connection D1.1 -> 1D1.1: node 1 cannot be reached: d.mnc routes it \"1 [FAIL] metric 2\"",
        "primary route \"2 by telephone 4\": dialup telephone number 4 is empty",
        "alert 1 \"Input D1.1 turns ON, send message 1 to number 2\": SMS telephone number 2 is empty",
        "dialup connection D1.1 -> 6D2.1: node 6 is not among the configurations",
        "connection D1.1 -> 1D1.1: node 1 cannot be reached: e.mnc routes it \"1 by telephone 1\" but has no "
        "dialup modem",
    };
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(expected[i], findings[i].text) << i;
}
