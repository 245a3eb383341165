// Putting a configuration on a node as a fleet is programmed: the node's own
// configuration backed up first, then the send, then the read-back check.
// `send` and `provision` both go through here.
#pragma once

#include <functional>
#include <string>

#include "cli/NodeSession.h"

namespace mnm::cli {

struct ProgrammingOptions {
    std::string backupDir; // empty: no backup
    bool verify = false;
    SendCommit commit = SendCommit::kAsSetting;
    // Told each stage as it begins: "backing up", "sending", "verifying".
    std::function<void(const std::string& stage)> onStage;
};

// Refused before any node is touched: a backup folder that is not one, or
// that this user may not write in.
bool BackupFolderUsable(const std::string& dir, std::string& whyNot);

// On a session whose node answers: backs the node's configuration up (a
// failed backup sends nothing), sends `record`, and reads it back to compare
// when asked. `backupPath` takes the backup's path.
StepResult ProgramNode(NodeSession& session, const NodeConf& record, const ProgrammingOptions& options,
                       std::string& backupPath);

} // namespace mnm::cli
