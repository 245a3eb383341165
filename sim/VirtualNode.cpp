#include "sim/VirtualNode.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "wire/Frame.h"
#include "wire/NodeCodes.h"

namespace mnm {
namespace {

using Clock = std::chrono::steady_clock;

// 9600 baud at 11 bits per character.
constexpr auto kCharacterTime = std::chrono::nanoseconds(11'000'000'000LL / 9600);

std::uint32_t Key(std::uint8_t code, std::uint8_t p1, std::uint8_t p2)
{
    return static_cast<std::uint32_t>(code) << 16 | static_cast<std::uint32_t>(p1) << 8 | p2;
}

bool Matches(const RequestMatch& m, std::uint8_t type, std::uint8_t code, int p1, int p2)
{
    return m.type == type && m.code == code && (m.p1 < 0 || m.p1 == p1) && (m.p2 < 0 || m.p2 == p2);
}

std::string Describe(const std::uint8_t* p, int length)
{
    char line[96];
    if (p[0] == kTypeQuery)
        std::snprintf(line, sizeof line, "query %u p1 %u p2 %u", p[2], p[3], p[4]);
    else
        std::snprintf(line, sizeof line, "command %u #%u, %d data bytes", p[4], p[1] << 8 | p[2],
                      length - kCommandHeaderSize);
    return line;
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

void VirtualNode::WithState(const std::function<void(NodeModel&)>& change)
{
    std::lock_guard<std::mutex> guard(lock_);
    change(state_);
}

void VirtualNode::Reset()
{
    std::lock_guard<std::mutex> guard(lock_);
    state_ = NodeModel{};
    replies_.clear();
    replyUse_.clear();
    statuses_.clear();
    statusUse_.clear();
    faults_.clear();
    queryCounts_.clear();
    commands_.clear();
    queries_.clear();
    silent_ = false;
}

void VirtualNode::SetPace(bool on) { pace_ = on; }
void VirtualNode::SetNodeTextInterval(std::chrono::milliseconds interval) { textIntervalMs_ = interval.count(); }
void VirtualNode::SetSilent(bool silent) { silent_ = silent; }

void VirtualNode::SetRequestLog(std::function<void(const std::string&)> log)
{
    std::lock_guard<std::mutex> guard(lock_);
    log_ = std::move(log);
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

void VirtualNode::InjectFault(RequestMatch match, Fault fault)
{
    std::lock_guard<std::mutex> guard(lock_);
    faults_.emplace_back(match, fault);
}

std::vector<VirtualNode::CommandSeen> VirtualNode::Commands() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return commands_;
}

std::vector<VirtualNode::QuerySeen> VirtualNode::Queries() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return queries_;
}

int VirtualNode::QueryCount(std::uint8_t code) const
{
    std::lock_guard<std::mutex> guard(lock_);
    auto it = queryCounts_.find(code);
    return it == queryCounts_.end() ? 0 : it->second;
}

void VirtualNode::SendPayload(const std::vector<std::uint8_t>& payload)
{
    Deliver({payload});
}

const Fault* VirtualNode::TakeFault(std::uint8_t type, std::uint8_t code, int p1, int p2)
{
    for (auto& [match, fault] : faults_) {
        if (!Matches(match, type, code, p1, p2) || fault.times == 0) continue;
        if (fault.times > 0) --fault.times;
        return &fault;
    }
    return nullptr;
}

VirtualNode::Reply VirtualNode::AnswerQuery(const std::uint8_t* p)
{
    ++queryCounts_[p[2]];
    queries_.push_back({p[2], p[3], p[4]});
    std::optional<std::vector<std::uint8_t>> data;
    auto it = replies_.find(Key(p[2], p[3], p[4]));
    if (it != replies_.end() && !it->second.empty()) {
        std::size_t& use = replyUse_[it->first];
        data = it->second[std::min(use, it->second.size() - 1)];
        ++use;
    } else {
        data = state_.Query(p[2], p[3], p[4]);
    }
    if (!data) return {};
    Reply reply;
    reply.payload = {kTypeQuery, kQueryReply, p[2], p[3], p[4]};
    reply.payload.insert(reply.payload.end(), data->begin(), data->end());
    return reply;
}

VirtualNode::Reply VirtualNode::AnswerCommand(const std::uint8_t* p, int length)
{
    commands_.push_back({p[1] << 8 | p[2], p[4],
                         std::vector<std::uint8_t>(p + kCommandHeaderSize, p + length)});
    std::optional<int> status;
    auto it = statuses_.find(p[4]);
    if (it != statuses_.end() && !it->second.empty()) {
        std::size_t& use = statusUse_[p[4]];
        status = it->second[std::min(use, it->second.size() - 1)];
        ++use;
    } else {
        status = state_.Command(p[4], p + kCommandHeaderSize, length - kCommandHeaderSize);
    }
    if (!status) return {};
    Reply reply;
    reply.payload = {kTypeCommand, p[1], p[2], static_cast<std::uint8_t>(*status)};
    return reply;
}

VirtualNode::Reply VirtualNode::Answer(const std::uint8_t* p, int length)
{
    const bool isQuery = length == kQueryHeaderSize && p[0] == kTypeQuery && p[1] == kQueryRequest;
    const bool isCommand = length >= kCommandHeaderSize && p[0] == kTypeCommand;
    if (!isQuery && !isCommand) return {};
    const std::uint8_t code = isQuery ? p[2] : p[4];
    const Fault* fault = isQuery ? TakeFault(kTypeQuery, code, p[3], p[4]) : TakeFault(kTypeCommand, code, -1, -1);
    if (fault && fault->kind == Fault::kStatus && isCommand) {
        commands_.push_back({p[1] << 8 | p[2], code,
                             std::vector<std::uint8_t>(p + kCommandHeaderSize, p + length)});
        return {{kTypeCommand, p[1], p[2], static_cast<std::uint8_t>(fault->value)}};
    }
    Reply reply = isQuery ? AnswerQuery(p) : AnswerCommand(p, length);
    if (fault == nullptr || reply.payload.empty()) return reply;
    switch (fault->kind) {
    case Fault::kDrop: return {};
    case Fault::kDelay: reply.delayMs = fault->value; break;
    case Fault::kWrongLength:
        if (isQuery && reply.payload.size() > static_cast<std::size_t>(kQueryHeaderSize))
            reply.payload.pop_back();
        else
            reply.payload.push_back(0);
        break;
    case Fault::kBadCheck: reply.badCheck = true; break;
    case Fault::kStatus: break;
    }
    return reply;
}

void VirtualNode::Deliver(const Reply& reply)
{
    if (reply.payload.empty()) return;
    if (reply.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
    std::vector<std::uint8_t> frame(kFrameEncodeBufferSize);
    const int n = FrameEncode(frame.data(), reply.payload.data(), static_cast<int>(reply.payload.size()));
    if (n <= 0) return;
    frame.resize(static_cast<std::size_t>(n));
    if (reply.badCheck) {
        // The last check digit stands just before ETX.
        std::uint8_t& digit = frame[frame.size() - 2];
        digit = digit == '0' ? '1' : '0';
    }
    Write(std::move(frame));
}

void VirtualNode::Write(std::vector<std::uint8_t> frame)
{
    std::lock_guard<std::mutex> guard(writeLock_);
    ++framesSent_;
    if (!pace_) {
        for (std::size_t done = 0; done < frame.size();) {
            const ssize_t w = write(master_, frame.data() + done, frame.size() - done);
            if (w <= 0) return;
            done += static_cast<std::size_t>(w);
        }
        bytesSent_ += frame.size();
        return;
    }
    auto slot = Clock::now();
    for (std::uint8_t byte : frame) {
        std::this_thread::sleep_until(slot);
        if (write(master_, &byte, 1) != 1) return;
        ++bytesSent_;
        slot += kCharacterTime;
    }
    std::this_thread::sleep_until(slot);
}

void VirtualNode::Log(const std::string& line)
{
    std::function<void(const std::string&)> log;
    {
        std::lock_guard<std::mutex> guard(lock_);
        log = log_;
    }
    if (log) log(line);
}

void VirtualNode::Serve()
{
    FrameReceiver receiver;
    std::uint8_t payload[kFrameReceiverCapacity];
    auto lastText = Clock::now();
    auto arrival = Clock::now();
    while (!stop_) {
        const std::int64_t textMs = textIntervalMs_;
        if (textMs > 0 && Clock::now() - lastText >= std::chrono::milliseconds(textMs)) {
            lastText = Clock::now();
            std::string text;
            {
                std::lock_guard<std::mutex> guard(lock_);
                text = state_.NodeText();
            }
            std::vector<std::uint8_t> message(kNodeTextOffset, 0);
            message[0] = kNodeTextType;
            message.insert(message.end(), text.begin(), text.end());
            if (static_cast<int>(message.size()) > kMaxPayload) message.resize(kMaxPayload);
            Deliver({message});
        }
        pollfd pfd{master_, POLLIN, 0};
        if (poll(&pfd, 1, 10) <= 0 || !(pfd.revents & POLLIN)) continue;
        std::uint8_t bytes[64];
        const ssize_t n = read(master_, bytes, sizeof bytes);
        if (n > 0) bytesReceived_ += static_cast<std::uint64_t>(n);
        if (pace_ && n > 0) {
            // Bytes from the program take as long to arrive as on a real line.
            arrival = std::max(arrival, Clock::now()) + n * kCharacterTime;
            std::this_thread::sleep_until(arrival);
        }
        for (ssize_t i = 0; i < n; ++i) {
            FrameReceiverFeed(receiver, bytes[i]);
            if (receiver.state != kFrameComplete) continue;
            ++framesReceived_;
            const int length = FrameReceiverTake(receiver, payload);
            if (length < kQueryHeaderSize || silent_) continue;
            Reply reply;
            {
                std::lock_guard<std::mutex> guard(lock_);
                reply = Answer(payload, length);
            }
            Log(Describe(payload, length) + (reply.payload.empty() ? ", not answered" : ""));
            Deliver(reply);
        }
    }
}

} // namespace mnm
