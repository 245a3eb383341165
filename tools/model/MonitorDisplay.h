// What the monitor shows for one reading: the seven-segment text and the
// caption line above it, by the reading's kind and the analog choice.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "nodeconf/NodeStaticData.h"
#include "tools/model/MonitorEndpoint.h"
#include "worker/Worker.h"

namespace mnm::tools {

// Where the fields lie in the reading as the node sends it.
inline constexpr int kReadingValueOffset = 0; // 4 bytes, big-endian
inline constexpr int kReadingNodeOffset = 4;  // 0: this node
inline constexpr int kReadingKindOffset = 5;
inline constexpr int kReadingCardOffset = 6;
inline constexpr int kReadingChannelOffset = 7;

struct MonitorReading {
    std::uint32_t value = 0;
    int node = 0;
    char kind = '\0'; // 0: nothing to show
    int card = 0;
    int channel = 0;
};

MonitorReading DecodeReading(const MonitorReadingBytes& bytes);

// The "Show Analog Values as ..." choices, in the drop-down's order.
struct AnalogChoice {
    const char* text;
    const char* unit;        // after the caption's kind words
    std::uint32_t fullScale; // shown for a full-scale reading, in units of the last decimal; 0: the raw value
    int decimals;
};
inline constexpr std::array<AnalogChoice, 4> kAnalogChoices{{
    {"0..20mA", " (mA)", 2000, 2},
    {"0..5V", " (V)", 5000, 3},
    {"0..100% FSD", " (% FSD)", 10000, 2},
    {"0..4095", "", 0, 0},
}};
inline constexpr int kDefaultAnalogChoice = 1; // "0..5V"

inline constexpr std::uint32_t kAnalogFullScale = 4095;
inline constexpr std::uint32_t kAnalogOverRange = 65535;
inline constexpr const char* kAnalogOverRangeText = "of";
inline constexpr std::uint32_t kPulseNoCount = 0x400000;
inline constexpr const char* kPulseNoCountText = "-----";
// A digital or status reading holds one bit per channel, channel n in bit n-1.
inline constexpr int kBitChannels = 32;
inline constexpr std::size_t kMaxCaptionLength = 512;
inline constexpr int kMaxShownChannelName = 63;

struct MonitorShown {
    std::string text;     // for the seven-segment display
    std::string caption;  // Windows-1252 (the channel's name comes from the node)
    std::string endpoint; // the caption's endpoint part, e.g. "D1.8-1"

    bool Empty() const { return text.empty(); }
    bool operator==(const MonitorShown&) const = default;
};

// The reading drawn. `endpoint` is the monitored one (null: none); `analog`
// indexes kAnalogChoices; `cells` is how many digits the display holds;
// `names` gives channel names (null: none). Both texts are empty when there
// is nothing to show.
MonitorShown ShowReading(const MonitorReading& reading, const MonitoredEndpoint* endpoint, int analog, int cells,
                         const NodeStaticData* names);

} // namespace mnm::tools
