#include "editor/model/ConnectionRow.h"

#include "editor/model/TabFields.h"

#include <array>

namespace mnm::editor {

namespace {

// Columns 1 to 8 (the first, the scaling, is not drawn).
constexpr std::array<int, 9> kEdges = {0, 2, 10, 14, 20, 29, 34, 37, kConnectionColumnUnits};
constexpr int kFieldCount = 8;
enum Field { kScaling, kInput, kArrow, kOutputNode, kOutput, kIntervalMarks, kChangeMarks, kThreshold };
constexpr int kArrowSide = 8;
constexpr int kMarkSide = 12;
constexpr int kMarkSpacing = 20;
constexpr const char* kPulseToAnalog = "64";
constexpr const char* kPulseToAnalogWithOffset = "65";

const char* MarkIcon(char mark)
{
    switch (mark) {
    case 'c': return "CONNLBIconClock";
    case 'd':
    case 'f': return "CONNLBIconDelta";
    case 'z': return "CONNLBIconDeltaX";
    default: return nullptr;
    }
}

bool ReadsAsConnection(const std::vector<std::string>& f)
{
    return f.size() == kFieldCount && !f[kInput].empty() && f[kArrow] == "a";
}

char InputKind(const std::vector<std::string>& f) { return f[kInput].empty() ? '\0' : f[kInput][0]; }

bool PulseToAnalog(const std::vector<std::string>& f)
{
    return f[kScaling] == kPulseToAnalog || f[kScaling] == kPulseToAnalogWithOffset;
}

bool ChangeDrawn(const std::vector<std::string>& f)
{
    return f[kChangeMarks].find_first_of("dfz") != std::string::npos;
}

// The threshold shows for pulses to analog, or beside a delta of an analog or pulse input.
std::string ThresholdText(const std::vector<std::string>& f)
{
    const char in = InputKind(f);
    if (!PulseToAnalog(f) && !(ChangeDrawn(f) && (in == 'A' || in == 'P'))) return {};
    std::string text = f[kThreshold];
    if (in == 'A') text += "%";
    if (f[kScaling] == kPulseToAnalogWithOffset) text += "(OS)";
    return text;
}

} // namespace

std::vector<RowCell> ConnectionRowCells(std::string_view line, int width)
{
    std::vector<RowCell> cells;
    if (line.size() > kLongestDrawnConnectionLine) return cells;
    const std::vector<std::string> f = SplitTabs(line);
    if (!ReadsAsConnection(f)) return cells;
    const auto x = [&](int column) { return ColumnX(kEdges, kConnectionColumnUnits, width, column); };
    const auto text = [&](int field, std::string value) {
        if (!value.empty()) cells.push_back({x(field), x(field + 1), std::move(value), {}, 0});
    };
    text(kInput, f[kInput]);
    cells.push_back({x(kArrow), x(kArrow + 1), {}, "CONNLBIconArrow", kArrowSide});
    text(kOutputNode, f[kOutputNode]);
    text(kOutput, f[kOutput]);
    for (int field : {kIntervalMarks, kChangeMarks}) {
        int left = x(field);
        for (char mark : f[field]) {
            if (const char* icon = MarkIcon(mark)) cells.push_back({left, left + kMarkSide, {}, icon, kMarkSide});
            left += kMarkSpacing;
        }
    }
    text(kThreshold, ThresholdText(f));
    return cells;
}

std::string SpokenConnectionRow(std::string_view line)
{
    const std::vector<std::string> f = SplitTabs(line);
    if (line.size() > kLongestDrawnConnectionLine || !ReadsAsConnection(f)) return {};
    std::string spoken = f[kInput] + " to ";
    if (f[kOutputNode] != "0") spoken += "node " + f[kOutputNode] + " ";
    spoken += f[kOutput];
    if (f[kIntervalMarks].find('c') != std::string::npos) spoken += ", every interval";
    if (f[kChangeMarks].find('z') != std::string::npos)
        spoken += ", on change (not detected in low-power operation)";
    else if (ChangeDrawn(f))
        spoken += ", on change";
    if (const std::string threshold = ThresholdText(f); !threshold.empty()) spoken += " " + threshold;
    return spoken;
}

} // namespace mnm::editor
