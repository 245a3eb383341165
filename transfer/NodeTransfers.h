// The two long transfers of a whole configuration, run by the worker's send
// and receive jobs and by `mnm`. Each takes the channel to the node, writes
// its progress word through `progress` and stops early when `stop` is
// requested.
//
// On failure the result is negative and `message` always holds the text to
// show: -1000 for a text composed with its details, otherwise a catalogue
// code with its catalogue text. A stop gives -1000 and "Transfer cancelled";
// the node's task scheduler is then restored if the transfer had raised it.
#pragma once

#include <stop_token>
#include <string>

#include "nodeconf/NodeConf.h"
#include "protocol/NodeChannel.h"
#include "transfer/ProgressWord.h"

namespace mnm {

struct SendOptions {
    bool commit; // commit to flash after writing ("CommitToFlashOnDownload")
};

int ReceiveFromNode(NodeChannel& channel, NodeConf& record, std::string& message, ProgressSink& progress,
                    std::stop_token stop = {});
int SendToNode(NodeChannel& channel, const NodeConf& record, SendOptions options, std::string& message,
               ProgressSink& progress, std::stop_token stop = {});

} // namespace mnm
