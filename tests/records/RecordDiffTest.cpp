#include "records/RecordDiff.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mnm;

namespace {

Connection Link(char inKind, int inChannel, int outNode, char outKind, int outChannel)
{
    Connection c{};
    MakeConnection(c, 0, inKind, 1, inChannel, outNode, outKind, 2, outChannel);
    c.connFlags |= kConnOnInterval;
    c.changeThreshold = 255;
    return c;
}

RouteEntry Route(int destination, int via) { return static_cast<RouteEntry>(destination * 0x10100 + via); }

// A record with a few entries in every table.
NodeConf Sample()
{
    NodeConf c = NewNodeConf();
    std::strcpy(c.networkName, "NET1");
    c.radioChannel = 5;
    c.transmitInterval = 600;
    c.alarmDelay = 1800;
    c.redialInterval = static_cast<std::int32_t>(absent);

    c.connections[0] = Link('d', 1, 0, 'D', 1);
    c.connections[1] = Link('a', 2, 5, 'A', 1);
    c.connections[1].connFlags |= kConnOnChange;
    c.connections[1].changeThreshold = 5;
    c.connections[2] = Link('d', 8, 0, 'D', 8);
    c.connectionCount = 3;

    c.primaryRoutes[0] = Route(5, 7);
    c.primaryRoutes[1] = Route(9, 0);
    c.primaryRouteCount = 2;
    c.secondaryRoutes[0] = kRouteTelephone | Route(5, 3);
    c.secondaryRouteCount = 1;

    c.smsConnections[0] = SmsConnection{'d', 1, 2, 1, kSmsNone, kSmsNone, 0, 0, 0, 1, 2, {}};
    c.smsConnections[1] = SmsConnection{'a', 1, 3, 'Q', 450, kSmsNone, 0, 0, 2, 1, 2, {}};
    c.smsConnectionCount = 2;
    std::strcpy(c.smsNumbers[0], "0123456");

    c.dialupConnections[0] = DialupConnection{kDialValid, 0, 90, 0, 'd', 1, 2, 'A', 3, 1, 1, 5, {}};
    c.dialupConnectionCount = 1;
    ComputeDerivedFields(c);
    return c;
}

std::vector<std::string> Lines(const std::vector<FieldDifference>& diffs)
{
    std::vector<std::string> lines;
    for (const FieldDifference& d : diffs) lines.push_back(DifferenceText(d));
    return lines;
}

} // namespace

TEST(RecordDiff, PlainFieldsInNotationAndRecordOrder)
{
    const NodeConf a = Sample();
    EXPECT_TRUE(DiffRecords(a, a).empty());

    NodeConf b = a;
    b.smsNumberCount = 9; // derived: its entries speak for it
    b.connections[5] = Link('d', 9, 0, 'D', 9); // past the count: not in use
    EXPECT_TRUE(DiffRecords(a, b).empty());

    b.redialInterval = 30;
    b.transmitInterval = 90;
    b.alarmDelay = 3600;
    b.radioChannel = static_cast<std::int32_t>(absent);
    b.networkFlags = kFlagLeasedLine;
    std::strncpy(b.networkName, "N\xC9T", sizeof b.networkName); // Windows-1252 E acute
    EXPECT_EQ((std::vector<std::string>{
                  "networkName: \"NET1\" -> \"N\xC3\x89T\"",
                  "networkFlags: 0x00000000 -> 0x00000002",
                  "radioChannel: 5 -> (absent)",
                  "transmitInterval: 10m -> 1m30s",
                  "alarmDelay: 30m -> 1h",
                  "redialInterval: (absent) -> 30",
              }),
              Lines(DiffRecords(a, b)));
}

TEST(RecordDiff, ConnectionsPairByEndpoints)
{
    const NodeConf a = Sample();
    NodeConf b = a;
    // Inserted in the middle: one difference, not a run of shifted entries.
    std::memmove(&b.connections[2], &b.connections[1], 2 * sizeof(Connection));
    b.connections[1] = Link('d', 5, 0, 'D', 5);
    b.connectionCount = 4;
    EXPECT_EQ(std::vector<std::string>{"connections[D1.5 to D2.5]: (no entry) -> D1.5 to D2.5, every interval"},
              Lines(DiffRecords(a, b)));

    // A kept connection's new threshold, a removed one, and one added at the front.
    b = a;
    b.connections[1].changeThreshold = 10;
    b.connections[2] = b.connections[1];
    b.connections[1] = b.connections[0];
    b.connections[0] = Link('a', 1, 0, 'A', 1);
    b.connections[2].connFlags = kConnValid | kConnOnChange;
    EXPECT_EQ((std::vector<std::string>{
                  "connections[A1.1 to A2.1]: (no entry) -> A1.1 to A2.1, every interval",
                  "connections[A1.2 to 5A2.1].connFlags: 0x83 -> 0x81",
                  "connections[A1.2 to 5A2.1].changeThreshold: 5 -> 10",
                  "connections[D1.8 to D2.8]: D1.8 to D2.8, every interval -> (no entry)",
              }),
              Lines(DiffRecords(a, b)));

    // The same endpoints twice on one side pair in order, under unique paths; JSON has null for no entry.
    b = a;
    b.connections[3] = b.connections[2];
    b.connectionCount = 4;
    EXPECT_EQ(nlohmann::ordered_json::parse(
                  R"([{"path":"connections[D1.8 to D2.8 #2]","a":null,"b":"D1.8 to D2.8, every interval"}])"),
              DifferencesToJson(DiffRecords(a, b)));

    // A kind byte no card has, as a node may send it, reaches the lines and
    // JSON as UTF-8.
    b = a;
    b.connections[0].originKind = '\xE9'; // Windows-1252 e acute
    const std::vector<FieldDifference> odd = DiffRecords(a, b);
    ASSERT_EQ(odd.size(), 2u);
    EXPECT_EQ(odd[1].path, "connections[\xC3\xA9" "1.1 to D2.1]");
    EXPECT_NO_THROW(DifferencesToJson(odd).dump());
}

TEST(RecordDiff, RoutesAlertsDialupsAndSlots)
{
    const NodeConf a = Sample();
    NodeConf b = a;
    b.primaryRoutes[0] = Route(5, 8);
    b.secondaryRoutes[1] = kRouteTelephone | Route(12, 0);
    b.secondaryRouteCount = 2;
    b.smsConnections[1].limit = 500;
    b.dialupConnections[0].interval = 120;
    std::strcpy(b.smsNumbers[2], "0777");
    EXPECT_EQ((std::vector<std::string>{
                  "primaryRoutes[5]: 5 by repeater 7 -> 5 by repeater 8",
                  "secondaryRoutes[12]: (no entry) -> 12 by leased line",
                  "smsConnections[Input A1.3].limit: 4.50 -> 5.00",
                  "smsNumbers[3]: \"\" -> \"0777\"",
                  "dialupConnections[Input D1.2 to 5A3.1 by telephone 1].interval: 1h30 -> 2h",
              }),
              Lines(DiffRecords(a, b)));

    // Whole entries read as their pages say them; bits a route line hides show in hex.
    b = a;
    b.primaryRoutes[1] = Route(9, 0) | 0x03000000u; // a metric of 2
    b.secondaryRoutes[0] = kRouteTelephone | 0x00000300u; // any destination: the range end is not shown
    b.smsConnectionCount = 1;
    b.dialupConnections[0].telephone = kDialLeasedLine;
    EXPECT_EQ((std::vector<std::string>{
                  "primaryRoutes[9]: 9 [Direct] -> 9 [Direct], metric 2",
                  "secondaryRoutes[5]: 5 by telephone 3 -> (no entry)",
                  "secondaryRoutes[Any]: (no entry) -> [Any] by leased line",
                  "smsConnections[Input A1.3]: Input A1.3 goes over 4.50 V, send message 1 to number 2 -> (no entry)",
                  "dialupConnections[Input D1.2 to 5A3.1 by telephone 1]: "
                  "Input D1.2 to node 5 A3.1, telephone 1, every 1h30 -> (no entry)",
                  "dialupConnections[Input D1.2 to 5A3.1 by leased line]: (no entry) -> "
                  "Input D1.2 to node 5 A3.1, leased line, every 1h30",
              }),
              Lines(DiffRecords(a, b)));

    // A second alert on an input, put in front of the first: one new entry,
    // whichever way round.
    NodeConf twoAlerts = a;
    twoAlerts.smsConnections[2] = twoAlerts.smsConnections[1];
    twoAlerts.smsConnections[1].limit = 20;
    twoAlerts.smsConnectionCount = 3;
    const std::string added = "smsConnections[Input A1.3 #2]: (no entry) -> Input A1.3 goes over 0.20 V, send "
                              "message 1 to number 2";
    EXPECT_EQ(std::vector<std::string>{added}, Lines(DiffRecords(a, twoAlerts)));
    EXPECT_EQ(std::vector<std::string>{"smsConnections[Input A1.3]: Input A1.3 goes over 0.20 V, send "
                                       "message 1 to number 2 -> (no entry)"},
              Lines(DiffRecords(twoAlerts, a)));

    // Connections in another order are the same: the send orders them itself.
    NodeConf shuffled = a;
    std::swap(shuffled.connections[0], shuffled.connections[2]);
    EXPECT_TRUE(DiffRecords(a, shuffled).empty());

    // The same routes in another order: the node tries them in order.
    NodeConf swapped = a;
    std::swap(swapped.primaryRoutes[0], swapped.primaryRoutes[1]);
    EXPECT_EQ(std::vector<std::string>{"primaryRoutes: 5, 9 -> 9, 5"}, Lines(DiffRecords(a, swapped)));

    NodeConf c = b;
    c.secondaryRoutes[0] = kRouteTelephone | 0x00000400u;
    EXPECT_EQ(std::vector<std::string>{"secondaryRoutes[Any]: [Any] by leased line (0x80000300) -> "
                                       "[Any] by leased line (0x80000400)"},
              Lines(DiffRecords(b, c)));
}
