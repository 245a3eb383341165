// The engineering commands the page asks the worker to send (command 65):
// the output they drive, their bytes, and the value texts they are built from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "worker/Worker.h"

namespace mnm::tools {

// The kind letters of the outputs the page drives (typed in either case).
inline constexpr char kDigitalOutputKind = 'D';
inline constexpr char kPulseOutputKind = 'P';
inline constexpr char kAnalogOutputKind = 'A';

// A card's outputs are addressed by a 16-bit mask, so only 16 channels.
inline constexpr int kFirstOutputChannel = 1;
inline constexpr int kLastOutputChannel = 16;

struct OutputPoint {
    int card = 0;
    int channel = 0;
    bool operator==(const OutputPoint&) const = default;
};

// The point `text` names when it is one of this node's outputs of `kind`:
// no node number, no range, channel 1..16, card 0..255. Nothing otherwise.
std::optional<OutputPoint> ReadOutputPoint(std::string_view text, char kind);

// The first byte of every engineering command, then one of these sub-command codes.
inline constexpr std::uint8_t kEngineeringLead = 0x00;
inline constexpr std::uint8_t kDigitalOnCode = 0x10;
inline constexpr std::uint8_t kDigitalOffCode = 0x20;
inline constexpr std::uint8_t kAnalogLevelCode = 0x40;
inline constexpr std::uint8_t kPulseSetupCode = 0xA0;
inline constexpr std::uint8_t kPulseCountCode = 0xB0;

inline constexpr std::size_t kDigitalCommandSize = 5;
inline constexpr std::size_t kAnalogCommandSize = 5;
inline constexpr std::size_t kPulseCommandSize = 9;
static_assert(kPulseCommandSize <= static_cast<std::size_t>(kMaxEngineeringBytes));

template <std::size_t N> using CommandBytes = std::array<std::uint8_t, N>;

// Full scale and decimals of the two analog ranges: millivolts up to 5 V,
// hundredths of a milliampere up to 20 mA.
struct AnalogScale {
    int decimals = 0;
    std::uint64_t fullScale = 0;
};
inline constexpr AnalogScale kVoltsScale{3, 5000};
inline constexpr AnalogScale kMilliampsScale{2, 2000};

// The output's resolution: levels 0..4095.
inline constexpr std::uint64_t kLevelSteps = 4096;
inline constexpr int kHighestLevel = 4095;

// A value text: leading white space, then digits with at most one ".", 1 to
// 10 digits in all. The number scaled to `decimals` places (further decimals
// dropped): "2.5" with 3 gives 2500. Nothing when the text does not read.
// Ten digits scaled by a thousand need more than 32 bits, hence the width.
std::optional<std::uint64_t> ReadDecimal(std::string_view text, int decimals);

// value x 4096 / full scale, at most 4095; `fullScale` is not 0.
int AnalogLevel(std::uint64_t value, std::uint64_t fullScale);

// A pulse count: all digits, 0 to 65535.
std::optional<std::uint16_t> ReadPulseCount(std::string_view text);

CommandBytes<kDigitalCommandSize> DigitalCommand(OutputPoint point, bool on);
CommandBytes<kAnalogCommandSize> AnalogCommand(OutputPoint point, int level);
CommandBytes<kPulseCommandSize> PulseCommand(OutputPoint point, std::uint16_t count);

// The page's actions from its texts; nothing when any of them does not read
// or the value is beyond the range.
std::optional<CommandBytes<kDigitalCommandSize>> DigitalCommandFor(std::string_view endpoint, bool on);
std::optional<CommandBytes<kAnalogCommandSize>> AnalogCommandFor(std::string_view endpoint, std::string_view value,
                                                                 AnalogScale scale);
std::optional<CommandBytes<kPulseCommandSize>> PulseCommandFor(std::string_view endpoint, std::string_view count);

} // namespace mnm::tools
