// Ctrl-C, SIGTERM and SIGHUP during `mnm send` and `mnm receive`: the transfer stops
// through the worker's cancellation, the node's task scheduler is put back,
// nothing is written, and the status is the shell's for the signal.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "nodeconf/ConfigFile.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"
#include "tests/cli/RunTool.h"
#include "wire/NodeCodes.h"

namespace mnm {
namespace {

using Clock = std::chrono::steady_clock;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr auto kEndsWithin = std::chrono::seconds(5); // sanitizers slow every step
#else
constexpr auto kEndsWithin = std::chrono::seconds(1);
#endif

struct Ended {
    int status = -1;
    Clock::duration took{};
};

// Signals `pid` and waits for it to end (killing it after a long while).
Ended SignalAndWait(pid_t pid, int signal)
{
    const auto start = Clock::now();
    kill(pid, signal);
    int raw = 0;
    while (waitpid(pid, &raw, WNOHANG) == 0) {
        if (Clock::now() - start > std::chrono::seconds(30)) kill(pid, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Clock::now() - start};
}

class StopSignal : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        dir_ = TempDir();
        UsePrivateSettings(dir_);
        node_.SetPace(true); // slow enough to be caught in the middle
        ASSERT_TRUE(node_.Start());
    }
    bool WaitUntilNodeSeesCommand(std::uint8_t code)
    {
        for (const auto end = Clock::now() + std::chrono::seconds(30); Clock::now() < end;) {
            for (const auto& c : node_.Commands())
                if (c.code == code) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    int Scheduler()
    {
        int scheduler = -1;
        node_.WithState([&](NodeModel& s) { scheduler = s.Scheduler(); });
        return scheduler;
    }
    void ExpectStopped(const Ended& ended, int signal)
    {
        EXPECT_EQ(ended.status, 128 + signal);
        EXPECT_LT(ended.took, kEndsWithin)
            << std::chrono::duration_cast<std::chrono::milliseconds>(ended.took).count() << " ms";
        EXPECT_EQ(Scheduler(), 0);
        EXPECT_EQ(ReadWholeFile(dir_ + "/err"), "mnm: Transfer cancelled\n");
    }

    std::string dir_;
    VirtualNode node_;
};

TEST_P(StopSignal, ASendStopsAndCommitsNothing)
{
    ASSERT_EQ(SaveToPath(EditedConfiguration(), dir_ + "/sent.mnc"), 0);
    const pid_t pid = SpawnTool({"send", "--port", node_.DevicePath(), dir_ + "/sent.mnc"}, dir_ + "/err");
    ASSERT_TRUE(WaitUntilNodeSeesCommand(command::kTaskScheduler));
    ExpectStopped(SignalAndWait(pid, GetParam()), GetParam());
    node_.WithState([](NodeModel& s) { EXPECT_EQ(s.CommitCount(), 0); });
}

TEST_P(StopSignal, AReceiveStopsAndWritesNothing)
{
    node_.WithState([](NodeModel& s) { s.SetConfig(EditedConfiguration()); });
    const std::string output = dir_ + "/received.mnc";
    const pid_t pid = SpawnTool({"receive", "--port", node_.DevicePath(), "-o", output}, dir_ + "/err");
    ASSERT_TRUE(WaitUntilNodeSeesCommand(command::kTaskScheduler));
    ExpectStopped(SignalAndWait(pid, GetParam()), GetParam());
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(output + ".partial"));
}

INSTANTIATE_TEST_SUITE_P(CtrlCTermAndHangUp, StopSignal, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

} // namespace
} // namespace mnm
