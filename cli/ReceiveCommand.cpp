// mnm receive: the configuration of a node, read with the receive sequence
// through the worker, written to a file only once it is complete.
#include "cli/Commands.h"

#include <cstdio>

#include "cli/NodeSession.h"
#include "nodeconf/WholeFile.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/TextEncoding.h"

namespace mnm::cli {

namespace {

int Receive(const std::string& port, const std::string& output)
{
    // A receive takes a while: a path it could not write is refused first.
    if (const FileStatus usable = CheckOutputPath(output); usable.fault != FileFault::None) {
        PrintPathFailure(output, usable);
        return kExitFailure;
    }
    if (!PortCanBeOpened(port)) return kExitFailure;

    NodeConf record;
    {
        NodeSession session(port);
        if (StepResult waited = session.WaitForNode(); !waited.ok()) return Finish(waited);
        if (StepResult received = session.Receive(record); !received.ok()) return Finish(received);
    }
    if (const Report checked = editor::VerifyRecord(record); !checked.ok())
        std::fprintf(stderr, "mnm: warning: %s\n", Cp1252ToUtf8(MessageOf(checked)).c_str());
    if (const FileStatus saved = SaveWhole(record, output); saved.fault != FileFault::None) {
        PrintPathFailure(output, saved);
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

void AddReceiveCommand(CommandLine& line)
{
    auto paths = std::make_shared<std::pair<std::string, std::string>>();
    CLI::App* c = line.AddCommand(
        "receive", "receive the configuration of a node into a file", "mnm receive --port DEVICE -o FILE",
        "Receives the configuration of the node on DEVICE and writes it to FILE as received.\n"
        "A received configuration that fails the check is still written, with a warning.");
    c->add_option("--port", paths->first, "the node's serial port")->option_text("DEVICE")->required();
    c->add_option("-o", paths->second, "the configuration file to write")->option_text("FILE")->required();
    line.OnChosen(c, [paths] { return Receive(paths->first, paths->second); });
}

} // namespace mnm::cli
