#include "app/VirtualNodeHost.h"

#include "sim/VirtualNode.h"

namespace mnm::app {

VirtualNodeHost::VirtualNodeHost() = default;
VirtualNodeHost::~VirtualNodeHost() = default;

QString VirtualNodeHost::Start()
{
    if (node_) return DevicePath();
    auto node = std::make_unique<VirtualNode>();
    node->SetPace(true);
    if (!node->Start()) return {};
    node_ = std::move(node);
    return DevicePath();
}

bool VirtualNodeHost::Running() const { return node_ != nullptr; }

QString VirtualNodeHost::DevicePath() const
{
    return node_ ? QString::fromStdString(node_->DevicePath()) : QString();
}

} // namespace mnm::app
