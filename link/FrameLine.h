// What the node protocol needs of a line: queue one payload, take one
// complete frame, and wait for a frame to complete. The serial link is the
// real one; tests put an in-process node behind the same three calls.
#pragma once

#include <chrono>
#include <cstdint>
#include <stop_token>

namespace mnm {

class FrameLine {
public:
    virtual ~FrameLine() = default;

    // 1 queued, 0 the slot still holds an earlier frame (nothing queued), or
    // a negative result when the payload cannot be framed.
    virtual int QueuePayload(const std::uint8_t* payload, int length) = 0;
    // The complete frame's payload length (payload in `payload`, kMaxPayload
    // bytes at least) or its check's negative result; kFrameNotComplete and
    // nothing changed when no frame is complete.
    virtual int TakeFrame(std::uint8_t* payload) = 0;
    // Waits up to `step` for a complete frame; true when one is there. Ends
    // at once when `stop` is requested.
    virtual bool WaitForFrame(std::chrono::milliseconds step, const std::stop_token& stop) = 0;
};

} // namespace mnm
