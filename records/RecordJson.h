// The record as one JSON object, keys in record order.
#pragma once

#include "nodeconf/NodeConf.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>

namespace mnm {

// `build` refuses a JSON file above this size unread. The record as `dump
// --json` writes it, every table full and every text at its longest, spends
// well under 16 characters per byte of the record; the limit leaves four
// times that for hand-made layouts.
inline constexpr std::uintmax_t kJsonCharactersPerRecordByte = 64;
inline constexpr std::uintmax_t kMaxRecordJsonBytes = sizeof(NodeConf) * kJsonCharactersPerRecordByte;

nlohmann::ordered_json RecordToJson(const NodeConf& conf);

// The record from a JSON object of the same schema: a missing key keeps the
// new record's zero, counts come from the tables' lengths and derived fields
// are left for the store to compute. Returns false with a message naming the
// key for a wrong type, an unknown key, a value outside its field's range or a
// table longer than its capacity; `conf` is then not to be used.
bool JsonToRecord(const nlohmann::ordered_json& json, NodeConf& conf, std::string& error);

} // namespace mnm
