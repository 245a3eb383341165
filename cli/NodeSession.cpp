#include "cli/NodeSession.h"

#include <unistd.h>

#include <cstdio>

#include "cli/Commands.h"
#include "connection/ConnectionOptions.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/TextEncoding.h"
#include "platform/SerialPort.h"
#include "settings/ProgramSettings.h"
#include "settings/Settings.h"
#include "transfer/ProgressText.h"

namespace mnm::cli {

namespace {
constexpr auto kProgressInterval = std::chrono::milliseconds(200);
constexpr auto kNodeWait = std::chrono::seconds(5);
constexpr auto kNodePoll = std::chrono::milliseconds(20);
constexpr int kProgressWidth = 20;
constexpr const char* kBusyText = "the node is busy with another transfer";

// The one session's progress: on stderr, over itself, when it is a terminal.
ProgressSink TerminalProgress()
{
    if (isatty(STDERR_FILENO) != 1) return {};
    return [](const std::string& text) {
        if (text.empty()) std::fprintf(stderr, "\r%-*s\r", kProgressWidth, "");
        else std::fprintf(stderr, "\r%-*s", kProgressWidth, text.c_str());
    };
}

std::string TransferFailure(const TransferOutcome& outcome) { return Cp1252ToUtf8(MessageOf(outcome.report)); }

} // namespace

bool PortCanBeOpened(const std::string& device, std::string* whyNot)
{
    SerialPort port;
    std::string reason;
    if (port.Open(device, &reason)) return true;
    const std::string text = "cannot open " + device + ": " + reason;
    if (whyNot != nullptr) *whyNot = text;
    else std::fprintf(stderr, "mnm: %s\n", text.c_str());
    return false;
}

int Finish(const StepResult& result)
{
    if (!result.failure.empty()) std::fprintf(stderr, "mnm: %s\n", result.failure.c_str());
    return result.status;
}

WorkerOptions SessionOptions(bool readIdentity)
{
    EnsureSettingsKey();
    WriteSettingDefaults();
    WorkerOptions options = WorkerOptionsFrom(ReadProgramSettings());
    options.identityMonitoring = options.identityMonitoring || readIdentity;
    return options;
}

NodeSession::NodeSession(const std::string& device, bool readIdentity)
    : progress_(TerminalProgress()), device_(device)
{
    ownSignals_.emplace([this] { connection_.worker().CancelTransfer(); });
    stop_ = &*ownSignals_;
    Start(SessionOptions(readIdentity));
}

NodeSession::NodeSession(const std::string& device, const StopSignals& stop, ProgressSink progress,
                         const WorkerOptions& options)
    : stop_(&stop), progress_(std::move(progress)), device_(device)
{
    Start(options);
}

void NodeSession::Start(const WorkerOptions& options)
{
    connection_.SelectPort(device_);
    connection_.Start(
        [this](int id) {
            {
                std::lock_guard<std::mutex> guard(lock_);
                posted_.insert(id);
            }
            wake_.notify_all();
            return true;
        },
        options);
}

NodeSession::~NodeSession() { connection_.Stop(); }

StepResult NodeSession::FailureOr(const std::string& failure) const
{
    // A job a stop signal cancelled says so, and ends with the signal's status.
    return {Interrupted() ? InterruptedStatus() : kExitFailure, failure};
}

bool NodeSession::WaitUntilConnected(bool connected, std::optional<std::chrono::steady_clock::time_point> end)
{
    while (worker().IsNodeConnected() != connected && !Interrupted()) {
        if (end && std::chrono::steady_clock::now() >= *end) return false;
        std::this_thread::sleep_for(kNodePoll);
    }
    return !Interrupted();
}

StepResult NodeSession::WaitForNode()
{
    if (progress_ && !worker().IsNodeConnected()) progress_("waiting for the node");
    const bool found = WaitUntilConnected(true, std::chrono::steady_clock::now() + kNodeWait);
    if (progress_) progress_("");
    if (Interrupted()) return Stopped(); // asked to stop: nothing is started
    if (!found) return {kExitFailure, "no node answers on " + device_};
    return {};
}

void NodeSession::WaitFor(int commandId)
{
    std::string shown;
    while (true) {
        {
            std::unique_lock<std::mutex> lock(lock_);
            if (wake_.wait_for(lock, kProgressInterval, [&] { return posted_.count(commandId) != 0; })) {
                posted_.erase(commandId); // the same job may run again in this session
                break;
            }
        }
        // Outside the session's lock (the worker's is taken here). A signal
        // that came just before the job started found nothing to cancel:
        // cancelling again reaches it; the job's own post then ends the wait.
        if (Interrupted()) {
            if (!worker().IsBusy()) break;
            worker().CancelTransfer();
        }
        if (!progress_) continue;
        const std::uint32_t word = worker().Snapshot().progressWord;
        std::string text = ProgressTag(word);
        if (const std::string figure = ProgressFigure(word); !figure.empty()) text += " " + figure;
        if (text != shown) progress_(text);
        shown = text;
    }
    if (progress_ && !shown.empty()) progress_("");
}

StepResult NodeSession::Receive(NodeConf& record)
{
    if (worker().StartReceive(kReceiveDoneId) != StartResult::kStarted) return FailureOr(kBusyText);
    WaitFor(kReceiveDoneId);
    ReceivedRecord received = worker().TakeReceived();
    if (!received.record) return FailureOr(TransferFailure(received.outcome));
    // Asked to stop after the last request: the record is not used all the same.
    if (Interrupted()) return Stopped();
    record = *received.record;
    return {};
}

StepResult NodeSession::Send(const NodeConf& record, SendCommit commit)
{
    if (worker().StartSend(record, kSendDoneId, commit) != StartResult::kStarted) return FailureOr(kBusyText);
    WaitFor(kSendDoneId);
    if (const TransferOutcome sent = worker().SendOutcome(); !sent.Succeeded())
        return FailureOr(TransferFailure(sent));
    if (Interrupted()) return Stopped();
    return {};
}

} // namespace mnm::cli
