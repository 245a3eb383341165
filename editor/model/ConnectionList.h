// The connections list: each connection kept as its tab-separated line text,
// which is the page's only copy until the store reads every line back.
#pragma once

#include "nodeconf/ConnectionRule.h"
#include "nodeconf/NodeConf.h"

#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

struct ConnectionList {
    std::vector<std::string> lines;
    int selected = -1;

    bool operator==(const ConnectionList&) const = default;
};

std::string ConnectionLine(const Connection& c);
// 0, -3 / -4 a line over 200 characters, -5 fewer than eleven values,
// -1001 endpoints the record cannot hold.
int ReadConnectionLine(std::string_view line, Connection& out);
// As ReadConnectionLine, with -1 / -2 for an index before or past the list.
int GetConnection(const ConnectionList& list, int index, Connection& out);

// Inserts in endpoint order, replacing a neighbour with the same endpoints;
// the index of the new line, or -101 invalid, -102 input with a node number,
// -103 input letter not lower case, -104 output letter not upper case.
int AddConnection(ConnectionList& list, const Connection& c);
void RemoveSelectedConnection(ConnectionList& list);

// Rewrites the change marks 'd' / 'z' (kept: 'f', a local digital input on
// card 0, and '-').
void SetChangeDetection(ConnectionList& list, bool detectable);

// The Connect button: 0, or the Connect catalogue's code. Connections of a
// range added before a failure stay in the list.
int Connect(ConnectionList& list, const ConnectionInput& in);

// The edits' texts for the selected line (copy back); nothing when the line
// does not read.
bool CopyBackConnection(const ConnectionList& list, ConnectionInput& edits);

// Which of the threshold, Max. PPM and Offset controls show, from the edits.
struct ConnectionFieldRules {
    bool showChangeBox = false;  // 7009 and its picture
    bool showThreshold = false;
    bool thresholdEnabled = false;
    bool showPercent = false;
    bool showPulseControls = false; // Max. PPM and Offset
};
ConnectionFieldRules ConnectionFieldsFor(const ConnectionInput& edits, bool pageShown);

// When low-power operation is on, a line is offending when it transmits on
// change and is not a local digital input on card 0.
bool IsLowPowerOffending(const Connection& c);

} // namespace mnm::editor
