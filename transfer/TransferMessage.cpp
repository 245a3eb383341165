#include "transfer/TransferMessage.h"

#include <cstdarg>
#include <cstdio>

#include "nodeconf/ErrorCatalogue.h"
#include "protocol/NodeChannel.h"
#include "protocol/TransportResult.h"
#include "transfer/NodeTransferWrappers.h"
#include "transfer/TransferProgress.h"

namespace mnm {

namespace {
// A failure may wait a little longer for a node that is slow to answer.
constexpr std::chrono::milliseconds kRestoreAfterFailure{1000};
} // namespace

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

bool AsksForPowerCycle(const Report& report)
{
    return report.text && report.text->ends_with(kPowerCycleText);
}

Report EndTransfer(NodeChannel& channel, Report result, bool schedulerRaised, int lineFailure,
                   TransferProgress& progress)
{
    const bool stopped = result.code < 0 && channel.Stopped();
    // Any failure past the step that raised the scheduler puts it back, or
    // a node that still answers would run its own work at low priority
    // until it is power-cycled.
    bool restored = true;
    if (result.code < 0 && schedulerRaised) {
        progress.Set(kProgressScheduler, 0);
        restored = RestoreTaskSchedulerOnce(channel, stopped ? kRestoreAfterStop : kRestoreAfterFailure);
    }
    Report finished = FinishTransfer(std::move(result), stopped, lineFailure);
    if (!restored) finished.text = finished.text.value_or(MessageForCode(finished.code)) + "\n" + kPowerCycleText;
    progress.Set(kProgressIdle);
    return finished;
}

} // namespace mnm
