#include "app/PortCheck.h"

#include <unistd.h>

#include <cerrno>

#include "app/model/PortProblem.h"

namespace mnm::app {

std::string PortProblemNow(const std::string& devicePath)
{
    if (::access(devicePath.c_str(), R_OK | W_OK) == 0) return {};
    return PortOpenFailureText(devicePath, errno);
}

} // namespace mnm::app
