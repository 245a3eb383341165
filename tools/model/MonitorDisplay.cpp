#include "tools/model/MonitorDisplay.h"

#include "nodeconf/Endpoint.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace mnm::tools {

namespace {

// Half a step of the node's converter, so scaled values round to nearest.
constexpr std::uint64_t kAnalogRounding = (kAnalogFullScale + 1) / 2;
// A pulse count uses 24 bits; most counts fit the low 16.
constexpr std::uint32_t kPulseHighBits = 0xFF0000u;
constexpr std::uint32_t kPulseLowBits = 0xFFFFu;
constexpr std::uint32_t kPulseCountBits = 0xFFFFFFu;
constexpr int kBitsPerByte = 8;
constexpr int kValueBytes = 4;
constexpr std::string_view kNameOpen = " (";
constexpr std::string_view kNameClose = ")";

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool ShownKind(char kind)
{
    const char k = Upper(kind);
    return k == 'A' || k == 'D' || k == 'P' || k == 'S';
}

// `scaled` in units of the last of `decimals` decimal places.
std::string Decimal(std::uint64_t scaled, int decimals)
{
    std::uint64_t unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    std::string text = std::to_string(scaled / unit);
    if (decimals == 0) return text;
    std::string fraction = std::to_string(scaled % unit);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    return text + '.' + fraction;
}

std::string AnalogText(std::uint32_t value, const AnalogChoice& choice)
{
    if (value == kAnalogOverRange) return kAnalogOverRangeText;
    if (choice.fullScale == 0) return std::to_string(value);
    return Decimal((std::uint64_t{value} * choice.fullScale + kAnalogRounding) / kAnalogFullScale, choice.decimals);
}

std::string PulseText(std::uint32_t value)
{
    if (value == kPulseNoCount) return kPulseNoCountText;
    if ((value & kPulseHighBits) == 0) return std::to_string(value & kPulseLowBits);
    return std::to_string(value & kPulseCountBits);
}

// One digit per channel from `high` down to `low`; only channels that have
// a bit in the value get one.
std::string ChannelDigits(std::uint32_t value, int high, int low)
{
    std::string digits;
    for (int channel = std::min(high, kBitChannels); channel >= std::max(low, 1); --channel)
        digits += (value >> (channel - 1)) & 1u ? '1' : '0';
    return digits;
}

std::string Point(char kind, int card, int channel)
{
    return std::string(1, Upper(kind)) + std::to_string(card) + '.' + std::to_string(channel);
}

bool RangeOf(const MonitorReading& reading, const MonitoredEndpoint* endpoint)
{
    return endpoint && endpoint->IsRange() && KindHoldsRange(reading.kind) && reading.kind == endpoint->kind &&
           reading.card == endpoint->card && reading.channel == endpoint->first;
}

} // namespace

MonitorReading DecodeReading(const MonitorReadingBytes& bytes)
{
    MonitorReading r;
    for (int i = 0; i < kValueBytes; ++i) r.value = r.value << kBitsPerByte | bytes[kReadingValueOffset + i];
    r.node = bytes[kReadingNodeOffset];
    r.kind = static_cast<char>(bytes[kReadingKindOffset]);
    r.card = bytes[kReadingCardOffset];
    r.channel = bytes[kReadingChannelOffset];
    return r;
}

MonitorShown ShowReading(const MonitorReading& reading, const MonitoredEndpoint* endpoint, int analog, int cells,
                         const NodeStaticData* names)
{
    if (!ShownKind(reading.kind)) return {};
    const bool range = RangeOf(reading, endpoint);
    const AnalogChoice& choice =
        kAnalogChoices[analog >= 0 && analog < static_cast<int>(kAnalogChoices.size()) ? analog : kDefaultAnalogChoice];
    MonitorShown shown;
    shown.endpoint = Point(reading.kind, reading.card, reading.channel);
    switch (Upper(reading.kind)) {
    case 'A': shown.text = AnalogText(reading.value, choice); break;
    case 'P': shown.text = PulseText(reading.value); break;
    default:
        if (range) {
            const int first = endpoint->first;
            // Only channels 1..32 have a bit, so never more than 32 digits.
            const int last = std::min(endpoint->last, kBitChannels);
            shown.text = ChannelDigits(reading.value, last, first);
            // The display keeps the rightmost digits when it holds fewer.
            const int highest = std::max(first, std::min(first + cells - 1, last));
            shown.endpoint = Point(reading.kind, reading.card, highest) + '-' + std::to_string(first);
        } else {
            shown.text = ChannelDigits(reading.value, reading.channel, reading.channel);
        }
    }
    if (shown.text.empty()) return {};

    shown.caption = KindName(reading.kind);
    if (range) shown.caption += 's';
    if (Upper(reading.kind) == 'A') shown.caption += choice.unit;
    shown.caption += reading.node != 0 ? "  " + std::to_string(reading.node) + ' ' : std::string("  ");
    shown.caption += shown.endpoint;
    std::string name;
    if (!range && names &&
        ChannelName(*names, reading.kind, reading.card, reading.channel, kMaxShownChannelName, name) == 1 &&
        shown.caption.size() + kNameOpen.size() + name.size() + kNameClose.size() <= kMaxCaptionLength)
        shown.caption.append(kNameOpen).append(name).append(kNameClose);
    return shown;
}

} // namespace mnm::tools
