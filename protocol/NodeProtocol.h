// The request/response layer over a line: one query or one command at a
// time, matched by its echo, within the channel's budgets. Every wait
// honours the channel's stop token and then returns kTransportCancelled.
// Called from the thread that owns the channel only.
#pragma once

#include <chrono>
#include <cstdint>

#include "nodeconf/ResultCodes.h"
#include "protocol/NodeChannel.h"
#include "protocol/TransportResult.h"

namespace mnm {

inline constexpr int kReplyBufferSize = 256;
inline constexpr int kDefaultTimeoutFactor = 18;
// A command waits timeoutFactor times this for its acknowledgement.
inline constexpr int kChecksPerTimeoutUnit = 16;
inline constexpr std::chrono::milliseconds kCommandTimeoutUnit{kChecksPerTimeoutUnit * kMsPerPoll};
inline constexpr int kCommandDataLimit = 128;        // data of this length or more is refused
inline constexpr int kIndexedTextLimit = 128;

// Copies the reply data (n bytes, n <= kMaxQueryReplyData) into `reply`
// (kReplyBufferSize bytes) and returns n; kTransportNotQueued,
// kTransportNoReply or kTransportCancelled.
int NodeQuery(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
              std::uint8_t* reply);

// Returns the acknowledgement's status (0..255), or a negative code.
// timeoutFactor -1 means kDefaultTimeoutFactor.
int NodeCommand(NodeChannel& channel, std::uint8_t code, const std::uint8_t* data, int length,
                int timeoutFactor = -1);

// A command that makes the node write its flash: resent while refused (at
// most 4 sends); status 9 is followed by polling the flash state until it
// stops saying "still writing". failureLimit -1 means 4 consecutive failed
// polls. Returns the final status or state (1 = written), kTransportNoAck
// without an acknowledgement or when the node is still writing after the
// command's own time-out, kTransportFlashFailed after too many failed polls.
int NodeFlashCommand(NodeChannel& channel, std::uint8_t code, const std::uint8_t* data, int length,
                     int failureLimit = -1);

} // namespace mnm
