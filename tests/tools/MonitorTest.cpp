// The monitor view on a virtual node through the real window: what is typed
// reaches the node, what the node reads shows, an old reading goes, and
// readings are logged to a file.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <csignal>

#include "controls/SevenSegment.h"
#include "tests/tools/LiveBench.h"
#include "tools/MonitorDialog.h"
#include "wire/NodeCodes.h"

using namespace mnm;
using namespace mnm::tools;
using namespace std::chrono;

namespace {

constexpr int kInput = 10008;
constexpr int kOutput = 10007;
constexpr int kEndpointEdit = 8015;
constexpr int kAnalogChoice = 21002;
constexpr int kCaption = 3057;
constexpr int kDisplay = 3058;
enum AnalogIndex { kMilliamps = 0, kRawValue = 3 };

std::vector<std::uint8_t> Reading(char kind, int card, int channel, std::uint32_t value)
{
    std::vector<std::uint8_t> r(kMonitorReadingSize, 0);
    for (int i = 0; i < 4; ++i) r[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    r[5] = static_cast<std::uint8_t>(kind);
    r[6] = static_cast<std::uint8_t>(card);
    r[7] = static_cast<std::uint8_t>(channel);
    return r;
}

// The monitor view of an opened bench, shown, with its controls.
struct MonitorView {
    explicit MonitorView(LiveBench& bench)
        : dialog(bench.Find<MonitorDialog>("DIALOG_MONITOR")), input(bench.Find<QRadioButton>(kInput)),
          output(bench.Find<QRadioButton>(kOutput)), edit(bench.Find<QLineEdit>(kEndpointEdit)),
          analog(bench.Find<QComboBox>(kAnalogChoice)), caption(bench.Find<QLabel>(kCaption)),
          display(bench.Find<controls::SevenSegment>(kDisplay)),
          logButton(bench.Find<QPushButton>("MonitorLogToFile")), logState(bench.Find<QLabel>("MonitorLogState"))
    {
        bench.frame().Command(app::kCmdMonitor);
    }
    bool Complete() const
    {
        return dialog && input && output && edit && analog && caption && display && logButton && logState;
    }

    // Types the endpoint anew, as an input or an output.
    void Type(const char* text, bool asInput)
    {
        (asInput ? input : output)->click();
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void ChooseAnalog(int index)
    {
        analog->setCurrentIndex(index);
        emit analog->activated(index);
    }
    bool Shows(const QString& text) const
    {
        return LiveBench::Until([&] { return display->Text() == text; });
    }

    MonitorDialog* dialog;
    QRadioButton* input;
    QRadioButton* output;
    QLineEdit* edit;
    QComboBox* analog;
    QLabel* caption;
    controls::SevenSegment* display;
    QPushButton* logButton;
    QLabel* logState;
};

bool Selected(const VirtualNode& node, std::vector<std::uint8_t> bytes)
{
    const auto commands = node.Commands();
    return std::any_of(commands.begin(), commands.end(), [&](const VirtualNode::CommandSeen& c) {
        return c.code == command::kSelectMonitor && c.data == bytes;
    });
}

// Lets the worker read the node a few more times.
bool SomeMoreReadings(const VirtualNode& node)
{
    const int seen = node.QueryCount(query::kMonitorReading);
    return LiveBench::Until([&] { return node.QueryCount(query::kMonitorReading) > seen + 2; });
}

QList<QByteArray> Lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray text = file.readAll();
    // Every line ends with CR LF, the last one too.
    if (!text.endsWith("\r\n") || text.count("\r\n") != text.count('\n')) return {};
    text.chop(2);
    return text.replace("\r\n", "\n").split('\n');
}

} // namespace

class MonitorTest : public QObject {
    Q_OBJECT

private slots:
    void typedEndpointIsSelectedOnTheNodeAndNamed()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        MonitorView view(bench);
        QVERIFY(view.Complete());
        QVERIFY(view.display->Text().isEmpty());
        QCOMPARE(view.analog->currentText(), QString("0..5V"));

        view.Type("D1.2", true);
        QVERIFY(LiveBench::Until([&] { return Selected(bench.node(), {0, 'd', 1, 2, 0}); }));
        QVERIFY(LiveBench::Until([&] { return view.caption->text() == "Digital Input  D1.2 (Pump running)"; }));
        QVERIFY(view.display->Text() == "0" || view.display->Text() == "1");

        // Picking a group in the tree watches all its channels.
        QTreeWidgetItem* group = nullptr;
        for (QTreeWidgetItemIterator it(bench.Find<QTreeWidget>(13005)); *it; ++it)
            if ((*it)->text(0).startsWith("Digital Outputs")) group = *it;
        QVERIFY(group);
        group->treeWidget()->setCurrentItem(group);
        QCOMPARE(view.edit->text(), QString("D1.1-8"));
        QVERIFY(view.output->isChecked());
        QVERIFY(LiveBench::Until([&] { return Selected(bench.node(), {0, 'D', 1, 1, 0}); }));
        QVERIFY(LiveBench::Until([&] { return view.caption->text() == "Digital Outputs  D1.8-1"; }));
        QCOMPARE(view.display->Text().size(), 8);
    }

    void readingsShowAsTheirKindSays()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        MonitorView view(bench);
        QVERIFY(view.Complete());
        VirtualNode& node = bench.node();

        node.SetQueryReply(query::kMonitorReading, 0, 0, Reading('a', 2, 1, 4095));
        view.Type("A2.1", true);
        QVERIFY(view.Shows("5.000"));
        QCOMPARE(view.caption->text(), QString("Analog Input (V)  A2.1 (Tank level)"));
        view.ChooseAnalog(kMilliamps);
        QVERIFY(view.Shows("20.00"));
        QCOMPARE(view.caption->text(), QString("Analog Input (mA)  A2.1 (Tank level)"));
        node.SetQueryReply(query::kMonitorReading, 0, 0, Reading('a', 2, 1, 65535));
        QVERIFY(view.Shows("of"));

        node.SetQueryReply(query::kMonitorReading, 0, 0, Reading('p', 2, 1, 0x400000));
        view.Type("P2.1", true);
        QVERIFY(view.Shows("-----"));
        QCOMPARE(view.caption->text(), QString("Pulse Input  P2.1"));

        node.SetQueryReply(query::kMonitorReading, 0, 0, Reading('d', 1, 1, 0x81));
        view.Type("D1.1-8", true);
        QVERIFY(view.Shows("10000001"));
        QCOMPARE(view.caption->text(), QString("Digital Inputs  D1.8-1"));
    }

    void silentNodeBlanksTheReadingAfterTheTimeOut()
    {
        LiveBench bench;
        QVERIFY(bench.Open([] { WriteSetting(kSettingEndpointMonitorTimeout, "300"); }));
        MonitorView view(bench);
        QVERIFY(view.Complete());
        milliseconds now{5000};
        view.dialog->SetClocks([&] { return now; }, [] { return system_clock::now(); });
        const auto filled = [&] { return !view.display->Text().isEmpty() && !view.caption->text().isEmpty(); };
        const auto blank = [&] { return view.display->Text().isEmpty() && view.caption->text().isEmpty(); };

        view.Type("A2.1", true);
        QVERIFY(LiveBench::Until(filled));
        bench.node().SetSilent(true);
        // Once a pass goes unanswered the worker has nothing more to pass on.
        QVERIFY(LiveBench::Until([&] {
            const auto reading = bench.worker().MonitorReading();
            return reading && std::all_of(reading->begin(), reading->end(), [](std::uint8_t b) { return b == 0; });
        }));
        QCoreApplication::processEvents();
        QVERIFY(filled());

        now += milliseconds(300);
        view.dialog->Tick();
        QVERIFY(filled());
        now += milliseconds(1);
        view.dialog->Tick();
        QVERIFY(blank());

        bench.node().SetSilent(false);
        QVERIFY(LiveBench::Until(filled));
    }

    void logWritesOneRowPerReadingUntilStopped()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        MonitorView view(bench);
        QVERIFY(view.Complete());
        // Each row's stamp is a second after the one before: a minute of readings
        // in no time, on a day no clock changes to or from summer time.
        const system_clock::time_point start = system_clock::time_point(seconds(1714564800)); // 2024-05-01 12:00 UTC
        int stamps = 0;
        view.dialog->SetClocks(SteadyTicks, [&] { return start + seconds(stamps++); });
        view.ChooseAnalog(kRawValue);
        view.Type("A2.1", true);
        QVERIFY(LiveBench::Until([&] { return !view.display->Text().isEmpty(); }));
        QVERIFY(!view.logState->isVisible());

        QTemporaryDir folder;
        const QString path = folder.filePath("readings.csv");
        bench.host().files.push_back(path);
        view.logButton->click();
        QVERIFY(view.dialog->Logging());
        QVERIFY(view.logState->isVisible());
        QCOMPARE(view.logState->text(), QString("Logging to readings.csv"));
        QCOMPARE(view.logButton->text(), QString("Stop &Logging"));

        // Each row is on disk as soon as it is written.
        QVERIFY(LiveBench::Until([&] { return stamps >= 3; }));
        QCOMPARE(Lines(path).size(), qsizetype(stamps) + 1);

        QVERIFY(LiveBench::Until([&] { return stamps > 60; }));
        view.logButton->click();
        QVERIFY(!view.dialog->Logging());
        QVERIFY(!view.logState->isVisible());
        QCOMPARE(view.logButton->text(), QString("&Log to file…"));
        const int rows = stamps;
        QVERIFY(SomeMoreReadings(bench.node()));
        QCOMPARE(stamps, rows);

        const QList<QByteArray> lines = Lines(path);
        QCOMPARE(lines.size(), qsizetype(rows) + 1);
        QCOMPARE(lines.front(), QByteArray("Time,Endpoint,Value,Shown,Caption"));
        QByteArray previous;
        for (int i = 1; i < lines.size(); ++i) {
            const QList<QByteArray> fields = lines[i].split(',');
            QCOMPARE(fields.size(), 5);
            QVERIFY2(fields[0] > previous, lines[i].constData());
            previous = fields[0];
            QCOMPARE(fields[1], QByteArray("A2.1"));
            QCOMPARE(fields[3], fields[2]); // shown as the raw value
            QCOMPARE(fields[4], QByteArray("Analog Input  A2.1 (Tank level)"));
        }
    }

    void logFailuresAreReportedOnce()
    {
        LiveBench bench;
        QVERIFY(bench.Open());
        MonitorView view(bench);
        QVERIFY(view.Complete());
        view.Type("A2.1", true);
        QVERIFY(LiveBench::Until([&] { return !view.display->Text().isEmpty(); }));
        QTemporaryDir folder;
        const std::size_t asked = bench.host().shown.size();

        // A file that cannot be made: said, and nothing else changes.
        const QString missing = folder.filePath("missing/readings.csv");
        bench.host().files.push_back(missing);
        view.logButton->click();
        QVERIFY(!view.dialog->Logging());
        QCOMPARE(bench.host().shown.size(), asked + 2); // the file dialog, then the message
        QVERIFY(bench.host().shown.back().text.contains(missing));
        QVERIFY(!view.logState->isVisible());

        // A disk that fills while logging, the file-size limit standing in for it.
        const QString path = folder.filePath("readings.csv");
        bench.host().files.push_back(path);
        view.logButton->click();
        QVERIFY(view.dialog->Logging());
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit small = before;
        small.rlim_cur = static_cast<rlim_t>(QFileInfo(path).size() + 100);
        setrlimit(RLIMIT_FSIZE, &small);
        const bool stopped = LiveBench::Until([&] { return !view.dialog->Logging(); });
        const bool more = SomeMoreReadings(bench.node());
        setrlimit(RLIMIT_FSIZE, &before);
        QVERIFY(stopped && more);
        QCOMPARE(bench.host().shown.size(), asked + 4);
        QVERIFY(bench.host().shown.back().text.contains("Logging has stopped"));
        QVERIFY(!view.logState->isVisible());
        QCOMPARE(view.logButton->text(), QString("&Log to file…"));
    }
};

QTEST_MAIN(MonitorTest)
#include "MonitorTest.moc"
