// Until the transfer sequences are written, both jobs end at once with a
// failure saying so, so that nothing pretends a configuration moved.
#include "link/NodeTransfers.h"

#include "nodeconf/MessageBuffer.h"

namespace mnm {

int ReceiveFromNode(NodeConf&, std::string& message, std::uint32_t&, std::mutex&)
{
    message = "Receiving a configuration from the node is not available in this version.";
    return kComposedMessage;
}

int SendToNode(NodeConf&, std::string& message, std::uint32_t&, std::mutex&)
{
    message = "Sending a configuration to the node is not available in this version.";
    return kComposedMessage;
}

} // namespace mnm
