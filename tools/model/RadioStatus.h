// What the radio test page reads from the node's status block, and the
// read-out texts it shows for it.
#pragma once

#include <cstdint>
#include <string>

#include "controls/model/Gauge.h"
#include "worker/Worker.h"

namespace mnm::tools {

// Where the fields sit in the status block; words are big-endian.
inline constexpr int kSignalWordOffset = 0;       // upper 16 bits: the signal's magnitude in dBm
inline constexpr int kPllOffset = 4;              // 0 unlocked, 1 locked
inline constexpr int kModeOffset = 5;             // kModeNetwork, kModeCarrierReceive, ...
inline constexpr int kFrequencyOffset = 8;        // hertz
inline constexpr int kPowerChannelWordOffset = 12; // upper 16 bits power in mW, lower 16 bits channel

// The page's mode before any status block and while none comes.
inline constexpr int kModeUnknown = -1;

// The received signal's scale, shared by the gauge and the history plot.
inline constexpr controls::GaugeScale kSignalScale{-125, -90, -120, -114};

struct RadioStatus {
    int signalDbm = 0;
    int pll = 0;
    int mode = kModeUnknown;
    std::uint32_t frequencyHz = 0;
    int power = 0; // milliwatts
    int channel = 0;
};

RadioStatus DecodeRadioStatus(const StatusBlockBytes& block);

// Megahertz with six decimals: 458123450 Hz reads "458.123450".
std::string FrequencyText(std::uint32_t hertz);
// At least three digits: "050".
std::string PowerText(int milliwatts);
// At least two digits: "05".
std::string ChannelText(int channel);

} // namespace mnm::tools
