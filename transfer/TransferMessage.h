// The failure text of a transfer sequence.
#pragma once

#include <string>

namespace mnm {

// The longest failure text a transfer writes.
inline constexpr int kTransferMessageLength = 512;
// What a transfer stopped on request reports.
inline constexpr const char* kTransferCancelledText = "Transfer cancelled";

// Writes the printf-style text into `message` (cut to kTransferMessageLength
// characters) and returns -1000.
int TransferFailure(std::string& message, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Every failure leaves the transfer with its text in `message`: a failure of
// the line (a transport result) becomes `lineFailure`, a stop requested
// through the channel becomes "Transfer cancelled", and a catalogue code
// brings its catalogue text. Returns the code to report.
int FinishTransfer(int result, bool stopped, int lineFailure, std::string& message);

class NodeChannel;
class TransferProgress;
// How every transfer ends: after a stop, the node's task scheduler is put
// back when the transfer had raised it; then the result and its text as
// FinishTransfer gives them, and the progress word idle.
int EndTransfer(NodeChannel& channel, int result, bool schedulerRaised, int lineFailure, std::string& message,
                TransferProgress& progress);

} // namespace mnm
