// The received-signal bar's arithmetic: where the value stands, which part of
// each coloured zone is filled, and the value text with its place.
#pragma once

#include <string>
#include <vector>

#include "controls/model/Shapes.h"

namespace mnm::controls {

struct GaugeScale {
    int minimum = 0;
    int maximum = 0;
    int low = 0;   // end of the dark red zone
    int high = 0;  // end of the yellow zone
};

// The value a new gauge holds before one is given: half-way between the
// thresholds.
int GaugeStartValue(const GaugeScale& scale);

// The value clamped to the scale, or the minimum when there is none.
int GaugeShownValue(const GaugeScale& scale, bool hasValue, int value);

// The x of a value across `width` pixels; 0 when the scale has no span.
int GaugeX(const GaugeScale& scale, int value, int width);

struct GaugeZone {
    int left = 0;
    int right = 0;  // exclusive
    Rgb colour;
    bool operator==(const GaugeZone&) const = default;
};

// The filled parts of the three zones, left of the value's x (empty zones
// are left out).
std::vector<GaugeZone> GaugeZones(const GaugeScale& scale, int valueX, int width);

// "-100", ">-90" above the maximum, "<-125" below the minimum.
std::string GaugeText(const GaugeScale& scale, int value);

// The text's left edge: ending a little left of the value's x, never closer
// to the left edge than that same gap.
int GaugeTextLeft(int valueX, int textWidth);

} // namespace mnm::controls
