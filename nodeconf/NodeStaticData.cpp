#include "nodeconf/NodeStaticData.h"

#include <algorithm>

#include <cctype>
#include <cstdio>
#include <cstring>

namespace mnm {
namespace {

struct KindInfo {
    char letter;
    const char* title;
    std::uint32_t filterBit;
};

// One table for titles and filter bits, so the two never disagree.
constexpr KindInfo kKinds[] = {
    {'d', "Digital Inputs", 1},       {'D', "Digital Outputs", 1 * 16},
    {'a', "Analog Inputs", 2},        {'A', "Analog Outputs", 2 * 16},
    {'p', "Pulse Inputs", 4},         {'P', "Pulse Outputs", 4 * 16},
    {'s', "Status Inputs", 8},        {'S', nullptr, 8 * 16},
};

const KindInfo* FindKind(char kind)
{
    for (const KindInfo& k : kKinds)
        if (k.letter == kind) return &k;
    return nullptr;
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

const ChannelNameEntry* FindName(const NodeStaticData& data, char kind, int card, int channel)
{
    for (int i = 0; i < data.channelNameCount && i < kMaxChannelNames; ++i) {
        const ChannelNameEntry& e = data.channelNames[i];
        if (e.kind == kind && e.card == card && e.channel == channel) return &e;
    }
    return nullptr;
}

} // namespace

void ClearNodeStaticData(NodeStaticData& data) { std::memset(&data, 0, sizeof data); }

int AddCardName(NodeStaticData& data, const char* text)
{
    if (!text || data.cardNameCount >= kMaxCardNames) return -1;
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > static_cast<std::size_t>(kCardNameLength)) return -1;
    std::memcpy(data.cardNames[data.cardNameCount], text, length + 1);
    return ++data.cardNameCount;
}

int AddChannelGroup(NodeStaticData& data, int cardPosition, char kind, int cardNumber,
                    int channelCount)
{
    if (data.channelGroupCount >= kMaxChannelGroups) return -1;
    if (cardPosition < 0 || cardPosition > data.cardNameCount) return -1;
    ChannelGroupEntry& g = data.channelGroups[data.channelGroupCount++];
    g = ChannelGroupEntry{};
    g.cardPosition = cardPosition;
    g.kind = kind;
    g.cardNumber = cardNumber;
    g.channelCount = channelCount;
    return 0;
}

int AddChannelName(NodeStaticData& data, char kind, int card, int channel, const char* name)
{
    if (data.channelNameCount >= kMaxChannelNames) return 0;
    if (FindName(data, kind, card, channel)) return 0;
    ChannelNameEntry& e = data.channelNames[data.channelNameCount++];
    e = ChannelNameEntry{};
    e.kind = kind;
    e.card = static_cast<std::uint8_t>(card);
    e.channel = static_cast<std::uint8_t>(channel);
    if (name) std::strncpy(e.name, name, kChannelNameLength);
    e.name[kChannelNameLength] = '\0';
    return 1;
}

const char* CardName(const NodeStaticData& data, int i)
{
    if (i < 1 || i > data.cardNameCount || i > kMaxCardNames) return nullptr;
    return data.cardNames[i - 1];
}

const ChannelGroupEntry* ChannelGroup(const NodeStaticData& data, int i)
{
    if (i < 1 || i > data.channelGroupCount || i > kMaxChannelGroups) return nullptr;
    return &data.channelGroups[i - 1];
}

int ChannelName(const NodeStaticData& data, char kind, int card, int channel, int maxLength,
                std::string& out)
{
    out.clear();
    const ChannelNameEntry* e = FindName(data, kind, card, channel);
    if (!e) return 0;
    const std::size_t length = std::strlen(e->name);
    if (maxLength < 0 || length > static_cast<std::size_t>(maxLength)) return -1;
    out.assign(e->name, length);
    return 1;
}

void CopyHardwareTables(NodeStaticData& to, const NodeStaticData& from)
{
    std::memcpy(to.cardNames, from.cardNames, sizeof to.cardNames);
    std::memcpy(to.channelGroups, from.channelGroups, sizeof to.channelGroups);
    std::memcpy(to.channelNames, from.channelNames, sizeof to.channelNames);
    to.cardNameCount = from.cardNameCount;
    to.channelGroupCount = from.channelGroupCount;
    to.channelNameCount = from.channelNameCount;
}

const char* KindTitle(char kind)
{
    const KindInfo* k = FindKind(kind);
    return k ? k->title : nullptr;
}

std::string CardItemText(const NodeStaticData& data, int position)
{
    const char* name = CardName(data, position);
    if (!name) return {};
    char text[64];
    std::snprintf(text, sizeof text, "Card %d, %s", position, name);
    return text;
}

std::string GroupItemText(const ChannelGroupEntry& group)
{
    const char* title = KindTitle(group.kind);
    const int count = std::min(group.channelCount, kMaxItemNumber);
    char text[96];
    if (count > 0)
        std::snprintf(text, sizeof text, "%s %c%d.[1..%d]", title ? title : "", Upper(group.kind), group.cardNumber,
                      count);
    else
        std::snprintf(text, sizeof text, "%s %c%d.[none]", title ? title : "", Upper(group.kind), group.cardNumber);
    return text;
}

std::string ChannelItemText(const NodeStaticData& data, char kind, int card, int channel)
{
    char text[96];
    std::snprintf(text, sizeof text, "%c%d.%d", Upper(kind), card, channel);
    std::string result = text;
    if (const ChannelNameEntry* e = FindName(data, kind, card, channel); e && e->name[0] != '\0') {
        result += "   ";
        result += e->name;
    }
    return result;
}

namespace {

std::uint32_t PackItem(std::uint32_t tag, char kind, int card, int number)
{
    return tag | (static_cast<std::uint32_t>(static_cast<unsigned char>(kind)) << kItemKindShift) |
           ((static_cast<std::uint32_t>(card) & kItemByteMask) << kItemCardShift) |
           (static_cast<std::uint32_t>(number) & kItemByteMask);
}

} // namespace

std::uint32_t ChannelItemValue(char kind, int card, int channel)
{
    return PackItem(kChannelItemTag, kind, card, channel);
}

std::uint32_t GroupItemValue(const ChannelGroupEntry& group)
{
    return PackItem(kGroupItemTag, group.kind, group.cardNumber, std::clamp(group.channelCount, 0, kMaxItemNumber));
}

std::uint32_t KindFilterBit(char kind)
{
    const KindInfo* k = FindKind(kind);
    return k ? k->filterBit : 0;
}

void FillDefaultEngineeringEndpoints(const NodeStaticData& data, EngineeringEndpoints& fields)
{
    char text[32];
    for (int i = 0; i < data.channelGroupCount && i < kMaxChannelGroups; ++i) {
        const ChannelGroupEntry& g = data.channelGroups[i];
        switch (g.kind) {
        case 'D':
            std::snprintf(text, sizeof text, "D%d.1", g.cardNumber);
            if (fields.digitalOutput.empty()) fields.digitalOutput = text;
            break;
        case 'P':
            std::snprintf(text, sizeof text, "P%d.1", g.cardNumber);
            if (fields.pulseOutput.empty()) fields.pulseOutput = text;
            break;
        case 'A':
            std::snprintf(text, sizeof text, "A%d.1", g.cardNumber);
            if (fields.analogOutput1.empty()) fields.analogOutput1 = text;
            if (fields.analogOutput2.empty()) fields.analogOutput2 = text;
            break;
        default:
            break;
        }
    }
}

} // namespace mnm
