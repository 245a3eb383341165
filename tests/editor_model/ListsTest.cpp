#include "editor/model/EditorContents.h"
#include "editor/model/ConnectionRow.h"
#include "editor/model/DialupRow.h"
#include "editor/model/ListColumns.h"
#include "editor/model/PageRules.h"

#include "nodeconf/ErrorCatalogue.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mnm;
using namespace mnm::editor;

namespace {

ConnectionInput Edits(std::string input, std::string output, bool onChange = false, std::string percent = "")
{
    ConnectionInput in;
    in.input = std::move(input);
    in.output = std::move(output);
    in.onChange = onChange;
    in.percentage = std::move(percent);
    return in;
}

DialupConnection Dialup(char local, int channel, bool secondary = false, int telephone = 1)
{
    DialupConnection d{};
    d.flags = kDialValid | (secondary ? kDialSecondary : 0);
    d.localKind = local;
    d.localChannel = static_cast<std::uint8_t>(channel);
    d.remoteKind = 'D';
    d.telephone = static_cast<std::uint8_t>(telephone);
    return d;
}

int ChannelAt(const DialupList& list, int index)
{
    DialupConnection d;
    EXPECT_EQ(0, GetDialup(list, index, d));
    return d.localChannel;
}

} // namespace

TEST(ConnectionList, LineFormatAndReadBack)
{
    Connection c;
    MakeConnection(c, 0, 'p', 1, 3, 7, 'A', 4, 2);
    c.connFlags |= kConnOnInterval;
    c.changeThreshold = 6000;
    c.pulseScaling = 0x41;
    EXPECT_EQ("65\tP1.3\ta\t7\tA4.2\tc\t-\t6000", ConnectionLine(c));
    Connection back;
    ASSERT_EQ(0, ReadConnectionLine(ConnectionLine(c), back));
    EXPECT_EQ(0, std::memcmp(&c, &back, sizeof c));

    MakeConnection(c, 0, 'd', 0, 1, 0, 'D', 2, 1);
    c.connFlags |= kConnOnChange;
    EXPECT_EQ('f', ConnectionLine(c)[ConnectionLine(c).rfind('\t') - 1]) << "local digital input on card 0";
    EXPECT_EQ(-5, ReadConnectionLine("0\tD1.1\ta\t0", back));
    EXPECT_EQ(-3, ReadConnectionLine(std::string(201, '0'), back));
    EXPECT_EQ(-1001, ReadConnectionLine("0\tD1.1\ta\t0\tS2.1\tc\t-\t255", back));
    ConnectionList list;
    EXPECT_EQ(-2, GetConnection(list, 0, back));
    EXPECT_EQ(-1, GetConnection(list, -1, back));
}

TEST(ConnectionList, ConnectRangesDuplicatesAndTheLimit)
{
    ConnectionList list;
    ASSERT_EQ(0, Connect(list, Edits("D1.1-8", "D2.1")));
    ASSERT_EQ(8u, list.lines.size());
    EXPECT_EQ("0\tD1.8\ta\t0\tD2.8\tc\t-\t255", list.lines[7]);
    EXPECT_EQ(7, list.selected);

    // The same endpoints again: one line, with the new settings.
    ASSERT_EQ(0, Connect(list, Edits("a1.1", "A2.1", true, "10")));
    ASSERT_EQ(0, Connect(list, Edits("a1.1", "A2.1", true, "20")));
    ASSERT_EQ(9u, list.lines.size());
    EXPECT_EQ("0\tA1.1\ta\t0\tA2.1\tc\td\t20", list.lines[0]) << "analog sorts before digital";
    EXPECT_EQ(0, list.selected);

    EXPECT_EQ(-2010, Connect(list, Edits("a1.2", "A2.2", true, "101"))) << "the rule's own code";

    for (int card = 10; list.lines.size() < 190; ++card)
        ASSERT_EQ(0, Connect(list, Edits("d" + std::to_string(card) + ".1", "D1.1")));
    EXPECT_EQ(-2004, Connect(list, Edits("d200.1-5", "D3.1")));
    EXPECT_EQ(192u, list.lines.size()) << "members added before the limit stay";
    EXPECT_EQ(-2004, Connect(list, Edits("d201.1", "D3.1")));

    // A full list still takes new settings for endpoints it connects already.
    ASSERT_EQ(0, Connect(list, Edits("a1.1", "A2.1", true, "55")));
    EXPECT_EQ(192u, list.lines.size());
    EXPECT_EQ("0\tA1.1\ta\t0\tA2.1\tc\td\t55", list.lines[0]);
}

TEST(ConnectionList, RowCellsAndWords)
{
    // At 480 pixels a 48th is 10: input at 20, arrow at 100, node at 140, output at 200,
    // interval marks at 290, change marks at 340, threshold at 370.
    const std::vector<RowCell> analog = ConnectionRowCells("0\tA1.2\ta\t7\tA2.1\tc\td\t20", 480);
    ASSERT_EQ(7u, analog.size());
    EXPECT_EQ((RowCell{20, 100, "A1.2", "", 0}), analog[0]);
    EXPECT_EQ((RowCell{100, 140, "", "CONNLBIconArrow", 8}), analog[1]);
    EXPECT_EQ((RowCell{140, 200, "7", "", 0}), analog[2]);
    EXPECT_EQ((RowCell{290, 302, "", "CONNLBIconClock", 12}), analog[4]);
    EXPECT_EQ((RowCell{340, 352, "", "CONNLBIconDelta", 12}), analog[5]);
    EXPECT_EQ((RowCell{370, 480, "20%", "", 0}), analog[6]);
    // At 960 every edge doubles.
    const std::vector<RowCell> wide = ConnectionRowCells("0\tA1.2\ta\t7\tA2.1\tc\td\t20", 960);
    EXPECT_EQ(400, wide[2].right);
    EXPECT_EQ(740, wide[6].left);
    EXPECT_EQ("A1.2 to node 7 A2.1, every interval, on change 20%", SpokenConnectionRow("0\tA1.2\ta\t7\tA2.1\tc\td\t20"));

    // A digital input shows no threshold; low power crosses its delta out.
    const std::vector<RowCell> digital = ConnectionRowCells("0\tD1.1\ta\t0\tD2.1\tc\tz\t255", 480);
    EXPECT_EQ("CONNLBIconDeltaX", digital.back().icon);
    EXPECT_EQ("D1.1 to D2.1, every interval, on change (not detected in low-power operation)",
              SpokenConnectionRow("0\tD1.1\ta\t0\tD2.1\tc\tz\t255"));
    // Pulses to analog with the offset: the maximum PPM with "(OS)", no delta needed.
    EXPECT_EQ("6000(OS)", ConnectionRowCells("65\tP1.1\ta\t0\tA2.1\tc\t-\t6000", 480).back().text);
    EXPECT_TRUE(ConnectionRowCells(std::string(101, 'x'), 480).empty());
    EXPECT_TRUE(ConnectionRowCells("not\ta line", 480).empty());
}

TEST(ConnectionList, RemoveChangeDetectionCopyBackAndFields)
{
    ConnectionList list;
    Connect(list, Edits("d1.1", "D2.1", true));
    Connect(list, Edits("d0.1", "D2.1", true));
    ConnectionInput pulse = Edits("p1.1", "A2.1");
    pulse.maxPpm = "6000";
    ASSERT_EQ(0, Connect(list, pulse));
    pulse.maxPpm = "6001";
    EXPECT_EQ(-2014, Connect(list, pulse));
    SetChangeDetection(list, false);
    EXPECT_EQ("0\tD0.1\ta\t0\tD2.1\tc\tf\t255", list.lines[0]);
    EXPECT_EQ("0\tD1.1\ta\t0\tD2.1\tc\tz\t255", list.lines[1]);
    SetChangeDetection(list, true);
    EXPECT_EQ("0\tD1.1\ta\t0\tD2.1\tc\td\t255", list.lines[1]);

    ConnectionInput edits;
    list.selected = 1;
    ASSERT_TRUE(CopyBackConnection(list, edits));
    EXPECT_EQ("D1.1", edits.input);
    EXPECT_EQ("D2.1", edits.output);
    EXPECT_TRUE(edits.onChange);

    list.selected = 2;
    RemoveSelectedConnection(list);
    EXPECT_EQ(1, list.selected) << "no line at the index: the one before";

    const ConnectionFieldRules pulseFields = ConnectionFieldsFor(Edits("p1.1", "A2.1"), true);
    EXPECT_TRUE(pulseFields.showPulseControls);
    EXPECT_FALSE(pulseFields.showChangeBox || pulseFields.showThreshold);
    const ConnectionFieldRules analog = ConnectionFieldsFor(Edits("a1.1", "D2.1", false), true);
    EXPECT_TRUE(analog.showThreshold && analog.showPercent);
    EXPECT_FALSE(analog.thresholdEnabled);
    EXPECT_FALSE(ConnectionFieldsFor(Edits("d1.1", "D2.1"), true).showThreshold);
}

TEST(RoutingList, LinesEditsAndMetricColumns)
{
    RoutingList list;
    RouteEdits edits;
    edits.destination = "0";
    edits.repeater = "0";
    EXPECT_EQ("", AddRouteFromEdits(&list, edits));
    EXPECT_EQ("\t\t[Any]\t\t\t\t\t\t\t\t[Direct]\t\t\t\t\t", RoutingLine(list.words[0]));
    edits.destination = "5";
    edits.repeater = "255";
    AddRouteFromEdits(&list, edits);
    EXPECT_NE(std::string::npos, RoutingLine(list.words[1]).find("[FAIL]"));
    edits.repeater = "256";
    EXPECT_EQ("Error -12 0 on parsing Routing Instruction", AddRouteFromEdits(&list, edits));
    edits.repeater = "x";
    EXPECT_EQ("Error -12 0 on parsing Routing Instruction", AddRouteFromEdits(&list, edits)) << "not a silent direct route";
    edits.repeater = "123456";
    EXPECT_EQ("Error -5 0 on parsing Routing Instruction", AddRouteFromEdits(&list, edits));
    edits.repeater = "1";
    EXPECT_EQ("Error 0 -299 on parsing Routing Instruction", AddRouteFromEdits(nullptr, edits));

    edits.telephoneChosen = true;
    edits.telephonePage = 3;
    AddRouteFromEdits(&list, edits);
    EXPECT_EQ(0x80050503u, list.words.back());
    EXPECT_EQ("\t\t5\t\t\t\t\t\t\t!T\t3\t\t\t\t\t", RoutingLine(list.words.back()));
    edits.leasedLine = true;
    AddRouteFromEdits(&list, edits);
    EXPECT_NE(std::string::npos, RoutingLine(list.words.back()).find("\t!E\t\t"));
    EXPECT_EQ(1, CountRoutes(list, RouteKind::Telephone));
    EXPECT_EQ(1, CountRoutes(list, RouteKind::LeasedLine));
    EXPECT_EQ(2, CountRoutes(list, RouteKind::Radio));

    EXPECT_FALSE(HasMetric(list));
    AddRoute(list, 0x03070900u); // metric 2, a range 7..9, direct
    EXPECT_TRUE(HasMetric(list));
    EXPECT_EQ(3, RoutingColumnEdges(true)[2]);
    EXPECT_EQ("\t\t7\t\t..\t\t9\t\t\t\t[Direct]\t\t\t\t2\t", RoutingLine(list.words.back()));
    RouteEdits back = edits;
    CopyBackRoute(list, back);
    EXPECT_EQ("", back.destination + back.repeater) << "a range empties both edits";
    RemoveSelectedRoute(list);
    EXPECT_FALSE(HasMetric(list));
}

TEST(RoutingList, OnlyDigitsNameANode)
{
    RoutingList list;
    RouteEdits edits;
    edits.repeater = "7";
    for (const char* destination : {"0x1F", "12x", " 12", "-1", "255"}) {
        edits.destination = destination;
        EXPECT_EQ("Error -10 0 on parsing Routing Instruction", AddRouteFromEdits(&list, edits)) << destination;
    }
    edits.destination = "00012";
    EXPECT_EQ("", AddRouteFromEdits(&list, edits));
    EXPECT_EQ(0x000C0C07u, list.words.back());
}

TEST(RoutingList, RowCellsHeadersAndSpokenRows)
{
    // Destination 5 to 9 through repeater 7, metric 2: the metric column set.
    const std::string line = RoutingLine(0x03050907u);
    const auto& edges = RoutingColumnEdges(true);
    const std::vector<RowCell> cells = LayOutRow(line, edges, kRoutingColumnUnits, 400, RoutingIcon);
    ASSERT_EQ(6u, cells.size());
    EXPECT_EQ((RowCell{30, 70, "5", ""}), cells[0]);
    EXPECT_EQ((RowCell{80, 100, "..", ""}), cells[1]);
    EXPECT_EQ((RowCell{180, 200, "", "RoutingRepeaterIcon"}), cells[3]);
    EXPECT_EQ((RowCell{200, 270, "7", ""}), cells[4]);
    EXPECT_EQ((RowCell{310, 360, "2", ""}), cells[5]);
    EXPECT_EQ("5 .. 9 by repeater 7 2", SpokenRow(line, kRoutingColumnEdges - 1, RoutingIconWord));

    const auto with = RoutingHeaderSpans(true, 400), without = RoutingHeaderSpans(false, 400);
    EXPECT_EQ((HeaderSpan{20, 140}), with[0]);
    EXPECT_EQ((HeaderSpan{180, 100}), with[1]);
    EXPECT_EQ((HeaderSpan{290, 90}), with[2]);
    EXPECT_EQ((HeaderSpan{240, 140}), without[1]);
    EXPECT_EQ(0, without[2].width);

    EXPECT_EQ(kRoutingErrorLine, ShownRoutingLine(std::string(101, 'x')));
    EXPECT_EQ(line, ShownRoutingLine(line));
}

TEST(DialupList, GroupsOrderAndRemoval)
{
    DialupList list;
    EXPECT_EQ(-21, AddDialup(list, Dialup('d', 1, true)));
    ASSERT_EQ(1, AddDialup(list, Dialup('d', 5)));
    ASSERT_EQ(1, AddDialup(list, Dialup('d', 2)));
    ASSERT_EQ(1, AddDialup(list, Dialup('A', 1))); // outputs after inputs
    EXPECT_EQ((std::vector<int>{2, 5, 1}), (std::vector<int>{ChannelAt(list, 0), ChannelAt(list, 1), ChannelAt(list, 2)}));

    list.selected = 0;
    ASSERT_EQ(1, AddDialup(list, Dialup('d', 9, true)));
    ASSERT_EQ(1, AddDialup(list, Dialup('d', 7, true)));
    EXPECT_EQ(4, DialupCount(list) - 1);
    EXPECT_EQ(7, ChannelAt(list, 1));
    EXPECT_EQ(9, ChannelAt(list, 2));
    ASSERT_EQ(1, AddDialup(list, Dialup('d', 3))); // a new primary never splits a group
    EXPECT_EQ(3, ChannelAt(list, 3));

    DialupConnection changed = Dialup('d', 5);
    changed.interval = 90;
    ASSERT_EQ(1, AddDialup(list, changed));
    EXPECT_EQ(6, DialupCount(list)) << "an equal entry is replaced";

    RemoveDialup(list, 0);
    EXPECT_EQ(6, DialupCount(list)) << "a primary with secondaries stays";
    RemoveDialup(list, 1);
    RemoveDialup(list, 1);
    RemoveDialup(list, 0);
    EXPECT_EQ(3, DialupCount(list));
    EXPECT_EQ(-1, RemoveDialup(list, 3));

    AddDialup(list, Dialup('d', 8, false, kDialLeasedLine));
    EXPECT_EQ(3, CountDialups(list, RouteKind::Telephone));
    RemoveDialups(list, RouteKind::LeasedLine);
    EXPECT_EQ(3, DialupCount(list));

    EXPECT_EQ("45mn", DialupIntervalText(45));
    EXPECT_EQ("2h", DialupIntervalText(120));
    EXPECT_EQ("1h30", DialupIntervalText(90));

    DialupList empty;
    DialupInput in;
    in.route = 1;
    in.local = "d1.1";
    in.remote = "5D1.1";
    in.intervalTicked = true;
    in.interval = "10";
    const DialupAddResult r = AddDialupFromControls(empty, in);
    EXPECT_EQ("Error Adding Dialup Connection", r.title);
    EXPECT_EQ("There is no Primary Connection with which to associate the new Secondary Connection", r.message);
}

TEST(DialupList, AModemSwitchTakesSecondariesWithTheirPrimary)
{
    EditorContents e;
    e.dialupModem = true;
    ASSERT_EQ(1, AddDialup(e.dialups, Dialup('d', 1)));
    e.dialups.selected = 0;
    DialupConnection secondary = Dialup('d', 2, true, 0); // secondaries carry no telephone
    ASSERT_EQ(1, AddDialup(e.dialups, secondary));
    ASSERT_EQ(1, AddDialup(e.dialups, Dialup('A', 3, false, kDialLeasedLine)));
    EXPECT_EQ(1, CountDialups(e.dialups, RouteKind::Telephone)) << "what the redial rule counts";
    EXPECT_EQ(2, CountDialupsGoing(e.dialups, RouteKind::Telephone));

    const ModemChange asked = ClickModemBox(e, true);
    ASSERT_TRUE(asked.ask);
    AnswerModemChange(e, true, false);
    EXPECT_EQ(3, DialupCount(e.dialups)) << "No keeps everything";
    AnswerModemChange(e, true, true);
    ASSERT_EQ(1, DialupCount(e.dialups)) << "the secondary goes with its primary";
    EXPECT_EQ(3, ChannelAt(e.dialups, 0));
    EXPECT_TRUE(e.leasedLineModem && !e.dialupModem);
}

TEST(DialupRow, CellsWordsLineAndCopyBack)
{
    DialupConnection c = Dialup('a', 2);
    c.localCard = 1;
    c.remoteNode = 5;
    c.remoteKind = 'A';
    c.remoteCard = 3;
    c.remoteChannel = 1;
    c.telephone = 2;
    c.interval = 90;
    c.flags |= kDialOnChange | kDialPercent;
    c.changeThreshold = 5;
    // At 400 pixels: the primary's area is the row less 20 on the right; 20 % is 80.
    const std::vector<RowCell> cells = DialupRowCells(c, 400);
    ASSERT_EQ(11u, cells.size());
    EXPECT_EQ((RowCell{0, 8, "", "DUCLBIconInput", 8}), cells[0]);
    EXPECT_EQ((RowCell{10, 80, "A1.2", "", 0}), cells[1]);
    EXPECT_EQ((RowCell{80, 88, "", "DUCLBIconArrow", 8}), cells[2]);
    EXPECT_EQ("5", cells[3].text);
    EXPECT_EQ((RowCell{112, 220, "A3.1", "", 0}), cells[4]);
    EXPECT_EQ("DUCLBIconTelephone", cells[5].icon);
    EXPECT_EQ("1h30", cells[8].text);
    EXPECT_EQ((RowCell{372, 380, "5%", "", 0}), cells[10]);
    const std::vector<RowCell> wide = DialupRowCells(c, 800); // 20 % is 160, the area ends at 760
    EXPECT_EQ(160, wide[2].left);
    EXPECT_EQ(760, wide[10].right);
    EXPECT_EQ("Input A1.2 to node 5 A3.1, telephone 2, every 1h30, on change 5%", SpokenDialupRow(c));

    DialupConnection s = Dialup('d', 4, true, 0);
    EXPECT_EQ(20, DialupRowCells(s, 400).front().left) << "a secondary is indented";
    EXPECT_EQ("-- Invalid --", DialupRowCells(DialupConnection{}, 400).front().text);

    DialupConnection read{};
    ASSERT_TRUE(ReadDialupViewLine(DialupViewLine(c), read));
    EXPECT_EQ(0, std::memcmp(&read, &c, sizeof c));
    EXPECT_FALSE(ReadDialupViewLine("zz", read));

    // Copied back and added again: the same record.
    DialupInput in;
    CopyBackDialup(c, in);
    EXPECT_EQ("1h30", in.interval);
    EXPECT_EQ("5A3.1", in.remote);
    DialupList list;
    ASSERT_EQ("", AddDialupFromControls(list, in).message);
    DialupConnection again{};
    ASSERT_EQ(0, GetDialup(list, 0, again));
    EXPECT_EQ(0, std::memcmp(&again, &c, sizeof c));
}

TEST(AlertList, LinesLimitMovesAndCopyBack)
{
    EditorContents e;
    AlertInput in;
    in.endpoint = "a2.1";
    in.direction = 0;
    in.analogCondition = 3; // goes over
    in.unit = 1;            // V
    in.limit = "4.5";
    in.hysteresis = "4";
    in.messagePage = 2;
    in.telephonePage = 3;
    SmsConnection a;
    ASSERT_EQ(0, BuildAlert(in, a));
    EXPECT_EQ("a\t2.\t1\t>\t450\tV\t|\t400\t2\t!\t3", AlertLine(a));
    EXPECT_EQ("4.50", AlertValueText(a.limit, a.unit));
    SmsConnection back;
    ASSERT_EQ(0, ReadAlertLine(AlertLine(a), back));
    EXPECT_EQ(0, std::memcmp(&a, &back, sizeof a));
    EXPECT_EQ(-4, ReadAlertLine("a\t2.\t1\t>\t\tV\t|\t400\t2\t!\t3", back));
    EXPECT_EQ(-7, ReadAlertLine("a\t2.\t1\t?\t1\tV\t\t\t2\t!\t3", back));

    for (int i = 0; i < 32; ++i) ASSERT_EQ(0, AddAlert(e.alerts, a));
    const int full = AddAlert(e.alerts, a);
    EXPECT_EQ("Unable to add new SMS Connections.\nThe ListBox already contains the maximum of 32", MessageForCode(full));

    e.alerts = {};
    SmsConnection digital{};
    digital.kind = 'D';
    digital.card = 1;
    digital.channel = 4;
    digital.condition = 1;
    digital.limit = digital.hysteresis = kSmsNone;
    digital.message = digital.telephone = 1;
    AddAlert(e.alerts, digital);
    AddAlert(e.alerts, a);
    MoveSelectedAlert(e.alerts, -1);
    EXPECT_EQ(0, e.alerts.selected);
    EXPECT_EQ('a', e.alerts.lines[0][0]);

    AlertInput copied;
    ASSERT_TRUE(CopyBackAlert(e, copied));
    EXPECT_EQ("A2.1", copied.endpoint);
    EXPECT_EQ("4.50", copied.limit);
    EXPECT_EQ("4.00", copied.hysteresis);
    EXPECT_EQ(2, e.smsMessages.CurrentPage());

    const AlertPageRules over = AlertRulesFor("a2.1", 3);
    EXPECT_TRUE(over.showHysteresis && over.showResetWhenUnder && !over.showResetWhenOver);
    EXPECT_TRUE(AlertRulesFor("d1.1", 3).showDigitalConditions);
    const AlertPageRules pulse = AlertRulesFor("p1.1", 0);
    EXPECT_FALSE(pulse.showDigitalConditions || pulse.showAnalogConditions || pulse.showLimit);
}

TEST(PagedEdit, PagesClampingAndTotals)
{
    EditorContents e;
    e.smsMessages.SetEditText(std::string(20, 'x'));
    e.smsMessages.Turn(1);
    e.smsMessages.SetEditText(std::string(30, 'y'));
    EXPECT_EQ(50, Counters(e).characters);
    e.smsMessages.Turn(99);
    EXPECT_EQ(32, e.smsMessages.CurrentPage());
    std::string text;
    EXPECT_EQ(30, e.smsMessages.GetPage(2, &text));
    EXPECT_EQ(-1, e.smsMessages.GetPage(33));
    e.smsMessages.PutPage(32, std::string(200, 'z'));
    EXPECT_EQ(160u, e.smsMessages.EditText().size());
    e.smsMessages.SetPage(1, false);
    e.smsMessages.Clear();
    EXPECT_EQ(0, e.smsMessages.TotalLength());
}
