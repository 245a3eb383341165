#include "controls/model/SevenSegment.h"

#include <algorithm>
#include <array>

namespace mnm::controls {

namespace {

// Fewer pixels than this above and below the cells together look cramped.
constexpr int kMinVerticalMargin = 6;
constexpr int kMaxUnitTries = 20;
// Pixels kept free beside the cells.
constexpr int kHorizontalSlack = 2;

constexpr std::array<std::uint8_t, 10> kDigitPatterns = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                         0x6D, 0x7D, 0x27, 0x7F, 0x6F};
constexpr std::uint8_t kMinusPattern = 0x40;
constexpr std::uint8_t kSmallOPattern = 0x5C;
constexpr std::uint8_t kSmallFPattern = 0x71;
constexpr std::uint8_t kUnknownPattern = 0x08;  // the bottom segment alone

// Corners as (units left of the right edge, units below the top).
const std::array<std::vector<Point>, kSegmentCount> kSegmentCorners = {{
    {{2, 0}, {4, 2}, {10, 2}, {12, 0}, {2, 0}},
    {{2, 0}, {4, 2}, {4, 9}, {2, 10}},
    {{2, 10}, {4, 11}, {4, 18}, {2, 20}},
    {{2, 20}, {4, 18}, {10, 18}, {12, 20}, {2, 20}},
    {{12, 10}, {10, 11}, {10, 18}, {12, 20}},
    {{12, 0}, {10, 2}, {10, 9}, {12, 10}},
    {{2, 10}, {4, 9}, {10, 9}, {12, 10}, {10, 11}, {4, 11}, {2, 10}},
    {{0, 18}, {2, 18}, {2, 20}, {0, 20}},
}};

} // namespace

SegmentLayout LayoutSegments(int width, int height)
{
    SegmentLayout layout;
    for (int j = 0; j < kMaxUnitTries; ++j) {
        layout.unit = (height - j) / kCellUnitsHigh;
        if (height - kCellUnitsHigh * layout.unit >= kMinVerticalMargin) break;
    }
    layout.unit = std::max(0, layout.unit);
    layout.top = (height - kCellUnitsHigh * layout.unit) / 2;
    layout.cells = layout.unit == 0 ? 0 : std::max(0, (width - kHorizontalSlack) / kCellUnitsWide / layout.unit);
    layout.right = width - 1;
    return layout;
}

std::uint8_t SegmentPattern(char c)
{
    if (c >= '0' && c <= '9') return kDigitPatterns[static_cast<std::size_t>(c - '0')];
    switch (c) {
    case ' ': return kBlankPattern;
    case '-': return kMinusPattern;
    case 'o': return kSmallOPattern;
    case 'f': return kSmallFPattern;
    default: return kUnknownPattern;
    }
}

Polygon SegmentPolygon(int segment, int right, int top, int unit)
{
    Polygon polygon;
    if (segment < 0 || segment >= kSegmentCount) return polygon;
    for (const Point& corner : kSegmentCorners[static_cast<std::size_t>(segment)])
        polygon.push_back({right - corner.x * unit, top + corner.y * unit});
    return polygon;
}

int CellCharacterCount(std::string_view text)
{
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return c != '.'; }));
}

std::vector<SegmentCell> SegmentCells(std::string_view text, int blank, const SegmentLayout& layout)
{
    std::vector<SegmentCell> cells;
    const auto full = [&] { return static_cast<int>(cells.size()) >= layout.cells; };
    const auto nextRight = [&] { return layout.right - static_cast<int>(cells.size()) * kCellUnitsWide * layout.unit; };
    std::uint8_t point = 0;
    for (auto it = text.rbegin(); it != text.rend() && !full(); ++it) {
        if (*it == '.') {
            point = kPointBit;
            continue;
        }
        cells.push_back({nextRight(), static_cast<std::uint8_t>(SegmentPattern(*it) | point)});
        point = 0;
    }
    for (int i = 0; i < blank && !full(); ++i) cells.push_back({nextRight(), kBlankPattern});
    return cells;
}

} // namespace mnm::controls
