// Runs the built `mnm` program and captures what it prints.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

ToolResult RunTool(const std::vector<std::string>& args);

// The whole content of a file (empty when it cannot be read).
std::string ReadWholeFile(const std::string& path);

// A fresh temporary folder for one test.
std::string TempDir();

// Starts `mnm node-sim args...` with stderr to `errFile`; `out` reads its
// stdout. -1 when it cannot be started.
pid_t SpawnNodeSim(const std::vector<std::string>& args, const std::string& errFile, int& out);
// One line from `fd`, without its line break.
std::string ReadLine(int fd);
