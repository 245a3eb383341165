// Commands by data shape, and the retry wrappers around them.
#pragma once

#include <cstdint>

#include "protocol/NodeChannel.h"

namespace mnm {

inline constexpr int kDefaultCommandAttempts = 10;

int NodeCommandU8(NodeChannel& channel, std::uint8_t code, std::uint8_t value, int timeoutFactor = -1);
// kTransportBadRequest for a value outside 0..65535.
int NodeCommandU16(NodeChannel& channel, std::uint8_t code, int value, int timeoutFactor = -1);
int NodeCommandU32(NodeChannel& channel, std::uint8_t code, std::uint32_t value);
int NodeCommandU32Retry(NodeChannel& channel, std::uint8_t code, std::uint32_t value, int attempts = -1);
int NodeCommandIndexedU32(NodeChannel& channel, std::uint8_t code, int index, std::uint32_t value);
int NodeCommandText(NodeChannel& channel, std::uint8_t code, const char* text, int timeoutFactor = -1);
// kInternalNcpStringTooLong for a text longer than 128 characters.
int NodeCommandIndexedText(NodeChannel& channel, std::uint8_t code, int index, const char* text, int timeoutFactor = -1);
// Repeats while the result is negative, at most `attempts` (-1 means 10).
int NodeCommandRetry(NodeChannel& channel, std::uint8_t code, const std::uint8_t* data, int length, int attempts = -1,
                     int timeoutFactor = -1);
int NodeCommandIndexedTextRetry(NodeChannel& channel, std::uint8_t code, int index, const char* text, int attempts = -1);

} // namespace mnm
