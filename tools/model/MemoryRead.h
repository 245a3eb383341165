// Memory interrogation: reading the address an engineer typed, and the result
// line made from the node's reply.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "worker/Worker.h"

namespace mnm::tools {

// How the address is written, in the order of the page's drop-down list.
enum class AddressBase { kHex, kDec };

enum class AddressCheck {
    kOk,
    kEmpty,
    kInvalidDigits,
    kHexInDecimal,
    kUnreadable,    // more than a 32-bit number holds
    kBeyondMemory,  // the query names a 4096-byte page in one byte
};

// The node's memory as one query reaches it: 256 pages of 4096 bytes.
inline constexpr std::uint32_t kMemoryPageSize = 4096;
inline constexpr std::uint32_t kMemoryPages = 256;
inline constexpr std::uint32_t kHighestMemoryAddress = kMemoryPages * kMemoryPageSize - 1;

struct AddressRead {
    AddressCheck check = AddressCheck::kOk;
    int address = 0; // when kOk
};

AddressRead ReadAddress(std::string_view text, AddressBase base);

// What the result line says about a refused address; empty for kOk.
std::string AddressMessage(AddressCheck check);

// The result line for a memory reply: the base address, then the 64 bytes
// (a one-byte reply stands for 64 of that byte). Nothing for any other
// reply, a failed read included: the line keeps what it showed.
std::optional<std::string> MemoryResultLine(const MemoryReply& reply);

} // namespace mnm::tools
