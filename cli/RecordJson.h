// The record as one JSON object, keys in record order.
#pragma once

#include "nodeconf/NodeConf.h"

#include <nlohmann/json.hpp>

#include <string>

namespace mnm::cli {

nlohmann::ordered_json RecordToJson(const NodeConf& conf);

// The record from a JSON object of the same schema: a missing key keeps the
// new record's zero, counts come from the tables' lengths and derived fields
// are left for the store to compute. Returns false with a message naming the
// key for a wrong type, an unknown key, a value outside its field's range or a
// table longer than its capacity; `conf` is then not to be used.
bool JsonToRecord(const nlohmann::ordered_json& json, NodeConf& conf, std::string& error);

} // namespace mnm::cli
