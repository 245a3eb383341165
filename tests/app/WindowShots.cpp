// Not a test: scripts/screenshots runs it to draw the main window in its
// states (blank, a configuration open, a receive from the built-in virtual
// node in progress) for the README.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainFrame.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandIds.h"
#include "connection/ConnectionOptions.h"
#include "connection/NodeConnection.h"
#include "nodeconf/ConfigFile.h"
#include "settings/Settings.h"
#include "settings/ProgramSettings.h"
#include "sim/SampleConfigurations.h"


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
        NMFrame blank(connection, posts, programSettings, {});
        blank.show();
        QTest::qWait(200);
        Save(blank, "main-window-blank");
        blank.close();

        NMFrame open(connection, posts, programSettings, {sample});
        open.show();
        QTest::qWait(200);
        Save(open, "main-window-summary");
        open.close();

        NMFrame receiving(connection, posts, programSettings, {{}, true});
        receiving.show();
        if (!QTest::qWaitFor([&] { return worker.IsNodeConnected(); }, 30000)) qFatal("the virtual node did not answer");
        receiving.Command(kCmdReceive);
        if (!QTest::qWaitFor([&] { const auto w = worker.Snapshot().progressWord; return w >> 16 == kProgressReceiving && (w & 0xFFFF) >= 300; }, 60000))
            qFatal("the receive did not get going");
        QTest::qWait(120); // the indicator's next tick
        Save(receiving, "main-window-receiving");
        worker.CancelTransfer();
        if (!worker.WaitUntilIdle(std::chrono::seconds(5))) qWarning("the receive did not stop");
        receiving.close();
    }
    connection.Stop();
    return 0;
}
