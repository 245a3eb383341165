#include "tools/model/EngineeringCommands.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "nodeconf/Endpoint.h"
#include "nodeconf/NumberText.h"

namespace mnm::tools {

namespace {

constexpr int kMaxValueDigits = 10;
constexpr std::uint64_t kDecimalBase = 10;
constexpr int kByteBits = 8;
constexpr unsigned kByteMask = 0xFF;

// A sub-command holds the channel in its low four bits, so channel 16 is
// written as 0 (its bit would otherwise turn one code into the next).
constexpr unsigned kChannelCodeModulo = 16;

std::uint8_t High(unsigned value) { return static_cast<std::uint8_t>(value >> kByteBits & kByteMask); }
std::uint8_t Low(unsigned value) { return static_cast<std::uint8_t>(value & kByteMask); }
std::uint8_t Card(OutputPoint point) { return static_cast<std::uint8_t>(point.card); }

std::uint8_t WithChannel(std::uint8_t code, OutputPoint point)
{
    return static_cast<std::uint8_t>(code | static_cast<unsigned>(point.channel) % kChannelCodeModulo);
}


} // namespace

std::optional<OutputPoint> ReadOutputPoint(std::string_view text, char kind)
{
    Endpoint e;
    if (ParseEndpoint(text, false, e) != 0) return std::nullopt;
    if (e.node != absent) return std::nullopt;
    if (std::toupper(static_cast<unsigned char>(e.letter)) != kind) return std::nullopt;
    if (e.channel < kFirstOutputChannel || e.channel > kLastOutputChannel) return std::nullopt;
    if (e.card < 0 || e.card > kMaxCardNumber) return std::nullopt;
    return OutputPoint{e.card, e.channel};
}

std::optional<std::uint64_t> ReadDecimal(std::string_view text, int decimals)
{
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    std::uint64_t value = 0;
    int digits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.') {
            if (point) return std::nullopt;
            point = true;
            continue;
        }
        if (!IsDigit(c) || ++digits > kMaxValueDigits) return std::nullopt;
        if (point && fractionDigits >= decimals) continue; // dropped, not rounded
        value = value * kDecimalBase + static_cast<std::uint64_t>(c - '0');
        if (point) ++fractionDigits;
    }
    if (digits == 0) return std::nullopt;
    for (; fractionDigits < decimals; ++fractionDigits) value *= kDecimalBase;
    return value;
}

int AnalogLevel(std::uint64_t value, std::uint64_t fullScale)
{
    // Values come from ReadDecimal (below 10^14), so the product stays inside 64 bits.
    return static_cast<int>(std::min<std::uint64_t>(value * kLevelSteps / fullScale, kHighestLevel));
}

std::optional<std::uint16_t> ReadPulseCount(std::string_view text)
{
    if (!IsAllDigits(text)) return std::nullopt;
    const std::uint32_t count = DigitsValue(text);
    if (count > std::numeric_limits<std::uint16_t>::max()) return std::nullopt;
    return static_cast<std::uint16_t>(count);
}

CommandBytes<kDigitalCommandSize> DigitalCommand(OutputPoint point, bool on)
{
    const unsigned mask = 1u << (point.channel - 1);
    if (on) return {kEngineeringLead, kDigitalOnCode, Card(point), High(mask), Low(mask)};
    // Off names the channels to keep: every one but this.
    return {kEngineeringLead, kDigitalOffCode, Card(point), static_cast<std::uint8_t>(High(mask) ^ kByteMask),
            static_cast<std::uint8_t>(Low(mask) ^ kByteMask)};
}

CommandBytes<kAnalogCommandSize> AnalogCommand(OutputPoint point, int level)
{
    const auto bits = static_cast<unsigned>(level);
    return {kEngineeringLead, WithChannel(kAnalogLevelCode, point), Card(point), High(bits), Low(bits)};
}

CommandBytes<kPulseCommandSize> PulseCommand(OutputPoint point, std::uint16_t count)
{
    return {kEngineeringLead, WithChannel(kPulseSetupCode, point), Card(point), 0, 0,
            WithChannel(kPulseCountCode, point), Card(point), High(count), Low(count)};
}

std::optional<CommandBytes<kDigitalCommandSize>> DigitalCommandFor(std::string_view endpoint, bool on)
{
    const std::optional<OutputPoint> point = ReadOutputPoint(endpoint, kDigitalOutputKind);
    if (!point) return std::nullopt;
    return DigitalCommand(*point, on);
}

std::optional<CommandBytes<kAnalogCommandSize>> AnalogCommandFor(std::string_view endpoint, std::string_view value,
                                                                 AnalogScale scale)
{
    const std::optional<OutputPoint> point = ReadOutputPoint(endpoint, kAnalogOutputKind);
    if (!point) return std::nullopt;
    const std::optional<std::uint64_t> scaled = ReadDecimal(value, scale.decimals);
    if (!scaled || *scaled > scale.fullScale) return std::nullopt;
    return AnalogCommand(*point, AnalogLevel(*scaled, scale.fullScale));
}

std::optional<CommandBytes<kPulseCommandSize>> PulseCommandFor(std::string_view endpoint, std::string_view count)
{
    const std::optional<OutputPoint> point = ReadOutputPoint(endpoint, kPulseOutputKind);
    if (!point) return std::nullopt;
    const std::optional<std::uint16_t> pulses = ReadPulseCount(count);
    if (!pulses) return std::nullopt;
    return PulseCommand(*point, *pulses);
}

} // namespace mnm::tools
