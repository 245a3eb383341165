#include "app/PortCheck.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "app/model/PortProblem.h"

namespace mnm::app {

namespace {
constexpr char kTtyDrivers[] = "/proc/tty/drivers";

std::string TtyDrivers()
{
    std::ifstream in(kTtyDrivers);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string PortProblemNow(const std::string& devicePath)
{
    struct stat info {};
    if (::stat(devicePath.c_str(), &info) != 0) return PortOpenFailureText(devicePath, errno);
    // A regular file, a directory or a device such as /dev/zero can be
    // opened but never answers: said at once rather than after the time-outs.
    if (!S_ISCHR(info.st_mode) || !IsTerminalDevice(major(info.st_rdev), minor(info.st_rdev), TtyDrivers()))
        return PortNotATerminalText(devicePath);
    if (::access(devicePath.c_str(), R_OK | W_OK) == 0) return {};
    return PortOpenFailureText(devicePath, errno);
}

} // namespace mnm::app
