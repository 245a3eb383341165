#include "connection/NodeConnection.h"

#include "sim/VirtualNode.h"

namespace mnm {

namespace {
constexpr std::chrono::seconds kVirtualNodeTextInterval{4};
} // namespace

NodeConnection::NodeConnection() = default;

NodeConnection::~NodeConnection()
{
    Stop();
    // The virtual node goes last, with the members: nothing talks to it now.
}

bool NodeConnection::Start(PostCommandId post, const WorkerOptions& options)
{
    Stop();
    linkThread_ = std::jthread([this](std::stop_token stop) { link_.Run(std::move(stop)); });
    if (worker_.Start(std::move(post), options)) return true;
    Stop();
    return false;
}

void NodeConnection::Stop()
{
    // The worker first: it may be in the middle of an exchange on the link.
    worker_.Stop();
    if (linkThread_.joinable()) {
        linkThread_.request_stop();
        linkThread_.join();
    }
}

std::optional<std::string> NodeConnection::TakeNodeText()
{
    char text[kNodeTextSize];
    if (link_.TakeNodeText(text, sizeof text) != 1) return std::nullopt;
    return std::string(text);
}

void NodeConnection::SelectPort(std::string_view path) { link_.SelectPort(path); }

std::string NodeConnection::StartVirtualNode()
{
    if (virtualNode_) return virtualNode_->DevicePath();
    auto node = std::make_unique<VirtualNode>();
    node->SetPace(true);
    // A demonstration node talks now and then, as a real one does.
    node->SetNodeTextInterval(kVirtualNodeTextInterval);
    if (!node->Start()) return {};
    virtualNode_ = std::move(node);
    return virtualNode_->DevicePath();
}

std::string NodeConnection::VirtualNodePath() const { return virtualNode_ ? virtualNode_->DevicePath() : std::string(); }

} // namespace mnm
