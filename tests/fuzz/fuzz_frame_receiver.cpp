// Feeds arbitrary bytes to the frame receiver. Every payload it delivers must
// re-encode to the bytes that carried it: the same payload and check digits,
// a length field of the same value, at least two SYNs before the STX.
//
// Valid checks are hard to hit by chance, so an input whose first byte is odd
// is read as a script instead: each control byte c below 0x80 encodes the next
// c % 100 bytes as a frame, any other copies the next c & 0x7F bytes as they
// stand; the resulting stream of frames and noise is what gets fed.
#include "wire/Frame.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace mnm;

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// The receiver reads a lower-case letter in the length field as 0.
std::uint8_t LengthDigit(std::uint8_t c)
{
    return (c >= 'a' && c <= 'f') ? '0' : c;
}

void CheckDelivered(const std::uint8_t* data, size_t stx, size_t etx, const std::uint8_t* payload,
                    int length)
{
    std::uint8_t frame[kFrameEncodeBufferSize];
    const int n = FrameEncode(frame, payload, length);
    Require(n == FrameLength(length));
    // From STX to ETX the input is the encoded frame from its offset 4.
    Require(etx - stx + 1 == static_cast<size_t>(n - 4));
    Require(stx >= 2 && data[stx - 1] == kSyn && data[stx - 2] == kSyn);
    Require(data[stx] == frame[4]);
    Require(LengthDigit(data[stx + 1]) == frame[5] && LengthDigit(data[stx + 2]) == frame[6]);
    Require(std::memcmp(data + stx + 3, frame + 7, static_cast<size_t>(n - 7)) == 0);
}

std::vector<std::uint8_t> Script(const std::uint8_t* data, size_t size)
{
    std::vector<std::uint8_t> stream;
    size_t i = 1;
    while (i < size) {
        const std::uint8_t c = data[i++];
        const bool frame = c < 0x80;
        const size_t n = std::min<size_t>(frame ? c % 100 : c & 0x7F, size - i);
        if (frame) {
            std::uint8_t encoded[kFrameEncodeBufferSize];
            const int length = FrameEncode(encoded, data + i, static_cast<int>(n));
            stream.insert(stream.end(), encoded, encoded + length);
        } else {
            stream.insert(stream.end(), data + i, data + i + n);
        }
        i += n;
    }
    return stream;
}

void Run(const std::uint8_t* data, size_t size)
{
    FrameReceiver receiver;
    size_t stx = 0;
    for (size_t i = 0; i < size; ++i) {
        const std::int32_t before = receiver.state;
        Require(FrameReceiverFeed(receiver, data[i]) == 1);
        Require(receiver.count >= 0);
        if (before == kFrameSyns && receiver.state == kFrameLengthHigh)
            stx = i;
        if (receiver.state != kFrameComplete)
            continue;

        std::uint8_t peeked[kMaxPayload];
        std::uint8_t taken[kMaxPayload];
        const int peek = FrameReceiverPeek(receiver, peeked);
        Require(receiver.state == kFrameComplete);
        Require(FrameReceiverFeed(receiver, 0x16) == 0); // dropped while complete
        const int take = FrameReceiverTake(receiver, taken);
        Require(receiver.state == kFrameHunting);
        Require(peek == take);
        Require(take >= kFrameBadXor && take <= kMaxPayload && take != kFrameNotComplete);
        if (take >= 0) {
            Require(std::memcmp(peeked, taken, static_cast<size_t>(take)) == 0);
            CheckDelivered(data, stx, i, taken, take);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size > 0 && (data[0] & 1)) {
        const std::vector<std::uint8_t> stream = Script(data, size);
        Run(stream.data(), stream.size());
    } else {
        Run(data, size);
    }
    return 0;
}
