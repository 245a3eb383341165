#include "editor/model/Transfer.h"

#include "nodeconf/Duration.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/NetworkRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace mnm;
using namespace mnm::editor;

namespace {

constexpr std::int32_t kAbsent = static_cast<std::int32_t>(absent);

// A configuration that passes the check: radio, no modem, two connections.
EditorContents GoodEditor()
{
    EditorContents e;
    e.uhfRadio = true;
    e.networkName = "NET";
    e.nodeNumber = "12";
    e.channel = "5";
    e.transmitPower = "500";
    e.transmitInterval = "10";
    e.maxRetries = "3";
    e.alarmDelay = "20";
    return e;
}

Connection MakeConn(char inKind, int inCard, int inChannel, int destNode, char outKind, int outCard, int outChannel,
                    bool onChange)
{
    Connection c;
    MakeConnection(c, 0, inKind, inCard, inChannel, destNode, outKind, outCard, outChannel);
    c.connFlags |= kConnOnInterval | (onChange ? kConnOnChange : 0);
    c.changeThreshold = 255;
    return c;
}

template <class T>
T Pick(std::mt19937& rng, std::initializer_list<T> values)
{
    return *(values.begin() + std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(rng));
}

int Between(std::mt19937& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

std::string Digits(std::mt19937& rng, int length)
{
    std::string text;
    for (int i = 0; i < length; ++i) text += char('0' + Between(rng, 0, 9));
    return text;
}

// A record the editor holds exactly: valid entries in list order, no
// duplicates, zero spare fields, whole-minute alarm delays.
NodeConf Generated(std::mt19937& rng)
{
    NodeConf r = NewNodeConf();
    r.highwayEncoding = Pick(rng, {'A', 'R'});
    r.highwayCharSize = Pick(rng, {7, 8});
    r.highwayParity = Pick(rng, {'E', 'O', 'M', 'S'});
    r.highwayCheckParity = Pick(rng, {0, 1});
    const char* kNameChars = "ABCXYZ0189 ";
    const int nameLength = Between(rng, 1, 5);
    for (int i = 0; i < nameLength; ++i) r.networkName[i] = kNameChars[Between(rng, 0, 10)];
    r.networkFlags = Pick<std::uint32_t>(rng, {0, kFlagLeasedLine, kFlagNoModem}) | Pick<std::uint32_t>(rng, {0, kFlagNoRadio});
    const bool radio = !(r.networkFlags & kFlagNoRadio);
    r.nodeNumber = Between(rng, 1, 254);
    const bool lowPowerTx = Between(rng, 0, 2) == 0, lowPowerRx = Between(rng, 0, 2) == 0;
    const bool lowPower = lowPowerTx || lowPowerRx;
    r.radioChannel = r.transmitPower = r.maxRetries = r.transmitInterval = r.alarmDelay = kAbsent;
    if (radio) {
        r.radioChannel = Between(rng, 1, 64);
        r.transmitPower = Between(rng, 1, 999);
        r.transmitInterval = Pick(rng, {20, 59, 60, 90, 600, 3630, 86400, Between(rng, 20, 86400)});
        r.maxRetries = Between(rng, 0, static_cast<int>(RetryLimit(r.transmitInterval)));
        if (!lowPower) {
            const int least = (2 * r.transmitInterval + 59) / 60;
            r.alarmDelay = Pick(rng, {0, 60 * Between(rng, least, 2880)});
        }
    }
    r.preTransmitOnTime = lowPowerTx ? (radio ? Between(rng, 0, std::min(60, r.transmitInterval - 1)) : 0) : kAbsent;
    r.lowPowerReceiver = lowPowerRx ? 0 : kAbsent;

    ConnectionList connections;
    for (int i = Between(rng, 0, 40); i > 0; --i) {
        const char in = Pick(rng, {'a', 'd', 'p', 's'});
        const bool mayChange = !lowPower || (in == 'd' && i % 2);
        Connection c = MakeConn(in, mayChange && lowPower ? 0 : Between(rng, 0, 255), Between(rng, 0, 255),
                                Between(rng, 0, 254), Pick(rng, {'A', 'D', 'P'}), Between(rng, 0, 255),
                                Between(rng, 0, 255), mayChange && Between(rng, 0, 1));
        if (Between(rng, 0, 3) == 0) c.connFlags &= ~kConnOnInterval;
        c.changeThreshold = Pick<std::uint32_t>(rng, {0, 100, 255, 6000});
        c.pulseScaling = Pick<std::uint8_t>(rng, {0, 0x40, 0x41});
        AddConnection(connections, c);
    }
    r.connectionCount = static_cast<int>(connections.lines.size());
    for (int i = 0; i < r.connectionCount; ++i) EXPECT_EQ(0, GetConnection(connections, i, r.connections[i]));

    r.primaryRouteCount = Between(rng, 0, 256);
    r.secondaryRouteCount = Between(rng, 0, 20);
    for (int i = 0; i < r.primaryRouteCount; ++i) r.primaryRoutes[i] = rng();
    for (int i = 0; i < r.secondaryRouteCount; ++i) r.secondaryRoutes[i] = rng();

    for (int n = 0; n < 32; ++n) {
        if (Between(rng, 0, 2) == 0) continue;
        const std::string message(Between(rng, 1, 160), char(Between(rng, ' ', '~')));
        std::strcpy(r.smsMessages[n], message.c_str());
        std::strcpy(r.smsNumbers[n], Digits(rng, Between(rng, 1, 32)).c_str());
        std::strcpy(r.dialupNumbers[n], ("+" + Digits(rng, Between(rng, 1, 31))).c_str());
    }

    r.smsConnectionCount = Between(rng, 0, 32);
    for (int i = 0; i < r.smsConnectionCount; ++i) {
        SmsConnection& a = r.smsConnections[i];
        a.kind = Pick(rng, {'d', 'D', 's', 'a', 'A'});
        a.card = Between(rng, 0, 255);
        a.channel = Between(rng, 1, 255);
        a.message = Between(rng, 1, 32);
        a.telephone = Between(rng, 1, 32);
        if (a.kind == 'a' || a.kind == 'A') {
            a.condition = Pick<std::uint8_t>(rng, {'C', 'A', 'B', 'Q', 'R'});
            a.limit = Between(rng, 0, 65534);
            a.hysteresis = Pick(rng, {65535, Between(rng, 0, 65534)});
            a.unit = Between(rng, 0, 3);
        } else {
            a.condition = Pick<std::uint8_t>(rng, {1, 2, 3});
            a.limit = a.hysteresis = kSmsNone;
        }
    }

    DialupList dialups;
    for (int i = Between(rng, 0, 30); i > 0; --i) {
        DialupConnection d{};
        d.flags = kDialValid | (rng() & (kDialOnChange | kDialPercent | kDialHasMaxPpm | kDialOffset)) |
                  (Between(rng, 0, 2) == 0 ? kDialSecondary : 0);
        d.changeThreshold = Between(rng, 0, 65534);
        d.interval = Between(rng, 0, 1440);
        d.maxPpm = Between(rng, 0, 6000);
        d.localKind = Pick(rng, {'a', 'd', 'A', 'D', 'p', 's'});
        d.localCard = Between(rng, 0, 3);
        d.localChannel = Between(rng, 0, 3);
        d.remoteKind = Pick(rng, {'A', 'D', 'P'});
        d.remoteCard = Between(rng, 0, 255);
        d.remoteChannel = Between(rng, 0, 255);
        d.telephone = Pick(rng, {0, 255, Between(rng, 1, 32)});
        d.remoteNode = Between(rng, 0, 254);
        AddDialup(dialups, d);
    }
    r.dialupConnectionCount = DialupCount(dialups);
    for (int i = 0; i < r.dialupConnectionCount; ++i) GetDialup(dialups, i, r.dialupConnections[i]);
    const bool dialled = CountDialups(dialups, RouteKind::Telephone) > 0;
    r.redialAttempts = dialled ? Between(rng, 1, 99) : Pick(rng, {kAbsent, 0, 7});
    r.redialInterval = dialled ? Between(rng, 0, 999) : Pick(rng, {kAbsent, 30});
    return r;
}

} // namespace

TEST(Transfer, GeneratedRecordsComeBackWhole)
{
    std::mt19937 rng(20261207);
    for (int round = 0; round < 300; ++round) {
        NodeConf r = Generated(rng);
        EditorContents e;
        LoadIntoEditor(r, e);
        NodeConf back;
        const Report stored = StoreFromEditor(e, back);
        ASSERT_TRUE(stored.ok()) << "round " << round << ": " << MessageOf(stored);
        ComputeDerivedFields(r);
        const auto* a = reinterpret_cast<const unsigned char*>(&r);
        const auto* b = reinterpret_cast<const unsigned char*>(&back);
        std::size_t at = 0;
        while (at < sizeof r && a[at] == b[at]) ++at;
        ASSERT_EQ(sizeof r, at) << "round " << round << ": first difference at byte " << at;
    }
}

TEST(Transfer, ALoadStartsEveryPagedEditOnItsFirstPage)
{
    std::mt19937 rng(20261208);
    const NodeConf r = Generated(rng);
    EditorContents e;
    for (PagedEdit* paged : {&e.smsMessages, &e.smsNumbers, &e.dialupNumbers}) {
        paged->SetPage(3, true);
        paged->SetEditText("typed, never saved");
    }
    LoadIntoEditor(r, e);
    EXPECT_EQ(1, e.dialupNumbers.CurrentPage());
    EXPECT_EQ(1, e.smsMessages.CurrentPage());
    EXPECT_EQ(1, e.smsNumbers.CurrentPage());
    EXPECT_EQ(std::string(r.dialupNumbers[0]), e.dialupNumbers.EditText());
    std::string third;
    e.dialupNumbers.GetPage(3, &third);
    EXPECT_EQ(std::string(r.dialupNumbers[2]), third);
}

TEST(Transfer, RecordWithoutRadioLoadsEmptyFieldsAndStoresAbsent)
{
    NodeConf r = NewNodeConf();
    std::strcpy(r.networkName, "AB");
    r.networkFlags = kFlagNoRadio | kFlagNoModem;
    r.nodeNumber = 3;
    r.radioChannel = r.transmitPower = r.maxRetries = r.transmitInterval = r.alarmDelay = kAbsent;
    r.preTransmitOnTime = r.lowPowerReceiver = r.redialAttempts = r.redialInterval = kAbsent;
    r.highwayParity = 'x';
    EditorContents e;
    LoadIntoEditor(r, e);
    EXPECT_EQ("", e.channel + e.transmitPower + e.maxRetries + e.transmitInterval + e.alarmDelay);
    EXPECT_FALSE(e.lowPowerTransmitter);
    EXPECT_EQ("0", e.preTransmitOnTime);
    EXPECT_EQ(Parity::Space, e.parity);
    EXPECT_EQ(0, e.intervalCounter + e.alarmCounter);
    NodeConf back;
    ASSERT_EQ(0, StoreFromEditor(e, back).code);
    for (std::int32_t field : {back.radioChannel, back.transmitPower, back.maxRetries, back.transmitInterval})
        EXPECT_EQ(kAbsent, field);
    EXPECT_EQ('S', back.highwayParity);
}

TEST(Transfer, LowPowerStateChangeConnections)
{
    EditorContents e = GoodEditor();
    e.alarmDelay.clear();
    e.lowPowerReceiver = true;
    AddConnection(e.connections, MakeConn('d', 1, 1, 0, 'D', 2, 1, true));
    NodeConf out;
    std::vector<int> offending;
    EXPECT_EQ(-1702, StoreFromEditor(e, out, &offending).code);
    EXPECT_EQ(std::vector<int>{0}, offending);

    e.connections = {};
    AddConnection(e.connections, MakeConn('d', 0, 1, 0, 'D', 2, 1, true));
    EXPECT_EQ(0, StoreFromEditor(e, out).code);

    AddConnection(e.connections, MakeConn('a', 3, 1, 0, 'A', 2, 1, true));
    AddConnection(e.connections, MakeConn('d', 1, 1, 0, 'D', 2, 2, true));
    EXPECT_EQ(-1703, StoreFromEditor(e, out, &offending).code);
    EXPECT_EQ((std::vector<int>{0, 2}), offending); // list order: a3.1, d0.1, d1.1
}

TEST(Transfer, CapacitiesAndItemCodes)
{
    EditorContents e = GoodEditor();
    NodeConf out;
    for (int i = 0; i < 193; ++i) e.connections.lines.push_back(ConnectionLine(MakeConn('d', 1, i % 200, 0, 'D', i / 200, 1, false)));
    EXPECT_EQ(-1701, StoreFromEditor(e, out).code);
    e.connections.lines.pop_back();
    EXPECT_EQ(0, StoreFromEditor(e, out).code);
    e.connections.lines[5] = "garbage";
    EXPECT_EQ(-9002, StoreFromEditor(e, out).code);
    e.connections = {};

    e.secondaryRoutes.words.assign(257, 0);
    EXPECT_EQ(-1802, StoreFromEditor(e, out).code);
    e.secondaryRoutes = {};

    e.smsNumbers.PutPage(4, "12a");
    EXPECT_EQ(ItemCode(-4206, 4), StoreFromEditor(e, out).code);
    e.smsNumbers.PutPage(4, "  ");
    e.smsMessages.PutPage(5, "hello");
    ASSERT_EQ(0, StoreFromEditor(e, out).code);
    EXPECT_EQ(5, +out.smsMessageCount);
    EXPECT_EQ(10, +out.smsMessageBytes);

    e.dialupNumbers.PutPage(7, "1--2");
    EXPECT_EQ(ItemCode(-4207, 7), StoreFromEditor(e, out).code);
}

TEST(Transfer, FullPrimaryTableLoadsAndStoresWhole)
{
    NodeConf r;
    ASSERT_EQ(0, StoreFromEditor(GoodEditor(), r).code);
    r.primaryRouteCount = 256;
    for (int i = 0; i < 256; ++i) r.primaryRoutes[i] = 0x10100u * (i % 255) + 7;
    EditorContents e;
    LoadIntoEditor(r, e);
    EXPECT_EQ(256u, e.primaryRoutes.words.size());
    NodeConf back;
    ASSERT_EQ(0, StoreFromEditor(e, back).code);
    EXPECT_EQ(256, +back.primaryRouteCount);
    EXPECT_EQ(0, std::memcmp(r.primaryRoutes, back.primaryRoutes, sizeof r.primaryRoutes));
}

TEST(Transfer, RedialRules)
{
    EditorContents e = GoodEditor();
    e.dialupModem = true;
    NodeConf out;
    ASSERT_EQ(0, StoreFromEditor(e, out).code); // no dialled connection: empty attempts stored absent
    EXPECT_EQ(kAbsent, +out.redialAttempts);

    DialupConnection d{};
    d.flags = kDialValid;
    d.localKind = 'd';
    d.remoteKind = 'D';
    d.telephone = 3;
    AddDialup(e.dialups, d);
    const auto textOf = [&] {
        const Report r = StoreFromEditor(e, out);
        EXPECT_EQ(kTextReport, r.code);
        return r.text.value_or("(no text)");
    };
    EXPECT_EQ("There is 1 Dialup Connection, but the number of Redial Attempts is empty", textOf());
    d.remoteChannel = 1;
    AddDialup(e.dialups, d);
    e.redialAttempts = "0";
    EXPECT_EQ("There are 2 Dialup Connections, but the number of Redial Attempts is less than 1", textOf());
    e.redialAttempts = "2";
    EXPECT_EQ("There are 2 Dialup Connections,\nand the Number of Redial Attempts is greater than 1,\nbut the Redial "
              "Interval is empty",
              textOf());
    e.redialInterval = "3x";
    EXPECT_EQ("The Dialup Connections' Redial Interval contains non-digits", textOf());
    e.redialInterval = "30";
    ASSERT_EQ(0, StoreFromEditor(e, out).code);
    EXPECT_EQ(2, +out.redialAttempts);
    EXPECT_EQ(30, +out.redialInterval);
}

TEST(Transfer, NetworkChecksComeFirstAndInOrder)
{
    EditorContents e = GoodEditor();
    NodeConf out;
    e.transmitInterval = "10s";
    EXPECT_EQ(-1302, StoreFromEditor(e, out).code);
    e.transmitInterval = "59s";
    e.maxRetries = "2";
    e.alarmDelay = "2";
    EXPECT_EQ(-1505, StoreFromEditor(e, out).code);
    e.lowPowerTransmitter = true; // the alarm delay is then not read, nor the retry limit
    e.preTransmitOnTime = "60";
    EXPECT_EQ(-1906, StoreFromEditor(e, out).code);
    e.preTransmitOnTime = "58";
    ASSERT_EQ(0, StoreFromEditor(e, out).code);
    EXPECT_EQ(kAbsent, +out.alarmDelay);
    EXPECT_EQ(58, +out.preTransmitOnTime);
}
