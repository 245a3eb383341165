// The progress word as the transfer sequences count it.
#pragma once

#include <algorithm>
#include <cstdint>

#include "transfer/ProgressWord.h"

namespace mnm {

class TransferProgress {
public:
    explicit TransferProgress(ProgressSink& sink) : sink_(sink) {}

    void Set(std::uint32_t word) { sink_.Set(word); }
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
    ProgressSink& sink_;
};

} // namespace mnm
