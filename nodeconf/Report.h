// What the editor's parsers hand back to the page that shows the result: a
// code (0 = no problem) and, for rules whose messages are not in the
// catalogue, the message itself.
#pragma once

#include <optional>
#include <string>

namespace mnm {

// The code of a report whose text is the whole message.
inline constexpr int kTextReport = -1;

struct Report {
    int code = 0;
    std::optional<std::string> text = {}; // so that Report{code} is complete

    bool ok() const { return code == 0; }
};

inline Report Rejected(std::string text) { return Report{kTextReport, std::move(text)}; }

} // namespace mnm
