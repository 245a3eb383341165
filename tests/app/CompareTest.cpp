// Compare with Node driven as a user would, against a virtual node.
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenuBar>
#include <QtTest>

#include <cstring>

#include "app/MainFrame.h"
#include "app/StatusIndicator.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandIds.h"
#include "app/model/CompareReport.h"
#include "connection/ConnectionOptions.h"
#include "connection/NodeConnection.h"
#include "editor/model/ConnectionList.h"
#include "nodeconf/ConfigFile.h"
#include "reports/CompareReportDialog.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"
#include "tests/app/ScriptedHost.h"
#include "wire/NodeCodes.h"

using namespace mnm;
using namespace mnm::app;

namespace {

constexpr int kPatienceMs = 30000;

// Also reads each comparison report, copies it with Ctrl+C and closes it with Escape.
struct CompareHost : ScriptedHost {
    std::vector<QStringList> reports; // heading, lines..., then what was copied
    int RunDialog(QDialog& dialog) override
    {
        auto* report = qobject_cast<reports::CompareReportDialog*>(&dialog);
        if (!report) return ScriptedHost::RunDialog(dialog);
        report->show();
        QApplication::setActiveWindow(report);
        QStringList seen = QStringList{report->Heading()} + report->Lines();
        if (QTest::qWaitForWindowActive(report)) QTest::keyClick(report->List(), Qt::Key_C, Qt::ControlModifier);
        seen << QApplication::clipboard()->text();
        QTest::keyClick(report->List(), Qt::Key_Escape);
        reports.push_back(report->isVisible() ? QStringList{"still open"} : seen);
        return report->result();
    }
};

} // namespace

class CompareTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    WorkerPostBox posts_;
    std::unique_ptr<NodeConnection> connection_;
    VirtualNode node_;
    std::unique_ptr<NMFrame> frame_;
    QString file_;

    bool CompareAndWait(const CompareHost& host)
    {
        const std::size_t before = host.reports.size() + host.shown.size();
        frame_->Command(kCmdCompare);
        return QTest::qWaitFor([&] { return host.reports.size() + host.shown.size() > before; }, kPatienceMs);
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
        EnsureSettingsKey();
        WriteSettingDefaults();
        connection_ = std::make_unique<NodeConnection>();
        QVERIFY(connection_->Start(posts_.Callback(), WorkerOptionsFrom(ReadProgramSettings())));
        QVERIFY(node_.Start());
        WriteSetting(kSettingPort, node_.DevicePath());
        file_ = dir_.filePath("compared.mnc");
        QCOMPARE(SaveToPath(EditedConfiguration(), file_.toStdString()), 0);
    }
    // The sample on the node and in the open file, connected and idle.
    void init()
    {
        node_.Reset();
        node_.WithState([](NodeModel& s) { s.SetConfig(EditedConfiguration()); });
        frame_ = std::make_unique<NMFrame>(*connection_, posts_, ReadProgramSettings(),
                                           FrameOptions{file_, false, dir_.filePath("none").toStdString()});
        QVERIFY(QTest::qWaitFor([&] {
            return frame_->Indicator()->Frame() == kFrameConnected && !connection_->worker().IsBusy();
        }, kPatienceMs));
    }
    void cleanup() { frame_.reset(); }
    void cleanupTestCase() { connection_.reset(); }

    void theReportListsWhatTheNodeHoldsOtherwiseAndLeavesTheDocument()
    {
        CompareHost host;
        const QList<QAction*> menu = frame_->menuBar()->actions().at(0)->menu()->actions();
        QCOMPARE(menu.indexOf(frame_->Action(kCmdCompare)), menu.indexOf(frame_->Action(kCmdSend)) + 1);

        const QString heading = "Configuration " + file_ + " -> the node on " + frame_->SelectedPort();
        QVERIFY(CompareAndWait(host));
        QCOMPARE(host.reports.back(), (QStringList{heading, kSameConfigurationText,
                                                   heading + "\n" + kSameConfigurationText + "\n"}));

        node_.WithState([](NodeModel& s) {
            NodeConf changed = EditedConfiguration();
            std::strncpy(changed.networkName, "BRAVO", sizeof changed.networkName);
            s.SetConfig(changed);
        });
        QVERIFY(CompareAndWait(host));
        const QString line = "networkName: \"ALPHA\" -> \"BRAVO\"";
        QCOMPARE(host.reports.back(), (QStringList{heading, line, heading + "\n" + line + "\n"}));
        QVERIFY(host.shown.empty());
        QCOMPARE(frame_->Editor().networkName, std::string("ALPHA"));
        QCOMPARE(frame_->State(), (ConfigState{kEditorShown, false, file_.toStdString()}));
        QVERIFY(frame_->findChild<QWidget*>("NodePanelPages")->isEnabled());
    }

    // The send writes connections in its own order and the highway byte by
    // its own rule: neither is a difference right after a send.
    void aConfigurationJustSentReadsAsTheSame()
    {
        CompareHost host;
        frame_->Edit([](editor::EditorContents& e) {
            e.dialupModem = true;
            Connection toThisNode{}; // last in the editor's order, among the first in the send's
            MakeConnection(toThisNode, 0, 'd', 9, 9, 0, 'D', 9, 9);
            toThisNode.connFlags |= kConnOnInterval;
            QVERIFY(editor::AddConnection(e.connections, toThisNode) >= 0);
        });
        frame_->Command(kCmdSend);
        QVERIFY(QTest::qWaitFor([&] { return !connection_->worker().IsBusy(); }, kPatienceMs));
        QVERIFY(CompareAndWait(host));
        QCOMPARE(host.reports.back().at(1), QString(kSameConfigurationText));
    }

    void aFailedReceiveShowsItsFailureAndNoReport()
    {
        CompareHost host;
        node_.InjectFault({kTypeQuery, query::kNodeNumber}, {Fault::kDrop, 0, -1});
        QVERIFY(CompareAndWait(host));
        QCOMPARE(host.shown.back().title, QString("Receiving from Node"));
        QCOMPARE(host.shown.back().text, QString("Unable to upload Node Number"));
        QVERIFY(host.reports.empty());
    }
};

QTEST_MAIN(CompareTest)
#include "CompareTest.moc"
