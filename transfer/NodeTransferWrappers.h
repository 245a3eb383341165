// Fixed-purpose requests of the receive and send sequences.
#pragma once

#include <chrono>
#include <cstdint>

#include "nodeconf/NodeConf.h"
#include "protocol/NodeChannel.h"

namespace mnm {


// Query 86, `text` holding kVersionTextLength + 1; true when the reply had text.
bool ReadNodeVersion(NodeChannel& channel, char* text);
// Both routing table sizes; false when either fails or is negative.
bool ReadRoutingTableSizes(NodeChannel& channel, std::uint32_t& primary, std::uint32_t& secondary);
bool ReadConnectionCount(NodeChannel& channel, std::uint32_t& count);
bool ReadDialupConnectionCount(NodeChannel& channel, std::uint32_t& count);
bool ReadDialupNumberCount(NodeChannel& channel, std::uint32_t& count);
// SMS message m (1..255) into `text` (maximum + 1 bytes), segment by segment.
bool ReadSmsMessage(NodeChannel& channel, int message, char* text, int maximum);

// index -1 clears the table; otherwise stores the entry. True on status 1.
bool WriteSmsConnection(NodeChannel& channel, int index, const SmsConnection& entry);
bool WriteDialupConnection(NodeChannel& channel, int index, const DialupConnection& entry);
bool WriteConnection(NodeChannel& channel, int index, const Connection& entry);
bool WriteNetworkFlags(NodeChannel& channel, std::uint32_t flags);
// Command 57 with 0 after a transfer: up to 5 attempts, 300 ms apart; true
// when the node acknowledged one.
bool RestoreTaskScheduler(NodeChannel& channel);
// The same after a stop or a failure: one attempt, whatever the channel's
// stop token says, waiting `wait` (rounded up to a command time-out unit) for
// the acknowledgement, so that stopping stays quick and a silent node does
// not hold the failure's report.
bool RestoreTaskSchedulerOnce(NodeChannel& channel, std::chrono::milliseconds wait);

} // namespace mnm
