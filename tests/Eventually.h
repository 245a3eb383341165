// Waiting for what another thread or process does, in the tests.
#pragma once

#include <chrono>
#include <thread>

namespace mnm {

// True as soon as `pred` holds, polled every 5 ms; false when it still does
// not after `limit`, which is generous so that only a fault reaches it.
template <typename Pred> bool Eventually(Pred pred, std::chrono::milliseconds limit = std::chrono::seconds(30))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace mnm
