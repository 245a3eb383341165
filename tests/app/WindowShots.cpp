// Not a test: scripts/screenshots runs it to draw the main window in its
// states (blank, a configuration open, a receive from the built-in virtual
// node in progress) for the README.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainFrame.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandIds.h"
#include "link/Link.h"
#include "nodeconf/ConfigFile.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "worker/Worker.h"

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
    LinkInitialise();
    WorkerPostBox posts;
    WorkerStart(posts.Callback());
    {
        const QString sample = files.filePath("north-ridge.mnc");
        SaveToPath(EditedConfiguration(), sample.toStdString());
        NMFrame blank(posts, {});
        blank.show();
        QTest::qWait(200);
        Save(blank, "main-window-blank");
        blank.close();

        NMFrame open(posts, {sample});
        open.show();
        QTest::qWait(200);
        Save(open, "main-window-summary");
        open.close();

        NMFrame receiving(posts, {{}, true});
        receiving.show();
        if (!QTest::qWaitFor([] { return WorkerIsNodeConnected() == 1; }, 30000)) qFatal("the virtual node did not answer");
        receiving.Command(kCmdReceive);
        if (!QTest::qWaitFor([] { const auto w = WorkerProgressWord(); return w >> 16 == kProgressReceiving && (w & 0xFFFF) >= 300; }, 60000))
            qFatal("the receive did not get going");
        QTest::qWait(120); // the indicator's next tick
        Save(receiving, "main-window-receiving");
        WorkerCancelTransfer();
        if (!QTest::qWaitFor([] { return WorkerIsBusy() == 0; }, 5000)) qWarning("the receive did not stop");
        receiving.close();
    }
    WorkerStop();
    return 0;
}
