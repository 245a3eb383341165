#include "app/model/PortProblem.h"

#include <cerrno>
#include <sstream>
#include <charconv>

#include "platform/SerialPort.h"

namespace mnm::app {

std::string PortOpenFailureReason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return kNoPermissionReason;
    case EBUSY: return kBusyReason; // held exclusively by another program
    case ENOENT:
    case ENODEV:
    case ENXIO: return kGoneReason;
    default: return "cannot be opened (error " + std::to_string(error) + ")";
    }
}

std::string PortOpenFailureText(std::string_view devicePath, int error)
{
    return "Port " + std::string(devicePath) + ": " + PortOpenFailureReason(error);
}

std::string PortNotATerminalText(std::string_view devicePath)
{
    return "Port " + std::string(devicePath) + ": " + kNotATerminal;
}

bool IsTerminalDevice(unsigned major, unsigned minor, std::string_view ttyDrivers)
{
    if (ttyDrivers.empty()) return true;
    std::istringstream lines{std::string(ttyDrivers)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name, path, minors;
        unsigned driverMajor = 0;
        if (!(fields >> name >> path >> driverMajor >> minors)) continue;
        if (driverMajor != major) continue;
        unsigned first = 0, last = 0;
        const char* end = minors.data() + minors.size();
        auto [rest, error] = std::from_chars(minors.data(), end, first);
        if (error != std::errc()) continue; // a line this reader does not understand names no terminal
        last = first;
        if (rest != end && (*rest != '-' || std::from_chars(rest + 1, end, last).ec != std::errc())) continue;
        if (minor >= first && minor <= last) return true;
    }
    return false;
}

} // namespace mnm::app
