// The record as one JSON object, keys in record order.
#pragma once

#include "nodeconf/NodeConf.h"

#include <nlohmann/json.hpp>

namespace mnm::cli {

nlohmann::ordered_json RecordToJson(const NodeConf& conf);

} // namespace mnm::cli
