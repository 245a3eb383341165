// The status indicator at the right end of the menu bar and the frame's
// 50 ms tick: which picture it shows, the texts drawn over it, and what the
// tick asks the frame to do. The widget only draws what this gives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "transfer/ProgressWord.h"

namespace mnm::app {

enum class AnimationMode {
    kNoNode = 1,    // frame 14, still
    kConnected = 2, // frame 16, still
    kSending = 3,   // frames 0..13 forwards
    kReceiving = 4, // frames 13..0 backwards
    kNodeData = 5,  // frames 30..17 backwards
    kFlashWrite = 6 // frame 15, still
};

inline constexpr int kIndicatorFrames = 31;
// The pictures of each mode.
inline constexpr int kFrameSendFirst = 0;
inline constexpr int kFrameSendLast = 13;
inline constexpr int kFrameNoNode = 14;
inline constexpr int kFrameFlashWrite = 15;
inline constexpr int kFrameConnected = 16;
inline constexpr int kFrameNodeDataLast = 17;
inline constexpr int kFrameNodeDataFirst = 30;
inline constexpr int kUnknownNode = -1;

struct IndicatorTexts {
    std::string left;  // node name or progress tag
    std::string right; // node number or progress figure

    bool operator==(const IndicatorTexts&) const = default;
};

// What the indicator drew last: it is drawn again only when one changes.
struct IndicatorDrawn {
    int nodeNumber = kUnknownNode;
    std::string nodeName;
    std::uint32_t progressWord = kProgressNothing;
    int frame = -1;

    bool operator==(const IndicatorDrawn&) const = default;
};

struct IndicatorState {
    AnimationMode current = AnimationMode::kNoNode;
    AnimationMode requested = AnimationMode::kNoNode;
    int frame = 0;
    int previousConnected = -1;
    // A node connected and its hardware description is still to be read
    // (waits while a transfer runs).
    bool nodeDataDue = false;
    IndicatorDrawn drawn;
};

// The worker's state at this tick, and what the frame shows.
struct TickInputs {
    bool connected = false;
    int job = 0;             // the worker's current job
    bool busy = false;       // a send, receive or node data job runs
    bool flashWriting = false;
    std::uint32_t progressWord = kProgressNothing;
    int nodeNumber = kUnknownNode; // unknown when identity monitoring is off
    std::string nodeName;
    bool liveViewShown = false;    // the test or engineering view
    std::string portProblem;       // why the chosen port cannot be opened, or empty
};

struct TickResult {
    IndicatorState next;
    int frame = 0;
    IndicatorTexts texts;
    bool redraw = false;
    // The node changed: the dialogs forget the old node's hardware.
    bool forgetNodeHardware = false;
    bool startNodeData = false;
    // A live view is shown but the live job is not running (it was refused
    // while a transfer ran): start it again.
    bool retryLiveStart = false;
    std::string tooltip; // also the indicator's accessible description
};

TickResult IndicatorTick(const IndicatorState& state, const TickInputs& inputs);

// What the indicator says while the window waits for a stopped transfer.
inline constexpr char kIndicatorStoppingText[] = "Stopping\u2026";

// Every text the indicator can draw on either side of its picture (a node
// name stands as its widest letters): its text areas are as wide as the
// widest of these in the font it draws with, so none is ever cut.
struct IndicatorSamples {
    std::vector<std::string> left, right;
};
IndicatorSamples IndicatorTextSamples();

// Nothing unless the node number is known; then a transfer's tag and figure,
// or the node's name and number.
IndicatorTexts IndicatorTextsFor(int nodeNumber, std::string_view nodeName, std::uint32_t progressWord);

} // namespace mnm::app
