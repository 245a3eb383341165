#include "app/StopSignalWatcher.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <cerrno>
#endif

namespace mnm::app {

#ifndef _WIN32
namespace {

constexpr int kWatched[] = {SIGTERM, SIGINT, SIGHUP};
// The handler may run on any thread and may only write to a pipe: this is
// the one place it can find the pipe.
volatile std::sig_atomic_t gWriteEnd = -1;

void OnSignal(int signal)
{
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(gWriteEnd, &number, 1);
    errno = saved;
}

} // namespace

StopSignalWatcher::StopSignalWatcher(QObject* parent) : QObject(parent)
{
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
    gWriteEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopSignalWatcher::Drain);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the link's and the worker's calls go on undisturbed
    for (int i = 0; i < 3; ++i) {
        sigaction(kWatched[i], nullptr, &previous_[i]);
        // A signal ignored when the program started (nohup, a background
        // job) stays ignored.
        if (previous_[i].sa_handler != SIG_IGN) sigaction(kWatched[i], &action, nullptr);
    }
}

StopSignalWatcher::~StopSignalWatcher()
{
    if (pipe_[0] < 0) return;
    for (int i = 0; i < 3; ++i) sigaction(kWatched[i], &previous_[i], nullptr);
    gWriteEnd = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void StopSignalWatcher::Drain()
{
    unsigned char number = 0;
    int first = 0;
    while (::read(pipe_[0], &number, 1) == 1)
        if (first == 0) first = number;
    if (first == 0 || caught_ != 0) return;
    caught_ = first;
    // Nobody may listen yet (a question while the window is set up): the
    // program asks Caught() once it does.
    emit StopRequested(first);
}

#else

// Windows ends a program with window messages, not signals: nothing to watch.
StopSignalWatcher::StopSignalWatcher(QObject* parent) : QObject(parent) {}
StopSignalWatcher::~StopSignalWatcher() = default;
void StopSignalWatcher::Drain() {}

#endif

} // namespace mnm::app
