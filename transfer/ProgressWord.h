// The progress word: the kind of transfer in the upper 16 bits, its progress
// in the lower. The transfers write it through a sink; the status indicator
// and the command line read it.
#pragma once

#include <cstdint>

namespace mnm {

inline constexpr std::uint32_t kProgressNothing = 0xFFFFFFFF;
inline constexpr std::uint32_t kProgressIdle = 0xF0000000;
inline constexpr std::uint32_t kProgressReceiving = 0xF011;
inline constexpr std::uint32_t kProgressSending = 0xF012;
inline constexpr std::uint32_t kProgressCommitting = 0xF013;
inline constexpr std::uint32_t kProgressWiping = 0xF014;
inline constexpr std::uint32_t kProgressScheduler = 0xF015;
inline constexpr std::uint32_t ProgressWord(std::uint32_t kind, std::uint32_t value)
{
    return kind << 16 | (value & 0xFFFF);
}

// Where a transfer puts its progress word; the worker's sink writes it under
// the worker lock.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Set(std::uint32_t word) = 0;
};

} // namespace mnm
