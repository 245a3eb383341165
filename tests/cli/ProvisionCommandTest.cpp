// `mnm provision` against three virtual nodes of this test program: the whole
// run, a run resumed from its journal, a bad table, a port that goes away and
// Ctrl-C in the middle of three sends.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <thread>

#include "nodeconf/ConfigFile.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"
#include "tests/cli/RunTool.h"
#include "wire/NodeCodes.h"

namespace mnm {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(90);

int CountOf(const std::string& text, const std::string& word)
{
    int n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

class Provision : public NodeToolTest {
protected:
    void SetUp() override
    {
        NodeToolTest::SetUp();
        for (auto& node : nodes_) {
            node = std::make_unique<VirtualNode>();
            ASSERT_TRUE(node->Start());
        }
        ASSERT_EQ(SaveToPath(EditedConfiguration(), Path("template.mnc")), 0);
        Table("nodeNumber,networkName,radioChannel\n21,FIELD,3\n22,FIELD,4\n23,FIELD,5\n");
    }
    void Table(const std::string& text) const { std::ofstream(Path("nodes.csv")) << text; }
    std::vector<std::string> Args(int ports) const
    {
        std::vector<std::string> args{"provision", "--template", Path("template.mnc"), "--table", Path("nodes.csv")};
        for (int i = 0; i < ports; ++i) {
            args.push_back("--port");
            args.push_back(nodes_[i]->DevicePath());
        }
        return args;
    }
    NodeConf Held(int i) const
    {
        NodeConf held{};
        nodes_[i]->WithState([&](NodeModel& s) { held = s.Flash(); });
        return held;
    }
    std::string Journal() const { return ReadWholeFile(Path("nodes.csv.journal")); }
    bool WaitFor(const std::function<bool()>& done) const
    {
        for (const auto end = Clock::now() + kPatience; Clock::now() < end;) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    // The node is in the middle of a transfer: its task scheduler is raised.
    bool SchedulerRaised(int i) const
    {
        return WaitFor([&] {
            int scheduler = 0;
            nodes_[i]->WithState([&](NodeModel& s) { scheduler = s.Scheduler(); });
            return scheduler == 1;
        });
    }
    // The tool's exit status; a tool still running after the patience is
    // killed and the test fails, rather than the suite hanging.
    int Finish(pid_t pid) const
    {
        int status = -1;
        if (!WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            ADD_FAILURE() << "mnm did not end";
            return -1;
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::array<std::unique_ptr<VirtualNode>, 3> nodes_;
};

TEST_F(Provision, ThreeNodesOnThreePortsThenAResumedRunSkipsWhatIsDone)
{
    // One port: the first node is programmed, then the run waits for the next
    // node and is interrupted there.
    int out = -1;
    const pid_t first = SpawnTool(Args(1), Path("err"), &out);
    ASSERT_TRUE(WaitFor([&] { return CountOf(Journal(), ",done,") == 1; })) << ReadWholeFile(Path("err"));
    // Off a terminal the prompts for the operator are lines of their own.
    const std::string port = nodes_[0]->DevicePath();
    ASSERT_TRUE(WaitFor([&] { return ReadWholeFile(Path("err")).ends_with(port + ": done; remove the node\n"); }));
    kill(first, SIGINT);
    EXPECT_EQ(Finish(first), 128 + SIGINT);
    EXPECT_EQ(ReadWholeFile(Path("err")), port + ": attach a node\n" + port + ": done; remove the node\n");
    const std::string firstOut = ReadAll(out);
    EXPECT_NE(firstOut.find("1 programmed, 0 failed, 0 stopped, 0 done before, 2 not started"), std::string::npos)
        << firstOut;
    EXPECT_EQ(Held(0).nodeNumber, 21);
    EXPECT_EQ(Held(0).radioChannel, 3);

    // Three ports: the journal's node is skipped, the other two go to the
    // ports that have a node, and every one is verified.
    const ToolResult second = RunTool(Args(3));
    EXPECT_EQ(second.status, 0) << second.out << second.err;
    EXPECT_NE(second.out.find("row 2 (node 21 of FIELD): done before, skipped"), std::string::npos) << second.out;
    EXPECT_NE(second.out.find("2 programmed, 0 failed, 0 stopped, 1 done before, 0 not started"), std::string::npos);
    EXPECT_EQ(CountOf(Journal(), ",done,verified; backup "), 3) << Journal();
    std::vector<int> numbers;
    for (int i = 0; i < 3; ++i)
        if (Held(i).nodeNumber != EditedConfiguration().nodeNumber) numbers.push_back(Held(i).nodeNumber);
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<int>{21, 22, 23})) << "each row on one node";

    const ToolResult third = RunTool(Args(3));
    EXPECT_EQ(third.status, 0);
    EXPECT_NE(third.out.find("all 3 nodes are done"), std::string::npos) << third.out;
}

TEST_F(Provision, ABadTableIsRefusedWholeBeforeAnythingIsSent)
{
    Table("nodeNumber,networkName,radioChannel,colour\n21,FIELD,3,red\n22,FIELD,999999,blue\n21,FIELD,5,green\n");
    const ToolResult refused = RunTool(Args(3));
    EXPECT_EQ(refused.status, 1);
    const std::string table = Path("nodes.csv");
    EXPECT_NE(refused.err.find(table + ": row 1, column colour: "), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find(table + ": row 3, column radioChannel: "), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find(table + ": row 4, column nodeNumber: node 21 is also on row 2"), std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("nothing was sent"), std::string::npos);
    for (auto& node : nodes_) node->WithState([](NodeModel& s) { EXPECT_EQ(s.CommitCount(), 0); });
    EXPECT_EQ(Journal(), "");
}

TEST_F(Provision, AJournalThatCannotTakeALineEndsTheRunAsAFailure)
{
    // Found before any node is touched (a link is never followed).
    ASSERT_EQ(symlink(Path("elsewhere").c_str(), Path("nodes.csv.journal").c_str()), 0);
    const ToolResult refused = RunTool(Args(1));
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "mnm: " + Path("nodes.csv.journal") + ": not a regular file\n");
    nodes_[0]->WithState([](NodeModel& s) { EXPECT_EQ(s.CommitCount(), 0); });
    ASSERT_EQ(unlink(Path("nodes.csv.journal").c_str()), 0);

    // Lost in the middle: the node programmed then is said not to be
    // journalled, the port takes no more, and the run fails.
    WriteSetting(kSettingNipQueryTimeout, "400");
    int out = -1;
    const pid_t pid = SpawnTool(Args(1), Path("err"), &out);
    ASSERT_TRUE(WaitFor([&] { return CountOf(Journal(), ",done,") == 1; })) << ReadWholeFile(Path("err"));
    ASSERT_EQ(rename(Path("nodes.csv.journal").c_str(), Path("kept.journal").c_str()), 0);
    ASSERT_EQ(mkdir(Path("nodes.csv.journal").c_str(), 0700), 0);
    // The operator takes the node off (the port asks for the next one once
    // it has counted it gone) and puts a fresh one on.
    const std::string port = nodes_[0]->DevicePath();
    ASSERT_TRUE(WaitFor([&] { return ReadWholeFile(Path("err")).ends_with(port + ": done; remove the node\n"); }));
    nodes_[0]->SetSilent(true);
    ASSERT_TRUE(WaitFor([&] { return ReadWholeFile(Path("err")).ends_with(port + ": attach a node\n"); }));
    nodes_[0]->WithState([](NodeModel& s) { s.SetConfig(EditedConfiguration()); });
    nodes_[0]->SetSilent(false);
    EXPECT_EQ(Finish(pid), 1);
    EXPECT_EQ(Held(0).nodeNumber, 22);
    const std::string said = ReadAll(out);
    EXPECT_NE(said.find("2 programmed, 0 failed, 0 stopped, 0 done before, 1 not started"), std::string::npos) << said;
    const std::string err = ReadWholeFile(Path("err"));
    EXPECT_NE(err.find("row 3 (node 22 of FIELD) is not journalled"), std::string::npos) << err;
    EXPECT_NE(err.find("1 outcome(s) are not in the journal"), std::string::npos) << err;
}

TEST_F(Provision, APortThatGoesAwayFailsItsNodeAndTheOthersGoOn)
{
    // Only the first node at a real line's rate, so that it can go away in
    // the middle while the others finish.
    WriteSetting(kSettingNipQueryTimeout, "400");
    nodes_[0]->SetPace(true);
    Table("nodeNumber,networkName\n21,FIELD\n22,FIELD\n23,FIELD\n24,FIELD\n25,FIELD\n");
    // The first port by a name that goes away with it, as a USB adapter's does.
    const std::string adapter = Path("ttyUSB0");
    ASSERT_EQ(symlink(nodes_[0]->DevicePath().c_str(), adapter.c_str()), 0);
    std::vector<std::string> args = Args(3);
    *std::find(args.begin(), args.end(), nodes_[0]->DevicePath()) = adapter;
    int out = -1;
    const pid_t pid = SpawnTool(args, Path("err"), &out);
    ASSERT_TRUE(SchedulerRaised(0));
    nodes_[0]->Stop();
    unlink(adapter.c_str());
    ASSERT_TRUE(WaitFor([&] { return CountOf(Journal(), ",failed,") == 1 && CountOf(Journal(), ",done,") == 2; }))
        << Journal();
    EXPECT_NE(Journal().find(adapter + ",failed,"), std::string::npos) << Journal();
    EXPECT_NE(Journal().find("(" + adapter + " is gone)"), std::string::npos) << Journal();

    // The other two wait for their next nodes; Ctrl-C ends the wait.
    kill(pid, SIGINT);
    EXPECT_EQ(Finish(pid), 128 + SIGINT);
    const std::string said = ReadAll(out);
    EXPECT_NE(said.find("2 programmed, 1 failed, 0 stopped, 0 done before, 2 not started"), std::string::npos) << said;
}

TEST_F(Provision, CtrlCStopsEveryPortCleanly)
{
    WriteSetting(kSettingNipQueryTimeout, "400");
    for (auto& node : nodes_) node->SetPace(true);
    int out = -1;
    const pid_t pid = SpawnTool(Args(3), Path("err"), &out);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(SchedulerRaised(i)) << i;
    kill(pid, SIGINT);
    EXPECT_EQ(Finish(pid), 128 + SIGINT);
    const std::string said = ReadAll(out);
    EXPECT_EQ(CountOf(Journal(), ",stopped,stopped by a signal"), 3) << Journal();
    EXPECT_NE(said.find("0 programmed, 0 failed, 3 stopped, 0 done before, 0 not started"), std::string::npos) << said;
    for (auto& node : nodes_) {
        node->WithState([](NodeModel& s) {
            EXPECT_EQ(s.Scheduler(), 0) << "the task scheduler is put back";
            EXPECT_EQ(s.CommitCount(), 0);
        });
    }
}

} // namespace
} // namespace mnm
