#include "editor/model/ModulesTree.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace mnm::editor {
namespace {

constexpr char kDigitalInputKind = 'd';
constexpr char kStatusInputKind = 's';

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsOutput(char kind) { return std::isupper(static_cast<unsigned char>(kind)) != 0; }

std::string PointText(char kind, int card, int channel)
{
    char text[32];
    std::snprintf(text, sizeof text, "%c%d.%d", Upper(kind), card, channel);
    return text;
}

std::string RangeText(char kind, int card, int count)
{
    char text[32];
    std::snprintf(text, sizeof text, "%c%d.1-%d", Upper(kind), card, count);
    return text;
}

struct Decoded {
    bool heading;
    char kind;
    int card;
    int number; // the channel, or a heading's channel count
};

std::optional<Decoded> Decode(std::uint32_t value)
{
    const std::uint32_t tag = value & kItemTagMask;
    if (tag != kGroupItemTag && tag != kChannelItemTag) return std::nullopt;
    const char kind = static_cast<char>((value >> kItemKindShift) & kItemByteMask);
    if (!KindTitle(kind)) return std::nullopt;
    return Decoded{tag == kGroupItemTag, kind, static_cast<int>((value >> kItemCardShift) & kItemByteMask),
                   static_cast<int>(value & kItemByteMask)};
}

// A heading picks its whole group only when there is a channel to pick.
std::optional<ModulePick> GroupRange(const Decoded& d)
{
    if (d.number < 1) return std::nullopt;
    return ModulePick{RangeText(d.kind, d.card, d.number), IsOutput(d.kind)};
}

std::optional<ModulePick> AnyChannel(std::uint32_t value)
{
    const auto d = Decode(value);
    if (!d || d->heading) return std::nullopt;
    return ModulePick{PointText(d->kind, d->card, d->number), IsOutput(d->kind)};
}

} // namespace

std::vector<ModuleItem> ModulesTreeItems(const NodeStaticData& data, unsigned mask)
{
    std::vector<ModuleItem> cards;
    const int cardCount = std::min(data.cardNameCount, kMaxCardNames);
    const int groupCount = std::min(data.channelGroupCount, kMaxChannelGroups);
    for (int n = 1; n <= cardCount; ++n) {
        ModuleItem card{CardItemText(data, n), kCardItemValue, {}};
        for (int i = 0; i < groupCount; ++i) {
            const ChannelGroupEntry& g = data.channelGroups[i];
            if (g.cardPosition != n - 1) continue;
            const char* title = KindTitle(g.kind);
            if (!title || g.cardNumber < 0 || g.cardNumber > kMaxItemNumber) continue;
            const int count = std::clamp(g.channelCount, 0, kMaxItemNumber);
            ModuleItem heading{GroupItemText(g), GroupItemValue(g), {}};
            if (KindInFilter(g.kind, mask))
                for (int c = 1; c <= count; ++c)
                    heading.children.push_back(
                        {ChannelItemText(data, g.kind, g.cardNumber, c), ChannelItemValue(g.kind, g.cardNumber, c), {}});
            card.children.push_back(std::move(heading));
        }
        cards.push_back(std::move(card));
    }
    return cards;
}

std::optional<ModulePick> PickForConnections(std::uint32_t value)
{
    // Only inputs are sources of a connection.
    const auto d = Decode(value);
    if (!d || IsOutput(d->kind)) return std::nullopt;
    if (d->heading) return GroupRange(*d);
    return ModulePick{PointText(d->kind, d->card, d->number), false};
}

std::optional<ModulePick> PickForSms(std::uint32_t value) { return AnyChannel(value); }

std::optional<ModulePick> PickForDialup(std::uint32_t value) { return AnyChannel(value); }

std::optional<ModulePick> PickForMonitor(std::uint32_t value)
{
    const auto d = Decode(value);
    if (!d) return std::nullopt;
    if (!d->heading) return AnyChannel(value);
    // Only on/off points are watched a whole group at a time.
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(d->kind)));
    if (lower != kDigitalInputKind && lower != kStatusInputKind) return std::nullopt;
    return GroupRange(*d);
}

} // namespace mnm::editor
