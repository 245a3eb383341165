#include "link/Link.h"

#include "wire/NodeCodes.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace mnm {

namespace {

constexpr int kReadChunk = 10;
constexpr auto kNoPortSleep = std::chrono::milliseconds(250);

} // namespace

void Link::SelectPort(std::string_view name)
{
    if (name.size() > static_cast<size_t>(kMaxPortName))
        return;
    std::lock_guard guard(lock_);
    requestedPort_.assign(name);
}

int Link::QueuePayload(const std::uint8_t* payload, int length)
{
    if (length > kMaxPayload)
        return kInternalMhpBufferTooLong;
    std::uint8_t frame[kFrameEncodeBufferSize];
    const int frameLength = FrameEncode(frame, payload, length);
    if (frameLength < 0)
        return frameLength;
    {
        std::lock_guard guard(lock_);
        if (transmitLength_ != 0)
            return 0;
        std::memcpy(transmitSlot_, frame, static_cast<size_t>(frameLength));
        transmitLength_ = frameLength;
    }
    wake_.Raise();
    return 1;
}

int Link::TakeFrame(std::uint8_t* payload)
{
    std::lock_guard guard(lock_);
    return FrameReceiverTake(receiver_, payload);
}

bool Link::WaitForFrame(std::chrono::milliseconds step, const std::stop_token& stop)
{
    std::unique_lock guard(lock_);
    return frameReady_.wait_for(guard, stop, step, [this] { return receiver_.state == kFrameComplete; });
}

int Link::TakeNodeText(char* text, int size)
{
    if (text == nullptr || size < 1)
        return 0;
    std::lock_guard guard(lock_);
    if (nodeText_[0] == '\0') {
        text[0] = '\0';
        return 0;
    }
    const size_t n = std::min(std::strlen(nodeText_), static_cast<size_t>(size - 1));
    std::memcpy(text, nodeText_, n);
    text[n] = '\0';
    nodeText_[0] = '\0';
    return 1;
}

// Under lock_.
void Link::FeedReceived(const std::uint8_t* bytes, int count)
{
    for (int i = 0; i < count; ++i)
        FrameReceiverFeed(receiver_, bytes[i]);
}

// Under lock_: a complete node text message goes to the mailbox (or is
// dropped while older text is unread); any other frame stays for TakeFrame.
void Link::TakeNodeTextFrame()
{
    std::uint8_t payload[kMaxPayload];
    const int length = FrameReceiverPeek(receiver_, payload);
    if (length < kNodeTextOffset + 1 || payload[0] != kNodeTextType)
        return;
    FrameReceiverTake(receiver_, nullptr);
    if (nodeText_[0] != '\0')
        return;
    static_assert(kMaxPayload - kNodeTextOffset < kNodeTextSize);
    int n = 0;
    for (int i = kNodeTextOffset; i < length && payload[i] != 0; ++i)
        nodeText_[n++] = static_cast<char>(payload[i]);
    nodeText_[n] = '\0';
}

void Link::SleepWithoutPort(const std::stop_token& stop)
{
    std::unique_lock guard(sleepLock_);
    sleepWake_.wait_for(guard, stop, kNoPortSleep, [] { return false; });
}

void Link::Run(std::stop_token stop)
{
    std::uint8_t chunk[kReadChunk];
    while (!stop.stop_requested()) {
        int received = 0;
        if (port_.IsOpen())
            received = port_.Read(chunk, kReadChunk, &wake_);
        else
            SleepWithoutPort(stop);

        bool portChange = false;
        bool frameReady = false;
        std::string wanted;
        {
            std::lock_guard guard(lock_);
            FeedReceived(chunk, received);
            TakeNodeTextFrame();
            frameReady = receiver_.state == kFrameComplete;
            if (transmitLength_ > 0) {
                std::memcpy(threadTransmit_, transmitSlot_, static_cast<size_t>(transmitLength_));
                threadTransmitLength_ = transmitLength_;
                transmitLength_ = 0;
            }
            if (requestedPort_ != openPort_) {
                portChange = true;
                wanted = requestedPort_;
            }
        }
        if (frameReady)
            frameReady_.notify_all();

        // Writing, opening and closing are port I/O, done after the lock is
        // released; the port and its name belong to this thread alone.
        if (threadTransmitLength_ > 0 && port_.IsOpen()) {
            port_.Write(threadTransmit_, threadTransmitLength_); // a failed write loses the frame
            threadTransmitLength_ = 0;
        }
        // A port that hung up (an adapter pulled) is closed; as after a
        // failed open, no name then counts as open, so it is opened again
        // on the next passes until it is back.
        if (port_.Lost()) {
            port_.Close();
            openPort_.clear();
        }
        if (portChange) {
            port_.Close();
            // After a failed open no name counts as open, so the open is
            // retried every pass, and re-selecting the port that was open
            // before opens it again.
            openPort_.clear();
            if (!wanted.empty() && port_.Open(wanted))
                openPort_ = wanted;
        }
    }
}

} // namespace mnm
