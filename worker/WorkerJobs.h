// The worker's jobs, by number: the status indicator animates by them and the
// windows start them. A plain header, so the window's logic needs no worker.
#pragma once

namespace mnm {

inline constexpr int kJobSend = 1;
inline constexpr int kJobReceive = 2;
inline constexpr int kJobMonitor = 3;
inline constexpr int kJobLive = 4;
inline constexpr int kJobNodeData = 5;

// A send, a receive and a hardware read run once and then return to the job before them.
constexpr bool IsOneShotJob(int job) { return job == kJobSend || job == kJobReceive || job == kJobNodeData; }

} // namespace mnm
