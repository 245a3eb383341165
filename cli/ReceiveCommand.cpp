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
constexpr const char* kUsage = "mnm receive --port DEVICE -o FILE";
}

int RunReceive(const std::vector<std::string>& args)
{
    std::string port, output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::printf("usage: %s\n"
                        "Receives the configuration of the node on DEVICE and writes it to FILE as received.\n"
                        "A received configuration that fails the check is still written, with a warning.\n",
                        kUsage);
            return kExitOk;
        }
        std::string* value = a == "--port" ? &port : a == "-o" ? &output : nullptr;
        if (value == nullptr) return UsageError(a.starts_with("-") ? "unknown option " + a : "unexpected " + a, kUsage);
        if (++i == args.size()) return UsageError(a + " needs a value", kUsage);
        *value = args[i];
    }
    if (port.empty() || output.empty()) return UsageError("receive needs --port DEVICE and -o FILE", kUsage);
    // A receive takes a while: a path it could not write is refused first.
    if (const FileStatus usable = CheckOutputPath(output); usable.fault != FileFault::None) {
        PrintPathFailure(output, usable);
        return kExitFailure;
    }
    if (!PortCanBeOpened(port)) return kExitFailure;

    NodeConf record;
    {
        NodeSession session(port);
        if (!session.WaitForNode()) return session.Interrupted() ? session.InterruptedStatus() : kExitFailure;
        if (session.worker().StartReceive(kReceiveDoneId) != StartResult::kStarted) {
            PrintFailureText("the node is busy with another transfer");
            return kExitFailure;
        }
        session.WaitFor(kReceiveDoneId);
        ReceivedRecord received = session.worker().TakeReceived();
        if (!received.record) {
            PrintTransferFailure(received.outcome);
            return session.Interrupted() ? session.InterruptedStatus() : kExitFailure;
        }
        record = *received.record;
        // Asked to stop after the last request: nothing is written all the same.
        if (session.Interrupted()) return session.InterruptedStatus();
    }
    if (const Report checked = editor::VerifyRecord(record); !checked.ok())
        std::fprintf(stderr, "mnm: warning: %s\n", Cp1252ToUtf8(MessageOf(checked)).c_str());
    if (const FileStatus saved = SaveWhole(record, output); saved.fault != FileFault::None) {
        PrintPathFailure(output, saved);
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace mnm::cli
