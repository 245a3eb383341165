#include "link/NodeProtocol.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "link/Link.h"
#include "link/NodeCodes.h"
#include "settings/Settings.h"

namespace mnm {
namespace {

constexpr int kQueueAttempts = 4;
constexpr auto kQueueRetryWait = std::chrono::milliseconds(60);
constexpr auto kPollStep = std::chrono::milliseconds(5);
constexpr int kChecksPerTimeoutUnit = 16;
constexpr int kFlashSends = 4;
constexpr int kDefaultFlashFailureLimit = 4;
constexpr auto kFlashResendWait = std::chrono::milliseconds(1);
constexpr int kMsPerPoll = 5;

// Only the worker makes requests; atomics keep tests that switch the
// calling thread free of races.
std::atomic<int> gQueryBudget{-1}; // -1: not read yet
std::atomic<int> gNextSequence{1};
std::atomic<bool> gFlashWriting{false};

int QueryBudget()
{
    int budget = gQueryBudget.load();
    if (budget < 0) {
        budget = ReadSettingNumber(kSettingNipQueryTimeout) / kMsPerPoll;
        if (budget < 0) budget = 0;
        gQueryBudget.store(budget);
    }
    return budget;
}

int TakeSequence()
{
    int number = gNextSequence.load();
    gNextSequence.store(number >= kMaxSequenceNumber ? 1 : number + 1);
    return number;
}

} // namespace

int NodeQuery(std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint8_t* reply)
{
    const std::uint8_t request[kQueryHeaderSize] = {kTypeQuery, kQueryRequest, code, p1, p2};
    bool queued = false;
    for (int attempt = 0; attempt < kQueueAttempts && !queued; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(kQueueRetryWait);
        queued = LinkQueuePayload(request, kQueryHeaderSize) == 1;
    }
    if (!queued) return kErrQueryNotQueued;

    const int checks = QueryBudget() - 1;
    std::uint8_t frame[kReplyBufferSize];
    for (int i = 0; i < checks; ++i) {
        const int length = LinkTakeFrame(frame);
        if (length >= kQueryHeaderSize && frame[0] == kTypeQuery && frame[1] == kQueryReply &&
            frame[2] == code && frame[3] == p1 && frame[4] == p2) {
            const int n = length - kQueryHeaderSize;
            std::memcpy(reply, frame + kQueryHeaderSize, static_cast<std::size_t>(n));
            return n;
        }
        std::this_thread::sleep_for(kPollStep);
    }
    return kErrNoReply;
}

int NodeCommand(std::uint8_t code, const std::uint8_t* data, int length, int timeoutFactor)
{
    if (length >= kCommandDataLimit) return kErrCommandTooLong;
    if (length < 0 || (length > 0 && !data)) return kErrCommandTooLong;
    if (timeoutFactor == -1) timeoutFactor = kDefaultTimeoutFactor;

    const int sequence = TakeSequence();
    std::uint8_t request[kCommandHeaderSize + kCommandDataLimit];
    request[0] = kTypeCommand;
    request[1] = static_cast<std::uint8_t>(sequence >> 8);
    request[2] = static_cast<std::uint8_t>(sequence);
    request[3] = 0;
    request[4] = code;
    if (length > 0) std::memcpy(request + kCommandHeaderSize, data, static_cast<std::size_t>(length));
    // A busy slot is not retried here: the wait below ends in kErrNoAck and
    // the retry wrappers send again.
    const int queued = LinkQueuePayload(request, kCommandHeaderSize + length);
    if (queued < 0) return queued;

    std::uint8_t frame[kReplyBufferSize];
    const int checks = timeoutFactor * kChecksPerTimeoutUnit;
    for (int i = 0; i < checks; ++i) {
        std::this_thread::sleep_for(kPollStep);
        const int n = LinkTakeFrame(frame);
        if (n == kAckSize && frame[0] == kTypeCommand && frame[1] == request[1] &&
            frame[2] == request[2])
            return frame[3];
    }
    return kErrNoAck;
}

int NodeFlashCommand(std::uint8_t code, const std::uint8_t* data, int length, int failureLimit)
{
    if (failureLimit == -1) failureLimit = kDefaultFlashFailureLimit;
    const int timeoutFactor = ReadSettingNumber(kSettingNcpWriteFlashTimeout) / kMsPerPoll;

    int result = 0;
    for (int send = 0; send < kFlashSends; ++send) {
        if (send > 0) std::this_thread::sleep_for(kFlashResendWait);
        result = NodeCommand(code, data, length, timeoutFactor);
        if (result > 0) break;
    }
    if (result < 0) {
        gFlashWriting.store(false);
        return -1;
    }
    if (result != kStatusFlashStarted) return result;

    int failures = 0;
    for (;;) {
        gFlashWriting.store(true);
        std::uint8_t reply[kReplyBufferSize];
        int state = kFlashStillWriting;
        const int n = NodeQuery(query::kFlashState, 0, 0, reply);
        if (n == 1) {
            state = reply[0];
            failures = 0;
        } else {
            ++failures;
        }
        if (failures > failureLimit) {
            gFlashWriting.store(false);
            return -2;
        }
        if (state != kFlashStillWriting) {
            gFlashWriting.store(false);
            return state;
        }
    }
}

bool NodeFlashWriting() { return gFlashWriting.load(); }

void ResetNodeQueryBudget() { gQueryBudget.store(-1); }

void SetNextCommandSequence(int number)
{
    gNextSequence.store(number >= 1 && number <= kMaxSequenceNumber ? number : 1);
}

int NextCommandSequence() { return gNextSequence.load(); }

} // namespace mnm
