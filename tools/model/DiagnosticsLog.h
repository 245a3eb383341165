// The diagnostics list: the node's unsolicited text messages, newest last,
// the oldest pushed out beyond 50.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace mnm::tools {

inline constexpr int kMaxDiagnosticLines = 50;
inline constexpr std::size_t kMaxDiagnosticLength = 255;

// A node text as a list line: cut to 255 characters, the control characters
// (below the space) at its end removed. Windows-1252 bytes stay as they are.
std::string DiagnosticLine(std::string_view text);

class DiagnosticsLog {
public:
    // Adds the node text's line at the end; how many of the oldest lines
    // went to make room (0 or 1).
    int Add(std::string_view text);
    void Clear() { lines_.clear(); }
    const std::deque<std::string>& Lines() const { return lines_; }

private:
    std::deque<std::string> lines_;
};

} // namespace mnm::tools
