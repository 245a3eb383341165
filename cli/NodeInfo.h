// What `mnm info` says of a node: who it is and what hardware it has, as
// text for a person and as JSON for a script.
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "nodeconf/NodeStaticData.h"

namespace mnm::cli {

struct NodeInfo {
    std::optional<int> nodeNumber; // nothing when the node did not say
    std::string networkName;       // Windows-1252
    NodeStaticData hardware;
};

// Lines of "label  value", the cards with their channel groups under them,
// then the named channels; UTF-8.
std::string NodeInfoText(const NodeInfo& info);
nlohmann::ordered_json NodeInfoJson(const NodeInfo& info);

} // namespace mnm::cli
