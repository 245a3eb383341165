// mnm send: a configuration file checked as Send to Node checks it, then
// sent with the send sequence through the worker.
#include "cli/Commands.h"

#include <cstdio>

#include "cli/InputFiles.h"
#include "cli/NodeProgramming.h"
#include "cli/NodeSession.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ConfigFile.h"

namespace mnm::cli {

namespace {

struct SendOptions {
    std::string port, file;
    bool noCommit = false;
    std::string backupDir;
    bool verify = false;
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
    if (std::string whyNot; !o.backupDir.empty() && !BackupFolderUsable(o.backupDir, whyNot))
        return Finish({kExitFailure, whyNot});
    if (!PortCanBeOpened(o.port)) return kExitFailure;

    NodeSession session(o.port);
    if (StepResult waited = session.WaitForNode(); !waited.ok()) return Finish(waited);
    const ProgrammingOptions how{o.backupDir, o.verify, o.noCommit ? SendCommit::kNever : SendCommit::kAsSetting, {}};
    std::string backupPath;
    const StepResult done = ProgramNode(session, record, how, backupPath);
    if (!backupPath.empty()) std::printf("backed up to %s\n", backupPath.c_str());
    if (!done.ok()) return Finish(done);
    if (o.verify) std::printf("sent and verified\n");
    return kExitOk;
}

} // namespace

void AddSendCommand(CommandLine& line)
{
    auto o = std::make_shared<SendOptions>();
    CLI::App* c = line.AddCommand(
        "send", "check a configuration file and send it to a node",
        "mnm send --port DEVICE [--no-commit] [--backup-dir DIR] [--verify] FILE",
        "Checks the configuration FILE as Send to Node does and sends it to the node on\n"
        "DEVICE, committing it to the node's flash. --backup-dir first reads the node's\n"
        "configuration into DIR/NETWORK-NODE-YYYYmmddTHHMMSS.mnc and sends nothing when that\n"
        "fails; --verify reads the configuration back afterwards and fails on the first\n"
        "difference from what was sent.");
    c->add_option("--port", o->port, "the node's serial port")->option_text("DEVICE")->required();
    c->add_flag("--no-commit", o->noCommit, "leave the node's flash as it is for this run");
    c->add_option("--backup-dir", o->backupDir, "back the node's configuration up into DIR first")->option_text("DIR");
    c->add_flag("--verify", o->verify, "read the configuration back and compare it with what was sent");
    c->add_option("FILE", o->file, "the configuration file (.mnc)")->required();
    line.OnChosen(c, [o] { return Send(*o); });
}

} // namespace mnm::cli
