// A line with the virtual node's model behind it, in the same process: each
// queued request is answered at once (or after a set delay, or as late as a
// real line would carry it) by NodeModel, so protocol and transfer tests run
// without a terminal or a link thread.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "link/FrameLine.h"
#include "platform/SerialPort.h"
#include "sim/NodeModel.h"
#include "wire/Frame.h"
#include "wire/NodeCodes.h"

namespace mnm {

class ModelLine final : public FrameLine {
public:
    using Clock = std::chrono::steady_clock;

    NodeModel& Model() { return model_; }
    // Every reply becomes takeable only this long after its request.
    void SetReplyDelay(std::chrono::milliseconds delay) { delay_ = delay; }
    // From now on each request and its reply take as long as on the real line,
    // one after the other, as the node answers them in turn.
    void SetLineRate(bool on) { lineRate_ = on; }
    void SetSilent(bool silent) { silent_ = silent; }
    // Called with each request before it is answered.
    void OnRequest(std::function<void(const std::vector<std::uint8_t>&)> hook) { hook_ = std::move(hook); }
    // The codes of the commands the node was sent, in order.
    std::vector<std::uint8_t> CommandCodes() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return commandCodes_;
    }

    int QueuePayload(const std::uint8_t* payload, int length) override
    {
        const std::vector<std::uint8_t> request(payload, payload + length);
        if (hook_) hook_(request);
        std::vector<std::uint8_t> reply;
        if (length == kQueryHeaderSize && payload[0] == kTypeQuery) {
            if (auto data = model_.Query(payload[2], payload[3], payload[4])) {
                reply = {kTypeQuery, kQueryReply, payload[2], payload[3], payload[4]};
                reply.insert(reply.end(), data->begin(), data->end());
            }
        } else if (length >= kCommandHeaderSize && payload[0] == kTypeCommand) {
            {
                std::lock_guard<std::mutex> guard(lock_);
                commandCodes_.push_back(payload[4]);
            }
            if (auto status = model_.Command(payload[4], payload + kCommandHeaderSize, length - kCommandHeaderSize))
                reply = {kTypeCommand, payload[1], payload[2], static_cast<std::uint8_t>(*status)};
        }
        const bool answered = !reply.empty() && !silent_;
        std::lock_guard<std::mutex> guard(lock_);
        Clock::time_point due = Clock::now() + delay_;
        if (lineRate_) {
            const int characters = FrameLength(length) + (answered ? FrameLength(static_cast<int>(reply.size())) : 0);
            lineFree_ = std::max(lineFree_, Clock::now()) +
                        std::chrono::duration_cast<Clock::duration>(kLineCharacterTime * characters);
            due = lineFree_;
        }
        if (answered) replies_.push_back({due, std::move(reply)});
        wake_.notify_all();
        return 1;
    }

    int TakeFrame(std::uint8_t* payload) override
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (replies_.empty() || replies_.front().due > Clock::now()) return kFrameNotComplete;
        const std::vector<std::uint8_t> reply = std::move(replies_.front().payload);
        replies_.pop_front();
        std::memcpy(payload, reply.data(), reply.size());
        return static_cast<int>(reply.size());
    }

    bool WaitForFrame(std::chrono::milliseconds step, const std::stop_token& stop) override
    {
        std::unique_lock<std::mutex> guard(lock_);
        const auto until = Clock::now() + step;
        auto ready = [this] { return !replies_.empty() && replies_.front().due <= Clock::now(); };
        while (!ready() && !stop.stop_requested() && Clock::now() < until) {
            const auto wake = replies_.empty() ? until : std::min(until, replies_.front().due);
            wake_.wait_until(guard, stop, wake, ready);
        }
        return ready();
    }

private:
    struct Reply {
        Clock::time_point due;
        std::vector<std::uint8_t> payload;
    };
    NodeModel model_; // touched only by the thread that uses the line
    std::chrono::milliseconds delay_{0};
    bool silent_ = false;
    bool lineRate_ = false;
    Clock::time_point lineFree_{}; // when the line has carried every request and reply so far
    std::function<void(const std::vector<std::uint8_t>&)> hook_;
    mutable std::mutex lock_; // guards the replies and the commands seen
    std::condition_variable_any wake_;
    std::deque<Reply> replies_;
    std::vector<std::uint8_t> commandCodes_;
};

} // namespace mnm
