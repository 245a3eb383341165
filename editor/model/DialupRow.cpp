#include "editor/model/DialupRow.h"

#include "editor/model/DialupList.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace mnm::editor {

namespace {

constexpr int kPercentOfWidth = 100;
constexpr int kIndentPercent = 5;     // a secondary's area starts 5 % in; a primary's ends 5 % early
constexpr int kArrowPercent = 20;
constexpr int kRemotePercent = 25;
constexpr int kTelephonePercent = 55;
constexpr int kIntervalPercent = 70;
constexpr int kChangePercent = 90;
constexpr int kSmallIcon = 8;
constexpr int kLargeIcon = 12;
constexpr int kEndpointAfterIcon = 10;
constexpr int kTextAfterIcon = 12;
constexpr const char* kHexDigits = "0123456789abcdef";
constexpr int kMinutesPerHour = 60;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsOutput(char kind) { return std::isupper(static_cast<unsigned char>(kind)) != 0; }

std::string Point(char kind, int card, int channel)
{
    char text[24];
    std::snprintf(text, sizeof text, "%c%d.%d", Upper(kind), card, channel);
    return text;
}

std::string PpmText(const DialupConnection& c)
{
    if (!(c.flags & kDialHasMaxPpm)) return {};
    return " (" + std::to_string(c.maxPpm) + ")" + ((c.flags & kDialOffset) ? "+" : "");
}

std::string ThresholdText(const DialupConnection& c)
{
    if (c.changeThreshold == 0) return {};
    return std::to_string(c.changeThreshold) + ((c.flags & kDialPercent) ? "%" : "");
}

// How the "+" button reads an interval: minutes, or hours with minutes after an "h".
std::string IntervalEditText(int minutes)
{
    if (minutes < kMinutesPerHour) return std::to_string(minutes);
    char text[24];
    if (minutes % kMinutesPerHour == 0) std::snprintf(text, sizeof text, "%dh", minutes / kMinutesPerHour);
    else std::snprintf(text, sizeof text, "%dh%02d", minutes / kMinutesPerHour, minutes % kMinutesPerHour);
    return text;
}

} // namespace

std::string DialupViewLine(const DialupConnection& c)
{
    unsigned char bytes[sizeof c];
    std::memcpy(bytes, &c, sizeof c);
    std::string line;
    for (unsigned char b : bytes) {
        line += kHexDigits[b >> 4];
        line += kHexDigits[b & 0xF];
    }
    return line;
}

bool ReadDialupViewLine(std::string_view line, DialupConnection& out)
{
    if (line.size() != 2 * sizeof out) return false;
    unsigned char bytes[sizeof out];
    for (std::size_t i = 0; i < sizeof out; ++i) {
        const char* high = std::strchr(kHexDigits, line[2 * i]);
        const char* low = std::strchr(kHexDigits, line[2 * i + 1]);
        if (!high || !low || !*high || !*low) return false;
        bytes[i] = static_cast<unsigned char>((high - kHexDigits) << 4 | (low - kHexDigits));
    }
    std::memcpy(&out, bytes, sizeof out);
    return true;
}

std::vector<RowCell> DialupRowCells(const DialupConnection& c, int width)
{
    if (!(c.flags & kDialValid)) return {{0, width, "-- Invalid --", {}, 0}};
    const bool secondary = (c.flags & kDialSecondary) != 0;
    const int indent = width * kIndentPercent / kPercentOfWidth;
    const int left = secondary ? indent : 0;
    const int right = secondary ? width : width - indent;
    const auto at = [&](int percent) { return left + width * percent / kPercentOfWidth; };
    std::vector<RowCell> cells;
    const auto icon = [&](int x, const char* name, int side) { cells.push_back({x, x + side, {}, name, side}); };
    const auto text = [&](int x, int end, std::string value) { cells.push_back({x, end, std::move(value), {}, 0}); };

    icon(left, IsOutput(c.localKind) ? "DUCLBIconOutput" : "DUCLBIconInput", kSmallIcon);
    text(left + kEndpointAfterIcon, at(kArrowPercent), Point(c.localKind, c.localCard, c.localChannel));
    icon(at(kArrowPercent), "DUCLBIconArrow", kSmallIcon);
    if (c.remoteNode != 0)
        text(at(kArrowPercent) + kTextAfterIcon, at(kRemotePercent) + kTextAfterIcon, std::to_string(c.remoteNode));
    text(at(kRemotePercent) + kTextAfterIcon, at(kTelephonePercent),
         Point(c.remoteKind, c.remoteCard, c.remoteChannel) + PpmText(c));
    if (c.telephone == kDialLeasedLine) {
        icon(at(kTelephonePercent), "DUCLBIconLeasedLine", kLargeIcon);
    } else if (c.telephone != 0) {
        icon(at(kTelephonePercent), "DUCLBIconTelephone", kLargeIcon);
        text(at(kTelephonePercent) + kTextAfterIcon, at(kIntervalPercent), std::to_string(c.telephone));
    }
    if (c.interval != 0) {
        icon(at(kIntervalPercent), "DUCLBIconClock", kLargeIcon);
        text(at(kIntervalPercent) + kTextAfterIcon, at(kChangePercent), DialupIntervalText(c.interval));
    }
    if (c.flags & kDialOnChange) {
        icon(at(kChangePercent), "DUCLBIconDelta", kLargeIcon);
        if (const std::string t = ThresholdText(c); !t.empty()) text(at(kChangePercent) + kTextAfterIcon, right, t);
    }
    return cells;
}

std::string SpokenDialupRow(const DialupConnection& c)
{
    if (!(c.flags & kDialValid)) return "-- Invalid --";
    std::string spoken = (c.flags & kDialSecondary) ? "Secondary: " : "";
    spoken += IsOutput(c.localKind) ? "Output " : "Input ";
    spoken += Point(c.localKind, c.localCard, c.localChannel) + " to ";
    if (c.remoteNode != 0) spoken += "node " + std::to_string(c.remoteNode) + " ";
    spoken += Point(c.remoteKind, c.remoteCard, c.remoteChannel) + PpmText(c);
    if (c.telephone == kDialLeasedLine) spoken += ", leased line";
    else if (c.telephone != 0) spoken += ", telephone " + std::to_string(c.telephone);
    if (c.interval != 0) spoken += ", every " + DialupIntervalText(c.interval);
    if (c.flags & kDialOnChange) {
        spoken += ", on change";
        if (const std::string t = ThresholdText(c); !t.empty()) spoken += " " + t;
    }
    return spoken;
}

void CopyBackDialup(const DialupConnection& c, DialupInput& in)
{
    in.route = (c.flags & kDialSecondary) ? 1 : 0;
    in.direction = IsOutput(c.localKind) ? 1 : 0;
    in.local = Point(c.localKind, c.localCard, c.localChannel);
    in.remote = (c.remoteNode != 0 ? std::to_string(c.remoteNode) : "") +
                Point(c.remoteKind, c.remoteCard, c.remoteChannel);
    if (c.telephone >= 1 && c.telephone <= kDialupNumberSlots) in.telephonePage = c.telephone;
    in.intervalTicked = c.interval != 0;
    in.interval = c.interval != 0 ? IntervalEditText(c.interval) : "";
    in.changeTicked = (c.flags & kDialOnChange) != 0;
    in.threshold = in.changeTicked ? std::to_string(c.changeThreshold) : "";
    in.maxPpm = (c.flags & kDialHasMaxPpm) ? std::to_string(c.maxPpm) : "";
    in.offset4mA = (c.flags & kDialOffset) != 0;
}

} // namespace mnm::editor
