// The dialup connection list: records kept in numbered slots, each line
// naming its slot; primaries are followed by the secondaries that join them.
#pragma once

#include "editor/model/RoutingList.h"
#include "nodeconf/DialupRule.h"
#include "nodeconf/NodeConf.h"

#include <array>
#include <string>
#include <vector>

namespace mnm::editor {

struct DialupList {
    std::array<DialupConnection, kMaxDialupConnections> entries{}; // by slot ("slots" is a Qt keyword)
    std::array<bool, kMaxDialupConnections> used{};
    std::vector<int> lines; // slot of each line, in list order
    int selected = -1;

    bool operator==(const DialupList& other) const;
};

int DialupCount(const DialupList& list);
// 0, or -1 for an index outside the list.
int GetDialup(const DialupList& list, int index, DialupConnection& out);

// 1, or -8 invalid record, -21 a secondary with no primary above the
// selection, -11 no free slot.
int AddDialup(DialupList& list, const DialupConnection& c);
// index -1: the selected line. A primary still followed by a secondary stays.
// 0 (also for a refused primary), or -1 for a bad index.
int RemoveDialup(DialupList& list, int index = -1);

// Telephone: routed to a number (1..254); LeasedLine: 255; All: every one.
int CountDialups(const DialupList& list, RouteKind kind);
// What a modem switch takes away: the connections of that kind, each primary
// with the secondaries that follow it (they cannot stay without it).
int CountDialupsGoing(const DialupList& list, RouteKind kind);
void RemoveDialups(DialupList& list, RouteKind kind);

// The "+" button: an empty text on success, else the title and message to show.
struct DialupAddResult {
    std::string title;
    std::string message;
};
DialupAddResult AddDialupFromControls(DialupList& list, const DialupInput& in);

// How the list draws an interval of that many minutes: 45mn, 2h, 1h30.
std::string DialupIntervalText(int minutes);

// The dialup page's control rules from its inputs.
struct DialupPageRules {
    bool showInterval = false, intervalBoxEnabled = false, intervalEditEnabled = false;
    bool showMinutesLabel = false, minutesLabelEnabled = false;
    bool showChangeBox = false;
    bool showThreshold = false, thresholdEnabled = false, showPercent = false;
    bool showPulseControls = false;
};
DialupPageRules DialupRulesFor(const DialupInput& in);

} // namespace mnm::editor
