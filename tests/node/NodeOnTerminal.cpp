#include "tests/node/NodeOnTerminal.h"

#include <stdlib.h>

#include <thread>

#include "link/Link.h"
#include "wire/NodeCodes.h"
#include "protocol/NodeChannel.h"
#include "protocol/NodeProtocol.h"
#include "settings/Settings.h"

namespace mnm {
namespace {

VirtualNode* gNode = nullptr;
Link* gLink = nullptr;
NodeChannel* gChannel = nullptr;
constexpr int kQueryMs = 800;
constexpr int kFlashMs = 1500;

class NodeOnTerminal : public ::testing::Environment {
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/mnm-node-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        setenv("XDG_CONFIG_HOME", pattern, 1);
        EnsureSettingsKey();
        WriteSetting(kSettingNipQueryTimeout, std::to_string(kQueryMs));
        WriteSetting(kSettingNcpWriteFlashTimeout, std::to_string(kFlashMs));
        gNode = new VirtualNode;
        ASSERT_TRUE(gNode->Start());
        gLink = new Link;
        gLink->SelectPort(gNode->DevicePath());
        gChannel = new NodeChannel(*gLink, {ChecksForMilliseconds(kQueryMs), ChecksForMilliseconds(kFlashMs)});
        thread_ = std::jthread([](std::stop_token stop) { gLink->Run(std::move(stop)); });
        // Wait until the link has the port open, so no test's first bytes are lost.
        std::uint8_t reply[kReplyBufferSize];
        for (int i = 0; i < 20 && NodeQuery(*gChannel, query::kVersion, 0, 0, reply) < 0; ++i) {}
    }
    void TearDown() override
    {
        thread_.request_stop();
        thread_.join();
        delete gChannel;
        delete gLink;
        delete gNode;
    }

private:
    std::jthread thread_;
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new NodeOnTerminal);

} // namespace

VirtualNode& TestNode() { return *gNode; }
NodeChannel& TestChannel() { return *gChannel; }
Link& TestLink() { return *gLink; }

void SetTestBudgets(int queryMs, int flashMs)
{
    gChannel->SetBudgets({ChecksForMilliseconds(queryMs), ChecksForMilliseconds(flashMs)});
}

} // namespace mnm
