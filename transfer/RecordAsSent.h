// What a node holds after the send sequence has written a record: the send
// puts the connections in its own order and writes the highway's first byte
// by its own rule, so a read-back compares with this, not the record itself.
#pragma once

#include <vector>

#include "nodeconf/NodeConf.h"

namespace mnm {

// The highway bytes a receive gives for a node without a serial data highway.
inline constexpr char kNoHighwayEncoding = 0x00;
inline constexpr std::uint8_t kNoHighwayCharSize = 0x08;
inline constexpr char kNoHighwayParity = 'S';
inline constexpr std::uint8_t kNoHighwayCheckParity = 0x00;

// Sets the four highway bytes to those of a node without a highway.
void SetNoHighway(NodeConf& record);
// True when `received` holds the highway bytes of a node without a highway.
bool HoldsNoHighway(const NodeConf& received);

// The connections' indexes in the order the send writes them: by
// destination node from 0 (this node) up, table order within a node. A
// connection to no real node (above the highest number) is not sent.
std::vector<int> ConnectionSendOrder(const NodeConf& record);
// The first highway byte the send writes: 'C' unless the node has no modem.
char HighwayEncodingSent(const NodeConf& record);

// `record` as the node holds it after a send; `highway`: whether the node
// has a serial data highway (one without holds none of the record's bytes).
NodeConf RecordAsSent(const NodeConf& record, bool highway);

// `record` made comparable with what `node` holds, for showing the
// differences: what only the send's own rules would change is no
// difference (the highway byte it writes; no highway on a node without one).
// Unlike RecordAsSent it never puts in a value the record does not imply.
NodeConf ComparableWithNode(const NodeConf& record, const NodeConf& node);

} // namespace mnm
