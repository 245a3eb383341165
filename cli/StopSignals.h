// Ctrl-C, SIGTERM and SIGHUP (a closed terminal) during a node session: they
// stop the running transfer through the worker's own cancellation instead of
// killing the process half way through a conversation with the node.
#pragma once

#include <signal.h>

#include <atomic>
#include <functional>
#include <thread>

namespace mnm::cli {

class StopSignals {
public:
    // Blocks SIGINT, SIGTERM and, unless it is ignored, SIGHUP in this thread and in the threads it starts
    // from now on, and calls `onSignal` from a watcher thread when one comes.
    explicit StopSignals(std::function<void()> onSignal);
    // Restores the signal mask; a signal caught stays caught.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal that came (SIGINT, SIGTERM or SIGHUP), 0 none.
    int Caught() const { return caught_.load(); }
    // The shell's status for a process ended by it: 128 + its number.
    int ExitStatus() const { return 128 + caught_.load(); }

private:
    sigset_t previous_;
    std::atomic<int> caught_{0};
    std::jthread watcher_;
};

} // namespace mnm::cli
