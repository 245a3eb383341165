// The two long transfers of a whole configuration, run by the worker's send
// and receive jobs and by `mnm`. Each takes the channel to the node, writes
// its progress word through `progress` and stops early when `stop` is
// requested.
//
// A failure always carries the text to show: a text composed with its
// details (code kTextReport), or a catalogue code with its catalogue text.
// A stop gives kTextReport and "Transfer cancelled"; the node's task
// scheduler is then restored if the transfer had raised it. Success is an
// empty report.
#pragma once

#include <stop_token>

#include "nodeconf/NodeConf.h"
#include "nodeconf/Report.h"
#include "protocol/NodeChannel.h"
#include "transfer/ProgressWord.h"

namespace mnm {

struct SendOptions {
    bool commit; // commit to flash after writing ("CommitToFlashOnDownload")
};

Report ReceiveFromNode(NodeChannel& channel, NodeConf& record, ProgressSink& progress, std::stop_token stop = {});
Report SendToNode(NodeChannel& channel, const NodeConf& record, SendOptions options, ProgressSink& progress,
                  std::stop_token stop = {});

} // namespace mnm
