#include "editor/model/AlertRow.h"

#include "editor/model/TabFields.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace mnm::editor {

namespace {

// The fields of AlertLine's line, in order.
enum Field {
    kKind, kCard, kChannel, kCode, kLimit, kUnits, kHysteresisMark, kHysteresis, kMessage, kSendMark, kTelephone,
    kFieldCount,
};
constexpr int kGap = 2;
constexpr int kUnitDecimals = 2; // mA, V and percent keep hundredths; counts are whole
constexpr const char* kHysteresisBar = "|";
constexpr const char* kOn = "ON";
constexpr const char* kOff = "OFF";

struct ConditionLook {
    char code;
    const char* icon;
    const char* words;
};
constexpr ConditionLook kConditions[] = {
    {'*', "AlertChangesStateIcon", "changes state"}, {'1', "AlertChangesToIcon", "turns ON"},
    {'0', "AlertChangesToIcon", "turns OFF"},        {'#', "AlertChangesByIcon", "changes by"},
    {'+', "AlertIncreasesIcon", "increases by"},     {'-', "AlertDecreasesIcon", "decreases by"},
    {'>', "AlertGoesAboveIcon", "goes over"},        {'<', "AlertGoesBelowIcon", "goes under"},
};
constexpr const char* kUnknownConditionWords = "has an unknown condition";

const ConditionLook* Look(char code)
{
    for (const ConditionLook& c : kConditions)
        if (c.code == code) return &c;
    return nullptr;
}

enum class Align { kLeft, kRight, kCentre };

bool Output(char kind) { return std::isupper(static_cast<unsigned char>(kind)) != 0; }
char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool Reads(const std::vector<std::string>& f)
{
    return f.size() == kFieldCount && f[kKind].size() == 1 && f[kCode].size() == 1;
}

int Decimals(const std::string& units) { return units.empty() ? 0 : kUnitDecimals; }

bool HasHysteresis(const std::vector<std::string>& f)
{
    return f[kHysteresisMark] == kHysteresisBar && !f[kHysteresis].empty();
}

int Widest(const TextWidth& width, std::initializer_list<std::string_view> texts)
{
    int widest = 0;
    for (std::string_view t : texts) widest = std::max(widest, width(t));
    return widest;
}

} // namespace

std::array<int, kAlertCellCount> AlertCellEdges(const TextWidth& width)
{
    const int value = Widest(width, {"0000", kOff, kOn});
    const int decimals = width(".00");
    const int twoDigits = width("00");
    const std::array<int, kAlertEnd> widths = {
        kGap,       kAlertIconSide, width("W"),     width("000."),  twoDigits, kAlertIconSide,
        value,      decimals,       Widest(width, {"mA", "V"}),     kGap,      kAlertIconSide,
        value,      decimals,       kGap,           twoDigits,      kAlertIconSide, twoDigits,
    };
    std::array<int, kAlertCellCount> edges{};
    for (int k = 0; k < kAlertEnd; ++k) edges[k + 1] = edges[k] + widths[k];
    return edges;
}

AlertValueParts SplitAlertValue(std::string_view digits, int decimals)
{
    const std::size_t places = static_cast<std::size_t>(std::max(decimals, 0));
    std::string all(digits);
    if (all.size() < places + 1) all.insert(0, places + 1 - all.size(), '0');
    const std::size_t point = all.size() - places;
    AlertValueParts parts{all.substr(0, point), {}};
    if (places > 0) parts.decimals = "." + all.substr(point);
    return parts;
}

std::vector<RowCell> AlertRowCells(std::string_view line, const TextWidth& width)
{
    const std::vector<std::string> f = SplitTabs(line);
    if (!Reads(f)) return {};
    const std::array<int, kAlertCellCount> edges = AlertCellEdges(width);
    std::vector<RowCell> cells;
    const auto icon = [&](int cell, const char* name) {
        if (!name) return;
        const int left = edges[cell] + (edges[cell + 1] - edges[cell] - kAlertIconSide) / 2;
        cells.push_back({left, left + kAlertIconSide, {}, name, kAlertIconSide});
    };
    const auto text = [&](int cell, const std::string& value, Align align) {
        if (value.empty()) return;
        const int room = edges[cell + 1] - edges[cell];
        int left = edges[cell];
        if (align == Align::kRight) left += room - width(value);
        if (align == Align::kCentre) left += (room - width(value)) / 2;
        cells.push_back({left, edges[cell + 1], value, {}, 0});
    };
    const auto value = [&](int wholeCell, const std::string& digits) {
        if (digits.empty()) return;
        const AlertValueParts parts = SplitAlertValue(digits, Decimals(f[kUnits]));
        text(wholeCell, parts.whole, Align::kRight);
        text(wholeCell + 1, parts.decimals, Align::kLeft);
    };

    const char kind = f[kKind][0];
    const char code = f[kCode][0];
    const ConditionLook* look = Look(code);
    icon(kAlertKindIcon, Output(kind) ? "AlertOutputIcon" : "AlertInputIcon");
    text(kAlertKind, std::string(1, Upper(kind)), Align::kCentre);
    text(kAlertCard, f[kCard], Align::kRight);
    text(kAlertChannel, f[kChannel], Align::kRight);
    icon(kAlertConditionIcon, look ? look->icon : nullptr);
    if (code == '1' || code == '0')
        text(kAlertLimitWhole, code == '1' ? kOn : kOff, Align::kRight);
    else
        value(kAlertLimitWhole, f[kLimit]);
    text(kAlertUnits, f[kUnits], Align::kLeft);
    if (HasHysteresis(f)) {
        icon(kAlertHysteresisIcon, "AlertHysteresisIcon");
        value(kAlertHysteresisWhole, f[kHysteresis]);
    }
    text(kAlertMessage, f[kMessage], Align::kCentre);
    icon(kAlertSendToIcon, "AlertChangesToIcon");
    text(kAlertTelephone, f[kTelephone], Align::kCentre);
    return cells;
}

std::string SpokenAlertRow(std::string_view line)
{
    const std::vector<std::string> f = SplitTabs(line);
    if (!Reads(f)) return {};
    const char kind = f[kKind][0];
    const ConditionLook* look = Look(f[kCode][0]);
    const int decimals = Decimals(f[kUnits]);
    const auto value = [&](const std::string& digits) {
        const AlertValueParts parts = SplitAlertValue(digits, decimals);
        return parts.whole + parts.decimals;
    };
    std::string spoken = Output(kind) ? "Output " : "Input ";
    spoken += Upper(kind) + f[kCard] + f[kChannel] + " " + (look ? look->words : kUnknownConditionWords);
    if (!f[kLimit].empty()) {
        spoken += " " + value(f[kLimit]);
        if (!f[kUnits].empty()) spoken += " " + f[kUnits];
    }
    if (HasHysteresis(f)) spoken += ", reset at " + value(f[kHysteresis]);
    spoken += ", send message " + f[kMessage] + " to number " + f[kTelephone];
    return spoken;
}

} // namespace mnm::editor
