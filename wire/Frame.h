// Frames on the serial line: a payload written as upper-case hexadecimal text
// between SYN SYN SYN SYN STX and ETX, with a length field and sum and XOR
// checks; and the receiver that finds frames in the incoming byte stream.
#pragma once

#include <cstdint>

namespace mnm {

inline constexpr std::uint8_t kSyn = 0x16;
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;

// The largest payload either direction carries.
inline constexpr int kMaxPayload = 98;
// The encoder itself accepts up to this many payload bytes.
inline constexpr int kMaxEncodablePayload = 128;

constexpr int FrameLength(int payloadLength)
{
    return 2 * payloadLength + 12;
}
inline constexpr int kMaxFrame = FrameLength(kMaxPayload); // 208
// Room for the longest frame FrameEncode writes and the NUL after it.
inline constexpr int kFrameEncodeBufferSize = FrameLength(kMaxEncodablePayload) + 1;

// Writes the frame of `length` payload bytes into `out` (which must hold
// FrameLength(length) + 1 bytes: a NUL follows the frame and is not part of
// it) and returns the frame length. -2 when a pointer is missing, -1 when
// length is outside 0..kMaxEncodablePayload; nothing is written then.
int FrameEncode(std::uint8_t* out, const std::uint8_t* payload, int length);

enum FrameReceiverState : std::int32_t {
    kFrameHunting = 0,
    kFrameOneSyn = 1,
    kFrameSyns = 2,
    kFrameLengthHigh = 3,
    kFrameLengthLow = 4,
    kFrameCollecting = 5,
    kFrameComplete = 200,
};

inline constexpr int kFrameReceiverCapacity = 256;

// One incoming frame being collected. A value-initialised receiver is hunting.
struct FrameReceiver {
    std::int32_t state = kFrameHunting;
    std::int32_t remaining = 0; // characters still to collect (while collecting)
    std::int32_t count = 0;     // payload and check characters seen so far
    char characters[kFrameReceiverCapacity] = {}; // the first of them
};
static_assert(sizeof(FrameReceiver) == 12 + kFrameReceiverCapacity);

// Results of checking a complete frame (a non-negative result is the payload length).
inline constexpr int kFrameNotComplete = -1;
inline constexpr int kFrameOddLength = -2;
inline constexpr int kFrameTooLong = -3;
inline constexpr int kFrameBadDigits = -4;
inline constexpr int kFrameBadSum = -5;
inline constexpr int kFrameBadXor = -6;

// Advances the receiver by one byte. Returns 0 (the byte is dropped) while a
// complete frame waits to be taken, else 1.
int FrameReceiverFeed(FrameReceiver& receiver, std::uint8_t byte);

// Checks the complete frame without consuming it: the payload length, with
// the payload copied to `payload` (kMaxPayload bytes, may be null), or a
// negative result above.
int FrameReceiverPeek(const FrameReceiver& receiver, std::uint8_t* payload);

// Checks like the peek, then returns the receiver to hunting whatever the
// outcome. Without a complete frame: kFrameNotComplete, nothing changed.
int FrameReceiverTake(FrameReceiver& receiver, std::uint8_t* payload);

} // namespace mnm
