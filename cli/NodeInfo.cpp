#include "cli/NodeInfo.h"

#include <cstdio>

#include "nodeconf/TextEncoding.h"

namespace mnm::cli {

namespace {

constexpr int kLabelWidth = 16;

std::string Utf8(const char* cp1252) { return Cp1252ToUtf8(cp1252); }

std::string Line(const std::string& label, const std::string& value)
{
    char head[kLabelWidth + 2];
    std::snprintf(head, sizeof head, "%-*s", kLabelWidth, label.c_str());
    return head + value + "\n";
}

// "d1.1-8": a group in the operator's notation; "d1.[none]" without channels.
std::string GroupEndpoints(const ChannelGroupEntry& g)
{
    const std::string head = std::string(1, g.kind) + std::to_string(g.cardNumber) + ".";
    if (g.channelCount <= 0) return head + "[none]";
    return head + "1" + (g.channelCount > 1 ? "-" + std::to_string(g.channelCount) : std::string());
}

std::string ChannelEndpoint(const ChannelNameEntry& n)
{
    return std::string(1, n.kind) + std::to_string(n.card) + "." + std::to_string(n.channel);
}

// The groups the node shows under card `position` (0-based; the card count
// for those under no card).
template <typename Each> void GroupsAt(const NodeStaticData& h, int position, Each each)
{
    for (int i = 1; i <= h.channelGroupCount; ++i)
        if (const ChannelGroupEntry* g = ChannelGroup(h, i); g && g->cardPosition == position) each(*g);
}

} // namespace

std::string NodeInfoText(const NodeInfo& info)
{
    const NodeStaticData& h = info.hardware;
    std::string text = Line("node number", info.nodeNumber ? std::to_string(*info.nodeNumber) : "unknown");
    text += Line("network name", info.nodeNumber ? Utf8(info.networkName.c_str()) : "unknown");
    text += Line("software", Utf8(h.firmwareVersion));
    text += Line("serial number", Utf8(h.serialNumber));
    text += Line("channel layout", Utf8(h.channelLayout));
    text += Line("channels", Utf8(h.highestChannel));
    const auto groups = [&text](const ChannelGroupEntry& g) {
        const char* title = KindTitle(g.kind);
        text += Line("  " + GroupEndpoints(g), std::string(title ? title : "Unknown kind") + ", " +
                                                   std::to_string(g.channelCount) + " channels");
    };
    for (int position = 0; position < h.cardNameCount; ++position) {
        text += Line("card " + std::to_string(position + 1), Utf8(CardName(h, position + 1)));
        GroupsAt(h, position, groups);
    }
    GroupsAt(h, h.cardNameCount, groups);
    if (h.channelNameCount > 0) text += "named channels\n";
    for (int i = 0; i < h.channelNameCount && i < kMaxChannelNames; ++i)
        text += Line("  " + ChannelEndpoint(h.channelNames[i]), Utf8(h.channelNames[i].name));
    return text;
}

nlohmann::ordered_json NodeInfoJson(const NodeInfo& info)
{
    const NodeStaticData& h = info.hardware;
    nlohmann::ordered_json j;
    j["nodeNumber"] = info.nodeNumber ? nlohmann::ordered_json(*info.nodeNumber) : nlohmann::ordered_json();
    j["networkName"] = info.nodeNumber ? nlohmann::ordered_json(Utf8(info.networkName.c_str())) : nlohmann::ordered_json();
    j["software"] = Utf8(h.firmwareVersion);
    j["serialNumber"] = Utf8(h.serialNumber);
    j["channelLayout"] = Utf8(h.channelLayout);
    j["channels"] = Utf8(h.highestChannel);
    const auto group = [](const ChannelGroupEntry& g) {
        return nlohmann::ordered_json{{"kind", std::string(1, g.kind)},
                                      {"card", g.cardNumber},
                                      {"channelCount", g.channelCount},
                                      {"endpoints", GroupEndpoints(g)}};
    };
    const auto groupsAt = [&](int position) {
        nlohmann::ordered_json groups = nlohmann::ordered_json::array();
        GroupsAt(h, position, [&](const ChannelGroupEntry& g) { groups.push_back(group(g)); });
        return groups;
    };
    nlohmann::ordered_json cards = nlohmann::ordered_json::array();
    for (int position = 0; position < h.cardNameCount; ++position)
        cards.push_back(
            {{"position", position + 1}, {"name", Utf8(CardName(h, position + 1))}, {"groups", groupsAt(position)}});
    j["cards"] = cards;
    j["groupsUnderNoCard"] = groupsAt(h.cardNameCount);
    nlohmann::ordered_json names = nlohmann::ordered_json::array();
    for (int i = 0; i < h.channelNameCount && i < kMaxChannelNames; ++i) {
        const ChannelNameEntry& n = h.channelNames[i];
        names.push_back({{"endpoint", ChannelEndpoint(n)}, {"name", Utf8(n.name)}});
    }
    j["channelNames"] = names;
    return j;
}

} // namespace mnm::cli
