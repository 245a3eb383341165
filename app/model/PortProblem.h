// Why a serial device cannot be used, in words for the port menu and the
// status indicator's tooltip.
#pragma once

#include <string>
#include <string_view>

namespace mnm::app {

inline constexpr char kNoPermissionReason[] = "no permission: add yourself to the dialout group";
inline constexpr char kBusyReason[] = "busy: another program has it open";
inline constexpr char kGoneReason[] = "gone: the device is not there (unplugged?)";

// The reason for an open failure's errno value.
std::string PortOpenFailureReason(int error);

// "Port /dev/ttyUSB0: " and the reason.
std::string PortOpenFailureText(std::string_view devicePath, int error);

} // namespace mnm::app
