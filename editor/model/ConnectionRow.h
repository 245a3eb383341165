// How a connection line is drawn and said: its eight fields in columns of
// 48ths of the row, the arrow, clock and delta pictures, and the threshold
// only where it means something.
#pragma once

#include "editor/model/ListColumns.h"

#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

inline constexpr int kConnectionColumnUnits = 48;
inline constexpr std::size_t kLongestDrawnConnectionLine = 100;

// The cells of a row `width` pixels wide; none for a line too long to be
// drawn or one that does not read.
std::vector<RowCell> ConnectionRowCells(std::string_view line, int width);

// The row in words: "D1.1 to D2.1, every interval, on change 5%".
std::string SpokenConnectionRow(std::string_view line);

} // namespace mnm::editor
