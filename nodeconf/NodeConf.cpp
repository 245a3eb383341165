#include "nodeconf/NodeConf.h"

#include <cstring>
#include <type_traits>

namespace mnm {

static_assert(std::is_trivially_copyable_v<NodeConf>);
static_assert(std::is_standard_layout_v<NodeConf>);

NodeConf NewNodeConf()
{
    NodeConf conf;
    std::memset(&conf, 0, sizeof conf);
    return conf;
}

static bool InSet(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

int MakeConnection(Connection& out, int originNode, char originKind, int originCard,
                   int originChannel, int destNode, char destKind, int destCard, int destChannel)
{
    std::memset(&out, 0, sizeof out);
    if (originNode < 0 || originNode > 254) return -1;
    if (originCard < 0 || originCard > 255) return -2;
    if (originChannel < 0 || originChannel > 255) return -3;
    if (!InSet(originKind, "adps")) return -4;
    if (destNode < 0 || destNode > 254) return -5;
    if (destCard < 0 || destCard > 255) return -6;
    if (destChannel < 0 || destChannel > 255) return -7;
    if (!InSet(destKind, "ADP")) return -8;
    out.connFlags = kConnValid;
    out.originNode = static_cast<std::uint8_t>(originNode);
    out.originKind = originKind;
    out.originCard = static_cast<std::uint8_t>(originCard);
    out.originChannel = static_cast<std::uint8_t>(originChannel);
    out.destNode = static_cast<std::uint8_t>(destNode);
    out.destKind = destKind;
    out.destCard = static_cast<std::uint8_t>(destCard);
    out.destChannel = static_cast<std::uint8_t>(destChannel);
    return 0;
}

bool ConnectionsEqual(const Connection& a, const Connection& b)
{
    return a.originNode == b.originNode && a.originKind == b.originKind &&
           a.originCard == b.originCard && a.originChannel == b.originChannel &&
           a.destNode == b.destNode && a.destKind == b.destKind && a.destCard == b.destCard &&
           a.destChannel == b.destChannel;
}

// Highest 1-based index of a non-empty text, 0 if all are empty.
template <std::size_t N, std::size_t L>
static int HighestNonEmpty(const char (&texts)[N][L])
{
    for (std::size_t i = N; i > 0; --i)
        if (texts[i - 1][0] != '\0') return static_cast<int>(i);
    return 0;
}

void ComputeDerivedFields(NodeConf& conf)
{
    conf.smsNumberCount = HighestNonEmpty(conf.smsNumbers);
    conf.smsMessageCount = HighestNonEmpty(conf.smsMessages);
    int bytes = 0;
    for (const auto& text : conf.smsMessages) bytes += static_cast<int>(strnlen(text, sizeof text));
    conf.smsMessageBytes = bytes + conf.smsMessageCount;
    conf.dialupNumberCount = HighestNonEmpty(conf.dialupNumbers);
}

} // namespace mnm
