// The byte layouts of connection, dialup connection and SMS connection
// entries on the line (big-endian words), in both directions.
#pragma once

#include <cstdint>

#include "nodeconf/NodeConf.h"
#include "wire/BigEndian.h"

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

// The nine values of the SMS table-size reply (query 101), in wire order.
struct SmsTableSizes {
    int connections, numbers, messages, reserved;
    int maxConnections, maxNumbers, maxMessages, maxTextBytes, maxMessageLength;
};
inline constexpr int kSmsTableSizesWireSize = 18;
SmsTableSizes DecodeSmsTableSizes(const std::uint8_t* wire);
void EncodeSmsTableSizes(const SmsTableSizes& sizes, std::uint8_t* wire);

} // namespace mnm
