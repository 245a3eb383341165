// The commands of the `mnm` tool. Each takes the arguments after its name and
// returns the process exit status.
#pragma once

#include <string>
#include <vector>

#include "nodeconf/RegularFile.h"
#include "nodeconf/Report.h"

namespace mnm::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

int RunDump(const std::vector<std::string>& args);
int RunVerify(const std::vector<std::string>& args);
int RunBuild(const std::vector<std::string>& args);
int RunReceive(const std::vector<std::string>& args);
int RunSend(const std::vector<std::string>& args);
int RunNodeSim(const std::vector<std::string>& args);
int RunInfo(const std::vector<std::string>& args);

// "mnm: MESSAGE" on stderr for a failure, in UTF-8.
void PrintFailure(const Report& report);
void PrintFailureText(const std::string& cp1252Message);
// "mnm: PATH: reason" for a path a command cannot read or write.
void PrintPathFailure(const std::string& path, const FileStatus& status);
// A usage error: the message and the command's usage line, exit status 2.
int UsageError(const std::string& message, const char* usage);

} // namespace mnm::cli
