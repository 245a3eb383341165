// Help, usage errors and the version: one style for every command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/RunTool.h"

namespace {

TEST(CommandLine, UsageErrorsSayWhatAndShowTheCommandsUsage)
{
    const std::vector<std::vector<std::string>> wrong = {
        {"dump"}, {"dump", "--xml", "a.mnc"}, {"dump", "a.mnc", "b.mnc"}, {"build", "a.json"},
        {"send", "--port"}, {"send", "--commit", "a.mnc"}, {"receive", "-o", "x.mnc"}, {"info"},
        {"node-sim", "--speed"}, {"verify"},
        {"provision", "--template", "t.mnc", "--table", "t.csv", "--port", "/dev/null", "--port", "/dev/../dev/null"},
    };
    for (const std::vector<std::string>& args : wrong) {
        const ToolResult r = RunTool(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.err.rfind("mnm: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nusage: mnm " + args[0] + " "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("'mnm help " + args[0] + "' shows more."), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(RunTool(wrong.back()).err.rfind("mnm: --port: /dev/../dev/null is given twice\n", 0), 0u);
    const ToolResult unknown = RunTool({"frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err.rfind("mnm: unknown command 'frobnicate'\nusage: mnm COMMAND", 0), 0u) << unknown.err;
    const ToolResult bare = RunTool({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_NE(bare.err.find("commands:"), std::string::npos);
}

TEST(CommandLine, HelpAndVersion)
{
    const ToolResult list = RunTool({"help"});
    EXPECT_EQ(list.status, 0);
    for (const char* command : {"dump", "verify", "build", "receive", "send", "info", "node-sim", "help"})
        EXPECT_NE(list.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;

    // `mnm help COMMAND` and `mnm COMMAND --help` say the same.
    const ToolResult help = RunTool({"help", "send"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: mnm send --port DEVICE", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--port DEVICE"), std::string::npos);
    EXPECT_EQ(RunTool({"send", "--help"}).out, help.out);
    EXPECT_EQ(RunTool({"help", "nothing"}).status, 2);

    const ToolResult version = RunTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string(MNM_VERSION_TEXT) + "\n");
}

} // namespace
