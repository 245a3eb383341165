// The node side of `mnm receive` and `mnm send`: the real link thread and
// worker on one port, and a wait for a job's notification.
#pragma once

#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "cli/StopSignals.h"
#include "connection/NodeConnection.h"

namespace mnm::cli {

// The command ids the two commands give their jobs.
inline constexpr int kSendDoneId = 8504;
inline constexpr int kReceiveDoneId = 8503;
inline constexpr int kNodeDataDoneId = 8505;

// False, after printing why, when DEVICE cannot be opened for reading and
// writing; the link would otherwise retry it silently until the node's
// replies time out.
bool PortCanBeOpened(const std::string& device);

// "mnm: MESSAGE" for a failed send or receive: a failure always has its text.
void PrintTransferFailure(const TransferOutcome& outcome);

// The session also takes Ctrl-C and SIGTERM: the running transfer stops
// (the node's task scheduler put back), and the command then ends with
// ExitStatus() without writing anything.
class NodeSession {
public:
    // `readIdentity`: the node's number and network name are read on every
    // pass whatever "MonitorConnectedNodeIdentity" says.
    explicit NodeSession(const std::string& device, bool readIdentity = false);
    ~NodeSession();
    NodeSession(const NodeSession&) = delete;
    NodeSession& operator=(const NodeSession&) = delete;

    Worker& worker() { return connection_.worker(); }

    // Waits, up to a few seconds, until the worker's presence poll finds the
    // node, as an operator waits for it before sending or receiving; a job
    // started before the port is even open would fail for nothing. False,
    // after printing "no node answers on DEVICE", when none answered: a job
    // would only run out its whole retry budget. False without a word when
    // a stop signal came meanwhile.
    bool WaitForNode();
    // Waits until the worker posts `commandId`, showing the progress word on
    // stderr meanwhile when stderr is a terminal.
    void WaitFor(int commandId);

    // The stop signal that came during the session (0 none), and the status
    // the command exits with for it.
    int Interrupted() const { return signals_.Caught(); }
    int InterruptedStatus() const { return signals_.ExitStatus(); }

private:
    NodeConnection connection_; // its threads start after the signals are blocked
    StopSignals signals_;
    std::string device_;
    std::mutex lock_; // guards posted_
    std::condition_variable wake_;
    std::set<int> posted_;
};

} // namespace mnm::cli
