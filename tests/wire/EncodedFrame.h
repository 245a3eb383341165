// A payload as FrameEncode writes it, for the tests of the frame format and
// of the link that carries it.
#pragma once

#include "wire/Frame.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace mnm {

inline std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& payload)
{
    std::uint8_t out[kFrameEncodeBufferSize];
    const std::uint8_t none = 0; // an empty vector's data() may be null, which FrameEncode refuses
    const int n = FrameEncode(out, payload.empty() ? &none : payload.data(), static_cast<int>(payload.size()));
    EXPECT_GE(n, 0);
    if (n < 0) return {};
    EXPECT_EQ(0, out[n]); // the NUL after the frame
    return {out, out + n};
}

} // namespace mnm
