// Reading whole numbers out of the texts users type. Digit runs are read in
// full, whatever their length, but saturate at kNumberCap, so an absurdly long
// run can never wrap around into a value that passes a range check.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mnm {

// Above every limit of the configuration model.
inline constexpr std::uint32_t kNumberCap = 999'999'999u;

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// POSIX locale classes: the rules must not change with the user's locale.
inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsPunct(char c);

// True for a non-empty text of decimal digits only.
bool IsAllDigits(std::string_view text);

// Reads the run of digits at the front of text and removes it; returns false
// (text untouched) when text does not start with a digit.
bool TakeDigits(std::string_view& text, std::uint32_t& value);

// The value of an all-digit text (IsAllDigits must hold).
std::uint32_t DigitsValue(std::string_view digits);

// Like scanf's "%d": skips white space, an optional sign, then digits.
// Removes what it read; false (text untouched) when no digits follow.
bool ScanInt(std::string_view& text, int& value);

// The decimal value of an all-digit text, exact at any length (leading
// zeros dropped), for messages that quote what was typed.
std::string DigitsAsNumber(std::string_view digits);

} // namespace mnm
