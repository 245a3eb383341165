// Why the chosen port cannot be used right now, found without opening it
// (an open would toggle its modem lines).
#pragma once

#include <string>

namespace mnm::app {

// Empty when the device is there and the user may read and write it;
// otherwise the reason for the indicator's tooltip.
std::string PortProblemNow(const std::string& devicePath);

} // namespace mnm::app
