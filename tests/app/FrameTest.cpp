// The main window driven as a user would: commands, prompts, files, the port
// menu and transfers through the real worker against a virtual node.
#include <QAction>
#include <QAbstractButton>
#include <QLineEdit>
#include <QTabBar>
#include <QTreeWidget>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/BlankView.h"
#include "app/MainFrame.h"
#include "editor/NodePanelDialog.h"
#include "app/StatusIndicator.h"
#include "app/StopSignalWatcher.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandIds.h"
#include "editor/model/Transfer.h"
#include "connection/ConnectionOptions.h"
#include "connection/NodeConnection.h"
#include "nodeconf/ConfigFile.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/NetworkRules.h"
#include "nodeconf/TextEncoding.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"
#include "tests/app/ScriptedHost.h"
#include "wire/NodeCodes.h"

using namespace mnm;
using namespace mnm::app;

namespace {

constexpr int kSave = static_cast<int>(reports::UnsavedAnswer::Save);
constexpr int kDiscard = static_cast<int>(reports::UnsavedAnswer::Discard);
constexpr int kCancel = static_cast<int>(reports::UnsavedAnswer::Cancel);
constexpr int kPatienceMs = 30000;
// What happens at once, measured with room for a loaded machine.
constexpr int kPromptlyMs = 3000;

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

    QTemporaryDir settings_;
    QTemporaryDir files_;
    WorkerPostBox* posts_ = nullptr;
    NodeConnection* connection_ = nullptr;

    QString File(const char* name) const { return files_.filePath(QString::fromLatin1(name)); }
    std::unique_ptr<NMFrame> Frame(FrameOptions options = {})
    {
        if (options.deviceRoot == "/") options.deviceRoot = files_.filePath("no-devices").toStdString();
        return std::make_unique<NMFrame>(*connection_, *posts_, ReadProgramSettings(), options);
    }
    Worker& worker() { return connection_->worker(); }
    // Connected, and the hardware read that a connection starts is over.
    bool ConnectedAndIdle(NMFrame& frame)
    {
        return QTest::qWaitFor([&] { return frame.Indicator()->Frame() == kFrameConnected && !worker().IsBusy(); },
                               kPatienceMs);
    }
    // A frame on a virtual node that holds the sample configuration, connected
    // and its hardware read over; null when the node does not come up.
    std::unique_ptr<NMFrame> FrameOnSampleNode(VirtualNode& node)
    {
        if (!node.Start()) return nullptr;
        node.WithState([](NodeModel& s) { s.SetConfig(EditedConfiguration()); });
        WriteSetting(kSettingPort, node.DevicePath());
        auto frame = Frame();
        return ConnectedAndIdle(*frame) ? std::move(frame) : nullptr;
    }
    bool Enabled(NMFrame& frame, int id)
    {
        frame.UpdateEnabling();
        return frame.Action(id) && frame.Action(id)->isEnabled();
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", settings_.path().toUtf8());
        EnsureSettingsKey();
        WriteSettingDefaults();
        posts_ = new WorkerPostBox;
        connection_ = new NodeConnection;
        QVERIFY(connection_->Start(posts_->Callback(), WorkerOptionsFrom(ReadProgramSettings())));
    }
    void cleanupTestCase()
    {
        delete connection_;
        delete posts_;
    }
    void init()
    {
        for (int n = 1; n <= kRecentFiles; ++n) DeleteSetting(RecentFileSettingName(n));
        WriteSetting(kSettingPort, "");
        WriteSetting(kSettingAllowEngineeringDialog, "0");
    }

    void commandsFollowTheStateAndTheSettings()
    {
        auto frame = Frame();
        for (int id : {kCmdSave, kCmdSaveAs, kCmdVerify, kCmdClose, kCmdResume}) QVERIFY2(!Enabled(*frame, id), qPrintable(QString::number(id)));
        for (int id : {kCmdNew, kCmdOpen, kCmdReceive, kCmdExit}) QVERIFY(Enabled(*frame, id));
        QVERIFY(!Enabled(*frame, kCmdSend)); // nothing open that could be sent
        QVERIFY(frame->Action(kCmdEngineering) == nullptr);
        QVERIFY(frame->Action(kCmdPortNone) == nullptr);
        QCOMPARE(frame->windowTitle(), QString("Morvane Node Manager 1.00"));

        frame->Command(kCmdNew);
        QCOMPARE(frame->State().openState, kEditorShown);
        QCOMPARE(frame->windowTitle(), QString("Morvane Node Manager 1.00 - <Untitled>"));
        QVERIFY(!Enabled(*frame, kCmdSave)); // nothing changed yet
        QVERIFY(Enabled(*frame, kCmdSend));
        frame->Edit([](editor::EditorContents& e) { e.networkName = "NORTH"; });
        QVERIFY(Enabled(*frame, kCmdSave));
        QCOMPARE(frame->windowTitle(), QString("Morvane Node Manager 1.00 - <Untitled> *"));
        frame->Command(kCmdTest);
        QCOMPARE(frame->State().openState, kLiveToolShown);
        for (int id : {kCmdNew, kCmdOpen, kCmdClose, kCmdSave, kCmdVerify}) QVERIFY(!Enabled(*frame, id));
        QVERIFY(Enabled(*frame, kCmdResume));
        QVERIFY(Enabled(*frame, kCmdSend)); // a live tool over an open configuration
        frame->Command(kCmdStatusIndicator);
        QCOMPARE(frame->windowTitle(), QString("Morvane Node Manager - <Untitled> *"));

        frame.reset(); // one frame at a time, as in the program
        WriteSetting(kSettingAllowEngineeringDialog, "1");
        WriteSetting(kSettingAllowPortDeselection, "1");
        auto allowed = Frame();
        QVERIFY(allowed->Action(kCmdEngineering) != nullptr);
        QVERIFY(allowed->Action(kCmdPortNone) != nullptr);
        WriteSetting(kSettingAllowPortDeselection, "0");
    }

    void verifyNamesTheFirstFailingRuleOfWhatTheEditorShows()
    {
        ScriptedHost host;
        const QString path = File("verified.mnc");
        QCOMPARE(SaveToPath(EditedConfiguration(), path.toStdString()), 0);
        auto frame = Frame({path});
        QCOMPARE(frame->CurrentView()->objectName(), QString("DIALOG_NODEPANEL"));
        QCOMPARE(frame->findChild<QLineEdit*>("8018")->text(), QString("ALPHA"));
        QVERIFY(!frame->State().modified);

        // Typed into the pages: the node number emptied, the channel out of range.
        for (auto [id, text] : {std::pair{"8019", ""}, std::pair{"8017", "99999"}}) {
            auto* edit = frame->findChild<QLineEdit*>(id);
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, text);
        }
        QVERIFY(frame->State().modified);
        frame->Command(kCmdVerify);
        QCOMPARE(host.shown.back().title, QString("Verify"));
        const int nodeNumberFault = CheckNodeNumber("").code;
        QVERIFY(nodeNumberFault != 0);
        QCOMPARE(host.shown.back().text, QString::fromStdString(Cp1252ToUtf8(MessageOf(Report{nodeNumberFault}))));
    }

    // Received in the window, edited on every page, saved and sent: what the
    // node then holds, read back by mnm, is what the window saved.
    void whatTheWindowSavesAndSendsIsWhatMnmReceives()
    {
        ScriptedHost host;
        VirtualNode node;
        auto frame = FrameOnSampleNode(node);
        QVERIFY(frame);
        frame->Command(kCmdReceive);
        QVERIFY(QTest::qWaitFor([&] { return frame->State().openState == kEditorShown; }, kPatienceMs));

        QWidget* panel = frame->EditorView();
        const auto type = [&](int id, const QString& text) {
            auto* edit = panel->findChild<QLineEdit*>(QString::number(id));
            QVERIFY2(edit, qPrintable(QString::number(id)));
            edit->selectAll();
            QTest::keyClicks(edit, text);
        };
        const auto press = [&](int id) { panel->findChild<QAbstractButton*>(QString::number(id))->click(); };
        const auto page = [&](const QString& text) {
            QTabBar* tabs = frame->EditorView()->Tabs();
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->tabText(i) == text) tabs->setCurrentIndex(i);
        };
        type(8018, "edit");
        page("Connections");
        type(8020, "D1.6");
        type(8021, "D2.6");
        press(4017);
        page("Routing");
        type(8014, "9");
        type(8016, "4");
        press(4009);
        page("Modbus");
        press(6003);
        press(6006);
        page("Network");
        press(7012); // a dialup modem: SMS and Dialup come, Modbus goes (its settings stay)
        page("SMS");
        type(8034, "D1.1");
        press(4027);
        page("Dialup");
        type(26006, "D1.3");
        type(26016, "5D1.3");
        press(26013);
        type(26023, "10");
        press(26020);
        for (const auto& shown : host.shown) qWarning("%s: %s", qPrintable(shown.title), qPrintable(shown.text));
        QVERIFY(host.shown.empty());

        const QString saved = File("edited-everywhere.mnc");
        host.files = {saved};
        frame->Command(kCmdSaveAs);
        QVERIFY(!frame->State().modified);
        host.shown.clear(); // the file dialog
        frame->Command(kCmdSend);
        QVERIFY(QTest::qWaitFor([&] { return !worker().IsBusy() && worker().SendOutcome().Succeeded(); }, kPatienceMs));
        QVERIFY(host.shown.empty());

        // The window lets go of the port; mnm reads the node.
        frame.reset();
        WriteSetting(kSettingPort, "");
        auto idle = Frame();
        const QString received = File("received-by-mnm.mnc");
        QProcess mnm;
        mnm.start(MNM_CLI_BIN, {"receive", "--port", QString::fromStdString(node.DevicePath()), "-o", received});
        QVERIFY(mnm.waitForFinished(kPatienceMs * 4));
        QVERIFY2(mnm.exitCode() == 0, mnm.readAllStandardError().constData());
        // The node keeps its connections in its own order, and with a modem on its
        // serial port no highway framing (the send writes 'C'): both come back
        // through the editor, which puts the order right, and the framing is left out.
        NodeConf fromWindow{}, fromNode{}, a{}, b{};
        QVERIFY(LoadFromPath(fromWindow, saved.toStdString()).ok());
        QVERIFY(LoadFromPath(fromNode, received.toStdString()).ok());
        QCOMPARE(fromNode.highwayEncoding, 'C');
        QVERIFY(editor::VerifyRecord(fromWindow, &a).ok());
        QVERIFY(editor::VerifyRecord(fromNode, &b).ok());
        b.highwayEncoding = a.highwayEncoding;
        QCOMPARE(std::memcmp(&a, &b, sizeof a), 0);
        QCOMPARE(std::string(fromNode.networkName), std::string("EDIT"));
        QCOMPARE(fromNode.connectionCount, EditedConfiguration().connectionCount + 1);
        QCOMPARE(fromNode.smsConnectionCount, EditedConfiguration().smsConnectionCount + 1);
        QCOMPARE(fromNode.dialupConnectionCount, EditedConfiguration().dialupConnectionCount + 1);
    }

    void unsavedChangesAreAskedAbout()
    {
        ScriptedHost host;
        const QString path = File("asked.mnc");
        QCOMPARE(SaveToPath(EditedConfiguration(), path.toStdString()), 0);
        auto frame = Frame({path});
        frame->Edit([](editor::EditorContents& e) { e.networkName = "NORTH"; });
        frame->Command(kCmdTest); // the prompt must show the editor again

        host.answers = {kSave}; // then the Save As dialog is cancelled
        frame->Command(kCmdExit);
        QCOMPARE(host.shown.at(0).text, QString("Save Configuration before Exiting ?"));
        QCOMPARE(host.shown.at(1).title, QString("Save Configuration"));
        QCOMPARE(frame->State().openState, kEditorShown);
        QVERIFY(frame->State().modified);
        QVERIFY(Enabled(*frame, kCmdSave)); // over a visible editor

        host.answers = {kCancel};
        frame->Command(kCmdClose);
        QCOMPARE(frame->State().openState, kEditorShown);
        host.answers = {kDiscard};
        frame->Command(kCmdClose);
        QCOMPARE(frame->State().openState, kNoConfiguration);
        QCOMPARE(host.shown.back().text, QString("Save Configuration before Closing ?"));
    }

    void filesOpenSaveAndStayInTheRecentList()
    {
        ScriptedHost host;
        const QString first = File("first.mnc"), second = File("second");
        QCOMPARE(SaveToPath(EditedConfiguration(), first.toStdString()), 0);
        auto frame = Frame();
        host.files = {first};
        frame->Command(kCmdOpen);
        QCOMPARE(frame->State().fileName, first.toStdString());
        QVERIFY(!frame->State().modified);
        QCOMPARE(frame->RecentFiles().Count(), 1);

        host.files = {second}; // no suffix: ".mnc" is added
        frame->Command(kCmdSaveAs);
        QCOMPARE(frame->State().fileName, (second + ".mnc").toStdString());
        QCOMPARE(*frame->RecentFiles().Entry(1), (second + ".mnc").toStdString());
        QCOMPARE(*frame->RecentFiles().Entry(2), first.toStdString());
        QCOMPARE(Bytes(first.toStdString()), Bytes((second + ".mnc").toStdString())); // the editor stores what it loaded

        // A recent file that is gone: -2101 under "Error Opening File", nothing changes.
        QFile::remove(first);
        frame->Command(kCmdRecentFileBase + 2);
        QCOMPARE(host.shown.back().title, QString("Error Opening File"));
        QCOMPARE(host.shown.back().text, QString::fromStdString(Cp1252ToUtf8(MessageForCode(-2101))));
        QCOMPARE(frame->RecentFiles().Count(), 2);
        QCOMPARE(frame->State().fileName, (second + ".mnc").toStdString());
        // A directory is no configuration either, and opening it never blocks.
        host.files = {files_.path()};
        frame->Command(kCmdOpen);
        QCOMPARE(host.shown.back().title, QString("Error Opening File"));

        frame->close(); // the list is kept in the settings
        QCOMPARE(QString::fromStdString(ReadSetting("MRUF#1")), second + ".mnc");
    }

    void aSaveThatCannotCompleteKeepsTheOldFile()
    {
        ScriptedHost host;
        const std::string path = File("kept.mnc").toStdString();
        QCOMPARE(SaveToPath(EditedConfiguration(), path), 0);
        const std::string before = Bytes(path);
        auto frame = Frame();
        host.files = {QString::fromStdString(path)};
        frame->Command(kCmdOpen);
        frame->Edit([](editor::EditorContents& e) { e.networkName = "SOUTH"; });

        // Like a full disk: no file may grow beyond 100 bytes for a while.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tight = saved;
        tight.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &tight);
        frame->Command(kCmdSave);
        setrlimit(RLIMIT_FSIZE, &saved);

        QCOMPARE(host.shown.back().title, QString("Error during Save"));
        QCOMPARE(host.shown.back().text, QString::fromStdString(Cp1252ToUtf8(MessageForCode(-2102))));
        QCOMPARE(Bytes(path), before);
        QVERIFY(frame->State().modified);
        QCOMPARE(frame->RecentFiles().Count(), 1);
        QCOMPARE(QDir(files_.path()).entryList({"kept.mnc*"}, QDir::Files).size(), 1); // no temporary left
    }

    void theCommandLineFileOpensOrIsReported()
    {
        ScriptedHost host;
        const QString good = File("cmd.mnc"), bad = File("bad.mnc");
        QCOMPARE(SaveToPath(SampleConfiguration(), good.toStdString()), 0);
        std::ofstream(bad.toStdString()) << "not a configuration\r\r\n";

        auto opened = Frame({good});
        QCOMPARE(opened->State().fileName, good.toStdString());
        QCOMPARE(opened->State().openState, kEditorShown);
        QCOMPARE(opened->RecentFiles().Count(), 0);
        QVERIFY(host.shown.empty());

        auto missing = Frame({File("nothing-here.mnc")});
        QCOMPARE(missing->State().openState, kNoConfiguration);
        QVERIFY(host.shown.empty());

        auto refused = Frame({bad});
        QCOMPARE(refused->State().openState, kNoConfiguration);
        QCOMPARE(host.shown.size(), std::size_t{2});
        QVERIFY(host.shown[0].text.startsWith("Error -"));
        QVERIFY(host.shown[0].text.endsWith(" on command-line file"));
        QCOMPARE(host.shown[1].title, QString("Error Opening File given on Command Line"));
        QCOMPARE(refused->CurrentView()->objectName(), QString("DIALOG_BLANK"));
    }

    void thePortMenuListsDevicesWithoutOpeningThem()
    {
        const std::filesystem::path root = File("devices").toStdString();
        std::filesystem::create_directories(root / "sys/class/tty/ttyUSB0/device");
        std::filesystem::create_directories(root / "dev");
        std::ofstream(root / "dev/ttyUSB0") << "";
        WriteSetting(kSettingPort, "/tmp/saved-pty");
        auto frame = Frame({{}, false, root});
        QAction* usb = frame->Action(kCmdPortFirst);
        QVERIFY(usb);
        QCOMPARE(usb->data().toString(), QString("/dev/ttyUSB0"));
        QAction* saved = frame->Action(kCmdPortFirst + 1);
        QVERIFY(saved);
        QCOMPARE(saved->data().toString(), QString("/tmp/saved-pty"));
        QCOMPARE(frame->SelectedPort(), QString("/tmp/saved-pty"));
        QVERIFY(saved->isChecked()); // the operator sees which port is in use
        QVERIFY(!usb->isChecked());
        const QList<QAction*> all = frame->findChildren<QAction*>("VirtualNode");
        QCOMPARE(all.size(), 1);
        QVERIFY(!all[0]->isChecked()); // never chosen by itself

        frame->Command(kCmdPortFirst);
        QCOMPARE(frame->SelectedPort(), QString("/dev/ttyUSB0"));
        frame->close();
        QCOMPARE(ReadSetting(kSettingPort), std::string("/dev/ttyUSB0"));
    }

    void receiveAndSendGoThroughTheWorker()
    {
        ScriptedHost host;
        VirtualNode node;
        auto frame = FrameOnSampleNode(node);
        QVERIFY(frame);

        int ticks = 0; // the interface thread keeps running while the worker talks
        QTimer beat;
        connect(&beat, &QTimer::timeout, [&ticks] { ++ticks; });
        beat.start(10);
        frame->Command(kCmdReceive);
        QVERIFY(QTest::qWaitFor([&] { return frame->State().openState == kEditorShown; }, kPatienceMs));
        QVERIFY(ticks > 0);
        NodeConf stored{};
        QCOMPARE(editor::StoreFromEditor(frame->Editor(), stored).code, 0);
        QCOMPARE(stored.connectionCount, EditedConfiguration().connectionCount);
        QVERIFY(frame->State().fileName.empty());

        QCOMPARE(frame->findChild<QLineEdit*>("8018")->text(), QString("ALPHA")); // shown as received
        // The node's hardware is in the Connections page's modules tree.
        auto* tree = frame->findChild<QTreeWidget*>("13002");
        QVERIFY(QTest::qWaitFor([&] { return tree->topLevelItemCount() > 0; }, kPatienceMs));
        QVERIFY(tree->topLevelItem(0)->text(0).startsWith("Card 1, "));
        frame->Edit([](editor::EditorContents& e) { e.networkName = "EAST"; });
        frame->Command(kCmdSend);
        // Nothing can be edited while the node takes the configuration.
        QVERIFY(!frame->findChild<QWidget*>("NodePanelPages")->isEnabled());
        const bool sent =
            QTest::qWaitFor([&] { return !worker().IsBusy() && worker().SendOutcome().Succeeded(); }, kPatienceMs);
        QVERIFY(sent);
        QVERIFY(host.shown.empty()); // success shows nothing
        node.WithState([](NodeModel& s) { QCOMPARE(std::string(s.Flash().networkName), std::string("EAST")); });

        // A failing receive or send reports the transfer's own text under its title.
        node.InjectFault({kTypeQuery, query::kNodeNumber}, {Fault::kDrop, 0, -1});
        host.answers = {kDiscard}; // the configuration was edited
        frame->Command(kCmdReceive);
        QVERIFY(QTest::qWaitFor([&] { return !host.shown.empty(); }, kPatienceMs));
        QVERIFY(QTest::qWaitFor([&] { return host.shown.back().title == "Receiving from Node"; }, kPatienceMs));
        QCOMPARE(host.shown.back().text, QString("Unable to upload Node Number"));
        QCOMPARE(frame->State().openState, kEditorShown); // what was there stays
        host.shown.clear();
        node.Reset();
        node.WithState([](NodeModel& s) { s.SetConfig(EditedConfiguration()); });

        node.InjectFault({kTypeCommand, command::kRadioChannel}, {Fault::kDrop, 0, -1});
        frame->Command(kCmdSend);
        QVERIFY(QTest::qWaitFor([&] { return !host.shown.empty(); }, kPatienceMs));
        QCOMPARE(host.shown.back().title, QString("Sending to Node"));
        QCOMPARE(host.shown.back().text, QString("The Download Failed"));
        QVERIFY(frame->findChild<QWidget*>("NodePanelPages")->isEnabled());
        WriteSetting(kSettingPort, "");
    }

    void aDropOpensExactlyOneFile()
    {
        const QString file = File("dropped.mnc"), link = File("link.mnc");
        QCOMPARE(SaveToPath(EditedConfiguration(), file.toStdString()), 0);
        QVERIFY(QFile::link(file, link));
        const QUrl one = QUrl::fromLocalFile(file);
        QCOMPARE(DroppedPath({one}), file);
        QCOMPARE(DroppedPath({QUrl::fromLocalFile(link)}), file); // a link opens its target
        QVERIFY(DroppedPath({one, one}).isEmpty());
        QVERIFY(DroppedPath({QUrl("https://example.org/a.mnc")}).isEmpty());
    }

    // Closing the window while a send runs at line rate asks first; agreeing
    // stops the send cleanly (the node's scheduler put back) and closes.
    void exitDuringATransferAsksAndStopsIt()
    {
        ScriptedHost host;
        VirtualNode node;
        QVERIFY(node.Start());
        node.SetPace(true);
        const QString path = File("sent.mnc");
        QCOMPARE(SaveToPath(EditedConfiguration(), path.toStdString()), 0);
        WriteSetting(kSettingPort, node.DevicePath());
        const std::filesystem::path root = File("one-device").toStdString();
        std::filesystem::create_directories(root / "sys/class/tty/ttyUSB0/device");
        std::filesystem::create_directories(root / "dev");
        std::ofstream(root / "dev/ttyUSB0") << "";
        auto frame = Frame({path, false, root});
        QVERIFY(ConnectedAndIdle(*frame)); // a send would be refused during the hardware read
        frame->Command(kCmdSend);
        QVERIFY(QTest::qWaitFor([&] { return worker().Snapshot().progressWord >> 16 == kProgressSending; }, kPatienceMs));

        // Changing the port asks the same way; No keeps the port and the send.
        const QString port = frame->SelectedPort();
        host.answers = {QMessageBox::No};
        frame->Command(kCmdPortFirst);
        QVERIFY(!host.shown.empty());
        QCOMPARE(host.shown.back().text, QString("A transfer to the node is in progress. Stop it and change the port?"));
        QCOMPARE(frame->SelectedPort(), port);
        QVERIFY(worker().IsBusy());

        host.answers = {QMessageBox::No};
        QVERIFY(!frame->close());
        QCOMPARE(host.shown.back().text, QString("A transfer to the node is in progress. Stop it and exit?"));
        QVERIFY(worker().IsBusy());

        // Yes to the port change: the send stops, the port changes, and the
        // stop the user asked for is reported as nothing.
        const auto schedulerBack = [&] {
            return QTest::qWaitFor([&] {
                int scheduler = -1;
                node.WithState([&](NodeModel& s) { scheduler = s.Scheduler(); });
                return scheduler == 0;
            }, kPatienceMs);
        };
        const auto reportsShown = [&] {
            return std::count_if(host.shown.begin(), host.shown.end(),
                                 [](const ScriptedHost::Shown& s) { return s.title == "Sending to Node"; });
        };
        host.answers = {QMessageBox::Yes};
        frame->Command(kCmdPortFirst);
        QVERIFY(!worker().IsBusy());
        QCOMPARE(frame->SelectedPort(), QString("/dev/ttyUSB0")); // listed by its path on the system
        QVERIFY(schedulerBack());
        QTest::qWait(300); // the send's end arrives
        QCOMPARE(reportsShown(), 0);

        // The hardware read the connection had deferred may run now; then
        // back to the node's terminal.
        QVERIFY(QTest::qWaitFor([&] { return !worker().IsBusy(); }, kPatienceMs));
        frame->Command(kCmdPortFirst + 1);
        QCOMPARE(frame->SelectedPort(), port);
        QVERIFY(ConnectedAndIdle(*frame)); // a send would be refused during the hardware read
        frame->Command(kCmdSend);
        QVERIFY(QTest::qWaitFor([&] { return worker().Snapshot().progressWord >> 16 == kProgressSending; }, kPatienceMs));
        host.answers = {QMessageBox::Yes};
        QVERIFY(frame->close());
        QVERIFY(!worker().IsBusy()); // waited for without running the event loop
        QCOMPARE(frame->Indicator()->LeftText(), QString::fromUtf8("Stopping\u2026"));
        QVERIFY(schedulerBack());
        QTest::qWait(300);
        QCOMPARE(reportsShown(), 0);
        WriteSetting(kSettingPort, "");
    }

    // A stop signal is a close that cannot ask: no question, the settings
    // written, an unsaved configuration kept and offered at the next start.
    void aStopSignalClosesWithoutAskingAndKeepsTheUnsavedConfiguration()
    {
        ScriptedHost host;
        const QString path = File("signalled.mnc");
        QCOMPARE(SaveToPath(EditedConfiguration(), path.toStdString()), 0);
        QFile::remove(QString::fromStdString(RecoveryFilePath()));
        StopSignalWatcher watcher;
        auto frame = Frame({path});
        connect(&watcher, &StopSignalWatcher::StopRequested, frame.get(), &NMFrame::EndWithoutAsking);
        frame->show();
        frame->Edit([](editor::EditorContents& e) { e.networkName = "KEPT"; });
        frame->Command(kCmdPortFirst); // a port chosen from the menu, to be saved
        std::raise(SIGTERM);
        QVERIFY(QTest::qWaitFor([&] { return !frame->isVisible(); }, kPatienceMs));
        QCOMPARE(watcher.ExitStatus(), 128 + SIGTERM);
        QVERIFY(host.shown.empty()); // nobody was asked anything
        NodeConf kept{};
        QVERIFY(LoadFromPath(kept, RecoveryFilePath()).ok());
        QCOMPARE(std::string(kept.networkName), std::string("KEPT"));
        frame.reset();

        host.answers = {QMessageBox::Yes};
        auto next = Frame();
        QCOMPARE(host.shown.size(), std::size_t{1});
        QVERIFY(host.shown[0].text.contains("had not been saved"));
        QCOMPARE(next->State().openState, kEditorShown);
        QVERIFY(next->State().modified);          // never saved
        QVERIFY(next->State().fileName.empty());  // so Save asks where
        QCOMPARE(next->Editor().networkName, std::string("KEPT"));
        QVERIFY(!QFile::exists(QString::fromStdString(RecoveryFilePath()))); // offered once
    }

    // The real program from outside: a stop signal ends it within a second
    // with the shell's status for that signal, and the settings are written.
    void theProgramEndsOnEachStopSignal()
    {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            QTemporaryDir home;
            QProcess program;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("XDG_CONFIG_HOME", home.path());
            environment.insert("QT_QPA_PLATFORM", "offscreen");
            program.setProcessEnvironment(environment);
            program.start(MNM_GUI_BIN, {});
            QVERIFY(program.waitForStarted());
            const QString store = home.filePath("Orvendel/Morvane Node Manager.conf");
            QVERIFY(QTest::qWaitFor([&] { return QFile::exists(store); }, kPatienceMs));
            QTest::qWait(500); // the window is up
            QElapsedTimer took;
            took.start();
            ::kill(static_cast<pid_t>(program.processId()), signal);
            QVERIFY2(program.waitForFinished(kPatienceMs), qPrintable(QString::number(signal)));
            // Well under a second here; the bound leaves room for a loaded machine.
            QVERIFY2(took.elapsed() < kPromptlyMs, qPrintable(QString::number(took.elapsed())));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 128 + signal);
        }

        // A signal while the start-up question about a kept configuration is
        // open ends the program too, and the configuration stays for the next start.
        QTemporaryDir home;
        const QString kept = home.filePath("Orvendel/Morvane Node Manager.recovery.mnc");
        QVERIFY(QDir().mkpath(home.filePath("Orvendel")));
        QCOMPARE(SaveToPath(EditedConfiguration(), kept.toStdString()), 0);
        QProcess asking;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", home.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        asking.setProcessEnvironment(environment);
        asking.start(MNM_GUI_BIN, {});
        QVERIFY(asking.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(home.filePath("Orvendel/Morvane Node Manager.conf")); },
                                kPatienceMs));
        QTest::qWait(1000); // the question is up
        ::kill(static_cast<pid_t>(asking.processId()), SIGTERM);
        QVERIFY(asking.waitForFinished(kPatienceMs));
        QCOMPARE(asking.exitCode(), 128 + SIGTERM);
        QVERIFY(QFile::exists(kept));

        QProcess help;
        help.start(MNM_GUI_BIN, {"--help"});
        QVERIFY(help.waitForFinished(kPatienceMs));
        QCOMPARE(help.exitCode(), 0);
        QVERIFY(help.readAllStandardOutput().startsWith("usage: morvane-node-manager"));
        QProcess version;
        version.start(MNM_GUI_BIN, {"--version"});
        QVERIFY(version.waitForFinished(kPatienceMs));
        QCOMPARE(QString::fromLatin1(version.readAllStandardOutput()), QString(MNM_VERSION_TEXT "\n"));
    }

    // Only a path that does not exist is passed over in silence; any other
    // that is no configuration file says why, with the real code first.
    void aCommandLinePathThatIsNoFileSaysWhy()
    {
        const QString fifo = File("a-fifo");
        QVERIFY(::mkfifo(fifo.toLocal8Bit().constData(), 0600) == 0);
        const QString loop = File("loop");
        QVERIFY(QFile::link(loop, loop));
        const QString large = File("large.mnc");
        std::filesystem::resize_file((std::ofstream(large.toStdString()), large.toStdString()), kLargestConfigFile * 100);
        const QString bad = File("not-mnc.mnc");
        std::ofstream(bad.toStdString()) << "not a configuration\r\r\n";
        const std::pair<QString, QString> cases[] = {
            {files_.path(), "is a directory"}, {fifo, "is a FIFO"}, {loop, "symbolic links"},
            {large, "too large"}, {bad, ""}};
        for (const auto& [path, reason] : cases) {
            ScriptedHost host;
            auto frame = Frame({path});
            QCOMPARE(frame->State().openState, kNoConfiguration);
            QCOMPARE(host.shown.size(), std::size_t{2});
            QVERIFY2(host.shown[0].text.startsWith("Error -"), qPrintable(host.shown[0].text));
            QVERIFY(!host.shown[0].text.startsWith("Error -1000 "));
            QVERIFY(!host.shown[0].text.startsWith("Error -1 "));
            QCOMPARE(host.shown[1].title, QString("Error Opening File given on Command Line"));
            if (!reason.isEmpty()) {
                QVERIFY2(host.shown[1].text.startsWith(path + ": "), qPrintable(host.shown[1].text));
                QVERIFY2(host.shown[1].text.contains(reason), qPrintable(host.shown[1].text));
            }
        }
        ScriptedHost host;
        auto missing = Frame({File("nowhere.mnc")});
        QVERIFY(host.shown.empty());
    }

    // A port that is no terminal is refused at once, with mnm's reason, and
    // the indicator says it too.
    void aPortThatIsNoTerminalIsRefusedAtOnce()
    {
        ScriptedHost host;
        const QString plain = File("plain-file");
        std::ofstream(plain.toStdString()) << "";
        WriteSetting(kSettingPort, plain.toStdString());
        const QString sample = File("to-send.mnc");
        QCOMPARE(SaveToPath(EditedConfiguration(), sample.toStdString()), 0);
        auto frame = Frame({sample});
        QVERIFY(QTest::qWaitFor([&] { return frame->Indicator()->toolTip().contains("not a terminal"); }, kPatienceMs));
        QElapsedTimer took;
        took.start();
        frame->Command(kCmdReceive);
        QVERIFY(took.elapsed() < kPromptlyMs); // not after the receive's time-outs
        QCOMPARE(host.shown.size(), std::size_t{1});
        QCOMPARE(host.shown[0].title, QString("Receiving from Node"));
        QCOMPARE(host.shown[0].text, "Port " + plain + ": not a terminal");
        QVERIFY(worker().Snapshot().job != kJobReceive); // nothing started
        frame->Command(kCmdSend);
        QCOMPARE(host.shown.back().title, QString("Sending to Node"));
        QCOMPARE(host.shown.back().text, "Port " + plain + ": not a terminal");
        WriteSetting(kSettingPort, "");
    }

    void theIndicatorShowsEveryTextWholeAndFramesOnlyKeyboardFocus()
    {
        auto frame = Frame();
        frame->show();
        StatusIndicator* indicator = frame->Indicator();
        const QFontMetrics metrics = indicator->fontMetrics();
        for (const char* text : {"SCHED+", "SCHED-", "PREWRT", "Stopping\u2026"})
            QVERIFY2(metrics.horizontalAdvance(QString::fromUtf8(text)) <= indicator->LeftTextWidth(), text);
        QVERIFY(metrics.horizontalAdvance("255/255") <= indicator->RightTextWidth());
        QVERIFY(indicator->width() >= indicator->sizeHint().width());
        QApplication::setActiveWindow(frame.get());
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::mouseClick(indicator, Qt::LeftButton);
        QVERIFY(!indicator->ShowsFocusFrame());
        indicator->setFocus(Qt::TabFocusReason);
        QVERIFY(indicator->hasFocus());
        QVERIFY(indicator->ShowsFocusFrame());
        QTest::mouseClick(indicator, Qt::LeftButton);
        QVERIFY(!indicator->ShowsFocusFrame());
    }
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
