#include "tests/wire/EncodedFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mnm;

namespace {

using Bytes = std::vector<std::uint8_t>;

// SYN SYN SYN SYN STX, the text, ETX.
Bytes Framed(const std::string& text, int syns = 4)
{
    Bytes b(static_cast<size_t>(syns), kSyn);
    b.push_back(kStx);
    b.insert(b.end(), text.begin(), text.end());
    b.push_back(kEtx);
    return b;
}

void Feed(FrameReceiver& r, const Bytes& bytes)
{
    for (std::uint8_t b : bytes)
        FrameReceiverFeed(r, b);
}

// Feeds the bytes to a fresh receiver and takes what it found.
int Receive(const Bytes& bytes, Bytes* payload = nullptr)
{
    FrameReceiver r;
    Feed(r, bytes);
    std::uint8_t buffer[kMaxPayload];
    const int n = FrameReceiverTake(r, buffer);
    if (payload != nullptr && n >= 0)
        payload->assign(buffer, buffer + n);
    return n;
}

} // namespace

TEST(FrameEncode, WritesPreambleHexTextChecksAndEtx)
{
    EXPECT_EQ(Framed("0501004400004A40"), Encode({0x01, 0x00, 0x44, 0x00, 0x00}));
    EXPECT_EQ(Framed("000000"), Encode({}));
    // Sum wraps modulo 256; XOR of equal bytes cancels.
    EXPECT_EQ(Framed("02FFFF0002"), Encode({0xFF, 0xFF}));
    EXPECT_EQ(Framed("01ABACAA"), Encode({0xAB}));
}

TEST(FrameEncode, RejectsMissingPointersAndBadLengthsWritingNothing)
{
    std::uint8_t out[kFrameEncodeBufferSize] = {0x55};
    const std::uint8_t payload[kMaxEncodablePayload + 1] = {};
    EXPECT_EQ(-2, FrameEncode(nullptr, payload, 1));
    EXPECT_EQ(-2, FrameEncode(out, nullptr, 1));
    EXPECT_EQ(-1, FrameEncode(out, payload, -1));
    EXPECT_EQ(-1, FrameEncode(out, payload, kMaxEncodablePayload + 1));
    EXPECT_EQ(0x55, out[0]);
    EXPECT_EQ(FrameLength(kMaxEncodablePayload), FrameEncode(out, payload, kMaxEncodablePayload));
    EXPECT_EQ(kMaxFrame, FrameEncode(out, payload, kMaxPayload));
}

TEST(FrameReceiver, ReceivesEncodedFramesOfEveryLength)
{
    for (int length = 0; length <= kMaxPayload; ++length) {
        Bytes payload;
        for (int i = 0; i < length; ++i)
            payload.push_back(static_cast<std::uint8_t>(i * 37 + length));
        Bytes got;
        ASSERT_EQ(length, Receive(Encode(payload), &got)) << length;
        EXPECT_EQ(payload, got);
    }
}

TEST(FrameReceiver, PreambleNeedsTwoSynsAndSkipsNoise)
{
    const std::string text = "0501004400004A40";
    struct Case { const char* what; Bytes bytes; int result; };
    Bytes noisy = {'x', 0x03, 0x16, 'A', 0x02};
    const Bytes good = Framed(text);
    noisy.insert(noisy.end(), good.begin(), good.end());
    const Case cases[] = {
        {"two SYNs", Framed(text, 2), 5},
        {"many SYNs", Framed(text, 9), 5},
        {"one SYN", Framed(text, 1), kFrameNotComplete},
        {"no SYN", Framed(text, 0), kFrameNotComplete},
        {"noise first", noisy, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, Receive(c.bytes)) << c.what;
}

TEST(FrameReceiver, BrokenFrameIsDroppedAndTheNextOneFound)
{
    Bytes bytes = Framed("0501004400004A40");
    bytes.back() = 'X'; // where ETX belongs
    const Bytes next = Encode({0x02, 0x07});
    bytes.insert(bytes.end(), next.begin(), next.end());
    Bytes got;
    EXPECT_EQ(2, Receive(bytes, &got));
    EXPECT_EQ((Bytes{0x02, 0x07}), got);

    // A non-hexadecimal byte inside the text breaks the frame too, and is not
    // taken as the start of the next one.
    Bytes broken = Framed("05010044");
    broken.pop_back();
    broken.push_back(kSyn);
    const Bytes after = Framed("0501004400004A40", 1); // needs the breaking SYN to count
    broken.insert(broken.end(), after.begin(), after.end());
    EXPECT_EQ(kFrameNotComplete, Receive(broken));
}

TEST(FrameReceiver, CheckResults)
{
    struct Case { const char* what; std::string text; int result; };
    const Case cases[] = {
        {"good", "0501004400004A40", 5},
        {"empty payload", "000000", 0},
        {"wrong sum", "0501004400004B40", kFrameBadSum},
        {"wrong xor", "0501004400004A41", kFrameBadXor},
        {"lower-case payload digit", "020a0B0000", kFrameBadDigits},
        {"lower-case check digit", "0501004400004a40", kFrameBadDigits},
        // In the length field a lower-case letter counts as 0: "0a" announces
        // no payload, so four characters follow.
        {"lower-case length digit", "0a0000", 0},
        {"lower-case high length digit", "a501004400004A40", 5},
        {"non-digit length", "0G01004400004A40", kFrameNotComplete},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, Receive(Framed(c.text))) << c.what;
}

TEST(FrameReceiver, NinetyNineBytePayloadIsTooLong)
{
    const std::uint8_t payload[99] = {};
    std::uint8_t frame[kFrameEncodeBufferSize];
    const int n = FrameEncode(frame, payload, 99);
    EXPECT_EQ(kFrameTooLong, Receive(Bytes(frame, frame + n)));
}

TEST(FrameReceiver, AnnouncedLengthsBeyondTheStoreNeverOverrunAndNeverPass)
{
    // Up to 255 bytes announced: 514 characters, more than the 256 kept.
    for (int length : {127, 128, 200, 255}) {
        Bytes bytes(4, kSyn);
        bytes.push_back(kStx);
        const char hex[] = "0123456789ABCDEF";
        bytes.push_back(static_cast<std::uint8_t>(hex[length >> 4]));
        bytes.push_back(static_cast<std::uint8_t>(hex[length & 15]));
        bytes.insert(bytes.end(), static_cast<size_t>(2 * length + 4), 'F');
        bytes.push_back(kEtx);
        FrameReceiver r;
        Feed(r, bytes);
        ASSERT_EQ(kFrameComplete, r.state) << length;
        EXPECT_EQ(kFrameTooLong, FrameReceiverPeek(r, nullptr));
        EXPECT_EQ(kFrameTooLong, FrameReceiverTake(r, nullptr));
        EXPECT_EQ(kFrameHunting, r.state);
    }
}

TEST(FrameReceiver, BadFrameIsConsumedAndTheNextReceivedNormally)
{
    FrameReceiver r;
    Feed(r, Framed("0501004400004B40"));
    EXPECT_EQ(kFrameBadSum, FrameReceiverTake(r, nullptr));
    Feed(r, Encode({0x09}));
    std::uint8_t payload[kMaxPayload] = {};
    EXPECT_EQ(1, FrameReceiverTake(r, payload));
    EXPECT_EQ(0x09, payload[0]);
}

TEST(FrameReceiver, CompleteFrameWaitsAndDropsWhatArrivesMeanwhile)
{
    FrameReceiver r;
    std::uint8_t payload[kMaxPayload] = {};
    EXPECT_EQ(kFrameNotComplete, FrameReceiverTake(r, payload));

    Feed(r, Encode({0x01}));
    // Peeking checks without consuming.
    EXPECT_EQ(1, FrameReceiverPeek(r, nullptr));
    EXPECT_EQ(1, FrameReceiverPeek(r, payload));
    EXPECT_EQ(0x01, payload[0]);

    const Bytes second = Encode({0x02});
    for (std::uint8_t b : second)
        EXPECT_EQ(0, FrameReceiverFeed(r, b));
    EXPECT_EQ(1, FrameReceiverTake(r, payload));
    EXPECT_EQ(0x01, payload[0]);
    EXPECT_EQ(kFrameNotComplete, FrameReceiverTake(r, payload));

    // An incomplete frame is not reset by anything but a breaking byte.
    const Bytes third = Encode({0x03});
    Feed(r, Bytes(third.begin(), third.begin() + 8));
    EXPECT_EQ(kFrameNotComplete, FrameReceiverTake(r, payload));
    EXPECT_EQ(1, FrameReceiverFeed(r, third[8]));
    Feed(r, Bytes(third.begin() + 9, third.end()));
    EXPECT_EQ(1, FrameReceiverTake(r, payload));
    EXPECT_EQ(0x03, payload[0]);
}
