#include "transfer/TransferMessage.h"

#include <cstdarg>
#include <cstdio>

#include "nodeconf/ErrorCatalogue.h"
#include "protocol/NodeChannel.h"
#include "protocol/TransportResult.h"
#include "transfer/NodeTransferWrappers.h"
#include "transfer/TransferProgress.h"

namespace mnm {

Report TransferFailure(const char* format, ...)
{
    char text[kTransferMessageLength + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return Rejected(text);
}

Report FinishTransfer(Report result, bool stopped, int lineFailure)
{
    if (result.code >= 0) return {};
    if (stopped) return TransferFailure("%s", kTransferCancelledText);
    if (result.text) return result;
    // A failure of the line is shown as the transfer's failure rather than
    // as "Unknown Error" with a number that means nothing to anyone.
    const int code = IsTransportResult(result.code) ? lineFailure : result.code;
    return {code, MessageForCode(code)};
}

Report EndTransfer(NodeChannel& channel, Report result, bool schedulerRaised, int lineFailure,
                   TransferProgress& progress)
{
    const bool stopped = result.code < 0 && channel.Stopped();
    if (stopped && schedulerRaised) {
        progress.Set(kProgressScheduler, 0);
        RestoreTaskSchedulerAfterStop(channel);
    }
    Report finished = FinishTransfer(std::move(result), stopped, lineFailure);
    progress.Set(kProgressIdle);
    return finished;
}

} // namespace mnm
