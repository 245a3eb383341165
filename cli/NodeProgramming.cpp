#include "cli/NodeProgramming.h"

#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "cli/Commands.h"
#include "fleet/BackupFile.h"
#include "nodeconf/RegularFile.h"
#include "records/RecordDiff.h"
#include "transfer/RecordAsSent.h"

namespace mnm::cli {

bool BackupFolderUsable(const std::string& dir, std::string& whyNot)
{
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error)) {
        whyNot = "backup folder " + dir + ": " + (std::filesystem::exists(dir, error) ? "not a folder" : "no such folder");
        return false;
    }
    // Found now rather than at each node, after it has been read for nothing.
    if (::access(dir.c_str(), W_OK | X_OK) != 0) {
        whyNot = "backup folder " + dir + ": " + FileFaultText(SystemFileFault(FileFault::CannotOpen, errno));
        return false;
    }
    return true;
}

StepResult ProgramNode(NodeSession& session, const NodeConf& record, const ProgrammingOptions& options,
                       std::string& backupPath)
{
    const auto stage = [&](const char* name) {
        if (options.onStage) options.onStage(name);
    };
    if (!options.backupDir.empty()) {
        stage("backing up");
        NodeConf old;
        if (StepResult read = session.Receive(old); !read.ok()) {
            if (!read.failure.empty())
                read.failure = "the node's configuration could not be backed up, nothing was sent: " + read.failure;
            return read;
        }
        std::string error;
        if (!WriteBackup(options.backupDir, old, std::time(nullptr), backupPath, error))
            return {kExitFailure, error + "; nothing was sent"};
    }
    stage("sending");
    if (StepResult sent = session.Send(record, options.commit); !sent.ok()) return sent;
    if (!options.verify) return {};
    stage("verifying");

    NodeConf back;
    if (StepResult read = session.Receive(back); !read.ok()) {
        if (!read.failure.empty()) read.failure = "sent, but it could not be read back: " + read.failure;
        return read;
    }
    // The send writes some things its own way; a node without a highway
    // reads back as one.
    const NodeConf expected = RecordAsSent(record, !HoldsNoHighway(back));
    if (const std::vector<FieldDifference> diffs = DiffRecords(expected, back); !diffs.empty())
        return {kExitFailure, "the node holds another configuration than was sent: " + DifferenceText(diffs.front())};
    return {};
}

} // namespace mnm::cli
