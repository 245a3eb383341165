// The seven-segment read-out's arithmetic: the segment unit and cell count
// from the control's size, the segment polygons, the character patterns and
// which cells a text occupies.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "controls/model/Shapes.h"

namespace mnm::controls {

// A cell is this many segment units wide and high.
inline constexpr int kCellUnitsWide = 12;
inline constexpr int kCellUnitsHigh = 20;
// Segments 0..6 and the decimal point (bit 7).
inline constexpr int kSegmentCount = 8;
inline constexpr std::uint8_t kPointBit = 0x80;
inline constexpr std::uint8_t kBlankPattern = 0x00;
inline constexpr std::size_t kMaxSegmentText = 100;

struct SegmentLayout {
    int unit = 0;   // pixels per segment unit; 0 when nothing fits
    int top = 0;    // vertical margin above the cells
    int cells = 0;  // digit cells that fit across
    int right = 0;  // right edge of the rightmost cell
};

SegmentLayout LayoutSegments(int width, int height);

// The lit segments of a character (bit n = segment n).
std::uint8_t SegmentPattern(char c);

// Segment 0..7 of the cell whose right edge is `right` and top `top`.
Polygon SegmentPolygon(int segment, int right, int top, int unit);

// The characters of a text that take a cell ('.' rides on the cell before it).
int CellCharacterCount(std::string_view text);

struct SegmentCell {
    int right = 0;
    std::uint8_t pattern = kBlankPattern;
    bool operator==(const SegmentCell&) const = default;
};

// The cells to draw, rightmost first: the text's rightmost characters, then
// `blank` empty cells left of them while cells remain.
std::vector<SegmentCell> SegmentCells(std::string_view text, int blank, const SegmentLayout& layout);

} // namespace mnm::controls
