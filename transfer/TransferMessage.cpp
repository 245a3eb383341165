#include "transfer/TransferMessage.h"

#include <cstdarg>
#include <cstdio>

#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/MessageBuffer.h"
#include "protocol/NodeChannel.h"
#include "protocol/TransportResult.h"
#include "transfer/NodeTransferWrappers.h"
#include "transfer/TransferProgress.h"

namespace mnm {

int TransferFailure(std::string& message, const char* format, ...)
{
    char text[kTransferMessageLength + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    message = text;
    return kComposedMessage;
}

int FinishTransfer(int result, bool stopped, int lineFailure, std::string& message)
{
    if (result >= 0) return result;
    if (stopped) return TransferFailure(message, "%s", kTransferCancelledText);
    if (result == kComposedMessage) return result;
    // A failure of the line is shown as the transfer's failure rather than
    // as "Unknown Error" with a number that means nothing to anyone.
    if (IsTransportResult(result)) result = lineFailure;
    message = MessageForCode(result);
    return result;
}

int EndTransfer(NodeChannel& channel, int result, bool schedulerRaised, int lineFailure, std::string& message,
                TransferProgress& progress)
{
    const bool stopped = result < 0 && channel.Stopped();
    if (stopped && schedulerRaised) {
        progress.Set(kProgressScheduler, 0);
        RestoreTaskSchedulerAfterStop(channel);
    }
    result = FinishTransfer(result, stopped, lineFailure, message);
    progress.Set(kProgressIdle);
    return result;
}

} // namespace mnm
