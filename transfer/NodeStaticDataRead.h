// Reads a node's hardware description through its queries.
#pragma once

#include "nodeconf/NodeStaticData.h"
#include "protocol/NodeChannel.h"

namespace mnm {

// 0, or the first failure's code (the record is cleared after a failure
// past the channel names).
int ReadNodeStaticData(NodeChannel& channel, NodeStaticData& data);

} // namespace mnm
