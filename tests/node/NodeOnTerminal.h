// One virtual node on a pseudo-terminal and one link thread for the whole
// test program, as in the real program; each test starts from a fresh node.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "protocol/NodeChannel.h"
#include "sim/VirtualNode.h"
#include "transfer/ProgressWord.h"

namespace mnm {

VirtualNode& TestNode();
// A channel on the program's link, with the settings' default budgets.
NodeChannel& TestChannel();
// Budgets in milliseconds, as the settings give them.
void SetTestBudgets(int queryMs, int flashMs);

class OnNode : public ::testing::Test {
protected:
    void SetUp() override { TestNode().Reset(); }
};

inline std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

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
