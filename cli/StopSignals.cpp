#include "cli/StopSignals.h"

#include <pthread.h>

#include <ctime>

namespace mnm::cli {

namespace {

constexpr long kWatchStepNs = 50'000'000; // how soon the watcher sees its own end

sigset_t StopSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    // A closed terminal or a dropped remote session stops the work as Ctrl-C
    // does, unless the tool was started to outlive it (nohup ignores it).
    struct sigaction hangUp {};
    if (sigaction(SIGHUP, nullptr, &hangUp) == 0 && hangUp.sa_handler != SIG_IGN) sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

StopSignals::StopSignals(std::function<void()> onSignal)
{
    const sigset_t set = StopSet();
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
    watcher_ = std::jthread([this, set, onSignal = std::move(onSignal)](std::stop_token stop) {
        const timespec step{0, kWatchStepNs};
        while (!stop.stop_requested()) {
            const int signal = sigtimedwait(&set, nullptr, &step);
            if (signal <= 0) continue;
            if (caught_.exchange(signal) == 0 && onSignal) onSignal();
        }
    });
}

StopSignals::~StopSignals()
{
    watcher_.request_stop();
    watcher_.join();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

} // namespace mnm::cli
