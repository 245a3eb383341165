// The worker's options as the settings give them.
#pragma once

#include "settings/ProgramSettings.h"
#include "worker/Worker.h"

namespace mnm {

WorkerOptions WorkerOptionsFrom(const ProgramSettings& settings);

} // namespace mnm
