// The progress word as the transfer sequences write it: always under the
// worker lock, which is held for nothing else here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <mutex>

#include "link/Worker.h"

namespace mnm {

class TransferProgress {
public:
    TransferProgress(std::uint32_t& word, std::mutex& lock) : word_(word), lock_(lock) {}

    void Set(std::uint32_t word)
    {
        std::lock_guard<std::mutex> guard(lock_);
        word_ = word;
    }
    void Set(std::uint32_t kind, std::uint32_t value) { Set(ProgressWord(kind, value)); }

    // Per mille of done over total; more than 1000 when the total was
    // under-estimated, held at the word's 16-bit limit. Idle when there is
    // nothing to count.
    void Items(std::uint32_t kind, int done, int total)
    {
        if (done < 0 || total <= 0) {
            Set(kProgressIdle);
            return;
        }
        const long long perMille = static_cast<long long>(done) * 1000 / total;
        Set(kind, static_cast<std::uint32_t>(std::min<long long>(perMille, 0xFFFF)));
    }

private:
    std::uint32_t& word_;
    std::mutex& lock_;
};

} // namespace mnm
