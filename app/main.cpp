// The desktop program: start-up in its fixed order, the main window's event
// loop, and the threads stopped before anything they post to goes away.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/StopSignalWatcher.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandLine.h"
#include "connection/ConnectionOptions.h"
#include "connection/NodeConnection.h"
#include "settings/ProgramSettings.h"
#include "settings/Settings.h"

namespace {

// Qt aborts with a long message when it finds no display; say it in one line.
bool DisplayAvailable()
{
#if defined(_WIN32) || defined(__APPLE__)
    return true;
#else
    return std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
#endif
}

constexpr char kProgramName[] = "morvane-node-manager";

} // namespace

int main(int argc, char** argv)
{
    // --help and --version answer before any window, display or not.
    const mnm::app::CommandLine asked = mnm::app::ScanCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (asked.help || asked.version) {
        if (asked.help)
            std::fputs(mnm::app::CommandLineUsage(kProgramName).c_str(), stdout);
        else
            std::printf("%s\n", MNM_VERSION_TEXT); // as mnm --version says it
        return 0;
    }
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "morvane-node-manager: no display to open the window on (DISPLAY and "
                             "WAYLAND_DISPLAY are not set); use mnm on a terminal\n");
        return 1;
    }
    QApplication application(argc, argv); // takes Qt's own options out of the arguments
    QGuiApplication::setDesktopFileName(kProgramName);
    // From here a stop signal ends the program the way a close that cannot ask does.
    mnm::app::StopSignalWatcher stopSignals;

    mnm::EnsureSettingsKey();
    mnm::WriteSettingDefaults();
    std::vector<std::string> arguments;
    for (const QString& a : QCoreApplication::arguments().mid(1)) arguments.push_back(a.toStdString());
    const mnm::app::CommandLine commandLine = mnm::app::ScanCommandLine(arguments);
    const mnm::ProgramSettings settings = mnm::ReadProgramSettings();
    // The post box outlives the connection, so no post can reach it destroyed.
    mnm::app::WorkerPostBox posts;
    mnm::NodeConnection connection;
    if (!connection.Start(posts.Callback(), mnm::WorkerOptionsFrom(settings))) return -1;

    int result = 0;
    {
        // A signal while the window is set up closes any question it asks at once.
        const QMetaObject::Connection early = QObject::connect(
            &stopSignals, &mnm::app::StopSignalWatcher::StopRequested, [] { mnm::app::NMFrame::DismissOpenDialogs(); });
        mnm::app::FrameOptions options{QString::fromStdString(commandLine.file), commandLine.virtualNode};
        options.stopRequested = [&stopSignals] { return stopSignals.Caught() != 0; };
        mnm::app::NMFrame frame(connection, posts, settings, options);
        QObject::disconnect(early);
        QObject::connect(&stopSignals, &mnm::app::StopSignalWatcher::StopRequested, &frame,
                         &mnm::app::NMFrame::EndWithoutAsking);
        // One that came while the frame was set up (it may have asked something).
        if (stopSignals.Caught() != 0)
            QMetaObject::invokeMethod(&frame, &mnm::app::NMFrame::EndWithoutAsking, Qt::QueuedConnection);
        frame.show();
        result = application.exec();
        if (stopSignals.Caught() != 0) result = stopSignals.ExitStatus();
        // The threads stop before the frame they post to goes.
        connection.Stop();
    }
    return result;
}
