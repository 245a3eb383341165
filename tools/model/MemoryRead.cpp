#include "tools/model/MemoryRead.h"

#include <array>
#include <cstdio>
#include <limits>

namespace mnm::tools {

namespace {

// Addresses are read into a 32-bit unsigned number, as the node's tools do.
constexpr std::uint64_t kLargestReadable = std::numeric_limits<std::uint32_t>::max();
constexpr int kHexBase = 16;
constexpr int kDecBase = 10;
constexpr int kHexLetterValue = 10; // 'A'

// One byte standing for the whole block: memory that reads all alike.
constexpr int kUniformReplyLength = 1;

int DigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + kHexLetterValue;
    if (c >= 'a' && c <= 'f') return c - 'a' + kHexLetterValue;
    return -1;
}

} // namespace

AddressRead ReadAddress(std::string_view text, AddressBase base)
{
    if (text.empty()) return {AddressCheck::kEmpty};
    bool letters = false;
    for (const char c : text) {
        const int digit = DigitValue(c);
        if (digit < 0) return {AddressCheck::kInvalidDigits};
        letters = letters || digit >= kDecBase;
    }
    if (letters && base == AddressBase::kDec) return {AddressCheck::kHexInDecimal};
    const std::uint64_t radix = base == AddressBase::kHex ? kHexBase : kDecBase;
    std::uint64_t value = 0;
    for (const char c : text) {
        value = value * radix + static_cast<std::uint64_t>(DigitValue(c));
        if (value > kLargestReadable) return {AddressCheck::kUnreadable};
    }
    // The worker would read another page there (the page number wraps).
    if (value > kHighestMemoryAddress) return {AddressCheck::kBeyondMemory};
    return {AddressCheck::kOk, static_cast<int>(value)};
}

std::string AddressMessage(AddressCheck check)
{
    switch (check) {
    case AddressCheck::kOk: return {};
    case AddressCheck::kEmpty: return "Address Field is empty";
    case AddressCheck::kInvalidDigits: return "Address Field contains invalid digits";
    case AddressCheck::kHexInDecimal: return "Address Field contains hexadecimal digits, but decimal has been selected";
    case AddressCheck::kUnreadable: return "Could not parse Address Field";
    case AddressCheck::kBeyondMemory: {
        std::array<char, 64> text{};
        std::snprintf(text.data(), text.size(), "Address Field is beyond the node's memory (%lX)",
                      static_cast<unsigned long>(kHighestMemoryAddress));
        return text.data();
    }
    }
    return {};
}

std::optional<std::string> MemoryResultLine(const MemoryReply& reply)
{
    if (reply.length != kUniformReplyLength && reply.length != kMemoryBlockSize) return std::nullopt;
    // Room for any address the reply may carry, though only 20-bit ones are asked for.
    std::array<char, 24> head{};
    std::snprintf(head.data(), head.size(), "%06lX  ", static_cast<unsigned long>(reply.baseAddress));
    std::string line = head.data();
    for (int i = 0; i < kMemoryBlockSize; ++i) {
        const std::uint8_t byte = reply.bytes[reply.length == kUniformReplyLength ? 0 : static_cast<std::size_t>(i)];
        std::array<char, 4> text{}; // " %02X"
        std::snprintf(text.data(), text.size(), " %02X", byte);
        line += text.data();
    }
    return line;
}

} // namespace mnm::tools
