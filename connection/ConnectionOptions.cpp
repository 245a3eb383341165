#include "connection/ConnectionOptions.h"

namespace mnm {

WorkerOptions WorkerOptionsFrom(const ProgramSettings& settings)
{
    WorkerOptions options;
    options.budgets = {ChecksForMilliseconds(settings.nipQueryTimeoutMs),
                       ChecksForMilliseconds(settings.ncpWriteFlashTimeoutMs)};
    options.identityMonitoring = settings.monitorConnectedNodeIdentity;
    options.commitToFlash = settings.commitToFlashOnDownload;
    return options;
}

} // namespace mnm
