// The Port menu's entries, found without opening any device: opening a port
// toggles its modem lines, which can reset a device or disturb the program
// that uses it. The serial devices are those of <root>/sys/class/tty with a
// device link, named by <root>/dev/serial/by-id where a link points to them.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mnm::app {

inline constexpr char kVirtualNodeLabel[] = "Virtual Node (demo)";

enum class PortKind {
    kDevice,     // a serial device found on the system
    kSaved,      // the saved Port, found nowhere else (a pseudo-terminal, a link)
    kVirtualNode // the built-in virtual node: only ever chosen by the user
};

struct PortEntry {
    PortKind kind = PortKind::kDevice;
    std::string path;  // what the link opens; empty for the virtual node
    std::string label; // the menu text without mnemonic escaping
    bool enabled = true;
    std::string reason; // why a disabled device cannot be used, or empty
    bool selected = false; // the saved Port

    bool operator==(const PortEntry&) const = default;
};

// Whether the user may open the device (read and write), by its path in the
// scanned tree.
using PortAccessCheck = std::function<bool(const std::filesystem::path& device)>;

struct PortScan {
    std::filesystem::path root = "/";
    std::string savedPort;     // the Port setting
    std::string disallowPorts; // the DisallowPorts setting
    PortAccessCheck mayOpen;   // empty: the process's read and write access
};

// The devices in natural order (ttyS2 before ttyS10), then the saved Port
// when it is none of them, then the virtual node. A disallowed path is left
// out; a device the user may not open is listed disabled with the reason.
// The saved Port is listed selected and enabled without any check, under the
// path it was saved with. The virtual node's pseudo-terminal is not meant to
// be saved as Port: it would name another terminal at the next start.
std::vector<PortEntry> ListPorts(const PortScan& scan);

// DisallowPorts holds whole paths separated by ':', ';', ',' or blanks.
bool PortDisallowed(std::string_view disallowPorts, std::string_view path);

// The menu item's text: the label with "&" escaped and, for an entry that
// cannot be used, " - " and the reason.
std::string PortMenuText(const PortEntry& entry);

} // namespace mnm::app
