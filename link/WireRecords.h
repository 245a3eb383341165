// The byte layouts of connection, dialup connection and SMS connection
// entries on the line (big-endian words), in both directions.
#pragma once

#include <cstdint>

#include "nodeconf/NodeConf.h"

namespace mnm {

inline constexpr int kConnectionWireSize = 16;
inline constexpr int kDialupConnectionWireSize = 20;
inline constexpr int kSmsConnectionWireSize = 24;

// Node to program: the valid flag is set only when the endpoints pass the
// record's checks; flags, reserved word, threshold and scaling are kept.
Connection DecodeConnection(const std::uint8_t* wire);
// Program to node.
void EncodeConnection(const Connection& c, std::uint8_t* wire);

DialupConnection DecodeDialupConnection(const std::uint8_t* wire);
void EncodeDialupConnection(const DialupConnection& c, std::uint8_t* wire);

SmsConnection DecodeSmsConnection(const std::uint8_t* wire);
void EncodeSmsConnection(const SmsConnection& c, std::uint8_t* wire);

// Big-endian helpers shared by the protocol, the worker and the virtual node.
inline std::uint16_t GetU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }
inline std::uint32_t GetU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}
inline void PutU16(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}
inline void PutU32(std::uint8_t* p, std::uint32_t v)
{
    PutU16(p, v >> 16);
    PutU16(p + 2, v);
}

} // namespace mnm
