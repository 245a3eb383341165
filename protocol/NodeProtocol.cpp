#include "protocol/NodeProtocol.h"

#include <chrono>
#include <cstring>

#include "wire/NodeCodes.h"

namespace mnm {
namespace {

constexpr int kQueueAttempts = 4;
constexpr auto kQueueRetryWait = std::chrono::milliseconds(60);
constexpr auto kPollStep = std::chrono::milliseconds(kMsPerPoll);
constexpr int kFlashSends = 4;
constexpr int kDefaultFlashFailureLimit = 4;
constexpr auto kFlashResendWait = std::chrono::milliseconds(1);

// How long a command with this factor waits for its acknowledgement.
std::chrono::milliseconds CommandBudget(int timeoutFactor)
{
    return static_cast<long long>(timeoutFactor) * kChecksPerTimeoutUnit * kPollStep;
}

// Clears the flash-writing flag however the command ends.
class FlashWritingFlag {
public:
    explicit FlashWritingFlag(NodeChannel& channel) : channel_(channel) {}
    ~FlashWritingFlag() { channel_.SetFlashWriting(false); }
    void Set() { channel_.SetFlashWriting(true); }

private:
    NodeChannel& channel_;
};

} // namespace

int NodeQuery(NodeChannel& channel, std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint8_t* reply)
{
    if (channel.Stopped()) return kTransportCancelled;
    FrameLine& line = channel.Line();
    const std::uint8_t request[kQueryHeaderSize] = {kTypeQuery, kQueryRequest, code, p1, p2};
    bool queued = false;
    for (int attempt = 0; attempt < kQueueAttempts && !queued; ++attempt) {
        if (attempt > 0 && !channel.Pause(kQueueRetryWait)) return kTransportCancelled;
        queued = line.QueuePayload(request, kQueryHeaderSize) == 1;
    }
    if (!queued) return kTransportNotQueued;

    const int checks = channel.Budgets().queryChecks - 1;
    std::uint8_t frame[kReplyBufferSize];
    for (int i = 0; i < checks; ++i) {
        const int length = line.TakeFrame(frame);
        if (length >= kQueryHeaderSize && frame[0] == kTypeQuery && frame[1] == kQueryReply &&
            frame[2] == code && frame[3] == p1 && frame[4] == p2) {
            const int n = length - kQueryHeaderSize;
            std::memcpy(reply, frame + kQueryHeaderSize, static_cast<std::size_t>(n));
            return n;
        }
        line.WaitForFrame(kPollStep, channel.Stop());
        if (channel.Stopped()) return kTransportCancelled;
    }
    return kTransportNoReply;
}

int NodeCommand(NodeChannel& channel, std::uint8_t code, const std::uint8_t* data, int length, int timeoutFactor)
{
    if (length >= kCommandDataLimit) return kInternalNcpBufferTooLong;
    if (length < 0 || (length > 0 && !data)) return kInternalNcpBufferTooLong;
    if (timeoutFactor == -1) timeoutFactor = kDefaultTimeoutFactor;
    if (channel.Stopped()) return kTransportCancelled;

    FrameLine& line = channel.Line();
    const int sequence = channel.TakeSequence();
    std::uint8_t request[kCommandHeaderSize + kCommandDataLimit];
    request[0] = kTypeCommand;
    request[1] = static_cast<std::uint8_t>(sequence >> 8);
    request[2] = static_cast<std::uint8_t>(sequence);
    request[3] = 0;
    request[4] = code;
    if (length > 0) std::memcpy(request + kCommandHeaderSize, data, static_cast<std::size_t>(length));
    // A busy slot is not retried here: the wait below ends in no
    // acknowledgement and the retry wrappers send again.
    const int queued = line.QueuePayload(request, kCommandHeaderSize + length);
    if (queued < 0) return queued;

    std::uint8_t frame[kReplyBufferSize];
    // Wide enough for any factor: an overflow would end the wait at once.
    const long long checks = static_cast<long long>(timeoutFactor) * kChecksPerTimeoutUnit;
    for (long long i = 0; i < checks; ++i) {
        line.WaitForFrame(kPollStep, channel.Stop());
        if (channel.Stopped()) return kTransportCancelled;
        const int n = line.TakeFrame(frame);
        if (n == kAckSize && frame[0] == kTypeCommand && frame[1] == request[1] && frame[2] == request[2])
            return frame[3];
    }
    return kTransportNoAck;
}

int NodeFlashCommand(NodeChannel& channel, std::uint8_t code, const std::uint8_t* data, int length,
                     int failureLimit)
{
    if (failureLimit == -1) failureLimit = kDefaultFlashFailureLimit;
    const int timeoutFactor = channel.Budgets().flashTimeoutFactor;
    FlashWritingFlag writing(channel);

    int result = 0;
    for (int send = 0; send < kFlashSends; ++send) {
        if (send > 0 && !channel.Pause(kFlashResendWait)) return kTransportCancelled;
        result = NodeCommand(channel, code, data, length, timeoutFactor);
        if (result > 0 || result == kTransportCancelled) break;
    }
    if (result == kTransportCancelled) return result;
    if (result < 0) return kTransportNoAck;
    if (result != kStatusFlashStarted) return result;

    // A node that says "still writing" for ever is given the command's own
    // time-out, no more.
    const auto deadline = std::chrono::steady_clock::now() + CommandBudget(timeoutFactor);
    int failures = 0;
    for (;;) {
        writing.Set();
        std::uint8_t reply[kReplyBufferSize];
        int state = kFlashStillWriting;
        const int n = NodeQuery(channel, query::kFlashState, 0, 0, reply);
        if (n == kTransportCancelled) return n;
        if (n == 1) {
            state = reply[0];
            failures = 0;
        } else {
            ++failures;
        }
        if (failures > failureLimit) return kTransportFlashFailed;
        if (state != kFlashStillWriting) return state;
        if (std::chrono::steady_clock::now() >= deadline) return kTransportNoAck;
    }
}

} // namespace mnm
