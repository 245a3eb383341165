#include "app/model/PortProblem.h"

#include <cerrno>

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

} // namespace mnm::app
