#include "editor/model/DialupList.h"

#include "nodeconf/ErrorCatalogue.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <tuple>

namespace mnm::editor {

namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool IsSecondary(const DialupConnection& c) { return (c.flags & kDialSecondary) != 0; }
bool IsValid(const DialupConnection& c) { return (c.flags & kDialValid) != 0; }

int KindRank(char letter)
{
    switch (Upper(letter)) {
    case 'D': return 0;
    case 'A': return 1;
    case 'P': return 2;
    case 'S': return 3;
    }
    return 4;
}

auto SortKey(const DialupConnection& c)
{
    const bool output = std::isupper(static_cast<unsigned char>(c.localKind)) != 0;
    return std::make_tuple(c.remoteNode, output, KindRank(c.localKind), c.localCard, c.localChannel, c.telephone,
                           KindRank(c.remoteKind), c.remoteCard, c.remoteChannel);
}

bool Comparable(const DialupConnection& a, const DialupConnection& b)
{
    return IsValid(a) && IsValid(b) && IsSecondary(a) == IsSecondary(b);
}

const DialupConnection& At(const DialupList& list, int index) { return list.entries[list.lines[index]]; }

bool IsKind(const DialupConnection& c, RouteKind kind)
{
    switch (kind) {
    case RouteKind::All: return true;
    case RouteKind::Telephone: return c.telephone >= 1 && c.telephone <= 254;
    case RouteKind::LeasedLine: return c.telephone == kDialLeasedLine;
    case RouteKind::Radio: return false;
    }
    return false;
}

// The lines a removal by kind takes: a primary of that kind brings its group.
std::vector<bool> Going(const DialupList& list, RouteKind kind)
{
    std::vector<bool> going(list.lines.size());
    bool groupGoes = false;
    for (std::size_t i = 0; i < list.lines.size(); ++i) {
        const DialupConnection& c = list.entries[list.lines[i]];
        if (!IsSecondary(c)) groupGoes = IsKind(c, kind);
        going[i] = IsKind(c, kind) || (IsSecondary(c) && groupGoes);
    }
    return going;
}

void EraseLine(DialupList& list, int index)
{
    list.used[list.lines[index]] = false;
    list.entries[list.lines[index]] = DialupConnection{};
    list.lines.erase(list.lines.begin() + index);
}

} // namespace

bool DialupList::operator==(const DialupList& other) const
{
    // Slot numbers are bookkeeping: equal lists hold equal records in order.
    if (lines.size() != other.lines.size() || selected != other.selected) return false;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (std::memcmp(&entries[lines[i]], &other.entries[other.lines[i]], sizeof(DialupConnection)) != 0)
            return false;
    return true;
}

int DialupCount(const DialupList& list) { return static_cast<int>(list.lines.size()); }

int GetDialup(const DialupList& list, int index, DialupConnection& out)
{
    if (index < 0 || index >= DialupCount(list)) return -1;
    out = At(list, index);
    return 0;
}

int AddDialup(DialupList& list, const DialupConnection& c)
{
    if (!IsValid(c)) return -8;
    const int n = DialupCount(list);
    int first = 0, end = n; // the range the new line goes into
    if (IsSecondary(c)) {
        int primary = list.selected < n ? list.selected : n - 1;
        while (primary >= 0 && IsSecondary(At(list, primary))) --primary;
        if (primary < 0) return -21;
        first = primary + 1;
        end = first;
        while (end < n && IsSecondary(At(list, end))) ++end;
    }
    int slot = 0;
    while (slot < kMaxDialupConnections && list.used[slot]) ++slot;
    if (slot == kMaxDialupConnections) return -11;

    int at = end;
    bool replaces = false;
    for (int i = first; i < end; ++i) {
        const DialupConnection& other = At(list, i);
        if (!Comparable(other, c)) continue;
        if (SortKey(other) >= SortKey(c)) {
            at = i;
            replaces = SortKey(other) == SortKey(c);
            break;
        }
    }
    list.entries[slot] = c;
    list.used[slot] = true;
    list.lines.insert(list.lines.begin() + at, slot);
    if (replaces) EraseLine(list, at + 1);
    list.selected = at;
    return 1;
}

int RemoveDialup(DialupList& list, int index)
{
    if (index == -1) index = list.selected;
    const int n = DialupCount(list);
    if (index < 0 || index >= n) return -1;
    if (!IsSecondary(At(list, index)) && index + 1 < n && IsSecondary(At(list, index + 1))) return 0;
    EraseLine(list, index);
    const int left = DialupCount(list);
    list.selected = index < left ? index : left - 1;
    return 0;
}

int CountDialups(const DialupList& list, RouteKind kind)
{
    int count = 0;
    for (int slot : list.lines) count += IsKind(list.entries[slot], kind);
    return count;
}

int CountDialupsGoing(const DialupList& list, RouteKind kind)
{
    const std::vector<bool> going = Going(list, kind);
    return static_cast<int>(std::count(going.begin(), going.end(), true));
}

void RemoveDialups(DialupList& list, RouteKind kind)
{
    const std::vector<bool> going = Going(list, kind);
    for (int i = DialupCount(list) - 1; i >= 0; --i)
        if (going[i]) EraseLine(list, i);
    list.selected = -1;
}

DialupAddResult AddDialupFromControls(DialupList& list, const DialupInput& in)
{
    DialupConnection c{};
    const Report parsed = BuildDialupConnection(in, c);
    if (!parsed.ok())
        return {"Error Parsing Dialup Connection", parsed.text ? *parsed.text : MessageForCode(parsed.code)};
    const int added = AddDialup(list, c);
    if (added == -21)
        return {"Error Adding Dialup Connection",
                "There is no Primary Connection with which to associate the new Secondary Connection"};
    if (added < 0) return {"Error Adding Dialup Connection", MessageForCode(added)};
    return {};
}

std::string DialupIntervalText(int minutes)
{
    char text[32];
    if (minutes < 60) std::snprintf(text, sizeof text, "%dmn", minutes);
    else if (minutes % 60 == 0) std::snprintf(text, sizeof text, "%dh", minutes / 60);
    else std::snprintf(text, sizeof text, "%dh%02d", minutes / 60, minutes % 60);
    return text;
}

DialupPageRules DialupRulesFor(const DialupInput& in)
{
    DialupPageRules r;
    const bool secondary = in.route == 1;
    const char local = in.local.empty() ? '\0' : Upper(in.local[0]);
    const char remote = in.remote.empty() ? '\0' : Upper(in.remote[0]);
    const bool pulseToAnalog = local == 'P' && remote == 'A';
    const bool hoursWritten = in.interval.find_first_of("hH") != std::string::npos;
    r.showInterval = !secondary;
    r.intervalBoxEnabled = !secondary;
    r.intervalEditEnabled = !secondary && in.intervalTicked;
    r.showMinutesLabel = !secondary && !hoursWritten;
    r.minutesLabelEnabled = r.showMinutesLabel && in.intervalTicked;
    r.showChangeBox = !secondary && !pulseToAnalog;
    r.showThreshold = !secondary && !pulseToAnalog && (local == 'A' || local == 'P');
    r.thresholdEnabled = r.showThreshold && in.changeTicked;
    r.showPercent = !secondary && local == 'A';
    r.showPulseControls = pulseToAnalog;
    return r;
}

} // namespace mnm::editor
