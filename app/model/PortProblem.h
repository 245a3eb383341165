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
// "Port /dev/zero: not a terminal", as `mnm` says it.
std::string PortNotATerminalText(std::string_view devicePath);

// Whether a character device's numbers belong to a terminal driver, by the
// system's list of them (the text of /proc/tty/drivers: name, device path,
// major number, minor number or range, type). Without a list every
// character device counts as one.
bool IsTerminalDevice(unsigned major, unsigned minor, std::string_view ttyDrivers);

} // namespace mnm::app
