// A node on a pseudo-terminal, answering queries from replies it holds and
// acknowledging commands. Its answers can be changed while it runs, for tests.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mnm {

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

    // The reply data for query (code, p1, p2); without one the query is not answered.
    void SetQueryReply(std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                       std::vector<std::uint8_t> data);
    // Replies used in turn, the last one repeating.
    void SetQueryReplies(std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                         std::vector<std::vector<std::uint8_t>> replies);
    void ClearQueryReply(std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
    // Statuses for command `code`, used in turn (the last one repeats); none = 1.
    void SetCommandStatuses(std::uint8_t code, std::vector<int> statuses);
    // Sends a raw payload to the program, framed (for stray or malformed frames).
    void SendPayload(const std::vector<std::uint8_t>& payload);

    // What arrived: every command's sequence number and code, in order.
    struct CommandSeen {
        int sequence;
        std::uint8_t code;
        std::vector<std::uint8_t> data;
    };
    std::vector<CommandSeen> Commands() const;
    int QueryCount(std::uint8_t code) const;

private:
    void Serve();
    void Handle(const std::uint8_t* payload, int length);
    void Write(const std::vector<std::uint8_t>& payload);

    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;

    mutable std::mutex lock_; // guards everything below
    std::map<std::uint32_t, std::vector<std::vector<std::uint8_t>>> replies_;
    std::map<std::uint32_t, std::size_t> replyUse_;
    std::map<std::uint8_t, std::vector<int>> statuses_;
    std::map<std::uint8_t, std::size_t> statusUse_;
    std::map<std::uint8_t, int> queryCounts_;
    std::vector<CommandSeen> commands_;
};

} // namespace mnm
