// The alerts list: each alert kept as its tab-separated line text.
#pragma once

#include "nodeconf/AlertRule.h"
#include "nodeconf/NodeConf.h"

#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

struct AlertList {
    std::vector<std::string> lines;
    int selected = -1;
    int capacity = kMaxSmsConnections;

    bool operator==(const AlertList&) const = default;
};

std::string AlertLine(const SmsConnection& a);
// 0, or -1 a field that does not read, -2 a negative limit, -3 a bad
// hysteresis mark or value, -4 a hysteresis without a limit, -5 bad message
// or telephone fields, -6 unknown units, -7 unknown condition.
int ReadAlertLine(std::string_view line, SmsConnection& out);
int GetAlert(const AlertList& list, int index, SmsConnection& out); // -8 bad index

// Appends and selects; 0, or the full-list code carrying the capacity.
int AddAlert(AlertList& list, const SmsConnection& a);
void RemoveSelectedAlert(AlertList& list);
void MoveSelectedAlert(AlertList& list, int delta);

// A value in its unit's scale as the edits show it: 450 in V is "4.50".
std::string AlertValueText(int value, int unit);

} // namespace mnm::editor
