#include "worker/ProgressText.h"

#include <cstdio>

#include "transfer/ProgressWord.h"

namespace mnm {

bool IsTransferProgress(std::uint32_t word) { return word >> 20 == 0xF01; }

std::string ProgressTag(std::uint32_t word)
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

std::string ProgressFigure(std::uint32_t word)
{
    if (!IsTransferProgress(word)) return {};
    const unsigned value = word & 0xFFFF;
    char text[16] = "";
    switch (word >> 16) {
    case kProgressReceiving:
    case kProgressSending: std::snprintf(text, sizeof text, "%d%c", static_cast<int>(value / 10), '%'); break;
    case kProgressCommitting: std::snprintf(text, sizeof text, "%d/%d", static_cast<int>(value >> 8), static_cast<int>(value & 0xFF)); break;
    default: break;
    }
    return text;
}

} // namespace mnm
