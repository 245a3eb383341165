// Send and receive of a configuration as full as a node can hold against
// the virtual node at the real line rate, compared with the time the bytes
// themselves need on a 9600-baud line (11 bits per character). Only the
// protocol's own waits should stand between the two.
//
// --parallel N runs N lanes at once, each its own virtual node, link, link
// thread and channel: each lane's ratio stays that of a single transfer
// only when the lanes share nothing.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "connection/ConnectionOptions.h"
#include "link/Link.h"
#include "nodeconf/ErrorCatalogue.h"
#include "platform/SerialPort.h"
#include "protocol/NodeProtocol.h"
#include "settings/ProgramSettings.h"
#include "bench/BenchSettings.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"
#include "transfer/NodeTransfers.h"
#include "wire/NodeCodes.h"

namespace {

using namespace mnm;

constexpr double kCharactersPerSecond = 1.0 / std::chrono::duration<double>(kLineCharacterTime).count();
constexpr int kMaxLanes = 8;
constexpr int kOpenAttempts = 20;

struct Counters {
    std::uint64_t framesIn, bytesIn, framesOut, bytesOut;
};

Counters Read(const VirtualNode& node)
{
    return {node.FramesReceived(), node.BytesReceived(), node.FramesSent(), node.BytesSent()};
}

class NoProgress final : public ProgressSink {
public:
    void Set(std::uint32_t) override {}
};

// One node with its own line: nothing here is shared with another lane.
class Lane {
public:
    Lane(int number, const ChannelBudgets& budgets) : number_(number), channel_(link_, budgets) {}
    ~Lane() { thread_.request_stop(); }

    bool Start()
    {
        node_.SetPace(true);
        if (!node_.Start()) return false;
        link_.SelectPort(node_.DevicePath());
        thread_ = std::jthread([this](std::stop_token stop) { link_.Run(std::move(stop)); });
        std::uint8_t reply[kReplyBufferSize];
        for (int i = 0; i < kOpenAttempts && NodeQuery(channel_, query::kVersion, 0, 0, reply) < 0; ++i) {}
        return true;
    }

    // Runs the transfer and prints its line; false when it failed.
    template <typename Transfer> bool Measure(const char* name, Transfer transfer)
    {
        const Counters before = Read(node_);
        const auto start = std::chrono::steady_clock::now();
        const Report report = transfer(channel_, record_, progress_);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const Counters after = Read(node_);
        if (!report.ok()) {
            std::fprintf(stderr, "lane %d: %s failed (%d): %s\n", number_, name, report.code, MessageOf(report).c_str());
            return false;
        }
        const std::uint64_t toNode = after.bytesIn - before.bytesIn, fromNode = after.bytesOut - before.bytesOut;
        const double line = static_cast<double>(toNode + fromNode) / kCharactersPerSecond;
        std::printf("lane %d %-8s wall %7.1f s | to the node %5llu frames %7llu bytes | from the node %5llu frames "
                    "%7llu bytes | line time %7.1f s | ratio %.2f\n",
                    number_, name, wall, static_cast<unsigned long long>(after.framesIn - before.framesIn),
                    static_cast<unsigned long long>(toNode),
                    static_cast<unsigned long long>(after.framesOut - before.framesOut),
                    static_cast<unsigned long long>(fromNode), line, wall / line);
        std::fflush(stdout);
        return true;
    }

private:
    int number_;
    VirtualNode node_;
    Link link_;
    NodeChannel channel_;
    std::jthread thread_;
    NoProgress progress_;
    NodeConf record_ = FullestNodeConfiguration();
};

// Runs `step` on every lane at once; true when all succeeded.
template <typename Step> bool OnEveryLane(std::vector<std::unique_ptr<Lane>>& lanes, Step step)
{
    std::vector<char> ok(lanes.size(), 0);
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < lanes.size(); ++i)
            threads.emplace_back([&, i] { ok[i] = step(*lanes[i]) ? 1 : 0; });
    }
    for (char one : ok)
        if (!one) return false;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int lanesWanted = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--parallel") == 0 && i + 1 < argc) {
            lanesWanted = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: transfer_bench [--parallel N]\n");
            return 2;
        }
    }
    if (lanesWanted < 1 || lanesWanted > kMaxLanes) {
        std::fprintf(stderr, "transfer_bench: --parallel takes 1 to %d\n", kMaxLanes);
        return 2;
    }
    std::string settingsDir;
    if (!UsePrivateBenchSettings(settingsDir)) return 1;
    const WorkerOptions options = WorkerOptionsFrom(ReadProgramSettings());

    std::vector<std::unique_ptr<Lane>> lanes;
    for (int i = 1; i <= lanesWanted; ++i) {
        lanes.push_back(std::make_unique<Lane>(i, options.budgets));
        if (!lanes.back()->Start()) {
            std::fprintf(stderr, "no pseudo-terminal\n");
            return 1;
        }
    }
    std::printf("fullest node configuration, 9600 baud, 11 bits per character, %d lane%s at once\n", lanesWanted,
                lanesWanted == 1 ? "" : "s");
    const SendOptions commit{true};
    const bool ok =
        OnEveryLane(lanes, [&](Lane& lane) {
            return lane.Measure("send", [&](NodeChannel& c, NodeConf& r, ProgressSink& p) {
                return SendToNode(c, r, commit, p);
            });
        }) &&
        OnEveryLane(lanes, [](Lane& lane) {
            return lane.Measure("receive", [](NodeChannel& c, NodeConf& r, ProgressSink& p) {
                return ReceiveFromNode(c, r, p);
            });
        });
    return ok ? 0 : 1;
}
