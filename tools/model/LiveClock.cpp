#include "tools/model/LiveClock.h"

namespace mnm::tools {

std::chrono::milliseconds SteadyTicks()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace mnm::tools
