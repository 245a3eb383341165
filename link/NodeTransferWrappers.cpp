#include "link/NodeTransferWrappers.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "link/NodeCodes.h"
#include "link/NodeTypedCommands.h"
#include "link/NodeTypedQueries.h"
#include "link/WireRecords.h"

namespace mnm {
namespace {

constexpr int kReadRetries = 30;
constexpr int kCountAttempts = 30;
constexpr int kMaxSegment = 255; // p1 is one byte

bool ReadCount(std::uint8_t code, std::uint8_t p1, std::uint32_t& count)
{
    return NodeQueryU32Retry(code, p1, 0, kCountAttempts, count) &&
           static_cast<std::int32_t>(count) >= 0;
}

// Clears with no data (or `clearData`) for index -1, else index and record.
bool WriteEntry(std::uint8_t code, int index, const std::uint8_t* wire, int wireSize,
                int clearLength)
{
    std::uint8_t data[2 + kSmsConnectionWireSize] = {};
    int length = clearLength;
    if (index >= 0) {
        PutU16(data, static_cast<std::uint32_t>(index));
        std::memcpy(data + 2, wire, static_cast<std::size_t>(wireSize));
        length = 2 + wireSize;
    }
    return NodeCommandRetry(code, data, length) == kStatusAccepted;
}

} // namespace

bool ReadNodeVersion(char* text)
{
    int declared = 0;
    return NodeQueryText(query::kVersion, 0, 0, TextForm::kPlain, kReadRetries, text,
                         kVersionTextLength, declared) &&
           declared >= 1;
}

bool ReadRoutingTableSizes(std::uint32_t& primary, std::uint32_t& secondary)
{
    return ReadCount(query::kRouteTableSize, 1, primary) &&
           ReadCount(query::kRouteTableSize, 2, secondary);
}

bool ReadConnectionCount(std::uint32_t& count) { return ReadCount(query::kConnectionCount, 0, count); }
bool ReadDialupConnectionCount(std::uint32_t& count)
{
    return ReadCount(query::kDialupConnectionCount, 0, count);
}
bool ReadDialupNumberCount(std::uint32_t& count) { return ReadCount(query::kDialupNumberCount, 0, count); }

bool ReadSmsMessage(int message, char* text, int maximum)
{
    int have = 0;
    text[0] = '\0';
    for (int segment = 0; segment <= kMaxSegment; ++segment) {
        char part[kSmsSegmentLength + 1];
        int declared = 0;
        if (!NodeQueryText(query::kSmsMessageSegment, static_cast<std::uint8_t>(segment),
                           static_cast<std::uint8_t>(message), TextForm::kCounted, kReadRetries,
                           part, kSmsSegmentLength, declared))
            return false;
        const int partLength = static_cast<int>(std::strlen(part));
        const long long total = static_cast<long long>(declared) + kSmsSegmentLength * segment;
        if (have + partLength > maximum || total > maximum) return false;
        std::memcpy(text + have, part, static_cast<std::size_t>(partLength) + 1);
        have += partLength;
        if (have > total) return false;
        if (have == total) return true;
        // A segment that adds nothing would ask for the same text for ever.
        if (partLength == 0) return false;
    }
    return false;
}

bool WriteSmsConnection(int index, const SmsConnection& entry)
{
    std::uint8_t wire[kSmsConnectionWireSize];
    EncodeSmsConnection(entry, wire);
    return WriteEntry(command::kSmsConnection, index, wire, kSmsConnectionWireSize, 0);
}

bool WriteDialupConnection(int index, const DialupConnection& entry)
{
    std::uint8_t wire[kDialupConnectionWireSize];
    EncodeDialupConnection(entry, wire);
    // The clear request carries the two bytes 00 00.
    return WriteEntry(command::kDialupConnection, index, wire, kDialupConnectionWireSize, 2);
}

bool WriteConnection(int index, const Connection& entry)
{
    std::uint8_t wire[kConnectionWireSize];
    EncodeConnection(entry, wire);
    return WriteEntry(command::kConnection, index, wire, kConnectionWireSize, 0);
}

bool WriteNetworkFlags(std::uint32_t flags)
{
    return NodeCommandU32Retry(command::kNetworkFlags, flags, kDefaultCommandAttempts) ==
           kStatusAccepted;
}

bool RestoreTaskScheduler()
{
    constexpr int kAttempts = 5;
    constexpr int kTimeoutFactor = 60;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (NodeCommandU8(command::kTaskScheduler, 0, kTimeoutFactor) >= 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    return false;
}

} // namespace mnm
