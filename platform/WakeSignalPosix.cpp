// A non-blocking pipe: readable while raised, drained by Clear.
#include "platform/WakeSignal.h"

#include <fcntl.h>
#include <unistd.h>

namespace mnm {

WakeSignal::WakeSignal()
{
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) == 0) {
        read_ = fds[0];
        write_ = fds[1];
    }
}

WakeSignal::~WakeSignal()
{
    if (read_ >= 0) ::close(read_);
    if (write_ >= 0) ::close(write_);
}

void WakeSignal::Raise()
{
    const char one = 1;
    // A full pipe is still raised; nothing else can go wrong that matters.
    if (write_ >= 0) {
        [[maybe_unused]] const auto n = ::write(write_, &one, 1);
    }
}

void WakeSignal::Clear()
{
    char drain[64];
    if (read_ >= 0)
        while (::read(read_, drain, sizeof drain) > 0) {}
}

} // namespace mnm
