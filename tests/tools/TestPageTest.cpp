// The radio test page on a virtual node through the real link and worker:
// what it shows from the status blocks, what its buttons send, and how it
// clears when the node falls silent. Controls are found by identifier.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <chrono>

#include "controls/ColoredPanel.h"
#include "controls/MultiGauge.h"
#include "controls/SevenSegment.h"
#include "controls/StatusIcon.h"
#include "controls/UpDown.h"
#include "controls/model/DisplayState.h"
#include "tests/tools/LiveBench.h"
#include "tools/SignalHistoryPlot.h"
#include "tools/TestDialog.h"
#include "tools/model/RadioStatus.h"
#include "wire/NodeCodes.h"

using namespace mnm;
using namespace mnm::tools;

namespace {

enum Id {
    kSerialNumber = 10003, kChannelLayout = 10001, kChannels = 10002, kFirmware = 10009,
    kChannelDisplay = 3047, kFrequencyDisplay = 3049, kPowerDisplay = 3046, kPll = 18001, kGauge = 16001,
    kLocalLamp = 19001, kNetworkLamp = 19002, kTransmitLamp = 3045, kReceiveLamp = 3044,
    kChannelStep = 17202, kPowerStep = 17201, kToggle = 4319, kLocal = 4310,
    kRemoteNode = 8817, kRemoteChannel = 8816, kRemotePower = 8818, kRequest = 4318, kNetwork = 4317,
};
constexpr int kEveryTestControl[] = {kChannelStep, kPowerStep,     kToggle,      kLocal,
                                     kRemoteNode,  kRemoteChannel, kRemotePower, kRequest, kNetwork};

// The virtual node's radio at its default channel 5.
constexpr const char* kChannelFive = "05";
constexpr const char* kFrequencyFive = "458.062500"; // 458 000 000 + 5 x 12 500 Hz
constexpr const char* kPowerFive = "500";
constexpr int kEndpointControlLength = 14;
constexpr int kRemoteControlLength = 16;
constexpr int kHeldReplyMs = 500; // the default query time-out is 800 ms

template <typename Widget> Widget* Control(LiveBench& bench, int id)
{
    auto* page = bench.Find<QWidget>("DIALOG_TEST");
    return page ? page->findChild<Widget*>(QString::number(id)) : nullptr;
}

int U16At(const std::vector<std::uint8_t>& data, std::size_t at) { return data.at(at) << 8 | data.at(at + 1); }

std::vector<VirtualNode::CommandSeen> CommandsOf(LiveBench& bench, std::uint8_t code, std::size_t from = 0)
{
    std::vector<VirtualNode::CommandSeen> seen;
    const auto all = bench.node().Commands();
    for (std::size_t i = from; i < all.size(); ++i)
        if (all[i].code == code) seen.push_back(all[i]);
    return seen;
}

// Two more status reads: whatever the passes before them sent has arrived.
bool TwoMorePasses(LiveBench& bench)
{
    const int reads = bench.node().QueryCount(query::kStatusBlock);
    return LiveBench::Until([&] { return bench.node().QueryCount(query::kStatusBlock) >= reads + 2; });
}

bool Lit(LiveBench& bench, int id) { return Control<controls::ColoredPanel>(bench, id)->State() == controls::kStateOn; }

// The test page open on the node's radio in network mode.
bool OpenOnTheTestPage(LiveBench& bench)
{
    bench.frame().Command(app::kCmdTest);
    auto* channel = Control<controls::SevenSegment>(bench, kChannelDisplay);
    return channel && LiveBench::Until([&] { return channel->Text() == kChannelFive && Lit(bench, kNetworkLamp); });
}

} // namespace

class TestPageTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheRadioAndTheNodeDescription()
    {
        LiveBench bench;
        bench.node().WithState([](NodeModel& m) { m.SetVersion("2.03.0041/B"); });
        QVERIFY(bench.Open());
        QVERIFY(OpenOnTheTestPage(bench));

        QCOMPARE(Control<controls::SevenSegment>(bench, kFrequencyDisplay)->Text(), QString(kFrequencyFive));
        QCOMPARE(Control<controls::SevenSegment>(bench, kPowerDisplay)->Text(), QString(kPowerFive));
        QCOMPARE(Control<controls::StatusIcon>(bench, kPll)->State(), controls::kStateOn);
        auto* gauge = Control<controls::MultiGauge>(bench, kGauge);
        QVERIFY(gauge->HasValue());
        QVERIFY(gauge->Value() >= kSignalScale.minimum && gauge->Value() <= kSignalScale.maximum);
        QVERIFY(!Lit(bench, kLocalLamp) && !Lit(bench, kTransmitLamp) && !Lit(bench, kReceiveLamp));

        auto* serial = Control<QLineEdit>(bench, kSerialNumber);
        QVERIFY(LiveBench::Until([&] { return !serial->text().isEmpty(); }));
        QCOMPARE(serial->text(), QString("MN-000123"));
        QCOMPARE(Control<QLineEdit>(bench, kChannels)->text(), QString("16"));
        QCOMPARE(Control<QLineEdit>(bench, kChannelLayout)->text(),
                 QString("Channels 1-16, 12.5 kHz steps above 458.000 MHz"));
        QCOMPARE(Control<QLineEdit>(bench, kFirmware)->text(), QString("2.03 / B"));

        // Network mode: the remote carrier can be asked for once all three
        // edits hold something; the channel edit followed the node.
        auto* node = Control<QLineEdit>(bench, kRemoteNode);
        auto* request = Control<QPushButton>(bench, kRequest);
        QCOMPARE(Control<QLineEdit>(bench, kRemoteChannel)->text(), QString("5"));
        QCOMPARE(Control<QLineEdit>(bench, kRemotePower)->text(), QString("500"));
        QVERIFY(node->isEnabled());
        QVERIFY(!request->isEnabled());
        QVERIFY(!Control<QPushButton>(bench, kToggle)->isEnabled());
        QVERIFY(!Control<controls::UpDown>(bench, kChannelStep)->isEnabled());
        QTest::keyClicks(node, "12");
        QVERIFY(request->isEnabled());
        QTest::keyClick(node, Qt::Key_Backspace);
        QTest::keyClick(node, Qt::Key_Backspace);
        QVERIFY(!request->isEnabled());

        // Away and back: what the page shows stays.
        QTest::keyClicks(node, "3");
        bench.frame().Command(app::kCmdMonitor);
        bench.frame().Command(app::kCmdTest);
        QCOMPARE(serial->text(), QString("MN-000123"));
        QCOMPARE(node->text(), QString("3"));
    }

    void localCarrierTestStepsAndSwitchesTheRadio()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        QVERIFY(OpenOnTheTestPage(bench));

        const std::size_t before = bench.node().Commands().size();
        Control<QPushButton>(bench, kLocal)->click();
        QVERIFY(LiveBench::Until([&] { return !CommandsOf(bench, command::kEndpointControl, before).empty(); }));
        const auto local = CommandsOf(bench, command::kEndpointControl, before).front();
        QCOMPARE(static_cast<int>(local.data.size()), kEndpointControlLength);
        QCOMPARE(U16At(local.data, 2), 14);
        QCOMPARE(U16At(local.data, 4), 60);
        for (std::size_t at = 6; at < local.data.size(); at += 2) QCOMPARE(U16At(local.data, at), 65535);

        // The next status block says "local carrier, receiving".
        auto* toggle = Control<QPushButton>(bench, kToggle);
        QVERIFY(LiveBench::Until([&] { return toggle->isEnabled(); }));
        QVERIFY(Lit(bench, kLocalLamp) && Lit(bench, kReceiveLamp));
        QVERIFY(!Lit(bench, kNetworkLamp) && !Lit(bench, kTransmitLamp));
        QVERIFY(Control<controls::UpDown>(bench, kChannelStep)->isEnabled());
        QVERIFY(Control<controls::UpDown>(bench, kPowerStep)->isEnabled());
        for (int id : {kRemoteNode, kRemoteChannel, kRemotePower, kRequest})
            QVERIFY2(!Control<QWidget>(bench, id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(Control<QPushButton>(bench, kNetwork)->isEnabled());

        // Three steps while a pass waits for its status reply (held for less
        // than the query's time-out): the next pass takes all three and sets
        // the channel once.
        const int reads = bench.node().QueryCount(query::kStatusBlock);
        bench.node().InjectFault({kTypeQuery, query::kStatusBlock}, {Fault::kDelay, kHeldReplyMs, 2});
        QVERIFY(LiveBench::Until([&] { return bench.node().QueryCount(query::kStatusBlock) >= reads + 2; }));
        auto* channelStep = Control<controls::UpDown>(bench, kChannelStep);
        for (int i = 0; i < 3; ++i) QTest::keyClick(channelStep, Qt::Key_Up);
        QVERIFY(LiveBench::Until([&] { return !CommandsOf(bench, command::kSetChannel).empty(); }));
        QVERIFY(TwoMorePasses(bench));
        const auto steps = CommandsOf(bench, command::kSetChannel);
        QCOMPARE(static_cast<int>(steps.size()), 1);
        QCOMPARE(U16At(steps.front().data, 0), 8);
        auto* channel = Control<controls::SevenSegment>(bench, kChannelDisplay);
        QVERIFY(LiveBench::Until([&] { return channel->Text() == "08"; }));

        toggle->click();
        QVERIFY(LiveBench::Until([&] { return Lit(bench, kTransmitLamp); }));
        QVERIFY(!Lit(bench, kReceiveLamp) && Lit(bench, kLocalLamp));

        Control<QPushButton>(bench, kNetwork)->click();
        QVERIFY(LiveBench::Until([&] { return Lit(bench, kNetworkLamp); }));
        QVERIFY(!toggle->isEnabled());
        QVERIFY(Control<QLineEdit>(bench, kRemoteNode)->isEnabled());
        // Back in the network the channel edit follows the stepped channel.
        QCOMPARE(Control<QLineEdit>(bench, kRemoteChannel)->text(), QString("8"));
    }

    void remoteRequestAsksAnotherNodeWithinRange()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        QVERIFY(OpenOnTheTestPage(bench));
        auto* node = Control<QLineEdit>(bench, kRemoteNode);
        auto* channel = Control<QLineEdit>(bench, kRemoteChannel);
        QTest::keyClicks(node, "255");
        channel->selectAll();
        QTest::keyClicks(channel, "7");

        // Node 255 is no node to ask: nothing goes out.
        const std::size_t before = bench.node().Commands().size();
        Control<QPushButton>(bench, kRequest)->click();
        QVERIFY(TwoMorePasses(bench));
        QVERIFY(CommandsOf(bench, command::kEndpointControlNode, before).empty());

        QTest::keyClick(node, Qt::Key_Backspace);
        QTest::keyClick(node, Qt::Key_Backspace);
        QTest::keyClick(node, Qt::Key_Backspace);
        QTest::keyClicks(node, "12");
        Control<QPushButton>(bench, kRequest)->click();
        QVERIFY(LiveBench::Until([&] { return !CommandsOf(bench, command::kEndpointControlNode, before).empty(); }));
        const auto sent = CommandsOf(bench, command::kEndpointControlNode, before).front();
        QCOMPARE(static_cast<int>(sent.data.size()), kRemoteControlLength);
        QCOMPARE(static_cast<int>(sent.data[1]), 12);
        QCOMPARE(U16At(sent.data, 4), 10);
        QCOMPARE(U16At(sent.data, 6), 40);
        QCOMPARE(U16At(sent.data, 8), 7);
        QCOMPARE(U16At(sent.data, 10), 500);
        QCOMPARE(U16At(sent.data, 12), 65535);
        QCOMPARE(U16At(sent.data, 14), 65535);
    }

    void silentNodeClearsThePageAndDisablesItsControls()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        QVERIFY(OpenOnTheTestPage(bench));
        auto* serial = Control<QLineEdit>(bench, kSerialNumber);
        QVERIFY(LiveBench::Until([&] { return !serial->text().isEmpty(); }));

        bench.node().SetSilent(true);
        auto* channel = Control<controls::SevenSegment>(bench, kChannelDisplay);
        QVERIFY(LiveBench::Until([&] { return channel->Text().isEmpty(); }));
        QVERIFY(Control<controls::SevenSegment>(bench, kFrequencyDisplay)->Text().isEmpty());
        QVERIFY(Control<controls::SevenSegment>(bench, kPowerDisplay)->Text().isEmpty());
        QVERIFY(!Control<controls::MultiGauge>(bench, kGauge)->HasValue());
        QCOMPARE(Control<controls::StatusIcon>(bench, kPll)->State(), controls::kStateUnknown);
        for (int id : {kNetworkLamp, kLocalLamp, kTransmitLamp, kReceiveLamp}) QVERIFY(!Lit(bench, id));
        for (int id : kEveryTestControl)
            QVERIFY2(!Control<QWidget>(bench, id)->isEnabled(), qPrintable(QString::number(id)));
        // The node went away: its description goes too.
        QVERIFY(LiveBench::Until([&] { return serial->text().isEmpty(); }));
        QVERIFY(Control<QLineEdit>(bench, kFirmware)->text().isEmpty());

        bench.node().SetSilent(false);
        QVERIFY(LiveBench::Until([&] { return channel->Text() == kChannelFive; }));
        QVERIFY(Control<QPushButton>(bench, kNetwork)->isEnabled());
    }

    void historyPlotGathersTheSignalOfTheLastMinutes()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        // A second passes at every reading, so the plot fills at once.
        bench.Find<TestDialog>("DIALOG_TEST")->SetClock([t = std::chrono::milliseconds(0)]() mutable {
            return t += std::chrono::seconds(1);
        });
        QVERIFY(OpenOnTheTestPage(bench));
        auto* plot = bench.Find<SignalHistoryPlot>("SignalHistoryPlot");
        QVERIFY(plot);
        QVERIFY(LiveBench::Until([&] { return plot->History().Seconds().size() >= 5; }));

        const auto figures = plot->History().Figures();
        QVERIFY(figures);
        QVERIFY(figures->minimum >= kSignalScale.minimum);
        QVERIFY(figures->maximum <= kSignalScale.maximum);
        QVERIFY(figures->minimum <= figures->mean && figures->mean <= figures->maximum);
        QVERIFY(plot->ShownText().startsWith("min "));
        QVERIFY(plot->accessibleDescription().contains(QString::number(figures->mean)));
    }
};

QTEST_MAIN(TestPageTest)
#include "TestPageTest.moc"
