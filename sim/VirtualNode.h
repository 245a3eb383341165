// A node on a pseudo-terminal. It answers from the state it holds
// (NodeModel); tests may override single replies and inject faults.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/NodeModel.h"

namespace mnm {

// What a fault applies to: a query or a command with its code; p1 and p2
// (queries only) of -1 match any value.
struct RequestMatch {
    std::uint8_t type; // kTypeQuery or kTypeCommand
    std::uint8_t code;
    int p1 = -1;
    int p2 = -1;
};

struct Fault {
    enum Kind {
        kDrop,        // no reply at all
        kDelay,       // reply after `value` milliseconds
        kWrongLength, // one byte fewer than it should have (acknowledgements: one more)
        kBadCheck,    // the frame's check is spoiled
        kStatus,      // acknowledge with status `value` (commands; not applied to the state)
    };
    Kind kind;
    int value = 0;
    int times = -1; // how many requests it hits; -1 all
};

class VirtualNode {
public:
    VirtualNode();
    ~VirtualNode();
    VirtualNode(const VirtualNode&) = delete;
    VirtualNode& operator=(const VirtualNode&) = delete;

    // Opens the terminal pair and starts serving; false when no terminal.
    bool Start();
    void Stop();
    const std::string& DevicePath() const { return path_; }

    // Runs `change` on the node's state under the node's lock.
    void WithState(const std::function<void(NodeModel&)>& change);
    // A fresh state; overrides, faults and logs cleared; not silent.
    void Reset();

    // Line rate of a real node: 9600 baud, 11 bits per character.
    void SetPace(bool on);
    // An unsolicited node text message every `interval` (zero: never).
    void SetNodeTextInterval(std::chrono::milliseconds interval);
    // A silent node answers nothing, as if unplugged.
    void SetSilent(bool silent);
    // Called with one line per request handled (from the node's thread).
    void SetRequestLog(std::function<void(const std::string&)> log);

    // A reply that replaces what the state would answer to (code, p1, p2).
    void SetQueryReply(std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                       std::vector<std::uint8_t> data);
    // Replies used in turn, the last one repeating.
    void SetQueryReplies(std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                         std::vector<std::vector<std::uint8_t>> replies);
    void ClearQueryReply(std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
    // Statuses for command `code`, used in turn (the last one repeats); the
    // command is then not applied to the state.
    void SetCommandStatuses(std::uint8_t code, std::vector<int> statuses);
    void InjectFault(RequestMatch match, Fault fault);
    // Sends a raw payload to the program, framed (for stray or malformed frames).
    void SendPayload(const std::vector<std::uint8_t>& payload);

    // What arrived, in order.
    struct CommandSeen {
        int sequence;
        std::uint8_t code;
        std::vector<std::uint8_t> data;
    };
    struct QuerySeen {
        std::uint8_t code, p1, p2;
    };
    std::vector<CommandSeen> Commands() const;
    std::vector<QuerySeen> Queries() const;
    int QueryCount(std::uint8_t code) const;
    // Frames and bytes on the line so far, each way.
    std::uint64_t FramesSent() const { return framesSent_; }
    std::uint64_t BytesSent() const { return bytesSent_; }
    std::uint64_t FramesReceived() const { return framesReceived_; }
    std::uint64_t BytesReceived() const { return bytesReceived_; }

private:
    struct Reply {
        std::vector<std::uint8_t> payload; // empty: nothing to send
        bool badCheck = false;
        int delayMs = 0;
    };
    void Serve();
    // Under lock_: what to send back (empty payload: nothing).
    Reply Answer(const std::uint8_t* payload, int length);
    Reply AnswerQuery(const std::uint8_t* p);
    Reply AnswerCommand(const std::uint8_t* p, int length);
    const Fault* TakeFault(std::uint8_t type, std::uint8_t code, int p1, int p2);
    void Deliver(const Reply& reply);
    void Write(std::vector<std::uint8_t> frame);
    void Log(const std::string& line);

    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> pace_{false};
    std::atomic<bool> silent_{false};
    std::atomic<std::int64_t> textIntervalMs_{0};
    std::atomic<std::uint64_t> framesSent_{0};
    std::atomic<std::uint64_t> bytesSent_{0};
    std::atomic<std::uint64_t> framesReceived_{0};
    std::atomic<std::uint64_t> bytesReceived_{0};
    std::thread thread_;
    std::mutex writeLock_; // one frame on the line at a time; never held with lock_

    mutable std::mutex lock_; // guards everything below
    NodeModel state_;
    std::function<void(const std::string&)> log_;
    std::map<std::uint32_t, std::vector<std::vector<std::uint8_t>>> replies_;
    std::map<std::uint32_t, std::size_t> replyUse_;
    std::map<std::uint8_t, std::vector<int>> statuses_;
    std::map<std::uint8_t, std::size_t> statusUse_;
    std::vector<std::pair<RequestMatch, Fault>> faults_;
    std::map<std::uint8_t, int> queryCounts_;
    std::vector<CommandSeen> commands_;
    std::vector<QuerySeen> queries_;
};

} // namespace mnm
