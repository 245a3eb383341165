// `mnm send` and `mnm receive` as separate processes, against `mnm node-sim`
// and against a virtual node of this test program (whose flash can be seen).
#include <gtest/gtest.h>

#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "editor/model/Transfer.h"
#include "wire/NodeCodes.h"
#include "nodeconf/ConfigFile.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"
#include "tests/cli/RunTool.h"

namespace mnm {
namespace {

std::string FileBytes(const NodeConf& conf)
{
    std::stringstream out(std::ios::in | std::ios::out | std::ios::binary);
    EXPECT_EQ(SaveToFile(conf, out), 0);
    return out.str();
}

using TransferCommands = NodeToolTest;

TEST_F(TransferCommands, FileSentToNodeSimComesBackIdentical)
{
    const NodeConf edited = EditedConfiguration();
    NodeConf stored;
    ASSERT_EQ(editor::VerifyRecord(edited, &stored).code, 0);
    ASSERT_EQ(FileBytes(stored), FileBytes(edited)) << "the sample must be what the editor stores";
    ASSERT_EQ(SaveToPath(edited, Path("sent.mnc")), 0);

    int out = -1;
    const pid_t sim = SpawnTool({"node-sim"}, Path("requests.log"), &out);
    ASSERT_GT(sim, 0);
    const std::string device = ReadLine(out);
    ASSERT_TRUE(device.starts_with("/dev/")) << device;

    const ToolResult send = RunTool({"send", "--port", device, Path("sent.mnc")});
    EXPECT_EQ(send.status, 0) << send.err;
    EXPECT_EQ(send.err, "") << "no progress when stderr is not a terminal";
    const ToolResult receive = RunTool({"receive", "--port", device, "-o", Path("back.mnc")});
    EXPECT_EQ(receive.status, 0) << receive.err;
    EXPECT_EQ(receive.err, "");
    EXPECT_TRUE(ReadWholeFile(Path("back.mnc")) == ReadWholeFile(Path("sent.mnc"))) << "received file differs from the sent one";
    EXPECT_NE(access(Path("back.mnc.partial").c_str(), F_OK), 0);

    kill(sim, SIGINT);
    int status = -1;
    EXPECT_EQ(waitpid(sim, &status, 0), sim);
    close(out);
}

TEST_F(TransferCommands, SendCommitsToFlashUnlessToldNot)
{
    VirtualNode node;
    ASSERT_TRUE(node.Start());
    const NodeConf before = DefaultNodeConfiguration();
    const NodeConf edited = EditedConfiguration();
    ASSERT_EQ(SaveToPath(edited, Path("c.mnc")), 0);

    const ToolResult trial = RunTool({"send", "--port", node.DevicePath(), "--no-commit", Path("c.mnc")});
    ASSERT_EQ(trial.status, 0) << trial.err;
    node.WithState([&](NodeModel& s) {
        EXPECT_EQ(s.CommitCount(), 0);
        EXPECT_EQ(FileBytes(s.Working()), FileBytes(edited));
        EXPECT_EQ(FileBytes(s.Flash()), FileBytes(before)) << "flash untouched without a commit";
    });

    const ToolResult real = RunTool({"send", "--port", node.DevicePath(), Path("c.mnc")});
    ASSERT_EQ(real.status, 0) << real.err;
    node.WithState([&](NodeModel& s) {
        EXPECT_GT(s.CommitCount(), 0);
        EXPECT_EQ(FileBytes(s.Flash()), FileBytes(edited));
    });
    EXPECT_NE(ReadSetting(kSettingCommitToFlashOnDownload), "0") << "--no-commit must not change the setting";
}

TEST_F(TransferCommands, FailuresSendNothingAndWriteNothing)
{
    VirtualNode node;
    ASSERT_TRUE(node.Start());

    // The check runs before the port is touched.
    NodeConf bad = EditedConfiguration();
    bad.redialAttempts = static_cast<std::int32_t>(absent);
    ASSERT_EQ(SaveToPath(bad, Path("bad.mnc")), 0);
    const ToolResult refused = RunTool({"send", "--port", node.DevicePath(), Path("bad.mnc")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "mnm: There are 2 Dialup Connections, but the number of Redial Attempts is empty\n");
    EXPECT_TRUE(node.Commands().empty());

    // A received configuration that fails the check is written all the same.
    node.WithState([&](NodeModel& s) { s.SetConfig(bad); });
    const ToolResult warned = RunTool({"receive", "--port", node.DevicePath(), "-o", Path("warned.mnc")});
    EXPECT_EQ(warned.status, 0) << warned.err;
    EXPECT_EQ(warned.err, "mnm: warning: There are 2 Dialup Connections, but the number of Redial Attempts is empty\n");
    EXPECT_EQ(ReadWholeFile(Path("warned.mnc")), FileBytes(bad));

    // A reading that fails part-way leaves an existing file as it was.
    std::ofstream(Path("keep.mnc")) << "old";
    node.InjectFault({kTypeQuery, query::kNodeNumber}, {Fault::kWrongLength});
    const ToolResult lost = RunTool({"receive", "--port", node.DevicePath(), "-o", Path("keep.mnc")});
    EXPECT_EQ(lost.status, 1);
    EXPECT_EQ(lost.err, "mnm: Unable to upload Node Number\n");
    EXPECT_TRUE(ReadWholeFile(Path("keep.mnc")) == "old");
    EXPECT_NE(access(Path("keep.mnc.partial").c_str(), F_OK), 0);

    const ToolResult noPort = RunTool({"receive", "--port", Path("no-such-tty"), "-o", Path("x.mnc")});
    EXPECT_EQ(noPort.status, 1);
    EXPECT_NE(noPort.err.find("cannot open"), std::string::npos) << noPort.err;
    EXPECT_NE(access(Path("x.mnc").c_str(), F_OK), 0);

    EXPECT_EQ(RunTool({"receive", "--port", node.DevicePath()}).status, 2);
    EXPECT_EQ(RunTool({"send", "--port", node.DevicePath()}).status, 2);
    EXPECT_EQ(RunTool({"send", "--commit", Path("bad.mnc")}).status, 2);
}

TEST_F(TransferCommands, PortsWithoutANodeEndWithOneLine)
{
    ASSERT_EQ(SaveToPath(EditedConfiguration(), Path("c.mnc")), 0);
    std::ofstream(Path("plain")) << "a file, not a line";

    // A device or file that is no terminal is refused before anything waits.
    for (const std::string& port : {std::string("/dev/null"), Path("plain")}) {
        for (const ToolResult& r : {RunTool({"receive", "--port", port, "-o", Path("x.mnc")}),
                                    RunTool({"send", "--port", port, Path("c.mnc")})}) {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, "mnm: cannot open " + port + ": not a terminal\n");
            EXPECT_LT(r.milliseconds, 1000);
        }
    }

    // A terminal on which nothing answers: the presence wait of five seconds,
    // not a job's whole retry budget.
    int master = -1, slave = -1;
    char name[128] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    close(slave);
    const std::string device = name;
    for (const ToolResult& r : {RunTool({"receive", "--port", device, "-o", Path("x.mnc")}),
                                RunTool({"send", "--port", device, Path("c.mnc")})}) {
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "mnm: no node answers on " + device + "\n");
        EXPECT_LT(r.milliseconds, 8000);
    }
    close(master);
    EXPECT_NE(access(Path("x.mnc").c_str(), F_OK), 0);
}

} // namespace
} // namespace mnm
