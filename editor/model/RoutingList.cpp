#include "editor/model/RoutingList.h"
#include "editor/model/ListColumns.h"
#include "editor/model/ListSelection.h"

#include "nodeconf/Endpoint.h"
#include "nodeconf/NumberText.h"

#include <algorithm>
#include <cstdio>

namespace mnm::editor {

namespace {

constexpr std::uint32_t kMetricMask = 0x7F000000u;
constexpr std::uint32_t kRouteFail = 255;
constexpr std::size_t kLongestNumberEdit = 5;

int Route(RouteEntry w) { return w & 0xFF; }
bool ByTelephone(RouteEntry w) { return (w & kRouteTelephone) != 0; }

bool IsKind(RouteEntry w, RouteKind kind)
{
    switch (kind) {
    case RouteKind::All: return true;
    case RouteKind::Radio: return !ByTelephone(w);
    case RouteKind::Telephone: return ByTelephone(w) && Route(w) != 0;
    case RouteKind::LeasedLine: return ByTelephone(w) && Route(w) == 0;
    }
    return false;
}

// A number edit of 1 to 5 characters: its value, or the empty / too long code.
int ReadNumberEdit(std::string_view text, int emptyCode, std::uint32_t& value)
{
    if (text.empty()) return emptyCode;
    if (text.size() > kLongestNumberEdit) return emptyCode + 1;
    // Only digits name a node: "0x1F" must not pass as 0 (any node, direct)
    // nor "12x" as 12, so anything else reads as out of range.
    value = IsAllDigits(text) ? DigitsValue(text) : absent;
    return 0;
}

} // namespace

int RouteDestination(RouteEntry word) { return (word >> 16) & 0xFF; }
int RouteRangeEnd(RouteEntry word) { return (word >> 8) & 0xFF; }

std::string RoutingLine(RouteEntry w)
{
    std::string line = "\t";
    const int dest = RouteDestination(w);
    line += dest == 0 ? "\t[Any]\t" : "\t" + std::to_string(dest) + "\t";
    line += (dest == 0 || RouteRangeEnd(w) == dest) ? "\t\t\t\t" : "\t..\t\t" + std::to_string(RouteRangeEnd(w)) + "\t";
    const int route = Route(w);
    if (!ByTelephone(w)) {
        if (route == 0) line += "\t\t\t[Direct]\t";
        else if (route == static_cast<int>(kRouteFail)) line += "\t\t\t[FAIL]\t";
        else line += "\t\t!N\t" + std::to_string(route) + "\t";
    } else {
        line += route == 0 ? "\t\t!E\t\t" : "\t\t!T\t" + std::to_string(route) + "\t";
    }
    line += RouteHasMetric(w) ? "\t\t\t" + std::to_string(static_cast<int>((w & kMetricMask) >> 24) - 1) + "\t"
                              : "\t\t\t\t";
    return line;
}

bool RouteHasMetric(RouteEntry w) { return (w & kMetricMask) != 0; }

bool HasMetric(const RoutingList& list)
{
    return std::any_of(list.words.begin(), list.words.end(), RouteHasMetric);
}

const std::array<int, kRoutingColumnEdges>& RoutingColumnEdges(bool hasMetric)
{
    static constexpr std::array<int, kRoutingColumnEdges> kWithMetric = {0,  2,  3,  7,  8,  10, 11, 15, 16,
                                                                         18, 20, 27, 28, 29, 31, 36, 38, 40};
    static constexpr std::array<int, kRoutingColumnEdges> kWithout = {0,  2,  4,  9,  10, 12, 13, 18, 19,
                                                                      24, 26, 36, 38, 40, 40, 40, 40, 40};
    return hasMetric ? kWithMetric : kWithout;
}

std::string ShownRoutingLine(std::string line)
{
    return line.size() > kLongestRoutingLine ? std::string(kRoutingErrorLine) : line;
}

std::string RoutingIcon(std::string_view field)
{
    if (field == "!N") return "RoutingRepeaterIcon";
    if (field == "!T") return "RoutingTelephoneIcon";
    if (field == "!E") return "RoutingLeasedLineIcon";
    return {};
}

std::string RoutingIconWord(std::string_view field)
{
    if (field == "!N") return "by repeater";
    if (field == "!T") return "by telephone";
    if (field == "!E") return "by leased line";
    return {};
}

std::array<HeaderSpan, 3> RoutingHeaderSpans(bool hasMetric, int width)
{
    const auto& edges = RoutingColumnEdges(hasMetric);
    const auto x = [&](int k) { return ColumnX(edges, kRoutingColumnUnits, width, k); };
    return {HeaderSpan{x(1), x(8) - x(1)}, HeaderSpan{x(9), x(12) - x(9)}, HeaderSpan{x(13), x(16) - x(13)}};
}

int AddRoute(RoutingList& list, RouteEntry word, int position)
{
    if (static_cast<int>(list.words.size()) >= kMaxRoutes) return -51;
    const int n = static_cast<int>(list.words.size());
    const int at = (position < 0 || position > n) ? n : position;
    list.words.insert(list.words.begin() + at, word);
    list.selected = at;
    return 0;
}

int GetRoute(const RoutingList& list, int index, RouteEntry& word)
{
    if (index < 0) return -1;
    if (index >= static_cast<int>(list.words.size())) return -2;
    word = list.words[index];
    return 0;
}

void RemoveSelectedRoute(RoutingList& list) { RemoveSelectedEntry(list.words, list.selected); }

int CountRoutes(const RoutingList& list, RouteKind kind)
{
    return static_cast<int>(
        std::count_if(list.words.begin(), list.words.end(), [kind](RouteEntry w) { return IsKind(w, kind); }));
}

void RemoveRoutes(RoutingList& list, RouteKind kind)
{
    std::erase_if(list.words, [kind](RouteEntry w) { return IsKind(w, kind); });
    list.selected = -1;
}

RouteParse ParseRouteEdits(const RouteEdits& edits)
{
    std::uint32_t dest = 0;
    if (int code = ReadNumberEdit(edits.destination, -2, dest)) return {code, 0};
    if (dest > static_cast<std::uint32_t>(kMaxNodeNumber)) return {-10, 0};
    std::uint32_t route = 0;
    if (!edits.telephoneChosen) {
        if (int code = ReadNumberEdit(edits.repeater, -6, route)) return {code, 0};
        if (route > 255) return {-12, 0};
    } else if (!edits.leasedLine) {
        if (edits.telephonePage < 1) return {-51, 0};
        route = static_cast<std::uint32_t>(edits.telephonePage);
    }
    RouteEntry word = (edits.telephoneChosen ? kRouteTelephone : 0) | dest * 0x10100u | (route & 0xFF);
    return {0, word};
}

std::string AddRouteFromEdits(RoutingList* chosen, const RouteEdits& edits)
{
    const RouteParse parsed = ParseRouteEdits(edits);
    int added = 0;
    if (parsed.code == 0) added = chosen ? AddRoute(*chosen, parsed.word) : -299;
    if (parsed.code == 0 && added == 0) return {};
    char text[80];
    std::snprintf(text, sizeof text, "Error %d %d on parsing Routing Instruction", parsed.code, added);
    return text;
}

void CopyBackRoute(const RoutingList& list, RouteEdits& edits)
{
    RouteEntry w = 0;
    if (GetRoute(list, list.selected, w) != 0 || RouteRangeEnd(w) != RouteDestination(w)) {
        edits.destination.clear();
        edits.repeater.clear();
        return;
    }
    edits.destination = std::to_string(RouteDestination(w));
    edits.telephoneChosen = ByTelephone(w);
    if (ByTelephone(w)) edits.telephonePage = Route(w);
    else edits.repeater = std::to_string(Route(w));
}

} // namespace mnm::editor
