// The request/response layer over the link: one query or one command at a
// time, matched by its echo, with poll budgets taken from the settings.
// Called from the communication worker thread only.
#pragma once

#include <cstdint>

namespace mnm {

inline constexpr int kReplyBufferSize = 256;
inline constexpr int kMaxQueryReplyData = 93;
inline constexpr int kMaxCommandData = 93;
inline constexpr int kDefaultTimeoutFactor = 18;
inline constexpr int kMaxSequenceNumber = 32766;

// Results (errors travel as these codes).
inline constexpr int kErrQueryNotQueued = -1;
inline constexpr int kErrNoReply = -2;
inline constexpr int kErrWrongLength = -1;
inline constexpr int kErrNoAck = -7651;
inline constexpr int kErrCommandTooLong = -9451;   // "(Internal Error)\nNCP Buffer too long"
inline constexpr int kErrIndexedTextTooLong = -9452; // "(Internal Error)\nNCP String too long"
inline constexpr int kCommandDataLimit = 128;      // data of this length or more is refused
inline constexpr int kIndexedTextLimit = 128;

// Copies the reply data (n bytes, n <= kMaxQueryReplyData) into `reply`
// (kReplyBufferSize bytes) and returns n; -1 when the request could not be
// queued, -2 when no matching reply came within the poll budget.
int NodeQuery(std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint8_t* reply);

// Returns the acknowledgement's status (0..255), or a negative code.
// timeoutFactor -1 means kDefaultTimeoutFactor.
int NodeCommand(std::uint8_t code, const std::uint8_t* data, int length, int timeoutFactor = -1);

// A command that makes the node write its flash: resent while refused (at
// most 4 sends); status 9 is followed by polling the flash state until it
// stops saying "still writing". failureLimit -1 means 4 consecutive failed
// polls. Returns the final status or state (1 = written), -1 without an
// acknowledgement, -2 after too many failed polls.
int NodeFlashCommand(std::uint8_t code, const std::uint8_t* data, int length,
                     int failureLimit = -1);

// True while a flash command waits for the node to finish writing; read by
// the status indicator from another thread.
bool NodeFlashWriting();

// Makes the next query read "NIPQueryTimeout(ms)" again (it is otherwise read
// once per process). For tests and tools that change the setting.
void ResetNodeQueryBudget();
// The sequence number the next command carries (1..kMaxSequenceNumber).
void SetNextCommandSequence(int number);
int NextCommandSequence();

} // namespace mnm
