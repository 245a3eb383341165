// The selection rule the editor's lists share.
#pragma once

#include <vector>

namespace mnm::editor {

// Removes the selected entry of `entries`; the selection moves to the entry
// that took its place, or to the new last one (-1 when none is left).
template <typename Entry> void RemoveSelectedEntry(std::vector<Entry>& entries, int& selected)
{
    const int at = selected;
    if (at < 0 || at >= static_cast<int>(entries.size())) return;
    entries.erase(entries.begin() + at);
    const int n = static_cast<int>(entries.size());
    selected = at < n ? at : n - 1;
}

} // namespace mnm::editor
