#include "tests/node/NodeOnTerminal.h"

#include <stdlib.h>

#include <thread>

#include "link/Link.h"
#include "link/NodeCodes.h"
#include "link/NodeProtocol.h"
#include "settings/Settings.h"

namespace mnm {
namespace {

VirtualNode* gNode = nullptr;

class NodeOnTerminal : public ::testing::Environment {
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/mnm-node-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        setenv("XDG_CONFIG_HOME", pattern, 1);
        EnsureSettingsKey();
        WriteSetting(kSettingNipQueryTimeout, "800");
        WriteSetting(kSettingNcpWriteFlashTimeout, "1500");
        gNode = new VirtualNode;
        ASSERT_TRUE(gNode->Start());
        LinkInitialise();
        LinkSelectPort(gNode->DevicePath());
        thread_ = std::jthread([](std::stop_token stop) { LinkThread(stop); });
        // Wait until the link has the port open, so no test's first bytes are lost.
        std::uint8_t reply[kReplyBufferSize];
        for (int i = 0; i < 20 && NodeQuery(query::kVersion, 0, 0, reply) < 0; ++i) {}
    }
    void TearDown() override
    {
        thread_.request_stop();
        thread_.join();
        delete gNode;
    }

private:
    std::jthread thread_;
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new NodeOnTerminal);

} // namespace

VirtualNode& TestNode() { return *gNode; }

} // namespace mnm
