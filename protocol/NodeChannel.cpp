#include "protocol/NodeChannel.h"

#include "wire/NodeCodes.h"

namespace mnm {

int NodeChannel::TakeSequence()
{
    const int number = nextSequence_.load();
    nextSequence_.store(number >= kMaxSequenceNumber ? 1 : number + 1);
    return number;
}

void NodeChannel::SetNextSequence(int number)
{
    nextSequence_.store(number >= 1 && number <= kMaxSequenceNumber ? number : 1);
}

bool NodeChannel::Pause(std::chrono::milliseconds pause)
{
    std::unique_lock<std::mutex> lock(pauseLock_);
    pauseWake_.wait_for(lock, stop_, pause, [] { return false; });
    return !stop_.stop_requested();
}

} // namespace mnm
