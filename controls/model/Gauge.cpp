#include "controls/model/Gauge.h"

#include <algorithm>
#include <cstdint>

namespace mnm::controls {

namespace {

const Rgb kDarkRed{192, 0, 0};
const Rgb kYellow{255, 255, 0};
const Rgb kGreen{0, 255, 0};
// Pixels between the value text and the value's x, and the left edge.
constexpr int kTextGap = 2;

int Clamp(const GaugeScale& scale, int value)
{
    // A scale given upside down must not make std::clamp undefined.
    return std::max(scale.minimum, std::min(value, scale.maximum));
}

} // namespace

int GaugeStartValue(const GaugeScale& scale)
{
    return static_cast<int>((static_cast<std::int64_t>(scale.low) + scale.high) / 2);
}

int GaugeShownValue(const GaugeScale& scale, bool hasValue, int value)
{
    return hasValue ? Clamp(scale, value) : scale.minimum;
}

int GaugeX(const GaugeScale& scale, int value, int width)
{
    const std::int64_t span = static_cast<std::int64_t>(scale.maximum) - scale.minimum;
    if (span <= 0) return 0;
    const std::int64_t offset = static_cast<std::int64_t>(Clamp(scale, value)) - scale.minimum;
    return static_cast<int>(offset * width / span);
}

std::vector<GaugeZone> GaugeZones(const GaugeScale& scale, int valueX, int width)
{
    const int lowX = GaugeX(scale, scale.low, width);
    const int highX = std::max(lowX, GaugeX(scale, scale.high, width));
    const GaugeZone all[] = {{0, lowX, kDarkRed}, {lowX, highX, kYellow}, {highX, width, kGreen}};
    std::vector<GaugeZone> zones;
    for (GaugeZone zone : all) {
        zone.right = std::min(zone.right, valueX);
        if (zone.right > zone.left) zones.push_back(zone);
    }
    return zones;
}

std::string GaugeText(const GaugeScale& scale, int value)
{
    if (value > scale.maximum) return ">" + std::to_string(scale.maximum);
    if (value < scale.minimum) return "<" + std::to_string(scale.minimum);
    return std::to_string(value);
}

int GaugeTextLeft(int valueX, int textWidth) { return std::max(kTextGap, valueX - kTextGap - textWidth); }

} // namespace mnm::controls
