#include "editor/model/ConnectionList.h"
#include "editor/model/ListSelection.h"
#include "editor/model/TabFields.h"

#include "nodeconf/Endpoint.h"
#include "nodeconf/ResultCodes.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <tuple>

namespace mnm::editor {

namespace {

constexpr std::size_t kLongestReadLine = 200;
constexpr std::size_t kLongestComparedLine = 200;
constexpr std::size_t kLongestRewrittenLine = 128;
constexpr int kChangeMarkField = 6; // 0-based: the seventh tab field

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string JoinTabs(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
    return line;
}

// Fields 2 to 5: input, arrow, output node, output.
bool SameEndpoints(const std::string& a, const std::string& b)
{
    if (a.size() > kLongestComparedLine || b.size() > kLongestComparedLine) return false;
    const auto fa = SplitTabs(a), fb = SplitTabs(b);
    if (fa.size() < 5 || fb.size() < 5) return false;
    for (int i = 1; i <= 4; ++i)
        if (fa[i] != fb[i]) return false;
    return true;
}

auto SortKey(const Connection& c)
{
    return std::make_tuple(c.originNode, c.originKind, c.originCard, c.originChannel, c.destNode, c.destKind,
                           c.destCard, c.destChannel);
}

bool IsLocalCard0Digital(const Connection& c)
{
    return c.originNode == 0 && c.originKind == 'd' && c.originCard == 0;
}

} // namespace

std::string ConnectionLine(const Connection& c)
{
    char in = c.originKind ? Upper(c.originKind) : '?';
    char out = c.destKind ? c.destKind : '?';
    char change = '-';
    if (c.connFlags & kConnOnChange) change = IsLocalCard0Digital(c) ? 'f' : 'd';
    char line[160];
    std::snprintf(line, sizeof line, "%d\t%c%d.%d\ta\t%d\t%c%d.%d\t%c\t%c\t%d", c.pulseScaling, in, c.originCard,
                  c.originChannel, c.destNode, out, c.destCard, c.destChannel,
                  (c.connFlags & kConnOnInterval) ? 'c' : '-', change, static_cast<int>(c.changeThreshold));
    return line;
}

int ReadConnectionLine(std::string_view line, Connection& out)
{
    if (line.size() > kLongestReadLine) return -3;
    const std::string text(line);
    int scaling, inCard, inChannel, outNode, outCard, outChannel, threshold;
    char inKind, outKind, interval, change;
    if (std::sscanf(text.c_str(), "%d\t%c%d.%d\ta\t%d\t%c%d.%d\t%c\t%c\t%d", &scaling, &inKind, &inCard, &inChannel,
                    &outNode, &outKind, &outCard, &outChannel, &interval, &change, &threshold) != 11)
        return -5;
    Connection c;
    if (MakeConnection(c, 0, Lower(inKind), inCard, inChannel, outNode, Upper(outKind), outCard, outChannel) != 0)
        return -1001;
    if (interval == 'c') c.connFlags |= kConnOnInterval;
    if (change == 'd' || change == 'f' || change == 'z') c.connFlags |= kConnOnChange;
    c.pulseScaling = static_cast<std::uint8_t>(scaling);
    c.changeThreshold = static_cast<std::uint32_t>(threshold);
    c.connSpare = 0;
    out = c;
    return 0;
}

int GetConnection(const ConnectionList& list, int index, Connection& out)
{
    if (index < 0) return -1;
    if (index >= static_cast<int>(list.lines.size())) return -2;
    return ReadConnectionLine(list.lines[index], out);
}

int AddConnection(ConnectionList& list, const Connection& c)
{
    if (!(c.connFlags & kConnValid)) return -101;
    if (c.originNode != 0) return -102;
    if (!std::islower(static_cast<unsigned char>(c.originKind))) return -103;
    if (!std::isupper(static_cast<unsigned char>(c.destKind))) return -104;

    int at = static_cast<int>(list.lines.size());
    for (int i = 0; i < static_cast<int>(list.lines.size()); ++i) {
        Connection other;
        if (ReadConnectionLine(list.lines[i], other) == 0 && SortKey(other) > SortKey(c)) {
            at = i;
            break;
        }
    }
    list.lines.insert(list.lines.begin() + at, ConnectionLine(c));
    list.selected = at;
    // Connecting the same endpoints again replaces the old settings.
    if (at > 0 && SameEndpoints(list.lines[at - 1], list.lines[at])) {
        list.lines.erase(list.lines.begin() + at - 1);
        list.selected = --at;
    } else if (at + 1 < static_cast<int>(list.lines.size()) && SameEndpoints(list.lines[at + 1], list.lines[at])) {
        list.lines.erase(list.lines.begin() + at + 1);
    }
    return at;
}

void RemoveSelectedConnection(ConnectionList& list) { RemoveSelectedEntry(list.lines, list.selected); }

void SetChangeDetection(ConnectionList& list, bool detectable)
{
    for (std::string& line : list.lines) {
        if (line.size() > kLongestRewrittenLine) continue;
        auto fields = SplitTabs(line);
        if (static_cast<int>(fields.size()) <= kChangeMarkField) continue;
        std::string& mark = fields[kChangeMarkField];
        if (mark == "d" || mark == "z") {
            mark = detectable ? "d" : "z";
            line = JoinTabs(fields);
        }
    }
}

int Connect(ConnectionList& list, const ConnectionInput& in)
{
    const ConnectionAdd built = BuildConnections(in);
    for (const Connection& c : built.entries) {
        // A full list still takes new settings for endpoints it connects already: that replaces a line.
        const std::string line = ConnectionLine(c);
        const bool replaces = std::any_of(list.lines.begin(), list.lines.end(),
                                          [&](const std::string& old) { return SameEndpoints(old, line); });
        if (static_cast<int>(list.lines.size()) >= kMaxConnections && !replaces) return kCannotAddConnection;
        if (AddConnection(list, c) < 0) return kCannotAddConnection;
    }
    return built.code;
}

bool CopyBackConnection(const ConnectionList& list, ConnectionInput& edits)
{
    Connection c;
    if (GetConnection(list, list.selected, c) != 0) return false;
    char text[40];
    std::snprintf(text, sizeof text, "%c%d.%d", Upper(c.originKind), c.originCard, c.originChannel);
    edits.input = text;
    if (c.destNode != 0)
        std::snprintf(text, sizeof text, "%d%c%d.%d", c.destNode, c.destKind, c.destCard, c.destChannel);
    else
        std::snprintf(text, sizeof text, "%c%d.%d", c.destKind, c.destCard, c.destChannel);
    edits.output = text;
    edits.onChange = (c.connFlags & kConnOnChange) != 0;
    edits.percentage.clear();
    if (edits.onChange && (c.originKind == 'a' || c.originKind == 'p'))
        edits.percentage = std::to_string(static_cast<int>(c.changeThreshold));
    if (c.pulseScaling == 0x40 || c.pulseScaling == 0x41) {
        edits.offset = c.pulseScaling == 0x41;
        edits.maxPpm = std::to_string(static_cast<int>(c.changeThreshold));
    }
    return true;
}

ConnectionFieldRules ConnectionFieldsFor(const ConnectionInput& edits, bool pageShown)
{
    ConnectionFieldRules r;
    if (!pageShown) return r;
    Endpoint in, out;
    const char inKind = ParseEndpoint(edits.input, true, in) == 0 ? Upper(in.letter) : '\0';
    const char outKind = ParseEndpoint(edits.output, false, out) == 0 ? Upper(out.letter) : '\0';
    if (inKind == 'P' && outKind == 'A') {
        r.showPulseControls = true;
        return r;
    }
    r.showChangeBox = true;
    if (inKind == 'A' || inKind == 'P') {
        r.showThreshold = true;
        r.thresholdEnabled = edits.onChange;
        r.showPercent = inKind == 'A';
    }
    return r;
}

bool IsLowPowerOffending(const Connection& c)
{
    return (c.connFlags & kConnOnChange) && !IsLocalCard0Digital(c);
}

} // namespace mnm::editor
