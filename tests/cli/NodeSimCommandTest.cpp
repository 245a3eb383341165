// `mnm node-sim` as a separate process, talked to by the real link and
// worker of this test program.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "connection/NodeConnection.h"
#include "tests/Eventually.h"
#include "tests/cli/RunTool.h"

namespace mnm {
namespace {

TEST(NodeSimCommand, WorkerOnItsTerminalSeesTheNodeAndItsHardware)
{
    const std::string dir = TempDir();
    UsePrivateSettings(dir);
    const std::string linkPath = dir + "/node";
    int out = -1;
    const pid_t pid = SpawnTool({"node-sim", "--link", linkPath, "--version", "2.07.0001"}, dir + "/requests.log", &out);
    ASSERT_GT(pid, 0);
    const std::string device = ReadLine(out);
    ASSERT_TRUE(device.starts_with("/dev/")) << device;
    char target[256] = {};
    ASSERT_GT(readlink(linkPath.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), device);

    NodeConnection connection;
    connection.SelectPort(linkPath);
    WorkerOptions options{{ChecksForMilliseconds(800), ChecksForMilliseconds(1500)}, true, false};
    ASSERT_TRUE(connection.Start([](int) { return true; }, options));
    Worker& worker = connection.worker();
    EXPECT_TRUE(Eventually([&] { return worker.IsNodeConnected(); }));
    EXPECT_GE(worker.Snapshot().nodeNumber, 0);
    EXPECT_NE(worker.Snapshot().networkName, "");

    ASSERT_EQ(worker.StartNodeDataRead(8505), StartResult::kStarted);
    EXPECT_TRUE(worker.WaitUntilIdle(std::chrono::seconds(30)));
    const NodeDataRead read = worker.TakeNodeData();
    ASSERT_TRUE(read.data);
    EXPECT_STREQ(read.data->firmwareVersion, "2.07.0001");
    EXPECT_EQ(read.data->cardNameCount, 2);
    connection.Stop();

    kill(pid, SIGINT);
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_NE(access(linkPath.c_str(), F_OK), 0) << "the link is removed at exit";
    std::ifstream log(dir + "/requests.log");
    std::stringstream text;
    text << log.rdbuf();
    EXPECT_NE(text.str().find("query 88"), std::string::npos);
    close(out);
}

TEST(NodeSimCommand, RefusesBadOptionsAndAMissingConfiguration)
{
    EXPECT_EQ(RunTool({"node-sim", "--speed"}).status, 2);
    EXPECT_EQ(RunTool({"node-sim", "--config"}).status, 2);
    const ToolResult missing = RunTool({"node-sim", "--config", TempDir() + "/none.mnc"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.empty());
}

} // namespace
} // namespace mnm
