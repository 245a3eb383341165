// The serial link: one thread owns the port, feeds received bytes to the
// frame receiver and writes queued frames; other threads exchange whole
// frames with it through one-slot mailboxes under the link lock. The thread
// sleeps in the port's read and is woken by a queued frame, so a request
// goes out as soon as it is queued and a reply is seen as soon as it ends.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>

#include "link/FrameLine.h"
#include "nodeconf/ResultCodes.h"
#include "platform/SerialPort.h"
#include "platform/WakeSignal.h"
#include "wire/Frame.h"

namespace mnm {

inline constexpr int kMaxPortName = 64;
inline constexpr int kNodeTextSize = 256;

class Link final : public FrameLine {
public:
    Link() = default;
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Stores the port to use (at most kMaxPortName characters; a longer name
    // is ignored). Empty asks for the port to be closed. The link thread acts
    // on it at its next pass.
    void SelectPort(std::string_view name);

    // 1 queued, 0 the slot still holds an earlier frame (nothing queued),
    // kInternalMhpBufferTooLong above kMaxPayload bytes, or FrameEncode's result.
    int QueuePayload(const std::uint8_t* payload, int length) override;

    // Takes the complete frame: its payload length (payload in `payload`,
    // kMaxPayload bytes at least) or the check's negative result; -1 and
    // nothing changed when no frame is complete.
    int TakeFrame(std::uint8_t* payload) override;
    bool WaitForFrame(std::chrono::milliseconds step, const std::stop_token& stop) override;

    // Moves the unread node text into `text` (at most size - 1 characters and
    // a NUL) and returns 1; otherwise sets `text` empty and returns 0. A size
    // below 1 leaves everything as it is and returns 0.
    int TakeNodeText(char* text, int size);

    // The link thread's loop, until `stop` is requested.
    void Run(std::stop_token stop);

private:
    void FeedReceived(const std::uint8_t* bytes, int count);
    void TakeNodeTextFrame();
    void SleepWithoutPort(const std::stop_token& stop);

    // Guarded by lock_.
    std::mutex lock_;
    std::string requestedPort_;
    FrameReceiver receiver_;
    std::uint8_t transmitSlot_[kMaxFrame] = {};
    int transmitLength_ = 0;
    char nodeText_[kNodeTextSize] = {};

    // The link thread's own.
    SerialPort port_;
    std::string openPort_;
    std::uint8_t threadTransmit_[kMaxFrame] = {};
    int threadTransmitLength_ = 0;

    // Signalled under lock_ when a frame other than node text completes.
    std::condition_variable_any frameReady_;
    // Raised by QueuePayload to end the thread's read at once.
    WakeSignal wake_;

    // Only lets a stop request cut the sleep short; guards nothing else.
    std::mutex sleepLock_;
    std::condition_variable_any sleepWake_;
};

} // namespace mnm
