// SIGTERM, SIGINT and SIGHUP for the desktop program: instead of ending the
// process where it stands (a transfer half done, the node's task scheduler
// raised, the settings unwritten, an unsaved configuration lost), each
// arrives as a signal on the interface thread, where the frame ends the way
// a close that cannot ask would.
#pragma once

#include <QObject>

#include <csignal>

class QSocketNotifier;

namespace mnm::app {

class StopSignalWatcher : public QObject {
    Q_OBJECT
public:
    // Takes the three signals for this process (leaving any that were
    // ignored at start ignored); one watcher at a time.
    explicit StopSignalWatcher(QObject* parent = nullptr);
    // Gives the signals back to what handled them before.
    ~StopSignalWatcher() override;
    StopSignalWatcher(const StopSignalWatcher&) = delete;
    StopSignalWatcher& operator=(const StopSignalWatcher&) = delete;

    // The first signal that came (0 none), and the status a process ended by
    // it reports: 128 + its number. A signal that came before anyone listened
    // to StopRequested is found here.
    int Caught() const { return caught_; }
    int ExitStatus() const { return 128 + caught_; }

signals:
    // Once, for the first signal; later ones are taken and forgotten.
    void StopRequested(int signal);

private:
    void Drain();

    int caught_ = 0;
#ifndef _WIN32
    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previous_[3] = {};
#endif
};

} // namespace mnm::app
