// The two long transfers of a whole configuration, run by the worker's send
// and receive jobs. Each writes the progress word under the worker lock.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "nodeconf/NodeConf.h"

namespace mnm {

// 0, or -1000 with the reason in `message`.
int ReceiveFromNode(NodeConf& record, std::string& message, std::uint32_t& progress,
                    std::mutex& workerLock);
// 0, or a negative code: -1000 with the reason in `message`, a catalogue
// code, or a query or command failure passed on.
int SendToNode(NodeConf& record, std::string& message, std::uint32_t& progress,
               std::mutex& workerLock);

// Skips the commit phase of the following sends whatever
// "CommitToFlashOnDownload" says (a tool's one-off run must not change the
// operator's setting).
void SetSendWithoutCommit(bool on);

} // namespace mnm
