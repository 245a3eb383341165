#include "tools/model/RadioStatus.h"

#include <cstdio>

namespace mnm::tools {

namespace {

constexpr std::uint32_t kHertzPerMegahertz = 1000000;
constexpr int kHalfWordBits = 16;
constexpr std::uint32_t kLowHalfWord = 0xFFFF;
constexpr std::size_t kTextRoom = 32; // the longest read-out: ten digits, a point and a sign

std::uint32_t WordAt(const StatusBlockBytes& block, int offset)
{
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i) word = word << 8 | block[static_cast<std::size_t>(offset + i)];
    return word;
}

} // namespace

RadioStatus DecodeRadioStatus(const StatusBlockBytes& block)
{
    RadioStatus status;
    status.signalDbm = -static_cast<int>(WordAt(block, kSignalWordOffset) >> kHalfWordBits);
    status.pll = block[kPllOffset];
    status.mode = block[kModeOffset];
    status.frequencyHz = WordAt(block, kFrequencyOffset);
    const std::uint32_t powerChannel = WordAt(block, kPowerChannelWordOffset);
    status.power = static_cast<int>(powerChannel >> kHalfWordBits);
    status.channel = static_cast<int>(powerChannel & kLowHalfWord);
    return status;
}

std::string FrequencyText(std::uint32_t hertz)
{
    char text[kTextRoom];
    std::snprintf(text, sizeof text, "%lu.%06lu", static_cast<unsigned long>(hertz / kHertzPerMegahertz),
                  static_cast<unsigned long>(hertz % kHertzPerMegahertz));
    return text;
}

std::string PowerText(int milliwatts)
{
    char text[kTextRoom];
    std::snprintf(text, sizeof text, "%03d", milliwatts);
    return text;
}

std::string ChannelText(int channel)
{
    char text[kTextRoom];
    std::snprintf(text, sizeof text, "%02d", channel);
    return text;
}

} // namespace mnm::tools
