// mnm send: a configuration file checked as Send to Node checks it, then
// sent with the send sequence through the worker.
#include "cli/Commands.h"

#include <cstdio>

#include "cli/InputFiles.h"
#include "cli/NodeSession.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ConfigFile.h"

namespace mnm::cli {

namespace {
constexpr const char* kUsage = "mnm send --port DEVICE [--no-commit] FILE";
}

int RunSend(const std::vector<std::string>& args)
{
    std::string port, input;
    bool noCommit = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::printf("usage: %s\n"
                        "Checks the configuration FILE as Send to Node does and sends it to the node on\n"
                        "DEVICE, committing it to the node's flash.\n"
                        "  --no-commit  leave the node's flash as it is for this run\n",
                        kUsage);
            return kExitOk;
        }
        if (a == "--no-commit") {
            noCommit = true;
        } else if (a == "--port") {
            if (++i == args.size()) return UsageError("--port needs a DEVICE", kUsage);
            port = args[i];
        } else if (a.starts_with("-") && a != "-") {
            return UsageError("unknown option " + a, kUsage);
        } else if (input.empty()) {
            input = a;
        } else {
            return UsageError("send takes one FILE", kUsage);
        }
    }
    if (port.empty() || input.empty()) return UsageError("send needs --port DEVICE and FILE", kUsage);

    NodeConf loaded;
    if (!LoadConfigFile(loaded, input)) return kExitFailure;
    // What leaves is the editor's store of the file, as when the file is
    // opened and sent from the window.
    NodeConf record;
    if (const Report checked = editor::VerifyRecord(loaded, &record); !checked.ok()) {
        PrintFailure(checked);
        return kExitFailure;
    }
    if (!PortCanBeOpened(port)) return kExitFailure;

    NodeSession session(port);
    if (!session.WaitForNode()) return session.Interrupted() ? session.InterruptedStatus() : kExitFailure;
    if (session.worker().StartSend(record, kSendDoneId, noCommit ? SendCommit::kNever : SendCommit::kAsSetting) !=
        StartResult::kStarted) {
        PrintFailureText("the node is busy with another transfer");
        return kExitFailure;
    }
    session.WaitFor(kSendDoneId);
    if (const TransferOutcome sent = session.worker().SendOutcome(); !sent.Succeeded()) {
        PrintTransferFailure(sent);
        return session.Interrupted() ? session.InterruptedStatus() : kExitFailure;
    }
    if (session.Interrupted()) return session.InterruptedStatus();
    return kExitOk;
}

} // namespace mnm::cli
