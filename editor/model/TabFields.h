// The editor's list lines keep their columns apart with tabs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

// The fields between tabs; a line without a tab is one field.
std::vector<std::string> SplitTabs(std::string_view line);

} // namespace mnm::editor
