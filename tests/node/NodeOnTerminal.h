// One virtual node on a pseudo-terminal and one link thread for the whole
// test program, as in the real program; each test starts from a fresh node.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/VirtualNode.h"

namespace mnm {

VirtualNode& TestNode();

class OnNode : public ::testing::Test {
protected:
    void SetUp() override { TestNode().Reset(); }
};

inline std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

} // namespace mnm
