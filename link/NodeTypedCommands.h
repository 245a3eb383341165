// Commands by data shape, and the retry wrappers around them.
#pragma once

#include <cstdint>

namespace mnm {

inline constexpr int kDefaultCommandAttempts = 10;

int NodeCommandU8(std::uint8_t code, std::uint8_t value, int timeoutFactor = -1);
// -1 for a value outside 0..65535.
int NodeCommandU16(std::uint8_t code, int value, int timeoutFactor = -1);
int NodeCommandU32(std::uint8_t code, std::uint32_t value);
int NodeCommandU32Retry(std::uint8_t code, std::uint32_t value, int attempts = -1);
int NodeCommandIndexedU32(std::uint8_t code, int index, std::uint32_t value);
int NodeCommandText(std::uint8_t code, const char* text, int timeoutFactor = -1);
// -9452 for a text longer than 128 characters.
int NodeCommandIndexedText(std::uint8_t code, int index, const char* text, int timeoutFactor = -1);
// Repeats while the result is negative, at most `attempts` (-1 means 10).
int NodeCommandRetry(std::uint8_t code, const std::uint8_t* data, int length, int attempts = -1,
                     int timeoutFactor = -1);
int NodeCommandIndexedTextRetry(std::uint8_t code, int index, const char* text, int attempts = -1);

} // namespace mnm
