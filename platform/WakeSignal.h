// Lets one thread cut another's wait for serial input short, so a frame
// queued for the line goes out at once instead of after the read time-out.
#pragma once

namespace mnm {

class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    // From any thread; raising an already raised signal changes nothing.
    void Raise();
    // By the waiting thread, once woken.
    void Clear();
    // POSIX: a descriptor that polls readable while the signal is raised
    // (-1 if none could be made: waits then simply run to their time-out).
    int Handle() const { return read_; }

private:
    int read_ = -1;
    int write_ = -1;
};

} // namespace mnm
