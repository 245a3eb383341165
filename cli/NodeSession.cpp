#include "cli/NodeSession.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "cli/Commands.h"
#include "connection/ConnectionOptions.h"
#include "nodeconf/ErrorCatalogue.h"
#include "platform/SerialPort.h"
#include "settings/ProgramSettings.h"
#include "settings/Settings.h"
#include "transfer/ProgressText.h"

namespace mnm::cli {

namespace {
constexpr auto kProgressInterval = std::chrono::milliseconds(200);
constexpr auto kNodeWait = std::chrono::seconds(5);
constexpr auto kNodePoll = std::chrono::milliseconds(20);
}

bool PortCanBeOpened(const std::string& device)
{
    SerialPort port;
    std::string whyNot;
    if (!port.Open(device, &whyNot)) {
        std::fprintf(stderr, "mnm: cannot open %s: %s\n", device.c_str(), whyNot.c_str());
        return false;
    }
    return true;
}

void PrintTransferFailure(const TransferOutcome& outcome) { PrintFailureText(MessageOf(outcome.report)); }

NodeSession::NodeSession(const std::string& device, bool readIdentity)
    : signals_([this] { connection_.worker().CancelTransfer(); }), device_(device)
{
    EnsureSettingsKey();
    WriteSettingDefaults();
    WorkerOptions options = WorkerOptionsFrom(ReadProgramSettings());
    options.identityMonitoring = options.identityMonitoring || readIdentity;
    connection_.SelectPort(device);
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

bool NodeSession::WaitForNode()
{
    const bool show = isatty(STDERR_FILENO) == 1;
    const auto end = std::chrono::steady_clock::now() + kNodeWait;
    bool shown = false;
    while (!worker().IsNodeConnected() && std::chrono::steady_clock::now() < end && !Interrupted()) {
        if (show && !shown) std::fprintf(stderr, "\r%-20s", "waiting for the node");
        shown = true;
        std::this_thread::sleep_for(kNodePoll);
    }
    if (show && shown) std::fprintf(stderr, "\r%-20s\r", "");
    if (Interrupted()) return false; // asked to stop: nothing is started
    if (worker().IsNodeConnected()) return true;
    if (!Interrupted()) std::fprintf(stderr, "mnm: no node answers on %s\n", device_.c_str());
    return false;
}

void NodeSession::WaitFor(int commandId)
{
    const bool show = isatty(STDERR_FILENO) == 1;
    std::string shown;
    while (true) {
        {
            std::unique_lock<std::mutex> lock(lock_);
            if (wake_.wait_for(lock, kProgressInterval, [&] { return posted_.count(commandId) != 0; })) break;
        }
        // Outside the session's lock (the worker's is taken here). A signal
        // that came just before the job started found nothing to cancel:
        // cancelling again reaches it; the job's own post then ends the wait.
        if (Interrupted()) {
            if (!worker().IsBusy()) break;
            worker().CancelTransfer();
        }
        if (!show) continue;
        const std::uint32_t word = worker().Snapshot().progressWord;
        std::string text = ProgressTag(word);
        if (const std::string figure = ProgressFigure(word); !figure.empty()) text += " " + figure;
        if (text != shown) std::fprintf(stderr, "\r%-20s", text.c_str());
        shown = text;
    }
    if (show && !shown.empty()) std::fprintf(stderr, "\r%-20s\r", "");
}

} // namespace mnm::cli
