// Send and receive of a configuration with every table at capacity against
// the virtual node at the real line rate, compared with the time the bytes
// themselves need on a 9600-baud line (11 bits per character). Only the
// protocol's own waits should stand between the two.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "link/Link.h"
#include "wire/NodeCodes.h"
#include "protocol/NodeProtocol.h"
#include "transfer/NodeTransfers.h"
#include "worker/ChannelSettings.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"

namespace {

using namespace mnm;

constexpr double kCharactersPerSecond = 9600.0 / 11.0;

struct Counters {
    std::uint64_t framesIn, bytesIn, framesOut, bytesOut;
};

Counters Read(const VirtualNode& node)
{
    return {node.FramesReceived(), node.BytesReceived(), node.FramesSent(), node.BytesSent()};
}

template <typename Transfer> bool Measure(const char* name, VirtualNode& node, Transfer transfer)
{
    const Counters before = Read(node);
    const auto start = std::chrono::steady_clock::now();
    const Report report = transfer();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const Counters after = Read(node);
    if (!report.ok()) {
        std::fprintf(stderr, "%s failed (%d): %s\n", name, report.code, report.text.value_or("").c_str());
        return false;
    }
    const std::uint64_t toNode = after.bytesIn - before.bytesIn, fromNode = after.bytesOut - before.bytesOut;
    const double line = static_cast<double>(toNode + fromNode) / kCharactersPerSecond;
    std::printf("%-8s wall %7.1f s | to the node %5llu frames %7llu bytes | from the node %5llu frames %7llu bytes"
                " | line time %7.1f s | ratio %.2f\n",
                name, wall, static_cast<unsigned long long>(after.framesIn - before.framesIn),
                static_cast<unsigned long long>(toNode), static_cast<unsigned long long>(after.framesOut - before.framesOut),
                static_cast<unsigned long long>(fromNode), line, wall / line);
    std::fflush(stdout);
    return true;
}

} // namespace

int main()
{
    // A settings store of its own, so the operator's settings stay untouched.
    char dir[] = "/tmp/mnm-bench-XXXXXX";
    if (mkdtemp(dir) == nullptr) return 1;
    setenv("XDG_CONFIG_HOME", dir, 1);
    EnsureSettingsKey();
    WriteSettingDefaults();

    VirtualNode node;
    node.SetPace(true);
    if (!node.Start()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    Link line;
    line.SelectPort(node.DevicePath());
    std::jthread link([&line](std::stop_token stop) { line.Run(std::move(stop)); });
    NodeChannel channel(line, BudgetsFromSettings());
    std::uint8_t reply[kReplyBufferSize];
    for (int i = 0; i < 20 && NodeQuery(channel, query::kVersion, 0, 0, reply) < 0; ++i) {}

    struct : ProgressSink {
        void Set(std::uint32_t) override {}
    } progress;
    NodeConf record = MaximalConfiguration();
    const SendOptions commit{true};
    std::printf("maximal configuration, 9600 baud, 11 bits per character\n");
    const bool ok =
        Measure("send", node, [&] { return SendToNode(channel, record, commit, progress); }) &&
        Measure("receive", node, [&] { return ReceiveFromNode(channel, record, progress); });
    link.request_stop();
    return ok ? 0 : 1;
}
