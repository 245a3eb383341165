// The progress word in words: the tag and figure the menu bar's indicator
// draws, which the command line prints too. Header-only, so the window's
// plain logic reads it without linking the communication layers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "transfer/ProgressWord.h"

namespace mnm {

// True when the word reports a transfer (top 12 bits 0xF01).
inline bool IsTransferProgress(std::uint32_t word) { return word >> 20 == 0xF01; }

// "RCVD", "SENT", "FLASH", "PREWRT", "SCHED+" or "SCHED-"; empty otherwise.
inline std::string ProgressTag(std::uint32_t word)
{
    if (!IsTransferProgress(word)) return {};
    switch (word >> 16) {
    case kProgressReceiving: return "RCVD";
    case kProgressSending: return "SENT";
    case kProgressCommitting: return "FLASH";
    case kProgressWiping: return "PREWRT";
    case kProgressScheduler: return (word & 1) != 0 ? "SCHED+" : "SCHED-";
    default: return {};
    }
}

// "40%", "3/5" or empty.
inline std::string ProgressFigure(std::uint32_t word)
{
    if (!IsTransferProgress(word)) return {};
    const unsigned value = word & 0xFFFF;
    char text[16] = "";
    switch (word >> 16) {
    case kProgressReceiving:
    case kProgressSending: std::snprintf(text, sizeof text, "%d%c", static_cast<int>(value / 10), '%'); break;
    case kProgressCommitting:
        std::snprintf(text, sizeof text, "%d/%d", static_cast<int>(value >> 8), static_cast<int>(value & 0xFF));
        break;
    default: break;
    }
    return text;
}

} // namespace mnm
