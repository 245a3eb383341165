// Moving between the live tools: each view gets its job's data again after
// the others ran, also when it was opened while a hardware read held the line.
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "controls/SevenSegment.h"
#include "tests/tools/LiveBench.h"
#include "wire/NodeCodes.h"

using namespace mnm;
using namespace mnm::tools;

namespace {

constexpr int kEndpointEdit = 8015;
constexpr int kInputButton = 10008;
constexpr int kMonitorDisplay = 3058;
constexpr int kChannelDisplay = 3047;

} // namespace

class JobSwitchTest : public QObject {
    Q_OBJECT

    // The monitor shows a value of the endpoint typed.
    static bool MonitorShowsAValue(LiveBench& bench)
    {
        auto* display = bench.Find<controls::SevenSegment>(kMonitorDisplay);
        return display && LiveBench::Until([&] { return !display->Text().isEmpty(); });
    }
    // The test page shows the node's channel.
    static bool TestPageFills(LiveBench& bench)
    {
        auto* channel = bench.Find<controls::SevenSegment>(kChannelDisplay);
        return channel && LiveBench::Until([&] { return !channel->Text().isEmpty(); });
    }

private slots:
    void monitorThenTestThenMonitorEachGetTheirData()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        bench.frame().Command(app::kCmdMonitor);
        auto* edit = bench.Find<QLineEdit>(kEndpointEdit);
        QVERIFY(edit);
        bench.Find<QRadioButton>(kInputButton)->click();
        QTest::keyClicks(edit, "A1.1");
        QVERIFY(LiveBench::Until([&] { return bench.worker().Snapshot().job == kJobMonitor; }));
        QVERIFY(MonitorShowsAValue(bench));

        bench.frame().Command(app::kCmdTest);
        QVERIFY(LiveBench::Until([&] { return bench.worker().Snapshot().job == kJobLive; }));
        QVERIFY(TestPageFills(bench));

        bench.frame().Command(app::kCmdMonitor);
        QVERIFY(LiveBench::Until([&] { return bench.worker().Snapshot().job == kJobMonitor; }));
        // The endpoint typed before is read again without typing it anew.
        QCOMPARE(edit->text(), QString("A1.1"));
        const int readings = bench.node().QueryCount(query::kMonitorReading);
        QVERIFY(LiveBench::Until([&] { return bench.node().QueryCount(query::kMonitorReading) > readings + 2; }));
        QVERIFY(MonitorShowsAValue(bench));
    }

    void testChosenDuringAHardwareReadGetsLiveDataWhenTheReadEnds()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        bench.frame().Command(app::kCmdMonitor);
        QVERIFY(LiveBench::Until([&] { return bench.worker().Snapshot().job == kJobMonitor; }));

        // A slow hardware read holds the line while Test! is chosen.
        bench.node().InjectFault({kTypeQuery, query::kHighestChannel}, {Fault::kDelay, 400, 1});
        QCOMPARE(bench.worker().StartNodeDataRead(app::kMsgNodeDataRead), StartResult::kStarted);
        bench.frame().Command(app::kCmdTest);
        QCOMPARE(bench.worker().Snapshot().job, kJobNodeData);

        QVERIFY(LiveBench::Until([&] { return bench.worker().Snapshot().job == kJobLive; }));
        QVERIFY(TestPageFills(bench));
    }
};

QTEST_MAIN(JobSwitchTest)
#include "JobSwitchTest.moc"
