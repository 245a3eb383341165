// One conversation with the node over a line: the line, the time budgets,
// the command sequence counter, the flash-writing flag and the stop token
// every wait honours. The worker owns one; tests make their own.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>

#include "link/FrameLine.h"

namespace mnm {

inline constexpr int kMsPerPoll = 5;

// Whoever makes the channel reads them from the settings.
struct ChannelBudgets {
    int queryChecks;        // 5 ms reply checks of a query
    int flashTimeoutFactor; // a flash command's time-out factor
};

// From a setting's milliseconds: 5 ms checks, never negative.
constexpr int ChecksForMilliseconds(int ms) { return ms < 0 ? 0 : ms / kMsPerPoll; }

class NodeChannel {
public:
    NodeChannel(FrameLine& line, ChannelBudgets budgets) : line_(line), budgets_(budgets) {}
    NodeChannel(const NodeChannel&) = delete;
    NodeChannel& operator=(const NodeChannel&) = delete;

    FrameLine& Line() { return line_; }
    const ChannelBudgets& Budgets() const { return budgets_; }
    void SetBudgets(ChannelBudgets budgets) { budgets_ = budgets; }

    // The sequence number the next command carries (1..kMaxSequenceNumber).
    int TakeSequence();
    void SetNextSequence(int number);
    int NextSequence() const { return nextSequence_.load(); }

    // True while a flash command waits for the node to finish writing; read
    // by the status indicator from another thread.
    bool FlashWriting() const { return flashWriting_.load(); }
    void SetFlashWriting(bool on) { flashWriting_.store(on); }

    const std::stop_token& Stop() const { return stop_; }
    bool Stopped() const { return stop_.stop_requested(); }
    // Sleeps `pause` unless a stop comes first; false when stopped.
    bool Pause(std::chrono::milliseconds pause);

private:
    friend class StopScope;

    FrameLine& line_;
    ChannelBudgets budgets_;
    std::atomic<int> nextSequence_{1};
    std::atomic<bool> flashWriting_{false};
    std::stop_token stop_; // only the thread using the channel sets and reads it
    std::mutex pauseLock_; // lets a stop cut a pause short; guards nothing
    std::condition_variable_any pauseWake_;
};

// Makes the channel's waits honour `stop` for this scope, then restores the
// token it had.
class StopScope {
public:
    StopScope(NodeChannel& channel, std::stop_token stop) : channel_(channel), saved_(channel.stop_)
    {
        channel_.stop_ = std::move(stop);
    }
    ~StopScope() { channel_.stop_ = saved_; }
    StopScope(const StopScope&) = delete;
    StopScope& operator=(const StopScope&) = delete;

private:
    NodeChannel& channel_;
    std::stop_token saved_;
};

} // namespace mnm
