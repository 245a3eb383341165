// mnm info: who the node on a port is and what hardware it has, read with
// the hardware description read the window makes on connection.
#include "cli/Commands.h"

#include <chrono>
#include <cstdio>

#include "cli/NodeInfo.h"
#include "cli/NodeSession.h"

namespace mnm::cli {

namespace {
constexpr auto kIdlePoll = std::chrono::milliseconds(100);
constexpr int kJsonIndent = 2;

int Info(const std::string& port, bool json)
{
    if (!PortCanBeOpened(port)) return kExitFailure;

    NodeInfo info;
    {
        NodeSession session(port, true);
        if (StepResult waited = session.WaitForNode(); !waited.ok()) return Finish(waited);
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

} // namespace

void AddInfoCommand(CommandLine& line)
{
    struct Options {
        std::string port;
        bool json = false;
    };
    auto o = std::make_shared<Options>();
    CLI::App* c = line.AddCommand("info", "print a node's number, name, software and hardware (--json for JSON)",
                                  "mnm info --port DEVICE [--json]",
                                  "Prints the number, network name, software version and hardware description\n"
                                  "(cards, channel groups, named channels) of the node on DEVICE.");
    c->add_option("--port", o->port, "the node's serial port")->option_text("DEVICE")->required();
    c->add_flag("--json", o->json, "print it as one JSON object");
    line.OnChosen(c, [o] { return Info(o->port, o->json); });
}

} // namespace mnm::cli
