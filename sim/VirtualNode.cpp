#include "sim/VirtualNode.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "link/Frame.h"
#include "link/NodeCodes.h"

namespace mnm {
namespace {

std::uint32_t Key(std::uint8_t code, std::uint8_t p1, std::uint8_t p2)
{
    return static_cast<std::uint32_t>(code) << 16 | static_cast<std::uint32_t>(p1) << 8 | p2;
}

} // namespace

VirtualNode::VirtualNode() = default;
VirtualNode::~VirtualNode() { Stop(); }

bool VirtualNode::Start()
{
    char name[128] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return false;
    termios t{};
    if (tcgetattr(slave_, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(slave_, TCSANOW, &t);
    }
    path_ = name;
    stop_ = false;
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void VirtualNode::Stop()
{
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
    master_ = slave_ = -1;
}

void VirtualNode::SetQueryReply(std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                                std::vector<std::uint8_t> data)
{
    SetQueryReplies(code, p1, p2, {std::move(data)});
}

void VirtualNode::SetQueryReplies(std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                                  std::vector<std::vector<std::uint8_t>> replies)
{
    std::lock_guard<std::mutex> guard(lock_);
    replies_[Key(code, p1, p2)] = std::move(replies);
    replyUse_[Key(code, p1, p2)] = 0;
}

void VirtualNode::ClearQueryReply(std::uint8_t code, std::uint8_t p1, std::uint8_t p2)
{
    std::lock_guard<std::mutex> guard(lock_);
    replies_.erase(Key(code, p1, p2));
}

void VirtualNode::SetCommandStatuses(std::uint8_t code, std::vector<int> statuses)
{
    std::lock_guard<std::mutex> guard(lock_);
    statuses_[code] = std::move(statuses);
    statusUse_[code] = 0;
}

std::vector<VirtualNode::CommandSeen> VirtualNode::Commands() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return commands_;
}

int VirtualNode::QueryCount(std::uint8_t code) const
{
    std::lock_guard<std::mutex> guard(lock_);
    auto it = queryCounts_.find(code);
    return it == queryCounts_.end() ? 0 : it->second;
}

void VirtualNode::SendPayload(const std::vector<std::uint8_t>& payload) { Write(payload); }

void VirtualNode::Write(const std::vector<std::uint8_t>& payload)
{
    std::uint8_t frame[kFrameEncodeBufferSize];
    const int n = FrameEncode(frame, payload.data(), static_cast<int>(payload.size()));
    for (int done = 0; n > 0 && done < n;) {
        const ssize_t w = write(master_, frame + done, static_cast<std::size_t>(n - done));
        if (w <= 0) return;
        done += static_cast<int>(w);
    }
}

void VirtualNode::Handle(const std::uint8_t* p, int length)
{
    if (length == kQueryHeaderSize && p[0] == kTypeQuery && p[1] == kQueryRequest) {
        std::vector<std::uint8_t> reply;
        {
            std::lock_guard<std::mutex> guard(lock_);
            ++queryCounts_[p[2]];
            auto it = replies_.find(Key(p[2], p[3], p[4]));
            if (it == replies_.end() || it->second.empty()) return; // unknown: unanswered
            std::size_t& use = replyUse_[it->first];
            const std::vector<std::uint8_t>& data = it->second[std::min(use, it->second.size() - 1)];
            ++use;
            reply = {kTypeQuery, kQueryReply, p[2], p[3], p[4]};
            reply.insert(reply.end(), data.begin(), data.end());
        }
        Write(reply);
    } else if (length >= kCommandHeaderSize && p[0] == kTypeCommand) {
        int status = kStatusAccepted;
        {
            std::lock_guard<std::mutex> guard(lock_);
            commands_.push_back({p[1] << 8 | p[2], p[4],
                                 std::vector<std::uint8_t>(p + kCommandHeaderSize, p + length)});
            auto it = statuses_.find(p[4]);
            if (it != statuses_.end() && !it->second.empty()) {
                std::size_t& use = statusUse_[p[4]];
                status = it->second[std::min(use, it->second.size() - 1)];
                ++use;
            }
        }
        Write({kTypeCommand, p[1], p[2], static_cast<std::uint8_t>(status)});
    }
}

void VirtualNode::Serve()
{
    FrameReceiver receiver;
    std::uint8_t payload[kFrameReceiverCapacity];
    while (!stop_) {
        pollfd pfd{master_, POLLIN, 0};
        if (poll(&pfd, 1, 10) <= 0 || !(pfd.revents & POLLIN)) continue;
        std::uint8_t bytes[64];
        const ssize_t n = read(master_, bytes, sizeof bytes);
        for (ssize_t i = 0; i < n; ++i) {
            FrameReceiverFeed(receiver, bytes[i]);
            if (receiver.state == kFrameComplete) {
                const int length = FrameReceiverTake(receiver, payload);
                if (length >= 0) Handle(payload, length);
            }
        }
    }
}

} // namespace mnm
