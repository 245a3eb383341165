// The commands of the `mnm` tool and the messages they share.
#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "nodeconf/RegularFile.h"
#include "nodeconf/Report.h"

namespace mnm::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Each adds its command to the tool's command line.
void AddDumpCommand(CommandLine& line);
void AddVerifyCommand(CommandLine& line);
void AddBuildCommand(CommandLine& line);
void AddReceiveCommand(CommandLine& line);
void AddSendCommand(CommandLine& line);
void AddInfoCommand(CommandLine& line);
void AddNodeSimCommand(CommandLine& line);
void AddDiffCommand(CommandLine& line);
void AddCheckNetworkCommand(CommandLine& line);
void AddProvisionCommand(CommandLine& line);

// "mnm: MESSAGE" on stderr for a failure, in UTF-8.
void PrintFailure(const Report& report);
void PrintFailureText(const std::string& cp1252Message);
// "mnm: PATH: reason" for a path a command cannot read or write.
void PrintPathFailure(const std::string& path, const FileStatus& status);

} // namespace mnm::cli
