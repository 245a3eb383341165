// Where the fields of an editor list line stand in its row: the lists keep
// their columns apart with tabs, and each list has a table of column edges
// in fractions of the row's width.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

// One field of a row: text, or a picture when the field names one.
struct RowCell {
    int left = 0;
    int right = 0;     // the column's right edge (exclusive)
    std::string text;  // empty for a picture
    std::string icon;  // the picture's name, empty for text
    int iconSide = 0;  // its size; 0 for the list's usual one

    bool operator==(const RowCell&) const = default;
};

// A field's picture name, or empty when the field is text.
using IconFor = std::function<std::string(std::string_view field)>;

// The x of edge `k` of `edges` (in `units`ths of `width`).
int ColumnX(std::span<const int> edges, int units, int width, int k);

// Field k of the line in column k (edges k to k+1); fields beyond the last
// column are not shown, and empty fields take no cell.
std::vector<RowCell> LayOutRow(std::string_view line, std::span<const int> edges, int units, int width,
                               const IconFor& iconFor);

// What a screen reader says for a row: the fields that show, in order,
// with each picture said as its word.
std::string SpokenRow(std::string_view line, std::size_t columns, const IconFor& wordFor);

} // namespace mnm::editor
