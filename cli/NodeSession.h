// The node side of the commands that talk to a node: the real link thread
// and worker on one port, waits for the node and for a job's notification,
// and the receive and send steps every such command is made of.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "cli/StopSignals.h"
#include "connection/NodeConnection.h"

namespace mnm::cli {

// The command ids the commands give their jobs.
inline constexpr int kSendDoneId = 8504;
inline constexpr int kReceiveDoneId = 8503;
inline constexpr int kNodeDataDoneId = 8505;

// False, after printing why, when DEVICE cannot be opened for reading and
// writing; the link would otherwise retry it silently until the node's
// replies time out. `whyNot` (when given) takes the reason instead of stderr.
bool PortCanBeOpened(const std::string& device, std::string* whyNot = nullptr);

// How a step with the node ended: the exit status, and the failure's text
// (UTF-8) when it failed for a reason to tell; empty when it succeeded or a
// stop signal ended it.
struct StepResult {
    int status = 0;
    std::string failure;
    bool ok() const { return status == 0; }
};

// Prints the failure, if any, as "mnm: TEXT" and gives the step's status.
int Finish(const StepResult& result);

// The worker's options from the settings (written with their defaults
// first when missing). `readIdentity`: the node's number and network name
// are read on every pass whatever "MonitorConnectedNodeIdentity" says.
// Settings are read on one thread only, before sessions run on others.
WorkerOptions SessionOptions(bool readIdentity);

// Where a session shows what it is doing: the progress word and waits.
// Empty text: the line is cleared.
using ProgressSink = std::function<void(const std::string& text)>;

// The session also takes Ctrl-C and SIGTERM: the running transfer stops
// (the node's task scheduler put back), and the command then ends with the
// signal's status without writing anything.
class NodeSession {
public:
    // One session in the process, with stop signals of its own and the
    // settings' options; progress goes to stderr when it is a terminal.
    explicit NodeSession(const std::string& device, bool readIdentity = false);
    // One of several sessions under stop signals the command owns (created
    // before the thread that makes this session); a signal cancels this
    // session's job within a progress interval.
    NodeSession(const std::string& device, const StopSignals& stop, ProgressSink progress,
                const WorkerOptions& options);
    ~NodeSession();
    NodeSession(const NodeSession&) = delete;
    NodeSession& operator=(const NodeSession&) = delete;

    Worker& worker() { return connection_.worker(); }

    // Waits, up to a few seconds, until the worker's presence poll finds the
    // node, as an operator waits for it before sending or receiving; a job
    // started before the port is even open would fail for nothing. Fails
    // with "no node answers on DEVICE" when none answered, and without a
    // text when a stop signal came meanwhile.
    StepResult WaitForNode();
    // Waits until the worker posts `commandId`, showing the progress word.
    void WaitFor(int commandId);

    // The node's configuration, read with the receive sequence.
    StepResult Receive(NodeConf& record);
    // Sends `record` with the send sequence.
    StepResult Send(const NodeConf& record, SendCommit commit);

    // The stop signal that came during the session (0 none), and the status
    // the command exits with for it.
    int Interrupted() const { return stop_->Caught(); }
    int InterruptedStatus() const { return stop_->ExitStatus(); }

private:
    void Start(const WorkerOptions& options);
    bool WaitUntilConnected(bool connected, std::optional<std::chrono::steady_clock::time_point> end);
    StepResult Stopped() const { return {InterruptedStatus(), ""}; }
    StepResult FailureOr(const std::string& failure) const;

    NodeConnection connection_; // its threads start after the signals are blocked
    std::optional<StopSignals> ownSignals_;
    const StopSignals* stop_ = nullptr;
    ProgressSink progress_;
    std::string device_;
    std::mutex lock_; // guards posted_
    std::condition_variable wake_;
    std::set<int> posted_;
};

} // namespace mnm::cli
