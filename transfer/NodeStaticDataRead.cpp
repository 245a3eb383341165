#include "transfer/NodeStaticDataRead.h"

#include <cstdio>
#include <cstring>

#include "wire/NodeCodes.h"
#include "protocol/NodeProtocol.h"
#include "protocol/NodeTypedQueries.h"

namespace mnm {
namespace {

constexpr int kFirstNameTries = 3;
constexpr int kChannelNameReply = 50;
constexpr int kCardNameReply = 64;
constexpr int kChannelGroupReply = 4;
constexpr int kMaxIndex = 255; // p1 is one byte

template <std::size_t N>
void CopyText(char (&to)[N], const std::uint8_t* from)
{
    const char* text = reinterpret_cast<const char*>(from);
    const std::size_t length = strnlen(text, N - 1);
    std::memcpy(to, text, length);
    to[length] = '\0';
}

int ReadChannelNames(NodeChannel& channel, NodeStaticData& data)
{
    std::uint8_t reply[kReplyBufferSize];
    int n = kTransportNoReply;
    for (int t = 0; t < kFirstNameTries && n < 0; ++t)
        n = NodeQueryBytes(channel, query::kChannelName, 1, 0, 0, kChannelNameReply, reply);
    if (n < 0) return 0; // the node keeps no channel names
    for (int i = 1;; ++i) {
        if (i > 1) n = NodeQueryBytes(channel, query::kChannelName, static_cast<std::uint8_t>(i), 0, 0,
                                      kChannelNameReply, reply);
        if (n < 0) return n;
        if (n == 0 || reply[0] == 0 || i >= kMaxIndex) return 0;
        if ((reply[0] & 0x80) == 0 && n >= 4)
            AddChannelName(data, static_cast<char>(reply[1]), reply[2], reply[3],
                           reinterpret_cast<const char*>(reply + 4));
    }
}

int ReadTables(NodeChannel& channel, NodeStaticData& data)
{
    std::uint32_t cards = 0;
    int r = NodeQueryU8(channel, query::kCardNameCount, 0, 0, cards);
    if (r < 0) return r;
    std::uint8_t reply[kReplyBufferSize];
    for (std::uint32_t i = 1; i <= cards; ++i) {
        r = NodeQueryBytes(channel, query::kCardName, static_cast<std::uint8_t>(i), 0, 0, kCardNameReply, reply);
        if (r < 0) return r;
        if (AddCardName(data, reinterpret_cast<const char*>(reply)) < 0) return kTransportWrongLength;
    }
    for (int i = 1; i <= kMaxIndex; ++i) {
        const int n = NodeQuery(channel, query::kChannelGroup, static_cast<std::uint8_t>(i), 0, reply);
        if (n < 0) return n;
        if (n == 0) return 0;
        if (n != kChannelGroupReply) return kTransportWrongLength;
        if (AddChannelGroup(data, static_cast<std::int8_t>(reply[0]), static_cast<char>(reply[1]),
                            reply[2], static_cast<std::int8_t>(reply[3])) < 0)
            return kTransportWrongLength;
    }
    return 0;
}

int ReadIdentity(NodeChannel& channel, NodeStaticData& data)
{
    std::uint8_t reply[kReplyBufferSize];
    if (NodeQueryBytes(channel, query::kVersion, 0, 0, 1, kFirmwareVersionLength, reply) >= 0)
        CopyText(data.firmwareVersion, reply);
    else
        CopyText(data.firmwareVersion, reinterpret_cast<const std::uint8_t*>(kUnknownFirmware));
    int r = NodeQueryBytes(channel, query::kSerialNumber, 0, 0, 0, kSerialNumberLength, reply);
    if (r < 0) return r;
    CopyText(data.serialNumber, reply);
    r = NodeQueryBytes(channel, query::kChannelLayout, 0, 0, 1, kChannelLayoutLength, reply);
    if (r < 0) return r;
    CopyText(data.channelLayout, reply);
    std::uint32_t highest = 0;
    r = NodeQueryU8(channel, query::kHighestChannel, 0, 0, highest);
    if (r < 0) return r;
    std::snprintf(data.highestChannel, sizeof data.highestChannel, "%d", static_cast<int>(highest));
    return 0;
}

} // namespace

int ReadNodeStaticData(NodeChannel& channel, NodeStaticData& data)
{
    ClearNodeStaticData(data);
    int r = ReadChannelNames(channel, data);
    if (r < 0) return r;
    r = ReadTables(channel, data);
    if (r == 0) r = ReadIdentity(channel, data);
    if (r < 0) ClearNodeStaticData(data);
    return r;
}

} // namespace mnm
