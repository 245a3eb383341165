// The engineering page driven through the window against a virtual node:
// what the node receives for each action, the memory read, the alarm list
// from the live values and the node's text messages.
#include <QComboBox>
#include <QListView>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <vector>

#include "editor/EntryListModel.h"
#include "tests/tools/LiveBench.h"
#include "wire/NodeCodes.h"

using namespace mnm;
using namespace mnm::tools;

namespace {

using Bytes = std::vector<std::uint8_t>;

enum Id {
    kDigitalEndpoint = 4107, kDigitalOn = 3065, kDigitalOff = 3064,
    kPulseEndpoint = 4106, kPulseCount = 4103, kPulses = 3062,
    kVoltsEndpoint = 4105, kVolts = 4102, kSetVolts = 3061,
    kMilliampsEndpoint = 4104,
    kAddress = 4008, kAddressBase = 5101, kMemoryKind = 5102, kRead = 3068, kResult = 2002, kAlarmList = 5104,
    kAlarmSet = 3067, kAlarmClear = 3066, kDiagnosticsList = 5103, kDiagnosticsClear = 3069, kDeepen = 3070,
};

constexpr int kMessageLimit = 50;

// The data of every command of `code` the node received, in order.
std::vector<Bytes> Received(LiveBench& bench, std::uint8_t code)
{
    std::vector<Bytes> data;
    for (const VirtualNode::CommandSeen& c : bench.node().Commands())
        if (c.code == code) data.push_back(c.data);
    return data;
}

// Waits for the `n`th command of `code` and gives its data (empty when none came).
Bytes NthReceived(LiveBench& bench, std::uint8_t code, std::size_t n)
{
    if (!LiveBench::Until([&] { return Received(bench, code).size() >= n; })) return {};
    return Received(bench, code)[n - 1];
}

void Type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void Click(LiveBench& bench, int id) { bench.Find<QPushButton>(id)->click(); }

// Live values for the nodes given, then the empty reply that ends the set.
void ReplyLiveValues(VirtualNode& node, const std::vector<std::pair<int, std::uint16_t>>& values)
{
    Bytes reply;
    for (const auto& [index, value] : values) {
        reply.push_back(static_cast<std::uint8_t>(index));
        reply.push_back(static_cast<std::uint8_t>(value >> 8));
        reply.push_back(static_cast<std::uint8_t>(value & 0xFF));
    }
    node.SetQueryReply(query::kLiveValues, 0, 0, reply);
    const int next = values.empty() ? 0 : values.back().first + 1;
    node.SetQueryReply(query::kLiveValues, static_cast<std::uint8_t>(next), 0, {});
}

// The list's rows in `role`: the lines drawn, or what a screen reader says.
QStringList Rows(const QAbstractItemView* list, int role)
{
    QStringList rows;
    for (int r = 0; r < list->model()->rowCount(); ++r) rows << list->model()->index(r, 0).data(role).toString();
    return rows;
}

} // namespace

class EngineeringTest : public QObject {
    Q_OBJECT

private slots:
    void endpointActionsReachTheNodeAsEngineeringCommands()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        bench.frame().Command(app::kCmdEngineering);
        QVERIFY(bench.Find<QPushButton>(kDeepen)->isHidden()); // unless the setting allows it
        // The node's first output of each kind it has; it has no pulse outputs.
        QCOMPARE(bench.Find<QLineEdit>(kDigitalEndpoint)->text(), QString("D1.1"));
        QCOMPARE(bench.Find<QLineEdit>(kVoltsEndpoint)->text(), QString("A2.1"));
        QCOMPARE(bench.Find<QLineEdit>(kMilliampsEndpoint)->text(), QString("A2.1"));
        QCOMPARE(bench.Find<QLineEdit>(kPulseEndpoint)->text(), QString());
        // When the node describes itself again only the emptied field is filled.
        Type(bench.Find<QLineEdit>(kDigitalEndpoint), "D3.4");
        Type(bench.Find<QLineEdit>(kVoltsEndpoint), "");
        QVERIFY(bench.worker().StartNodeDataRead(app::kMsgNodeDataRead) == StartResult::kStarted);
        QVERIFY(LiveBench::Until([&] { return bench.Find<QLineEdit>(kVoltsEndpoint)->text() == "A2.1"; }));
        QCOMPARE(bench.Find<QLineEdit>(kDigitalEndpoint)->text(), QString("D3.4"));

        // The live job sends one command a pass, so each is awaited.
        Click(bench, kDigitalOn);
        QCOMPARE(NthReceived(bench, command::kEngineering, 1), (Bytes{0x00, 0x10, 3, 0x00, 0x08}));
        Click(bench, kDigitalOff);
        QCOMPARE(NthReceived(bench, command::kEngineering, 2), (Bytes{0x00, 0x20, 3, 0xFF, 0xF7}));

        // Another node's endpoint and a voltage above 5 V send nothing: the
        // next command is the valid voltage's.
        Type(bench.Find<QLineEdit>(kDigitalEndpoint), "5D3.4");
        Click(bench, kDigitalOn);
        Type(bench.Find<QLineEdit>(kVolts), "6");
        Click(bench, kSetVolts);
        Type(bench.Find<QLineEdit>(kVolts), "2.5");
        Click(bench, kSetVolts);
        QCOMPARE(NthReceived(bench, command::kEngineering, 3), (Bytes{0x00, 0x41, 2, 0x08, 0x00}));

        Type(bench.Find<QLineEdit>(kPulseEndpoint), "P1.2");
        Type(bench.Find<QLineEdit>(kPulseCount), "300");
        Click(bench, kPulses);
        QCOMPARE(NthReceived(bench, command::kEngineering, 4),
                 (Bytes{0x00, 0xA2, 1, 0x00, 0x00, 0xB2, 1, 0x01, 0x2C}));

        // The node's own alarm, set then cleared.
        Click(bench, kAlarmSet);
        QCOMPARE(NthReceived(bench, command::kOnOff, 1), (Bytes{0, 0, 0, 1}));
        Click(bench, kAlarmClear);
        QCOMPARE(NthReceived(bench, command::kOnOff, 2), (Bytes{0, 0, 0, 0}));
        QCOMPARE(Received(bench, command::kEngineering).size(), std::size_t{4});
    }

    void memoryAndAlarmsComeFromTheLivePasses()
    {
        LiveBench bench;
        ReplyLiveValues(bench.node(), {{7, 0}, {9, 15}});
        QVERIFY(bench.Open());
        bench.frame().Command(app::kCmdEngineering);
        auto* address = bench.Find<QLineEdit>(kAddress);
        auto* base = bench.Find<QComboBox>(kAddressBase);
        auto* result = bench.Find<QLineEdit>(kResult);
        QVERIFY(result->isReadOnly());
        QVERIFY(!bench.Find<QComboBox>(kMemoryKind)->isEnabled());

        Type(address, "1A3");
        QCOMPARE(result->text(), QString()); // an edit empties the line
        base->setFocus();
        QTest::keyClick(base, Qt::Key_Down);
        QCOMPARE(base->currentText(), QString("Dec"));
        Click(bench, kRead);
        QCOMPARE(result->text(), QString("Address Field contains hexadecimal digits, but decimal has been selected"));
        QTest::keyClick(base, Qt::Key_Up);
        QCOMPARE(result->text(), QString()); // so does a change of base

        Click(bench, kRead);
        QVERIFY(LiveBench::Until([&] { return result->text().startsWith("0001A0"); }));
        // 16-byte aligned: page 0, sixteen-byte block 0x1A; the node's bytes are address XOR 0x5A.
        bool asked = false;
        for (const VirtualNode::QuerySeen& q : bench.node().Queries())
            asked = asked || (q.code == query::kMemory && q.p1 == 0 && q.p2 == 0x1A);
        QVERIFY(asked);
        QVERIFY(result->text().startsWith("0001A0   FA FB F8"));
        QCOMPARE(result->text().size(), 8 + 3 * 64);

        // Beyond the node's memory nothing is asked.
        const int reads = bench.node().QueryCount(query::kMemory);
        Type(address, "100000");
        Click(bench, kRead);
        QCOMPARE(result->text(), QString("Address Field is beyond the node's memory (FFFFF)"));
        QCOMPARE(bench.node().QueryCount(query::kMemory), reads);

        // The alarm list from the live values: node 7 in alarm, node 9 heard from 30 s ago.
        auto* list = bench.Find<QListView>(kAlarmList);
        const QStringList expected{"Node 7:\tALARM", "Node 9:\t30 s"};
        QVERIFY(LiveBench::Until([&] { return Rows(list, editor::EntryListModel::kLineRole) == expected; }));
        QCOMPARE(Rows(list, Qt::AccessibleTextRole), (QStringList{"Node 7: ALARM", "Node 9: 30 s"}));

        // A node gone quiet: no set of values, no list.
        bench.node().SetSilent(true);
        QVERIFY(LiveBench::Until([&] { return list->model()->rowCount() == 0; }));
    }

    void diagnosticsKeepTheLastFiftyMessagesAndCanGrow()
    {
        LiveBench bench;
        QVERIFY(bench.Open([] { WriteSetting(kSettingAllowDeepDiagnostics, "1"); }));
        bench.frame().Command(app::kCmdEngineering);
        auto* list = bench.Find<QListWidget>(kDiagnosticsList);
        bench.node().SetNodeTextInterval(std::chrono::milliseconds(30));
        QVERIFY(LiveBench::Until([&] { return list->count() >= 1; }));
        const QString first = list->item(0)->text();
        QVERIFY(first.startsWith("Node 1: supply"));
        QVERIFY(LiveBench::Until([&] { return list->count() == kMessageLimit; }));
        const QString last = list->item(kMessageLimit - 1)->text();
        QVERIFY(LiveBench::Until([&] { return list->item(list->count() - 1)->text() != last; }));
        bench.node().SetNodeTextInterval(std::chrono::milliseconds(0));
        QCOMPARE(list->count(), kMessageLimit);
        QVERIFY(list->findItems(first, Qt::MatchExactly).isEmpty());
        QCOMPARE(list->currentRow(), list->count() - 1); // the newest selected

        Click(bench, kDiagnosticsClear);
        QCOMPARE(list->count(), 0);

        // Deepen: the messages take the alarm list's room.
        auto* deepen = bench.Find<QPushButton>(kDeepen);
        auto* alarms = bench.Find<QListView>(kAlarmList);
        QVERIFY(deepen->isVisible());
        const auto placed = [&](QWidget* w) { return QRect(w->mapTo(&bench.frame(), QPoint(0, 0)), w->size()); };
        QVERIFY(LiveBench::Until([&] { return alarms->height() > 0 && placed(list).height() > 0; }));
        const QRect before = placed(list);
        const int alarmsHeight = alarms->height();
        deepen->click();
        QVERIFY(alarms->isHidden());
        QVERIFY(!deepen->isEnabled());
        // Stretched upward into most of the alarm list's room; left edge, width and bottom kept.
        QVERIFY(LiveBench::Until([&] { return placed(list).height() >= before.height() + alarmsHeight / 2; }));
        const QRect after = placed(list);
        QCOMPARE(after.left(), before.left());
        QCOMPARE(after.width(), before.width());
        QCOMPARE(after.bottom(), before.bottom());
    }
};

QTEST_MAIN(EngineeringTest)
#include "EngineeringTest.moc"
