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

struct SendOptions {
    std::string port, file;
    bool noCommit = false;
};

int Send(const SendOptions& o)
{
    NodeConf loaded;
    if (!LoadConfigFile(loaded, o.file)) return kExitFailure;
    // What leaves is the editor's store of the file, as when the file is
    // opened and sent from the window.
    NodeConf record;
    if (const Report checked = editor::VerifyRecord(loaded, &record); !checked.ok()) {
        PrintFailure(checked);
        return kExitFailure;
    }
    if (!PortCanBeOpened(o.port)) return kExitFailure;

    NodeSession session(o.port);
    if (!session.WaitForNode()) return session.Interrupted() ? session.InterruptedStatus() : kExitFailure;
    if (session.worker().StartSend(record, kSendDoneId, o.noCommit ? SendCommit::kNever : SendCommit::kAsSetting) !=
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

} // namespace

void AddSendCommand(CommandLine& line)
{
    auto o = std::make_shared<SendOptions>();
    CLI::App* c = line.AddCommand("send", "check a configuration file and send it to a node",
                                  "mnm send --port DEVICE [--no-commit] FILE",
                                  "Checks the configuration FILE as Send to Node does and sends it to the node on\n"
                                  "DEVICE, committing it to the node's flash.");
    c->add_option("--port", o->port, "the node's serial port")->option_text("DEVICE")->required();
    c->add_flag("--no-commit", o->noCommit, "leave the node's flash as it is for this run");
    c->add_option("FILE", o->file, "the configuration file (.mnc)")->required();
    line.OnChosen(c, [o] { return Send(*o); });
}

} // namespace mnm::cli
