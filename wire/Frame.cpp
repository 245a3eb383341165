#include "wire/Frame.h"

#include <cstring>

namespace mnm {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
// Payload and check characters of the longest frame that can pass the check.
constexpr int kMaxCheckedCharacters = 2 * (kMaxPayload + 2);
static_assert(kMaxCheckedCharacters <= kFrameReceiverCapacity);

void PutHex(std::uint8_t*& out, std::uint8_t value)
{
    *out++ = static_cast<std::uint8_t>(kHexDigits[value >> 4]);
    *out++ = static_cast<std::uint8_t>(kHexDigits[value & 0x0F]);
}

bool IsAnyHexDigit(std::uint8_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// In the length field lower-case letters are accepted but count as 0.
int LengthDigitValue(std::uint8_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

// Payload and check digits: upper case only; -1 for anything else.
int StrictDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void StartHunting(FrameReceiver& r)
{
    r.state = kFrameHunting;
    r.remaining = 0;
    r.count = 0;
}

} // namespace

int FrameEncode(std::uint8_t* out, const std::uint8_t* payload, int length)
{
    if (out == nullptr || payload == nullptr)
        return -2;
    if (length < 0 || length > kMaxEncodablePayload)
        return -1;
    std::uint8_t* p = out;
    for (int i = 0; i < 4; ++i)
        *p++ = kSyn;
    *p++ = kStx;
    auto sum = static_cast<std::uint8_t>(length);
    auto xorCheck = static_cast<std::uint8_t>(length);
    PutHex(p, static_cast<std::uint8_t>(length));
    for (int i = 0; i < length; ++i) {
        sum = static_cast<std::uint8_t>(sum + payload[i]);
        xorCheck ^= payload[i];
        PutHex(p, payload[i]);
    }
    PutHex(p, sum);
    PutHex(p, xorCheck);
    *p++ = kEtx;
    *p = 0;
    return FrameLength(length);
}

int FrameReceiverFeed(FrameReceiver& r, std::uint8_t b)
{
    switch (r.state) {
    case kFrameComplete:
        return 0;
    case kFrameHunting:
        if (b == kSyn)
            r.state = kFrameOneSyn;
        break;
    case kFrameOneSyn:
        r.state = b == kSyn ? kFrameSyns : kFrameHunting;
        break;
    case kFrameSyns:
        if (b == kStx)
            r.state = kFrameLengthHigh;
        else if (b != kSyn)
            r.state = kFrameHunting;
        break;
    case kFrameLengthHigh:
        if (IsAnyHexDigit(b)) {
            r.remaining = LengthDigitValue(b) * 16; // the high digit, kept until the low one
            r.state = kFrameLengthLow;
        } else {
            StartHunting(r);
        }
        break;
    case kFrameLengthLow:
        if (IsAnyHexDigit(b)) {
            const int length = r.remaining + LengthDigitValue(b);
            r.remaining = 2 * length + 4;
            r.count = 0;
            r.state = kFrameCollecting;
        } else {
            StartHunting(r);
        }
        break;
    case kFrameCollecting:
        if (r.remaining == 0) {
            if (b == kEtx)
                r.state = kFrameComplete;
            else
                StartHunting(r);
        } else if (IsAnyHexDigit(b)) {
            // A length field may announce up to 514 characters; only the
            // first 256 are kept. Such a frame is always too long to pass
            // the check, which looks at the count before any character.
            if (r.count < kFrameReceiverCapacity)
                r.characters[r.count] = static_cast<char>(b);
            ++r.count;
            --r.remaining;
        } else {
            StartHunting(r);
        }
        break;
    default:
        StartHunting(r);
        break;
    }
    return 1;
}

int FrameReceiverPeek(const FrameReceiver& r, std::uint8_t* payload)
{
    if (r.state != kFrameComplete)
        return kFrameNotComplete;
    if (r.count % 2 != 0)
        return kFrameOddLength;
    if (r.count > kMaxCheckedCharacters)
        return kFrameTooLong;
    if (r.count < 4)
        return kFrameBadDigits;

    const int n = r.count / 2;
    std::uint8_t bytes[kMaxCheckedCharacters / 2];
    for (int i = 0; i < n; ++i) {
        const int high = StrictDigitValue(r.characters[2 * i]);
        const int low = StrictDigitValue(r.characters[2 * i + 1]);
        if (high < 0 || low < 0)
            return kFrameBadDigits;
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    const int length = n - 2;
    auto sum = static_cast<std::uint8_t>(length);
    auto xorCheck = static_cast<std::uint8_t>(length);
    for (int i = 0; i < length; ++i) {
        sum = static_cast<std::uint8_t>(sum + bytes[i]);
        xorCheck ^= bytes[i];
    }
    if (sum != bytes[n - 2])
        return kFrameBadSum;
    if (xorCheck != bytes[n - 1])
        return kFrameBadXor;
    if (payload != nullptr && length > 0)
        std::memcpy(payload, bytes, static_cast<size_t>(length));
    return length;
}

int FrameReceiverTake(FrameReceiver& r, std::uint8_t* payload)
{
    if (r.state != kFrameComplete)
        return kFrameNotComplete;
    const int result = FrameReceiverPeek(r, payload);
    StartHunting(r);
    return result;
}

} // namespace mnm
