// The failure text of a transfer sequence.
#pragma once

#include <chrono>

#include "nodeconf/Report.h"
#include "platform/SerialPort.h"
#include "wire/Frame.h"
#include "wire/NodeCodes.h"

namespace mnm {

// The longest failure text a transfer writes.
inline constexpr int kTransferMessageLength = 512;
// What a transfer stopped on request reports.
inline constexpr const char* kTransferCancelledText = "Transfer cancelled";
// What a failure adds when the node's task scheduler could not be put back.
inline constexpr const char* kPowerCycleText = "Reset the Node by removing the power for a minimum of 2 seconds.";
struct Report;
// True when the failure says the node must be power-cycled.
bool AsksForPowerCycle(const Report& report);

// A failure with the printf-style text (cut to kTransferMessageLength
// characters) as its whole message.
Report TransferFailure(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Every failure leaves the transfer with its text: a failure of the line (a
// transport result) becomes `lineFailure`, a stop requested through the
// channel becomes "Transfer cancelled", and a catalogue code brings its
// catalogue text. Success is an empty report.
Report FinishTransfer(Report result, bool stopped, int lineFailure);

// How long the end of a stopped transfer waits for the node to take its task
// scheduler back: the request the stop cut short may still be crossing the
// line (the longest frame), and its acknowledgement comes before the
// restore's own exchange; a quarter more for a node slow to turn round.
inline constexpr std::chrono::milliseconds kRestoreAfterStop = std::chrono::ceil<std::chrono::milliseconds>(
    kLineCharacterTime *
    (kMaxFrame + FrameLength(kAckSize) + FrameLength(kCommandHeaderSize + 1) + FrameLength(kAckSize)) * 5 / 4);

class NodeChannel;
class TransferProgress;
// How every transfer ends: after a stop, the node's task scheduler is put
// back when the transfer had raised it; then the result and its text as
// FinishTransfer gives them, and the progress word idle.
Report EndTransfer(NodeChannel& channel, Report result, bool schedulerRaised, int lineFailure,
                   TransferProgress& progress);

} // namespace mnm
