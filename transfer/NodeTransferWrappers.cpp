#include "transfer/NodeTransferWrappers.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "wire/NodeCodes.h"
#include "protocol/NodeProtocol.h"
#include "protocol/NodeTypedCommands.h"
#include "protocol/NodeTypedQueries.h"
#include "wire/WireRecords.h"

namespace mnm {
namespace {

constexpr int kReadRetries = 30;
constexpr int kCountAttempts = 30;
constexpr int kMaxSegment = 255; // p1 is one byte

bool ReadCount(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint32_t& count)
{
    return NodeQueryU32Retry(channel, code, p1, 0, kCountAttempts, count) &&
           static_cast<std::int32_t>(count) >= 0;
}

// Clears with no data (or `clearData`) for index -1, else index and record.
bool WriteEntry(NodeChannel& channel, std::uint8_t code, int index, const std::uint8_t* wire, int wireSize,
                int clearLength)
{
    std::uint8_t data[2 + kSmsConnectionWireSize] = {};
    int length = clearLength;
    if (index >= 0) {
        PutU16(data, static_cast<std::uint32_t>(index));
        std::memcpy(data + 2, wire, static_cast<std::size_t>(wireSize));
        length = 2 + wireSize;
    }
    return NodeCommandRetry(channel, code, data, length) == kStatusAccepted;
}

} // namespace

bool ReadNodeVersion(NodeChannel& channel, char* text)
{
    int declared = 0;
    return NodeQueryText(channel, query::kVersion, 0, 0, TextForm::kPlain, kReadRetries, text,
                         kVersionTextLength, declared) &&
           declared >= 1;
}

bool ReadRoutingTableSizes(NodeChannel& channel, std::uint32_t& primary, std::uint32_t& secondary)
{
    return ReadCount(channel, query::kRouteTableSize, 1, primary) &&
           ReadCount(channel, query::kRouteTableSize, 2, secondary);
}

bool ReadConnectionCount(NodeChannel& channel, std::uint32_t& count) { return ReadCount(channel, query::kConnectionCount, 0, count); }
bool ReadDialupConnectionCount(NodeChannel& channel, std::uint32_t& count)
{
    return ReadCount(channel, query::kDialupConnectionCount, 0, count);
}
bool ReadDialupNumberCount(NodeChannel& channel, std::uint32_t& count) { return ReadCount(channel, query::kDialupNumberCount, 0, count); }

bool ReadSmsMessage(NodeChannel& channel, int message, char* text, int maximum)
{
    int have = 0;
    text[0] = '\0';
    for (int segment = 0; segment <= kMaxSegment; ++segment) {
        char part[kSmsSegmentLength + 1];
        int declared = 0;
        if (!NodeQueryText(channel, query::kSmsMessageSegment, static_cast<std::uint8_t>(segment),
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

bool WriteSmsConnection(NodeChannel& channel, int index, const SmsConnection& entry)
{
    std::uint8_t wire[kSmsConnectionWireSize];
    EncodeSmsConnection(entry, wire);
    return WriteEntry(channel, command::kSmsConnection, index, wire, kSmsConnectionWireSize, 0);
}

bool WriteDialupConnection(NodeChannel& channel, int index, const DialupConnection& entry)
{
    std::uint8_t wire[kDialupConnectionWireSize];
    EncodeDialupConnection(entry, wire);
    // The clear request carries the two bytes 00 00.
    return WriteEntry(channel, command::kDialupConnection, index, wire, kDialupConnectionWireSize, 2);
}

bool WriteConnection(NodeChannel& channel, int index, const Connection& entry)
{
    std::uint8_t wire[kConnectionWireSize];
    EncodeConnection(entry, wire);
    return WriteEntry(channel, command::kConnection, index, wire, kConnectionWireSize, 0);
}

bool WriteNetworkFlags(NodeChannel& channel, std::uint32_t flags)
{
    return NodeCommandU32Retry(channel, command::kNetworkFlags, flags, kDefaultCommandAttempts) ==
           kStatusAccepted;
}

bool RestoreTaskScheduler(NodeChannel& channel)
{
    constexpr int kAttempts = 5;
    constexpr int kTimeoutFactor = 60;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0 && !channel.Pause(std::chrono::milliseconds(300))) return false;
        if (NodeCommandU8(channel, command::kTaskScheduler, 0, kTimeoutFactor) >= 0) return true;
    }
    return false;
}

bool RestoreTaskSchedulerOnce(NodeChannel& channel, std::chrono::milliseconds wait)
{
    // Rounded up: the wait is what the exchange needs, never less.
    const int timeoutFactor =
        std::max<int>(1, static_cast<int>((wait + kCommandTimeoutUnit - std::chrono::milliseconds(1)) / kCommandTimeoutUnit));
    StopScope unstoppable(channel, std::stop_token{});
    return NodeCommandU8(channel, command::kTaskScheduler, 0, timeoutFactor) >= 0;
}

} // namespace mnm
