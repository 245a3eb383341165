// Runs the built `mnm` program and captures what it prints.
#pragma once

#include <sys/types.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
    long milliseconds = 0; // from start to exit
};

// `unprivileged`: run as the user nobody when the test runs as root, so that
// file permissions hold for the tool (root reads a file of mode 000).
ToolResult RunTool(const std::vector<std::string>& args, bool unprivileged = false);

// False when the tool cannot be run unprivileged here.
bool CanRunUnprivileged();

// The whole content of a file (empty when it cannot be read).
std::string ReadWholeFile(const std::string& path);

// A fresh temporary folder for one test.
std::string TempDir();

// Starts `mnm args...` with stderr to `errFile`; when `out` is given it reads
// the tool's stdout. -1 when it cannot be started.
pid_t SpawnTool(const std::vector<std::string>& args, const std::string& errFile, int* out = nullptr);

// A private settings store in `dir` holding the defaults, shared with the
// `mnm` processes started afterwards.
void UsePrivateSettings(const std::string& dir);
// One line from `fd`, without its line break.
std::string ReadLine(int fd);

// A test of commands that talk to nodes: a fresh folder, and a private
// settings store shared with the `mnm` processes, with replies expected
// sooner than from a real line.
class NodeToolTest : public ::testing::Test {
protected:
    void SetUp() override;
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    std::string dir_;
};
