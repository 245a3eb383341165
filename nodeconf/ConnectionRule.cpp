#include "nodeconf/ConnectionRule.h"

#include "nodeconf/Endpoint.h"
#include "nodeconf/NumberText.h"
#include "nodeconf/ResultCodes.h"

namespace mnm {

namespace {

constexpr std::uint32_t kNoThreshold = 255;
constexpr std::uint8_t kPulseScaling = 0x40;
constexpr std::uint8_t kPulseScalingOffset = 0x41;

// A non-empty all-digit text within low..high.
bool ReadBounded(const std::string& text, int low, int high, std::uint32_t& value)
{
    if (!IsAllDigits(text)) return false;
    value = DigitsValue(text);
    return value >= static_cast<std::uint32_t>(low) && value <= static_cast<std::uint32_t>(high);
}

// The transmit conditions and threshold of a built entry, by its kinds.
int SetConditions(const ConnectionInput& in, Connection& c)
{
    c.connSpare = 0;
    c.connFlags |= kConnOnInterval;
    if (in.onChange) c.connFlags |= kConnOnChange;
    std::uint32_t value = 0;
    switch (c.originKind) {
    case 'p':
        if (c.destKind == 'A') {
            c.connFlags &= static_cast<std::uint8_t>(~kConnOnChange);
            c.pulseScaling = in.offset ? kPulseScalingOffset : kPulseScaling;
            if (!ReadBounded(in.maxPpm, 1, kMaxPulsesPerMinute, value)) return kMaxPpmInvalid;
            c.changeThreshold = value;
        } else if (in.onChange) {
            if (!ReadBounded(in.percentage, 0, kMaxChangePercent, value)) return kPulseDeltaInvalid;
            c.changeThreshold = value;
        }
        return 0;
    case 'a':
        if (!in.onChange) {
            c.changeThreshold = kNoThreshold;
        } else {
            if (!ReadBounded(in.percentage, 0, kMaxChangePercent, value)) return kPercentageInvalid;
            c.changeThreshold = value;
        }
        return 0;
    default: // digital and status inputs have no threshold
        c.changeThreshold = kNoThreshold;
        return 0;
    }
}

} // namespace

ConnectionAdd BuildConnections(const ConnectionInput& in)
{
    Endpoint origin, dest;
    if (int code = ParseConnectionOrigin(in.input, origin)) return {code, {}};
    if (int code = ParseConnectionDestination(in.output, dest)) return {code, {}};

    Connection first;
    if (MakeConnection(first, 0, origin.letter, origin.card, origin.channel,
                       static_cast<int>(dest.node), dest.letter, dest.card, dest.channel) != 0)
        return {kConnectionBuildFailed, {}};
    if (int code = SetConditions(in, first)) return {code, {}};

    ConnectionAdd result;
    result.entries.push_back(first);
    for (int step = 1; step < origin.count; ++step) {
        if (origin.channel + step > kMaxChannelNumber || dest.channel + step > kMaxChannelNumber) {
            result.code = kCannotAddConnection;
            break;
        }
        Connection next = first;
        next.originChannel = static_cast<std::uint8_t>(origin.channel + step);
        next.destChannel = static_cast<std::uint8_t>(dest.channel + step);
        result.entries.push_back(next);
    }
    return result;
}

} // namespace mnm
