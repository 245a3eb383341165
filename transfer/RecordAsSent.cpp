#include "transfer/RecordAsSent.h"

#include <algorithm>

#include "nodeconf/Endpoint.h"

namespace mnm {

namespace {
constexpr char kEncodingWithModem = 'C';
}

void SetNoHighway(NodeConf& record)
{
    record.highwayEncoding = kNoHighwayEncoding;
    record.highwayCharSize = kNoHighwayCharSize;
    record.highwayParity = kNoHighwayParity;
    record.highwayCheckParity = kNoHighwayCheckParity;
}

bool HoldsNoHighway(const NodeConf& received)
{
    return received.highwayEncoding == kNoHighwayEncoding && received.highwayCharSize == kNoHighwayCharSize &&
           received.highwayParity == kNoHighwayParity && received.highwayCheckParity == kNoHighwayCheckParity;
}

std::vector<int> ConnectionSendOrder(const NodeConf& record)
{
    const int count = std::clamp(record.connectionCount, 0, kMaxConnections);
    std::vector<int> order;
    for (int i = 0; i < count; ++i)
        if (record.connections[i].destNode <= kMaxNodeNumber) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return record.connections[a].destNode < record.connections[b].destNode; });
    return order;
}

char HighwayEncodingSent(const NodeConf& record)
{
    return (record.networkFlags & kFlagNoModem) ? record.highwayEncoding : kEncodingWithModem;
}

NodeConf RecordAsSent(const NodeConf& record, bool highway)
{
    NodeConf held = record;
    const std::vector<int> order = ConnectionSendOrder(record);
    for (std::size_t i = 0; i < order.size(); ++i) held.connections[i] = record.connections[order[i]];
    if (highway) held.highwayEncoding = HighwayEncodingSent(record);
    else SetNoHighway(held);
    return held;
}

NodeConf ComparableWithNode(const NodeConf& record, const NodeConf& node)
{
    NodeConf comparable = record;
    if (HoldsNoHighway(node)) SetNoHighway(comparable);
    else if (node.highwayEncoding == HighwayEncodingSent(record)) comparable.highwayEncoding = node.highwayEncoding;
    return comparable;
}

} // namespace mnm
