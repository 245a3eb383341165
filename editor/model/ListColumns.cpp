#include "editor/model/ListColumns.h"

#include "editor/model/TabFields.h"

namespace mnm::editor {

int ColumnX(std::span<const int> edges, int units, int width, int k)
{
    if (units <= 0 || k < 0 || k >= static_cast<int>(edges.size())) return 0;
    return static_cast<int>(static_cast<long long>(edges[k]) * width / units);
}

std::vector<RowCell> LayOutRow(std::string_view line, std::span<const int> edges, int units, int width,
                               const IconFor& iconFor)
{
    std::vector<RowCell> cells;
    const std::vector<std::string> fields = SplitTabs(line);
    const int columns = static_cast<int>(edges.size()) - 1;
    for (int k = 0; k < columns && k < static_cast<int>(fields.size()); ++k) {
        if (fields[k].empty()) continue;
        RowCell cell{ColumnX(edges, units, width, k), ColumnX(edges, units, width, k + 1), {}, iconFor(fields[k])};
        if (cell.icon.empty()) cell.text = fields[k];
        cells.push_back(std::move(cell));
    }
    return cells;
}

std::string SpokenRow(std::string_view line, std::size_t columns, const IconFor& wordFor)
{
    std::string spoken;
    const std::vector<std::string> fields = SplitTabs(line);
    for (std::size_t k = 0; k < columns && k < fields.size(); ++k) {
        if (fields[k].empty()) continue;
        const std::string word = wordFor(fields[k]);
        if (!spoken.empty()) spoken += ' ';
        spoken += word.empty() ? fields[k] : word;
    }
    return spoken;
}

} // namespace mnm::editor
