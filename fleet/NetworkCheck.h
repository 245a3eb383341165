// Checks across all the configurations of one network: the faults no
// single-node check can see, because each needs the other nodes' records
// (node numbers, network name, remote destinations, routes, telephone
// references).
#pragma once

#include "nodeconf/NodeConf.h"

#include <string>
#include <vector>

namespace mnm {

// One node's record and the file it came from, as the user named it.
struct NetworkMember {
    std::string file;
    NodeConf conf;
};

// One fault, shown as "FILE: TEXT" (UTF-8).
struct NetworkFinding {
    std::string file;
    std::string text;
};

// Every fault of the network, ordered by member (in the given order), then
// by rule (numbers and name, connection destinations, routing nodes,
// reachability, telephone references), then by entry. Empty when clean.
std::vector<NetworkFinding> CheckNetwork(const std::vector<NetworkMember>& members);

} // namespace mnm
