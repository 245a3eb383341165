#include "protocol/NodeTypedQueries.h"

#include <algorithm>
#include <cstring>

#include "protocol/NodeProtocol.h"
#include "wire/NodeCodes.h"
#include "wire/WireRecords.h"

namespace mnm {
namespace {

constexpr int kCountedPrefix = 4;
constexpr int kCountedMinimum = kCountedPrefix + 1; // prefix and the terminating byte

// Copies the counted text of an n-byte reply (n >= 5), cut to maxLength.
int CopyCounted(const std::uint8_t* reply, int n, char* text, int maxLength, int& declared)
{
    declared = static_cast<std::int32_t>(GetU32(reply));
    const int length = std::min(n - kCountedMinimum, std::max(maxLength, 0));
    std::memcpy(text, reply + kCountedPrefix, static_cast<std::size_t>(length));
    text[length] = '\0';
    return length;
}

} // namespace

int NodeQueryU8(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint32_t& value)
{
    std::uint8_t reply[kReplyBufferSize];
    const int n = NodeQuery(channel, code, p1, p2, reply);
    if (n < 0) return n;
    if (n != 1) return kTransportWrongLength;
    value = reply[0];
    return 0;
}

int NodeQueryU16(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint32_t& value)
{
    std::uint8_t reply[kReplyBufferSize];
    const int n = NodeQuery(channel, code, p1, p2, reply);
    if (n < 0) return n;
    if (n != 2) return kTransportWrongLength;
    value = GetU16(reply);
    return 0;
}

int NodeQueryS16(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::int32_t& value)
{
    std::uint32_t raw = 0;
    const int r = NodeQueryU16(channel, code, p1, p2, raw);
    if (r == 0) value = static_cast<std::int16_t>(raw);
    return r;
}

int NodeQueryU32(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint32_t& value)
{
    std::uint8_t reply[kReplyBufferSize];
    const int n = NodeQuery(channel, code, p1, p2, reply);
    if (n < 0) return n;
    if (n != 4) return kTransportWrongLength;
    value = GetU32(reply);
    return 0;
}

int NodeQueryOptionalU32(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint32_t& value)
{
    std::uint8_t reply[kReplyBufferSize];
    const int n = NodeQuery(channel, code, p1, p2, reply);
    if (n < 0) return n;
    if (n == 0) return 1;
    if (n != 4) return kTransportWrongLength;
    value = GetU32(reply);
    return 0;
}

bool NodeQueryU32Retry(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, int attempts,
                       std::uint32_t& value)
{
    std::uint8_t reply[kReplyBufferSize];
    int n = kTransportNoReply;
    for (int i = 0; i < attempts; ++i) {
        n = NodeQuery(channel, code, p1, p2, reply);
        if (n >= 0 || n == kTransportCancelled) break;
    }
    if (n != 4) return false;
    value = GetU32(reply);
    return true;
}

int NodeQueryBytes(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, int minLength,
                   int maxLength, std::uint8_t* out)
{
    std::uint8_t reply[kReplyBufferSize];
    const int n = NodeQuery(channel, code, p1, p2, reply);
    if (n < 0) return n;
    if (n < minLength || n > maxLength || n >= kReplyBufferSize) return kTransportWrongLength;
    std::memcpy(out, reply, static_cast<std::size_t>(n));
    out[n] = 0;
    return n;
}

bool NodeQueryText(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, TextForm form,
                   int retries, char* text, int maxLength, int& declared)
{
    std::uint8_t reply[kReplyBufferSize];
    int n = kTransportNoReply;
    for (int i = 0; i <= retries; ++i) {
        n = NodeQuery(channel, code, p1, p2, reply);
        if (n >= 0 || n == kTransportCancelled) break;
    }
    if (n < 0) return false;
    if (form == TextForm::kCounted) {
        if (n < kCountedMinimum) return false;
        CopyCounted(reply, n, text, maxLength, declared);
        return true;
    }
    declared = n;
    const int length = std::min(n, std::max(maxLength, 0));
    std::memcpy(text, reply, static_cast<std::size_t>(length));
    text[length] = '\0';
    return true;
}

int NodeQueryCountedText(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, char* text,
                         int maxLength, int& declared)
{
    std::uint8_t reply[kReplyBufferSize];
    const int n = NodeQuery(channel, code, p1, p2, reply);
    if (n < 0) return n;
    if (n == 0) {
        text[0] = '\0';
        declared = -1;
        return 0;
    }
    if (n < kCountedMinimum) return kTransportWrongLength;
    return CopyCounted(reply, n, text, maxLength, declared);
}

int NodeQuerySmsTableSizes(NodeChannel& channel, SmsTableSizes& sizes)
{
    std::uint8_t reply[kReplyBufferSize];
    const int n = NodeQuery(channel, query::kSmsTableSizes, 0, 0, reply);
    if (n < 0) return n;
    if (n != kSmsTableSizesWireSize) return kTransportWrongLength;
    sizes = DecodeSmsTableSizes(reply);
    return 0;
}

int NodeQueryConnection(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, Connection& entry)
{
    std::uint8_t reply[kReplyBufferSize];
    const int n = NodeQuery(channel, code, p1, p2, reply);
    if (n < 0) return n;
    if (n == 0) return 1;
    if (n < kConnectionWireSize) return kTransportWrongLength;
    entry = DecodeConnection(reply);
    return 0;
}

namespace {
// A table entry of exactly `size` bytes: 0 at the end of the table, 1 with
// the entry, a negative result for any other reply.
template <typename Entry>
int QueryExactEntry(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, int size,
                    Entry (*decode)(const std::uint8_t*), Entry& entry)
{
    std::uint8_t reply[kReplyBufferSize];
    const int n = NodeQuery(channel, code, p1, p2, reply);
    if (n == 0) return 0;
    if (n < 0) return n;
    if (n != size) return kTransportWrongLength;
    entry = decode(reply);
    return 1;
}
} // namespace

int NodeQueryDialupConnection(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                              DialupConnection& entry)
{
    return QueryExactEntry(channel, code, p1, p2, kDialupConnectionWireSize, DecodeDialupConnection, entry);
}

int NodeQuerySmsConnection(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                           SmsConnection& entry)
{
    return QueryExactEntry(channel, code, p1, p2, kSmsConnectionWireSize, DecodeSmsConnection, entry);
}

} // namespace mnm
