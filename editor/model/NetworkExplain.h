// The Network page's explanatory window: while the user types a Transmit
// Interval, Maximum Retries or Alarm Delay it explains the first rule the
// entry breaks and offers links to commands that correct the field.
#pragma once

#include "editor/model/EditorContents.h"

#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

// The edits the explanation watches, by control identifier.
enum NetworkField { kTransmitIntervalField = 8022, kMaxRetriesField = 8012, kAlarmDelayField = 8011 };

// The correction commands the links press.
enum Correction {
    kSetMinInterval = 4029,
    kSetMaxInterval = 4028,
    kSetMaxRetries = 3025,
    kRoundUpAlarmDelay = 3026,
    kRoundDownAlarmDelay = 3027,
    kRetriesFromInterval = 3028,
    kAlarmDelayFromInterval = 3029,
    kIntervalFromRetries = 3030,
    kIntervalFromAlarmDelay = 3031,
};

inline constexpr int kMaxLinks = 4;
inline constexpr std::size_t kMaxExplanationLength = 2048;

struct Explanation {
    std::string text; // "@" ends a link line
    std::vector<int> links;

    void Set(std::string_view newText);
    void AddLink(int command);
};

// A field's text changed (typed by the user or written by a correction or the
// automatic filling): its counter falls, and the explanation is rebuilt.
void ChangeNetworkField(EditorContents& e, Explanation& x, NetworkField field, std::string text);

// A link pressed; a command whose input does not parse does nothing.
void RunCorrection(EditorContents& e, Explanation& x, int command);

} // namespace mnm::editor
