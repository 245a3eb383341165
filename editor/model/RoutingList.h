// The two routing lists: each keeps the 32-bit route words; the line text and
// the column layout are built from them.
#pragma once

#include "nodeconf/NodeConf.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

struct RoutingList {
    std::vector<RouteEntry> words;
    int selected = -1;

    bool operator==(const RoutingList&) const = default;
};

// Route kinds for counting and removing: every entry, radio, telephone
// number, leased line.
enum class RouteKind { All = 0, Radio = 1, Telephone = 2, LeasedLine = 3 };

inline constexpr int kRoutingColumnEdges = 18;
inline constexpr int kRoutingColumnUnits = 40; // edges are in 40ths of the width

std::string RoutingLine(RouteEntry word);
// The destination a route word is for (0: any node), and the last node of
// its range (the destination itself when it is no range).
int RouteDestination(RouteEntry word);
int RouteRangeEnd(RouteEntry word);
bool RouteHasMetric(RouteEntry word);
bool HasMetric(const RoutingList& list);
const std::array<int, kRoutingColumnEdges>& RoutingColumnEdges(bool hasMetric);

// A line too long to be one of ours is drawn as this.
inline constexpr std::size_t kLongestRoutingLine = 100;
inline constexpr const char* kRoutingErrorLine = "ERROR\tERROR\tERROR\tERROR\tERROR\tERROR";
std::string ShownRoutingLine(std::string line);

// The picture of a route field ("!N", "!T", "!E"), and the word a screen
// reader says for it; empty for a text field.
std::string RoutingIcon(std::string_view field);
std::string RoutingIconWord(std::string_view field);

// The column headers "Destination", "Routing" and "Metric" over a list of
// `width` pixels; without metrics the last has no width.
struct HeaderSpan {
    int left = 0;
    int width = 0;
    bool operator==(const HeaderSpan&) const = default;
};
std::array<HeaderSpan, 3> RoutingHeaderSpans(bool hasMetric, int width);

// Inserts at the position (-1 the end) and selects it; 0, or -51 when full.
int AddRoute(RoutingList& list, RouteEntry word, int position = -1);
// 0, -1 negative index, -2 past the end.
int GetRoute(const RoutingList& list, int index, RouteEntry& word);
void RemoveSelectedRoute(RoutingList& list);
int CountRoutes(const RoutingList& list, RouteKind kind);
void RemoveRoutes(RoutingList& list, RouteKind kind);

// The Add button's inputs.
struct RouteEdits {
    std::string destination;
    bool telephoneChosen = false;
    std::string repeater;   // the node edit
    bool leasedLine = false; // the Leased Line Modem box
    int telephonePage = 1;  // the dialup telephone editor's current page
};

// The word, or the edit code (-1, -2, -5, -6, -10, -12, -51) with no word.
struct RouteParse {
    int code = 0;
    RouteEntry word = 0;
};
RouteParse ParseRouteEdits(const RouteEdits& edits);

// Adds to the chosen list (null: neither Primary nor Secondary checked, -299).
// An empty text, or "Error %d %d on parsing Routing Instruction" with the
// edit and add codes.
std::string AddRouteFromEdits(RoutingList* chosen, const RouteEdits& edits);

// The selected entry into the edits; a range or no selection empties them.
void CopyBackRoute(const RoutingList& list, RouteEdits& edits);

} // namespace mnm::editor
