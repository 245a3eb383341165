#include "app/model/IndicatorTick.h"

#include "transfer/ProgressText.h"
#include "worker/WorkerJobs.h"
#include "worker/WorkerResults.h"

namespace mnm::app {
namespace {

int FirstFrame(AnimationMode mode)
{
    switch (mode) {
    case AnimationMode::kNoNode: return kFrameNoNode;
    case AnimationMode::kConnected: return kFrameConnected;
    case AnimationMode::kSending: return kFrameSendFirst;
    case AnimationMode::kReceiving: return kFrameSendLast;
    case AnimationMode::kNodeData: return kFrameNodeDataFirst;
    case AnimationMode::kFlashWrite: return kFrameFlashWrite;
    }
    return kFrameNoNode;
}

AnimationMode RequestedMode(const TickInputs& in)
{
    if (!in.connected) return AnimationMode::kNoNode;
    switch (in.job) {
    case kJobSend: return in.flashWriting ? AnimationMode::kFlashWrite : AnimationMode::kSending;
    case kJobReceive: return AnimationMode::kReceiving;
    case kJobNodeData: return AnimationMode::kNodeData;
    default: return AnimationMode::kConnected;
    }
}

// Advances the running sequence; true when it has played to its end (the
// still pictures end at once).
bool StepEnds(AnimationMode mode, int& frame)
{
    switch (mode) {
    case AnimationMode::kSending: return ++frame > kFrameSendLast;
    case AnimationMode::kReceiving: return --frame < kFrameSendFirst;
    case AnimationMode::kNodeData: return --frame < kFrameNodeDataLast;
    default: return true;
    }
}

const char* ModeDescription(AnimationMode mode)
{
    switch (mode) {
    case AnimationMode::kNoNode: return "No node connected";
    case AnimationMode::kConnected: return "Node connected";
    case AnimationMode::kSending: return "Sending to the node";
    case AnimationMode::kReceiving: return "Receiving from the node";
    case AnimationMode::kNodeData: return "Reading the node's hardware description";
    case AnimationMode::kFlashWrite: return "Writing the node's flash memory";
    }
    return "";
}

std::string Tooltip(AnimationMode mode, const IndicatorTexts& texts, const std::string& portProblem)
{
    std::string tip = ModeDescription(mode);
    if (!texts.left.empty() || !texts.right.empty()) {
        tip += ": " + texts.left;
        if (!texts.left.empty() && !texts.right.empty()) tip += ' ';
        tip += texts.right;
    }
    if (!portProblem.empty()) tip += "\n" + portProblem;
    return tip;
}

} // namespace

IndicatorTexts IndicatorTextsFor(int nodeNumber, std::string_view nodeName, std::uint32_t word)
{
    if (nodeNumber == kUnknownNode) return {};
    if (IsTransferProgress(word)) {
        std::string tag = ProgressTag(word);
        if (!tag.empty()) return {std::move(tag), ProgressFigure(word)};
    }
    return {std::string(nodeName), std::to_string(nodeNumber)};
}

TickResult IndicatorTick(const IndicatorState& state, const TickInputs& in)
{
    TickResult out;
    IndicatorState& next = out.next;
    next = state;
    const int connected = in.connected ? 1 : 0;

    out.forgetNodeHardware = connected != state.previousConnected;
    if (!in.connected) next.nodeDataDue = false;
    else if (state.previousConnected < 1) next.nodeDataDue = true;
    // Started once per connection; a transfer that runs at the moment of
    // connecting would refuse it, so it waits for the worker to be free.
    if (next.nodeDataDue && !in.busy) {
        out.startNodeData = true;
        next.nodeDataDue = false;
    }

    next.requested = RequestedMode(in);
    if (StepEnds(next.current, next.frame)) {
        next.current = next.requested;
        next.frame = FirstFrame(next.current);
    }
    next.previousConnected = connected;

    const IndicatorDrawn now{in.nodeNumber, in.nodeName, in.progressWord, next.frame};
    out.redraw = now != state.drawn;
    next.drawn = now;

    out.frame = next.frame;
    out.texts = IndicatorTextsFor(in.nodeNumber, in.nodeName, in.progressWord);
    out.retryLiveStart = in.liveViewShown && !in.busy && in.job != kJobLive;
    out.tooltip = Tooltip(next.requested, out.texts, in.portProblem);
    return out;
}

IndicatorSamples IndicatorTextSamples()
{
    constexpr int kHighestNodeNumber = 255;
    constexpr std::uint32_t kFullFigure = 0xFFFF;
    IndicatorSamples samples;
    samples.left = {std::string(kIdentityNameLength, 'W'), std::string(kIdentityNameLength, 'M'),
                    kIndicatorStoppingText};
    samples.right = {std::to_string(kHighestNodeNumber)};
    for (std::uint32_t kind : {kProgressReceiving, kProgressSending, kProgressCommitting, kProgressWiping,
                               kProgressScheduler}) {
        for (std::uint32_t value : {0u, 1u, 1000u, kFullFigure}) {
            const IndicatorTexts texts = IndicatorTextsFor(0, {}, ProgressWord(kind, value));
            samples.left.push_back(texts.left);
            samples.right.push_back(texts.right);
        }
    }
    return samples;
}

} // namespace mnm::app
