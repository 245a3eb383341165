// The provisioning table: one row per node, the columns naming the record's
// keys as `dump --json` writes them, each row's values laid over a template.
#pragma once

#include "nodeconf/NodeConf.h"

#include <string>
#include <string_view>
#include <vector>

namespace mnm {

struct ProvisionRow {
    int row;       // the spreadsheet row number (the header is row 1)
    NodeConf conf; // as the whole-configuration check stored it: what is sent
};

// The word that sets an optional field absent (null in JSON).
inline constexpr std::string_view kAbsentCell = "absent";

// Parses the CSV text (UTF-8) and builds each row's record from the template.
// On any fault returns false with `errors` holding one line per fault of the
// whole table ("row 3, column radioChannel: ...") and `rows` empty: a bad
// table is refused whole.
bool BuildProvisionRows(std::string_view csv, const NodeConf& templ, std::vector<ProvisionRow>& rows,
                        std::vector<std::string>& errors);

} // namespace mnm
