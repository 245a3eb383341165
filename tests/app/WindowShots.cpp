// Not a test: scripts/screenshots runs it to draw the main window in its
// states (blank, the editor's pages over a sample configuration, a receive
// from the built-in virtual node in progress, the live tools, a comparison
// with a node) for the README.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>

#include "app/MainFrame.h"
#include "app/StatusIndicator.h"
#include "app/model/IndicatorTick.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandIds.h"
#include "controls/SevenSegment.h"
#include "editor/NodePanelDialog.h"
#include "connection/ConnectionOptions.h"
#include "connection/NodeConnection.h"
#include "nodeconf/ConfigFile.h"
#include "reports/CompareReportDialog.h"
#include "settings/Settings.h"
#include "settings/ProgramSettings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"
#include "wire/NodeCodes.h"
#include "tools/TestDialog.h"


using namespace mnm;
using namespace mnm::app;

namespace {

QString folder;

void Save(QWidget& window, const char* name)
{
    QApplication::processEvents();
    const QString path = folder + "/" + name + ".png";
    if (!window.grab().save(path)) qFatal("cannot write %s", qPrintable(path));
}

template <typename T = QWidget>
T* Control(QWidget* root, int id)
{
    T* w = root->findChild<T*>(QString::number(id));
    if (!w) qFatal("no control %d", id);
    return w;
}

void ChooseTab(editor::NodePanelDialog& panel, const QString& text)
{
    for (int i = 0; i < panel.Tabs()->count(); ++i)
        if (panel.Tabs()->tabText(i) == text) return panel.Tabs()->setCurrentIndex(i);
    qFatal("no tab %s", qPrintable(text));
}

// The editor's pages as a user sees them: the Network page explaining an
// Alarm Delay of 90s, the routing tables, the Modbus framing, and Routing
// again with a dialup modem, its telephone block in use.
void EditorPages(NMFrame& frame)
{
    editor::NodePanelDialog& panel = *frame.EditorView();
    auto* alarm = Control<QLineEdit>(&panel, 8011);
    alarm->selectAll();
    QTest::keyClicks(alarm, "90s");
    for (int tick = 0; tick < 10; ++tick) panel.Tick();
    Save(frame, "editor-network");
    ChooseTab(panel, "Routing");
    Control<QAbstractItemView>(&panel, 9001)->setCurrentIndex(
        Control<QAbstractItemView>(&panel, 9001)->model()->index(1, 0));
    Save(frame, "editor-routing");
    ChooseTab(panel, "Modbus");
    Save(frame, "editor-modbus");
    ChooseTab(panel, "Network");
    Control<QAbstractButton>(&panel, 7012)->click();
    ChooseTab(panel, "Routing");
    Control<QAbstractButton>(&panel, 6016)->click();
    Save(frame, "editor-routing-dialup");
}

// The live tools on a quick virtual node of their own: the monitor with a
// named analog input, the test page with a history of several minutes (its clock
// runs faster than the node), the engineering page with alarms, node
// messages and a memory line.
void LiveTools(NodeConnection& connection, WorkerPostBox& posts, ProgramSettings settings, const QString& sample)
{
    VirtualNode node;
    if (!node.Start()) qFatal("no virtual node");
    node.SetNodeTextInterval(std::chrono::milliseconds(150));
    settings.port = node.DevicePath();
    settings.allowEngineeringDialog = true;
    // With a file, so that the configuration the editor shots kept is not offered.
    NMFrame frame(connection, posts, settings, {sample});
    frame.resize(860, 560);
    frame.show();
    Worker& worker = connection.worker();
    if (!QTest::qWaitFor([&] { return frame.Indicator()->Frame() == kFrameConnected && !worker.IsBusy(); }, 30000))
        qFatal("the virtual node did not answer");

    frame.Command(kCmdMonitor);
    Control<QRadioButton>(&frame, 10008)->click();
    QTest::keyClicks(Control<QLineEdit>(&frame, 8015), "A2.1");
    auto* display = Control<controls::SevenSegment>(&frame, 3058);
    if (!QTest::qWaitFor([&] { return !display->Text().isEmpty(); }, 30000)) qFatal("no monitor reading");
    Save(frame, "live-monitor");

    // Five seconds of history a status block: ten minutes in a hundred and twenty.
    auto ticks = std::make_shared<std::chrono::milliseconds>(0);
    frame.TestView()->SetClock([ticks] { return *ticks += std::chrono::seconds(5); });
    frame.Command(kCmdTest);
    const int reads = node.QueryCount(query::kStatusBlock);
    if (!QTest::qWaitFor([&] { return node.QueryCount(query::kStatusBlock) > reads + 110; }, 60000))
        qFatal("the test page got no status blocks");
    Save(frame, "live-test");

    frame.Command(kCmdEngineering);
    auto* messages = Control<QListWidget>(&frame, 5103);
    auto* alarms = Control<QAbstractItemView>(&frame, 5104);
    if (!QTest::qWaitFor([&] { return messages->count() >= 8 && alarms->model()->rowCount() > 0; }, 30000))
        qFatal("no node messages or alarms");
    QTest::keyClicks(Control<QLineEdit>(&frame, 4008), "1A3");
    Control<QAbstractButton>(&frame, 3068)->click();
    auto* memory = Control<QLineEdit>(&frame, 2002);
    if (!QTest::qWaitFor([&] { return !memory->text().isEmpty(); }, 30000)) qFatal("no memory line");
    Save(frame, "live-engineering");
    frame.EndWithoutAsking();
    node.Stop();
}

// Compare with Node against a node whose channel, name and one connection
// were changed in the field. The report is modal: a timer in its own event
// loop draws and closes it.
void CompareWithNode(NodeConnection& connection, WorkerPostBox& posts, ProgramSettings settings, const QString& sample)
{
    VirtualNode node;
    if (!node.Start()) qFatal("no virtual node");
    node.WithState([](NodeModel& s) {
        NodeConf field = EditedConfiguration();
        field.radioChannel = 3;
        std::strncpy(field.networkName, "ALPHA-2", sizeof field.networkName);
        field.connections[1].destNode = 12;
        s.SetConfig(field);
    });
    settings.port = node.DevicePath();
    // The report names the file: a plain folder rather than a random one, so
    // that the picture stays the same from one run to the next.
    const QString folder = QDir::temp().filePath("morvane-screenshots");
    const QString file = folder + "/north-ridge.mnc";
    if (!QDir().mkpath(folder) || (QFile::exists(file) && !QFile::remove(file)) || !QFile::copy(sample, file))
        qFatal("cannot write %s", qPrintable(file));
    NMFrame frame(connection, posts, settings, {file});
    frame.resize(860, 560);
    frame.show();
    if (!QTest::qWaitFor([&] { return frame.Indicator()->Frame() == kFrameConnected && !connection.worker().IsBusy(); }, 30000))
        qFatal("the virtual node did not answer");
    bool drawn = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* report = qobject_cast<reports::CompareReportDialog*>(w);
            if (!report || !report->isVisible()) continue;
            Save(*report, "compare-report");
            drawn = true;
            report->accept();
        }
    });
    look.start(100);
    frame.Command(kCmdCompare);
    if (!QTest::qWaitFor([&] { return drawn; }, 60000)) qFatal("no comparison report");
    frame.EndWithoutAsking();
    node.Stop();
    QDir(folder).removeRecursively();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir settings, files;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    EnsureSettingsKey();
    WriteSettingDefaults();
    WorkerPostBox posts;
    NodeConnection connection;
    const ProgramSettings programSettings = ReadProgramSettings();
    connection.Start(posts.Callback(), WorkerOptionsFrom(programSettings));
    Worker& worker = connection.worker();
    {
        const QString sample = files.filePath("north-ridge.mnc");
        SaveToPath(EditedConfiguration(), sample.toStdString());
        // One frame at a time, as in the program: each takes what the worker posts.
        {
            NMFrame blank(connection, posts, programSettings, {});
            blank.show();
            QTest::qWait(200);
            Save(blank, "main-window-blank");
            blank.close();
        }
        {
            NMFrame open(connection, posts, programSettings, {sample});
            open.resize(860, 560);
            open.show();
            QTest::qWait(200);
            EditorPages(open);
            open.EndWithoutAsking(); // no question: the edits go to the throw-away settings folder
        }

        NMFrame receiving(connection, posts, programSettings, {sample, true});
        receiving.resize(860, 560);
        receiving.show();
        // Connected, and its hardware read over: a receive is refused while that runs.
        if (!QTest::qWaitFor([&] { return receiving.Indicator()->Frame() == kFrameConnected && !worker.IsBusy(); }, 30000))
            qFatal("the virtual node did not answer");
        // The Connections page, its modules tree filled from the virtual node.
        ChooseTab(*receiving.EditorView(), "Connections");
        auto* tree = Control<QTreeWidget>(receiving.EditorView(), 13002);
        if (!QTest::qWaitFor([&] { return tree->topLevelItemCount() > 0; }, 30000)) qFatal("no modules tree");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        Control<QAbstractItemView>(receiving.EditorView(), 9003)
            ->setCurrentIndex(Control<QAbstractItemView>(receiving.EditorView(), 9003)->model()->index(2, 0));
        Save(receiving, "editor-connections");
        ChooseTab(*receiving.EditorView(), "Network");
        receiving.Command(kCmdReceive);
        if (!QTest::qWaitFor([&] { const auto w = worker.Snapshot().progressWord; return w >> 16 == kProgressReceiving && (w & 0xFFFF) >= 300; }, 60000))
            qFatal("the receive did not get going");
        QTest::qWait(120); // the indicator's next tick
        Save(receiving, "main-window-receiving");
        worker.CancelTransfer();
        if (!worker.WaitUntilIdle(std::chrono::seconds(5))) qWarning("the receive did not stop");
        QTest::qWait(200); // the stopped receive's end is taken

        // With a dialup modem: the SMS and Dialup pages, their trees from the virtual node.
        editor::NodePanelDialog& panel = *receiving.EditorView();
        Control<QAbstractButton>(&panel, 7012)->click();
        ChooseTab(panel, "SMS");
        auto* alerts = Control<QAbstractItemView>(&panel, 9005);
        alerts->setCurrentIndex(alerts->model()->index(0, 0));
        Save(receiving, "editor-sms");
        ChooseTab(panel, "Dialup");
        auto* dialups = Control<QAbstractItemView>(&panel, 26019);
        dialups->setCurrentIndex(dialups->model()->index(0, 0));
        Save(receiving, "editor-dialup");
        receiving.EndWithoutAsking();
    }
    LiveTools(connection, posts, programSettings, files.filePath("north-ridge.mnc"));
    CompareWithNode(connection, posts, programSettings, files.filePath("north-ridge.mnc"));
    connection.Stop();
    return 0;
}
