// The progress word in words: the tag and figure the menu bar's indicator
// draws, which the command line prints too.
#pragma once

#include <cstdint>
#include <string>

namespace mnm {

// True when the word reports a transfer (top 12 bits 0xF01).
bool IsTransferProgress(std::uint32_t word);
// "RCVD", "SENT", "FLASH", "PREWRT", "SCHED+" or "SCHED-"; empty otherwise.
std::string ProgressTag(std::uint32_t word);
// "40%", "3/5" or empty.
std::string ProgressFigure(std::uint32_t word);

} // namespace mnm
