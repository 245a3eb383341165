// mnm info: who the node on a port is and what hardware it has, read with
// the hardware description read the window makes on connection.
#include "cli/Commands.h"

#include <chrono>
#include <cstdio>

#include "cli/NodeInfo.h"
#include "cli/NodeSession.h"

namespace mnm::cli {

namespace {
constexpr const char* kUsage = "mnm info --port DEVICE [--json]";
constexpr auto kIdlePoll = std::chrono::milliseconds(100);
constexpr int kJsonIndent = 2;
} // namespace

int RunInfo(const std::vector<std::string>& args)
{
    std::string port;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::printf("usage: %s\n"
                        "Prints the number, network name, software version and hardware description\n"
                        "(cards, channel groups, named channels) of the node on DEVICE.\n",
                        kUsage);
            return kExitOk;
        }
        if (a == "--json") {
            json = true;
            continue;
        }
        if (a != "--port") return UsageError(a.starts_with("-") ? "unknown option " + a : "unexpected " + a, kUsage);
        if (++i == args.size()) return UsageError(a + " needs a value", kUsage);
        port = args[i];
    }
    if (port.empty()) return UsageError("info needs --port DEVICE", kUsage);
    if (!PortCanBeOpened(port)) return kExitFailure;

    NodeInfo info;
    {
        NodeSession session(port, true);
        if (!session.WaitForNode()) return session.Interrupted() ? session.InterruptedStatus() : kExitFailure;
        Worker& worker = session.worker();
        if (worker.StartNodeDataRead(kNodeDataDoneId) != StartResult::kStarted) {
            PrintFailureText("the node is busy with another transfer");
            return kExitFailure;
        }
        // The read ends by itself, also on a stop signal (which cancels it).
        while (!worker.WaitUntilIdle(kIdlePoll)) {}
        if (session.Interrupted()) return session.InterruptedStatus();
        NodeDataRead read = worker.TakeNodeData();
        if (!read.data) {
            PrintFailureText("the node's hardware description could not be read");
            return kExitFailure;
        }
        info.hardware = *read.data;
        const WorkerSnapshot now = worker.Snapshot();
        if (now.nodeNumber != kUnknownNodeNumber) {
            info.nodeNumber = now.nodeNumber;
            info.networkName = now.networkName;
        }
    }
    if (json)
        std::printf("%s\n", NodeInfoJson(info).dump(kJsonIndent).c_str());
    else
        std::printf("%s", NodeInfoText(info).c_str());
    return kExitOk;
}

} // namespace mnm::cli
