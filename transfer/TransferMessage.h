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

} // namespace mnm
