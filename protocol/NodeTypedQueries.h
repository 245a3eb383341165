// Queries by reply shape: each checks the reply length and decodes the value.
#pragma once

#include <cstdint>

#include "nodeconf/NodeConf.h"
#include "protocol/NodeChannel.h"
#include "wire/WireRecords.h"

namespace mnm {

// 0 and the value; a reply of another length kTransportWrongLength; query
// failures pass through.
int NodeQueryU8(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint32_t& value);
int NodeQueryU16(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint32_t& value);
int NodeQueryS16(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::int32_t& value);
int NodeQueryU32(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint32_t& value);
// 1 for an empty reply (no such entry), 0 and the value for 4 bytes.
int NodeQueryOptionalU32(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint32_t& value);
// Up to `attempts` tries while the query fails; true when the last reply had 4 bytes.
bool NodeQueryU32Retry(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, int attempts,
                       std::uint32_t& value);
// Copies n (minLength..maxLength, below 256) bytes and a NUL into `out`
// (maxLength + 1 bytes) and returns n; another length kTransportWrongLength.
int NodeQueryBytes(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, int minLength,
                   int maxLength, std::uint8_t* out);

enum class TextForm { kPlain, kCounted };
// Up to retries + 1 tries while the query fails. The text is cut to
// maxLength and NUL-terminated (`text` holds maxLength + 1); the declared
// length goes to `declared`. False when every try failed or a counted reply
// was shorter than 5 bytes.
bool NodeQueryText(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, TextForm form,
                   int retries, char* text, int maxLength, int& declared);
// Empty reply: empty text, declared -1, result 0 (end of list). Otherwise
// the text's length; 1..4 bytes kTransportWrongLength with nothing copied.
int NodeQueryCountedText(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, char* text,
                         int maxLength, int& declared);
// Query 101: 0 and the nine sizes.
int NodeQuerySmsTableSizes(NodeChannel& channel, SmsTableSizes& sizes);
// 1 at the end of the table, 0 and the entry, 1..15 bytes kTransportWrongLength.
int NodeQueryConnection(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, Connection& entry);
// 0 at the end of the table, 1 and the entry; anything else negative.
int NodeQueryDialupConnection(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                              DialupConnection& entry);
int NodeQuerySmsConnection(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2,
                           SmsConnection& entry);

} // namespace mnm
