#include "editor/model/AlertList.h"
#include "editor/model/ListSelection.h"
#include "editor/model/TabFields.h"

#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/NumberText.h"

#include <cstdio>
#include <cstring>

namespace mnm::editor {

namespace {

struct Condition {
    std::uint8_t record;
    char line;
};
constexpr Condition kConditions[] = {{3, '*'}, {1, '1'}, {2, '0'}, {'C', '#'},
                                     {'A', '+'}, {'B', '-'}, {'Q', '>'}, {'R', '<'}};
constexpr const char* kUnitTexts[] = {"", "mA", "V", "%"};
constexpr std::size_t kLongestLine = 200;

// A whole number, optionally signed, and nothing else.
bool ReadWhole(std::string_view text, int& value)
{
    std::string_view rest = text;
    return ScanInt(rest, value) && rest.empty();
}

} // namespace

std::string AlertLine(const SmsConnection& a)
{
    char code = '?';
    for (const Condition& c : kConditions)
        if (c.record == a.condition) code = c.line;
    const bool hasLimit = a.limit != kSmsNone;
    const bool hasHysteresis = hasLimit && a.hysteresis != kSmsNone;
    const char* units = a.unit >= 1 && a.unit <= 3 ? kUnitTexts[a.unit] : "";
    const std::string limit = hasLimit ? std::to_string(a.limit) : "";
    const std::string hysteresis = hasHysteresis ? std::to_string(a.hysteresis) : "";
    char line[160];
    std::snprintf(line, sizeof line, "%c\t%d.\t%d\t%c\t%s\t%s\t%s\t%s\t%d\t%s\t%d", a.kind, a.card, a.channel, code,
                  limit.c_str(), units, hasHysteresis ? "|" : "", hysteresis.c_str(), a.message, "!", a.telephone);
    return line;
}

int ReadAlertLine(std::string_view line, SmsConnection& out)
{
    if (line.size() > kLongestLine) return -1;
    const auto f = SplitTabs(line);
    if (f.size() != 11 || f[0].size() != 1 || f[1].size() < 2 || f[1].back() != '.' || f[3].size() != 1) return -1;
    int card = 0, channel = 0;
    if (!ReadWhole(std::string_view(f[1]).substr(0, f[1].size() - 1), card) || !ReadWhole(f[2], channel)) return -1;
    int limit = kSmsNone, hysteresis = kSmsNone;
    if (!f[4].empty() && (!ReadWhole(f[4], limit) || limit < 0)) return -2;
    if (f[6] != "|" && !f[6].empty()) return -3;
    if (f[6] == "|" && (!ReadWhole(f[7], hysteresis) || hysteresis < 0)) return -3;
    if (f[6] == "|" && f[4].empty()) return -4;
    int message = 0, telephone = 0;
    if (!ReadWhole(f[8], message) || f[9] != "!" || !ReadWhole(f[10], telephone) || message < 1 || telephone < 1)
        return -5;
    int unit = -1;
    for (int u = 0; u < 4; ++u)
        if (f[5] == kUnitTexts[u]) unit = u;
    if (unit < 0) return -6;
    int condition = -1;
    for (const Condition& c : kConditions)
        if (c.line == f[3][0]) condition = c.record;
    if (condition < 0) return -7;

    SmsConnection a;
    std::memset(&a, 0, sizeof a);
    a.kind = f[0][0];
    a.card = static_cast<std::uint8_t>(card);
    a.channel = static_cast<std::uint8_t>(channel);
    a.condition = static_cast<std::uint8_t>(condition);
    a.limit = static_cast<std::uint16_t>(limit);
    a.hysteresis = static_cast<std::uint16_t>(hysteresis);
    a.unit = static_cast<std::uint8_t>(unit);
    a.message = static_cast<std::uint8_t>(message);
    a.telephone = static_cast<std::uint8_t>(telephone);
    out = a;
    return 0;
}

int GetAlert(const AlertList& list, int index, SmsConnection& out)
{
    if (index < 0 || index >= static_cast<int>(list.lines.size())) return -8;
    return ReadAlertLine(list.lines[index], out);
}

int AddAlert(AlertList& list, const SmsConnection& a)
{
    if (static_cast<int>(list.lines.size()) >= list.capacity) return ItemCode(kAlertListFull, list.capacity);
    list.lines.push_back(AlertLine(a));
    list.selected = static_cast<int>(list.lines.size()) - 1;
    return 0;
}

void RemoveSelectedAlert(AlertList& list) { RemoveSelectedEntry(list.lines, list.selected); }

void MoveSelectedAlert(AlertList& list, int delta)
{
    const int at = list.selected, to = at + delta;
    const int n = static_cast<int>(list.lines.size());
    if (at < 0 || at >= n || to < 0 || to >= n) return;
    std::swap(list.lines[at], list.lines[to]);
    list.selected = to;
}

std::string AlertValueText(int value, int unit)
{
    const int decimals = unit >= 1 && unit <= 3 ? 2 : 0;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%0*d", decimals + 1, value);
    if (!decimals) return digits;
    // Built from two parts rather than by insert(), which g++ 12 misreads as
    // an overflow (-Warray-bounds).
    const std::string all = digits;
    const std::size_t point = all.size() - static_cast<std::size_t>(decimals);
    return all.substr(0, point) + "." + all.substr(point);
}

} // namespace mnm::editor
