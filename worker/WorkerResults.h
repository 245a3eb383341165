// How the worker's one-shot jobs end, as plain values: the window's logic
// reads them without the worker itself.
#pragma once

#include <optional>

#include "nodeconf/NodeConf.h"
#include "nodeconf/Report.h"

namespace mnm {

// The node's network name as the worker reports it: its first characters.
inline constexpr int kIdentityNameLength = 5;

// Where a send, a receive or a hardware read stands.
enum class RequestStatus { kNone, kDone, kFailed, kRunning };

// How the last send or receive ended. A failure always has its text.
struct TransferOutcome {
    RequestStatus status = RequestStatus::kNone;
    Report report;
    // It failed because it was asked to stop (the user, or the program's end).
    bool cancelled = false;
    // The node's task scheduler could not be put back: the text says to
    // power-cycle the node. Worth showing even after a stop.
    bool schedulerLeftRaised = false;

    bool Succeeded() const { return status == RequestStatus::kDone; }
};

// A finished receive: the record once, when it succeeded.
struct ReceivedRecord {
    TransferOutcome outcome;
    std::optional<NodeConf> record;
};

} // namespace mnm
