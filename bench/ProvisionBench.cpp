// The real `mnm provision` program against virtual nodes of this program at
// the real line rate: one node on one port, then three nodes on three ports
// at once. Each port has its own connection and thread and each node its own
// line, so three nodes should take hardly longer than one: the goal is at
// most 1.1 times as long.
//
// Every node starts out holding a configuration as full as a node can hold,
// so its backup is as long as a backup gets; the template is that same
// configuration, and each table row gives a node its own number.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "editor/model/Transfer.h"
#include "fleet/ProvisionJournal.h"
#include "nodeconf/ConfigFile.h"
#include "nodeconf/ErrorCatalogue.h"
#include "bench/BenchSettings.h"
#include "platform/SerialPort.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"

extern char** environ;

namespace {

using namespace mnm;
using Clock = std::chrono::steady_clock;

constexpr double kCharactersPerSecond = 1.0 / std::chrono::duration<double>(kLineCharacterTime).count();
constexpr int kNodesAtOnce = 3;
constexpr double kGoalRatio = 1.1;
constexpr int kFirstNodeNumber = 21;
constexpr const char* kNetwork = "BENCH";
// A run that has not ended by then is stuck: a node takes some minutes.
constexpr auto kRunLimit = std::chrono::minutes(30);
constexpr auto kExitPoll = std::chrono::milliseconds(5);
constexpr int kExitStatusUnknown = -1;

struct Template {
    const char* name;
    NodeConf conf;
};

// The fullest configuration that passes the whole check, as the check stores
// it: what provision itself sends is the checked record.
std::optional<Template> PickTemplate()
{
    const Template candidates[] = {{"fullest node configuration", FullestNodeConfiguration()},
                                   {"maximal configuration", MaximalConfiguration()}};
    for (const Template& candidate : candidates) {
        NodeConf stored;
        const Report report = editor::VerifyRecord(candidate.conf, &stored);
        if (report.ok()) return Template{candidate.name, stored};
        std::fprintf(stderr, "provision_bench: the %s fails the check: %s\n", candidate.name,
                     MessageOf(report).c_str());
    }
    return std::nullopt;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Outcome {
    int status = kExitStatusUnknown;
    double wall = 0;
};

// Runs the program with its output in `dir`; its exit status and wall time.
Outcome RunProgram(const std::vector<std::string>& args, const std::string& dir)
{
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, (dir + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, (dir + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<char*> argv{const_cast<char*>(MNM_BIN)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    Outcome outcome;
    pid_t pid = -1;
    const auto start = Clock::now();
    const int spawned = posix_spawn(&pid, MNM_BIN, &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) {
        std::fprintf(stderr, "provision_bench: cannot start %s\n", MNM_BIN);
        return outcome;
    }
    int raw = 0;
    bool stuck = false;
    while (waitpid(pid, &raw, WNOHANG) == 0) {
        if (!stuck && Clock::now() - start > kRunLimit) {
            // Ctrl-C, as an operator would: the program journals and ends.
            std::fprintf(stderr, "provision_bench: no end after %lld minutes; interrupted\n",
                         static_cast<long long>(kRunLimit.count()));
            kill(pid, SIGINT);
            stuck = true;
        }
        std::this_thread::sleep_for(kExitPoll);
    }
    outcome.wall = std::chrono::duration<double>(Clock::now() - start).count();
    if (!stuck && WIFEXITED(raw)) outcome.status = WEXITSTATUS(raw);
    return outcome;
}

// Provisions `count` nodes on as many ports in one run of the program and
// prints the figures; the wall time, or nothing when the run failed.
std::optional<double> Measure(const std::string& root, int count, const NodeConf& templ)
{
    const std::string dir = root + "/" + std::to_string(count) + "-at-once";
    const std::string table = dir + "/nodes.csv";
    const std::string templatePath = dir + "/template.mnc";
    if (mkdir(dir.c_str(), 0700) != 0 || SaveToPath(templ, templatePath) != 0) {
        std::fprintf(stderr, "provision_bench: cannot write into %s\n", dir.c_str());
        return std::nullopt;
    }
    std::vector<std::string> args{"provision", "--template", templatePath, "--table", table};
    std::set<int> wanted;
    std::string csv = "nodeNumber,networkName\n";
    std::vector<std::unique_ptr<VirtualNode>> nodes;
    for (int i = 0; i < count; ++i) {
        const int number = kFirstNodeNumber + i;
        wanted.insert(number);
        csv += std::to_string(number) + "," + kNetwork + "\n";
        nodes.push_back(std::make_unique<VirtualNode>());
        VirtualNode& node = *nodes.back();
        node.WithState([&](NodeModel& s) { s.SetConfig(templ); });
        node.SetPace(true);
        if (!node.Start()) {
            std::fprintf(stderr, "provision_bench: no pseudo-terminal\n");
            return std::nullopt;
        }
        args.push_back("--port");
        args.push_back(node.DevicePath());
    }
    std::ofstream(table) << csv;

    const Outcome outcome = RunProgram(args, dir);

    std::vector<JournalEntry> journal;
    std::string error;
    std::set<int> done, held;
    if (ReadJournal(JournalPath(table), journal, error)) {
        for (const JournalEntry& entry : journal)
            if (entry.outcome == ProvisionOutcome::Done) done.insert(entry.node);
    }
    for (auto& node : nodes) node->WithState([&](NodeModel& s) { held.insert(s.Flash().nodeNumber); });

    std::printf("%d node%s on %d port%s: wall %7.1f s | exit %d | %zu journalled done\n", count,
                count == 1 ? "" : "s", count, count == 1 ? "" : "s", outcome.wall, outcome.status, done.size());
    double longestLine = 0;
    for (int i = 0; i < count; ++i) {
        const VirtualNode& node = *nodes[static_cast<std::size_t>(i)];
        const double line = static_cast<double>(node.BytesReceived() + node.BytesSent()) / kCharactersPerSecond;
        longestLine = std::max(longestLine, line);
        std::printf("  node %d: to the node %5llu frames %7llu bytes | from the node %5llu frames %7llu bytes | "
                    "line time %7.1f s | ratio %.2f\n",
                    i + 1, static_cast<unsigned long long>(node.FramesReceived()),
                    static_cast<unsigned long long>(node.BytesReceived()),
                    static_cast<unsigned long long>(node.FramesSent()),
                    static_cast<unsigned long long>(node.BytesSent()), line, outcome.wall / line);
    }
    std::fflush(stdout);

    if (outcome.status != 0 || done != wanted || held != wanted) {
        std::fprintf(stderr, "provision_bench: the run with %d node%s failed; its output:\n%s%s%s", count,
                     count == 1 ? "" : "s", ReadWholeFile(dir + "/out").c_str(),
                     ReadWholeFile(dir + "/err").c_str(), ReadWholeFile(JournalPath(table)).c_str());
        return std::nullopt;
    }
    return outcome.wall;
}

} // namespace

int main(int argc, char**)
{
    if (argc != 1) {
        std::fprintf(stderr, "usage: provision_bench\n");
        return 2;
    }
    std::string dir;
    if (!UsePrivateBenchSettings(dir)) return 1;

    const std::optional<Template> templ = PickTemplate();
    if (!templ) return 1;
    std::printf("mnm provision, template and nodes' old contents the %s, 9600 baud, 11 bits per character;\n"
                "each node backed up, sent to (with commit) and read back\n",
                templ->name);
    std::fflush(stdout);

    const std::optional<double> one = Measure(dir, 1, templ->conf);
    if (!one) return 1;
    const std::optional<double> many = Measure(dir, kNodesAtOnce, templ->conf);
    if (!many) return 1;
    const double ratio = *many / *one;
    std::printf("%d at once against one alone: %.3f (goal at most %.2f): %s\n", kNodesAtOnce, ratio, kGoalRatio,
                ratio <= kGoalRatio ? "met" : "MISSED");
    // Kept after a failed run, for its output and journal.
    std::error_code error;
    if (std::filesystem::remove_all(dir, error); error)
        std::fprintf(stderr, "provision_bench: %s stays: %s\n", dir.c_str(), error.message().c_str());
    return 0;
}
