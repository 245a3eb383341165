#include "wire/WireRecords.h"

#include <cstring>

namespace mnm {

Connection DecodeConnection(const std::uint8_t* w)
{
    Connection c;
    const bool valid = MakeConnection(c, w[1], static_cast<char>(w[4]), w[2], w[3], w[5],
                                      static_cast<char>(w[8]), w[6], w[7]) == 0;
    // Keep what the node holds even when it does not pass, so nothing is lost.
    c.originNode = w[1];
    c.originCard = w[2];
    c.originChannel = w[3];
    c.originKind = static_cast<char>(w[4]);
    c.destNode = w[5];
    c.destCard = w[6];
    c.destChannel = w[7];
    c.destKind = static_cast<char>(w[8]);
    c.connFlags = static_cast<std::uint8_t>((w[0] & ~kConnValid) | (valid ? kConnValid : 0));
    c.connSpare = GetU32(w + 9);
    c.changeThreshold = static_cast<std::uint32_t>(w[13] | w[14] << 8);
    c.pulseScaling = w[15];
    return c;
}

void EncodeConnection(const Connection& c, std::uint8_t* w)
{
    w[0] = c.connFlags;
    w[1] = c.originNode;
    w[2] = c.originCard;
    w[3] = c.originChannel;
    w[4] = static_cast<std::uint8_t>(c.originKind);
    w[5] = c.destNode;
    w[6] = c.destCard;
    w[7] = c.destChannel;
    w[8] = static_cast<std::uint8_t>(c.destKind);
    PutU32(w + 9, c.connSpare);
    w[13] = static_cast<std::uint8_t>(c.changeThreshold);
    w[14] = static_cast<std::uint8_t>(c.changeThreshold >> 8);
    w[15] = c.pulseScaling;
}

DialupConnection DecodeDialupConnection(const std::uint8_t* w)
{
    DialupConnection c;
    std::memcpy(&c, w, sizeof c);
    c.flags = GetU32(w);
    c.changeThreshold = GetU16(w + 4);
    c.interval = GetU16(w + 6);
    c.maxPpm = GetU16(w + 8);
    return c;
}

void EncodeDialupConnection(const DialupConnection& c, std::uint8_t* w)
{
    std::memcpy(w, &c, sizeof c);
    PutU32(w, c.flags);
    PutU16(w + 4, c.changeThreshold);
    PutU16(w + 6, c.interval);
    PutU16(w + 8, c.maxPpm);
}

SmsConnection DecodeSmsConnection(const std::uint8_t* w)
{
    SmsConnection c;
    std::memcpy(&c, w, sizeof c);
    c.limit = GetU16(w + 4);
    c.hysteresis = GetU16(w + 6);
    c.extra1 = GetU16(w + 8);
    c.extra2 = GetU16(w + 10);
    return c;
}

void EncodeSmsConnection(const SmsConnection& c, std::uint8_t* w)
{
    std::memcpy(w, &c, sizeof c);
    PutU16(w + 4, c.limit);
    PutU16(w + 6, c.hysteresis);
    PutU16(w + 8, c.extra1);
    PutU16(w + 10, c.extra2);
}

static_assert(sizeof(DialupConnection) == kDialupConnectionWireSize);
static_assert(sizeof(SmsConnection) == kSmsConnectionWireSize);

SmsTableSizes DecodeSmsTableSizes(const std::uint8_t* w)
{
    int v[kSmsTableSizesWireSize / 2];
    for (int i = 0; i < kSmsTableSizesWireSize / 2; ++i) v[i] = GetU16(w + 2 * i);
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]};
}

void EncodeSmsTableSizes(const SmsTableSizes& s, std::uint8_t* w)
{
    const int v[] = {s.connections,    s.numbers,    s.messages,    s.reserved,        s.maxConnections,
                     s.maxNumbers,     s.maxMessages, s.maxTextBytes, s.maxMessageLength};
    static_assert(sizeof v / sizeof v[0] * 2 == kSmsTableSizesWireSize);
    for (int i = 0; i < kSmsTableSizesWireSize / 2; ++i) PutU16(w + 2 * i, static_cast<std::uint32_t>(v[i]));
}

} // namespace mnm
