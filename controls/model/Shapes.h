// Plain points, polygons and colours that the controls' arithmetic hands to
// the widgets that paint them.
#pragma once

#include <vector>

namespace mnm::controls {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

using Polygon = std::vector<Point>;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

} // namespace mnm::controls
