// How a dialup connection's row is drawn and said, the line its list keeps
// for it, and its copy back into the page's controls.
#pragma once

#include "editor/model/ListColumns.h"
#include "nodeconf/DialupRule.h"
#include "nodeconf/NodeConf.h"

#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

// The list's line for a record: every byte of it, so that any change to the
// record is a change of the line; read back by the delegate.
std::string DialupViewLine(const DialupConnection& c);
bool ReadDialupViewLine(std::string_view line, DialupConnection& out);

// The cells of a row `width` pixels wide (an invalid record: "-- Invalid --").
std::vector<RowCell> DialupRowCells(const DialupConnection& c, int width);

// The row in words: "Input D1.2 to node 5 A3.1, telephone 2, every 1h30, on change 5%".
std::string SpokenDialupRow(const DialupConnection& c);

// The record into the controls, written as the "+" button reads them back:
// adding after a copy back gives the same record.
void CopyBackDialup(const DialupConnection& c, DialupInput& in);

} // namespace mnm::editor
