// Fixed-purpose requests of the receive and send sequences.
#pragma once

#include <cstdint>

#include "nodeconf/NodeConf.h"

namespace mnm {

inline constexpr int kVersionTextLength = 64;
inline constexpr int kSmsSegmentLength = 32;

// Query 86, `text` holding kVersionTextLength + 1; true when the reply had text.
bool ReadNodeVersion(char* text);
// Both routing table sizes; false when either fails or is negative.
bool ReadRoutingTableSizes(std::uint32_t& primary, std::uint32_t& secondary);
bool ReadConnectionCount(std::uint32_t& count);
bool ReadDialupConnectionCount(std::uint32_t& count);
bool ReadDialupNumberCount(std::uint32_t& count);
// SMS message m (1..255) into `text` (maximum + 1 bytes), segment by segment.
bool ReadSmsMessage(int message, char* text, int maximum);

// index -1 clears the table; otherwise stores the entry. True on status 1.
bool WriteSmsConnection(int index, const SmsConnection& entry);
bool WriteDialupConnection(int index, const DialupConnection& entry);
bool WriteConnection(int index, const Connection& entry);
bool WriteNetworkFlags(std::uint32_t flags);
// Command 57 with 0 after a transfer: up to 5 attempts, 300 ms apart; true
// when the node acknowledged one.
bool RestoreTaskScheduler();

} // namespace mnm
