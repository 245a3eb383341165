// The clocks the live tools read: a tick count that ages readings and a
// wall clock that stamps logged ones. Tests put their own in place.
#pragma once

#include <chrono>
#include <functional>

namespace mnm::tools {

using TickClock = std::function<std::chrono::milliseconds()>;
using WallClock = std::function<std::chrono::system_clock::time_point()>;

// Milliseconds of the steady clock: never goes backwards.
std::chrono::milliseconds SteadyTicks();

} // namespace mnm::tools
