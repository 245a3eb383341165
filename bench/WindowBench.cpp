// The desktop program's responsiveness: the time from start to the first
// painted main window, from Open to the painted editor with every table of a
// configuration at capacity, the slowest switch between its pages, and the longest stall of the interface thread's event
// loop while a configuration as full as a node holds is received from and sent to the
// virtual node at the real line rate (a 1 ms timer records how late it fires).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QTabBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>
#include <utility>

#include "app/MainFrame.h"
#include "app/StatusIndicator.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandIds.h"
#include "editor/NodePanelDialog.h"
#include "nodeconf/ConfigFile.h"
#include "reports/ModalHost.h"
#include "reports/UnsavedFileDialog.h"
#include "connection/ConnectionOptions.h"
#include "connection/NodeConnection.h"
#include "settings/ProgramSettings.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"

using namespace mnm;
using namespace mnm::app;

namespace {

QElapsedTimer sinceStart;

// Notes the first paint of the window or any widget in it.
class FirstPaint : public QObject {
public:
    qint64 atMs = -1;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && atMs < 0) atMs = sinceStart.elapsed();
        return false;
    }
};

// The longest time between two firings of a 1 ms timer, less the 1 ms.
class StallMeter : public QObject {
public:
    StallMeter()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, [this] {
            const qint64 now = clock_.nsecsElapsed();
            if (last_ >= 0) worstNs_ = std::max(worstNs_, now - last_ - 1'000'000);
            last_ = now;
        });
    }
    void Start()
    {
        worstNs_ = 0;
        last_ = -1;
        clock_.start();
        timer_.start(1);
    }
    double StopMs()
    {
        timer_.stop();
        return static_cast<double>(worstNs_) / 1e6;
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = -1;
    qint64 worstNs_ = 0;
};

// A report in the middle of the measurement is a failure of the run; it is
// printed, never left waiting for a click that cannot come.
class PrintingHost : public reports::ModalHost {
public:
    bool reported = false;
    bool discardOnce = false; // the next unsaved question is answered Discard
    int RunDialog(QDialog& dialog) override
    {
        if (std::exchange(discardOnce, false) && qobject_cast<reports::UnsavedFileDialog*>(&dialog))
            return static_cast<int>(reports::UnsavedAnswer::Discard);
        Report(dialog.windowTitle());
        return QDialog::Rejected;
    }
    QMessageBox::StandardButton Ask(QWidget*, QMessageBox::Icon, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        Report(title + ": " + text);
        return QMessageBox::No;
    }
    QString nextFile; // what the next Open chooses
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return std::exchange(nextFile, {});
    }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }

private:
    void Report(const QString& what)
    {
        reported = true;
        std::fprintf(stderr, "unexpected report: %s\n", qPrintable(what));
    }
};

// Runs the event loop itself until `done` or the limit: QTest::qWaitFor
// sleeps 10 ms between its passes, which the stall meter would count as the
// window's own stall.
template <typename Done> bool RunUntil(Done done, int limitMs)
{
    constexpr int kPollMs = 20;
    bool met = done();
    if (met) return true;
    QEventLoop loop;
    QTimer poll, limit;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!done()) return;
        met = true;
        loop.quit();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(kPollMs);
    limit.setSingleShot(true);
    limit.start(limitMs);
    loop.exec();
    return met;
}

// Notes when a widget or anything inside it is next painted.
class PaintOf : public QObject {
public:
    PaintOf(QWidget* target, const QElapsedTimer& clock) : target_(target), clock_(clock) {}
    qint64 paintedNs = -1; // when the first paint began, on the clock given
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(object);
        if (paintedNs < 0 && event->type() == QEvent::Paint && widget &&
            (widget == target_ || target_->isAncestorOf(widget)))
            paintedNs = clock_.nsecsElapsed();
        return false;
    }

private:
    QWidget* target_;
    const QElapsedTimer& clock_;
};

// How long an action takes until `target` shows its result painted.
template <typename Action> double MsUntilPainted(QWidget* target, Action action)
{
    QElapsedTimer took;
    PaintOf paint(target, took);
    qApp->installEventFilter(&paint);
    took.start();
    action();
    RunUntil([&] { return paint.paintedNs >= 0; }, 10000);
    qApp->removeEventFilter(&paint);
    return paint.paintedNs >= 0 ? paint.paintedNs / 1e6 : -1;
}

constexpr int kSettleMs = 150;  // room for the paint after an action
constexpr int kListGoalMs = 50;

// Every list at its capacity as the editor holds it (connections from its
// own node), with a dialup modem so that every list page shows.
NodeConf FullListsConfiguration()
{
    NodeConf c = MaximalConfiguration();
    c.networkFlags &= ~(kFlagNoModem | kFlagLeasedLine);
    for (int i = 0; i < c.connectionCount; ++i) c.connections[i].originNode = 0;
    return c;
}

struct ListPage {
    QString tab;
    int list, remove, add;
    std::vector<std::pair<int, QString>> edits; // what Add then takes
};
const std::vector<ListPage> kListPages = {
    {"Connections", 9003, 4016, 4017, {{8020, "d200.1"}, {8021, "D1.1"}}},
    {"Routing", 9001, 4013, 4009, {{8014, "7"}, {8016, "3"}}},
    {"SMS", 9005, 4026, 4027, {{8034, "D1.1"}}},
    {"Dialup", 26019, 26025, 26020, {{26006, "D9.9"}, {26016, "5D1.1"}, {26013, {}}, {26023, "10"}}},
};

void ChooseTab(editor::NodePanelDialog& panel, const QString& text)
{
    for (int i = 0; i < panel.Tabs()->count(); ++i)
        if (panel.Tabs()->tabText(i) == text) panel.Tabs()->setCurrentIndex(i);
}

void Press(QWidget* root, int id)
{
    if (auto* button = root->findChild<QAbstractButton*>(QString::number(id))) button->click();
}

// Typed (or a box ticked) as a user does it: the page hears of it.
void Write(QWidget* root, int id, const QString& text)
{
    if (auto* box = root->findChild<QAbstractButton*>(QString::number(id))) box->click();
    if (auto* edit = root->findChild<QLineEdit*>(QString::number(id))) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
}

bool WaitTransfer(Worker& worker, int seconds)
{
    return RunUntil([&] { return !worker.IsBusy(); }, seconds * 1000);
}

} // namespace

int main(int argc, char** argv)
{
    sinceStart.start();
    QApplication app(argc, argv);
    PrintingHost host;
    reports::SetModalHost(&host);
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    EnsureSettingsKey();
    WriteSettingDefaults();

    VirtualNode node;
    node.SetPace(true);
    node.WithState([](NodeModel& s) { s.SetConfig(FullestNodeConfiguration()); });
    if (!node.Start()) return 1;
    WriteSetting(kSettingPort, node.DevicePath());

    WorkerPostBox posts;
    NodeConnection connection;
    const ProgramSettings programSettings = ReadProgramSettings();
    if (!connection.Start(posts.Callback(), WorkerOptionsFrom(programSettings))) return 1;
    Worker& worker = connection.worker();
    int result = 0;
    {
        NMFrame frame(connection, posts, programSettings, {});
        FirstPaint paint;
        app.installEventFilter(&paint);
        frame.show();
        if (!QTest::qWaitFor([&] { return paint.atMs >= 0; }, 10000)) return 1;
        app.removeEventFilter(&paint);
        std::printf("first window painted after %lld ms (%s platform)\n", static_cast<long long>(paint.atMs),
                    qPrintable(QGuiApplication::platformName()));
        std::fflush(stdout);

        // A configuration with every list at capacity, opened into the editor
        // and shown page by page.
        const QString full = settings.filePath("full.mnc");
        if (SaveToPath(FullListsConfiguration(), full.toStdString()) != 0) return 1;
        host.nextFile = full;
        auto* editor = frame.EditorView();
        const double openMs = MsUntilPainted(editor, [&] { frame.Command(kCmdOpen); });
        double slowest = 0;
        QString slowestPage;
        QTabBar* tabs = editor->Tabs();
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < tabs->count(); ++i) {
                const int next = (tabs->currentIndex() + 1) % tabs->count();
                const double ms = MsUntilPainted(editor, [&] { tabs->setCurrentIndex(next); });
                if (ms < 0) result = 1;
                if (ms > slowest) slowest = ms, slowestPage = tabs->tabText(next);
            }
        }
        std::printf("open to a painted editor %.1f ms; slowest page switch %.1f ms (%s, of %d pages)\n", openMs,
                    slowest, qPrintable(slowestPage), tabs->count());
        std::fflush(stdout);
        if (openMs < 0 || host.reported) result = 1;

        // The long lists with a dialup modem ticked (the SMS and Dialup pages come,
        // Modbus goes): each page opened, scrolled through, a line removed and added.
        // Each figure is the longest the event loop was held, the paint included.
        StallMeter held;
        const auto hold = [&](const std::function<void()>& action) {
            held.Start();
            QTimer::singleShot(0, action);
            RunUntil([] { return false; }, kSettleMs);
            return held.StopMs();
        };
        for (const ListPage& page : kListPages) {
            auto* list = editor->findChild<QAbstractItemView*>(QString::number(page.list));
            const double open = hold([&] { ChooseTab(*editor, page.tab); });
            const double scroll = hold([&] { list->scrollToBottom(); });
            const double remove = hold([&] {
                // The last line: a primary with secondaries after it would stay.
                list->setCurrentIndex(list->model()->index(list->model()->rowCount() - 1, 0));
                Press(editor, page.remove);
            });
            const double add = hold([&] {
                for (const auto& [id, text] : page.edits) Write(editor, id, text);
                Press(editor, page.add);
            });
            std::printf("%-12s %4d rows: open %.1f ms, scroll %.1f ms, remove %.1f ms, add %.1f ms\n",
                        qPrintable(page.tab), list->model()->rowCount(), open, scroll, remove, add);
            if (std::max({open, scroll, remove, add}) >= kListGoalMs) std::printf("  over the %d ms goal\n", kListGoalMs);
        }
        std::fflush(stdout);
        // The transfers below start from the file as it was: the edits are discarded.
        RunUntil([&] { return !worker.IsBusy(); }, 60000);
        host.discardOnce = true;
        host.nextFile = full;
        frame.Command(kCmdOpen);
        if (host.reported || frame.State().modified) result = 1;

        // Connected, and the hardware read a new connection starts is over.
        if (!QTest::qWaitFor([&] { return frame.Indicator()->Frame() == kFrameConnected && !worker.IsBusy(); }, 60000))
            return 1;
        StallMeter meter;
        for (int command : {kCmdReceive, kCmdSend}) {
            meter.Start();
            QElapsedTimer took;
            took.start();
            frame.Command(command);
            RunUntil([] { return false; }, 200); // the job starts
            const bool ended = WaitTransfer(worker, 600);
            const double stall = meter.StopMs();
            std::printf("%-8s %s in %.1f s; longest event-loop stall %.1f ms\n",
                        command == kCmdReceive ? "receive" : "send", ended ? "ended" : "did not end",
                        took.elapsed() / 1000.0, stall);
            std::fflush(stdout);
            if (!ended || host.reported) result = 1;
        }
        if (frame.State().openState != kEditorShown) result = 1;
        connection.Stop();
    }
    return result;
}
