// Failures of one request on the line. Every catalogue code has a magnitude
// below 2^24 (item numbers included), so these can never be read as one; the
// transfers turn them into catalogue codes before anything is shown.
#pragma once

namespace mnm {

enum TransportResult : int {
    kTransportBase = -0x40000000,
    kTransportNotQueued = kTransportBase - 1,   // the transmit slot stayed busy
    kTransportNoReply = kTransportBase - 2,     // no matching reply within the budget
    kTransportWrongLength = kTransportBase - 3, // a reply of a length the request does not take
    kTransportNoAck = kTransportBase - 4,       // no acknowledgement within the budget
    kTransportCancelled = kTransportBase - 5,   // the caller asked to stop
    kTransportBadRequest = kTransportBase - 6,  // a value the request cannot carry
    kTransportFlashFailed = kTransportBase - 7, // too many failed flash-state polls
    kTransportLast = kTransportBase - 8,
};

constexpr bool IsTransportResult(int result) { return result < kTransportBase && result > kTransportLast; }

} // namespace mnm
