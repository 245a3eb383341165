#include "nodeconf/NumberText.h"

#include <cstring>

namespace mnm {

bool IsPunct(char c)
{
    return c != '\0' && std::strchr("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", c) != nullptr;
}

bool IsAllDigits(std::string_view text)
{
    if (text.empty()) return false;
    for (char c : text)
        if (!IsDigit(c)) return false;
    return true;
}

bool TakeDigits(std::string_view& text, std::uint32_t& value)
{
    if (text.empty() || !IsDigit(text.front())) return false;
    std::uint64_t v = 0;
    std::size_t i = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        v = v * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (v > kNumberCap) v = kNumberCap;
    }
    text.remove_prefix(i);
    value = static_cast<std::uint32_t>(v);
    return true;
}

std::uint32_t DigitsValue(std::string_view digits)
{
    std::uint32_t value = 0;
    TakeDigits(digits, value);
    return value;
}

bool ScanInt(std::string_view& text, int& value)
{
    std::string_view rest = text;
    while (!rest.empty() && IsSpace(rest.front())) rest.remove_prefix(1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    std::uint32_t magnitude = 0;
    if (!TakeDigits(rest, magnitude)) return false;
    value = negative ? -static_cast<int>(magnitude) : static_cast<int>(magnitude);
    text = rest;
    return true;
}

std::string DigitsAsNumber(std::string_view digits)
{
    std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return "0";
    return std::string(digits.substr(first));
}

} // namespace mnm
