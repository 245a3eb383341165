// How an alert line is drawn and said. The row is a run of cells of fixed
// widths side by side from the left, the widths taken from the list's font,
// so the points of the limits and hysteresis values line up from row to row.
#pragma once

#include "editor/model/ListColumns.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

// The width in pixels of a text in the list's font.
using TextWidth = std::function<int(std::string_view text)>;

inline constexpr int kAlertIconSide = 8;

// The row's cells, left to right; kAlertEnd is where the drawing stops.
enum AlertCell {
    kAlertLeadGap, kAlertKindIcon, kAlertKind, kAlertCard, kAlertChannel, kAlertConditionIcon,
    kAlertLimitWhole, kAlertLimitDecimals, kAlertUnits, kAlertUnitsGap, kAlertHysteresisIcon,
    kAlertHysteresisWhole, kAlertHysteresisDecimals, kAlertSendGap, kAlertMessage, kAlertSendToIcon,
    kAlertTelephone, kAlertEnd,
};
inline constexpr int kAlertCellCount = kAlertEnd + 1;

// The left x of every cell; the cell runs to the next one's left.
std::array<int, kAlertCellCount> AlertCellEdges(const TextWidth& width);

// A stored value's digits ("450") as the row shows them: at least one digit
// before the decimals ("4"), and the point with the decimals (".50", empty
// for a whole count).
struct AlertValueParts {
    std::string whole, decimals;

    bool operator==(const AlertValueParts&) const = default;
};
AlertValueParts SplitAlertValue(std::string_view digits, int decimals);

// The cells to draw, text placed by its alignment in its cell (a cell's
// left is where its text starts); none for a line that does not read.
std::vector<RowCell> AlertRowCells(std::string_view line, const TextWidth& width);

// The row in words: "Input D1.2 turns ON, send message 1 to number 2".
std::string SpokenAlertRow(std::string_view line);

} // namespace mnm::editor
