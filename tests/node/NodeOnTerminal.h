// One virtual node on a pseudo-terminal and one link thread for the whole
// test program, as in the real program; each test starts from a fresh node.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "link/Link.h"
#include "protocol/NodeChannel.h"
#include "sim/VirtualNode.h"
#include "tests/Eventually.h"
#include "transfer/ProgressWord.h"

namespace mnm {

VirtualNode& TestNode();
// A channel on the test program's one link, with the settings' default budgets.
NodeChannel& TestChannel();
// That link, for a worker of a test's own.
Link& TestLink();
// Budgets in milliseconds, as the settings give them.
void SetTestBudgets(int queryMs, int flashMs);

class OnNode : public ::testing::Test {
protected:
    void SetUp() override { TestNode().Reset(); }
};

inline std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// A counted text as the node sends it: the length it declares (big-endian),
// the characters and a NUL.
inline std::vector<std::uint8_t> Counted(const std::string& s, std::uint32_t declared)
{
    std::vector<std::uint8_t> v(4 + s.size() + 1, 0);
    for (int i = 0; i < 4; ++i) v[std::size_t(i)] = std::uint8_t(declared >> (24 - 8 * i));
    std::copy(s.begin(), s.end(), v.begin() + 4);
    return v;
}
inline std::vector<std::uint8_t> Counted(const std::string& s) { return Counted(s, std::uint32_t(s.size())); }

// The commands with `code` the test node has seen, in order.
inline std::vector<VirtualNode::CommandSeen> CommandsOf(std::uint8_t code)
{
    std::vector<VirtualNode::CommandSeen> found;
    for (const auto& c : TestNode().Commands())
        if (c.code == code) found.push_back(c);
    return found;
}

// Every progress word a transfer writes, in order, repeats folded.
class RecordedProgress final : public ProgressSink {
public:
    void Set(std::uint32_t word) override
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (words_.empty() || words_.back() != word) words_.push_back(word);
    }
    std::uint32_t Word()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return words_.empty() ? kProgressNothing : words_.back();
    }
    // The words so far, and a fresh start.
    std::vector<std::uint32_t> Take()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return std::exchange(words_, {});
    }

private:
    std::mutex lock_;
    std::vector<std::uint32_t> words_;
};

} // namespace mnm
