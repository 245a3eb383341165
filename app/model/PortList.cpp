#include "app/model/PortList.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <system_error>
#include <tuple>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "app/model/MenuText.h"
#include "app/model/PortProblem.h"

namespace fs = std::filesystem;

namespace mnm::app {
namespace {

constexpr char kSysTty[] = "sys/class/tty";
constexpr char kById[] = "dev/serial/by-id";
constexpr char kDevDir[] = "/dev/";
// A serial port slot whose "type" reads 0 has no UART behind it.
constexpr char kUnknownUartType[] = "0";

std::vector<fs::path> Children(const fs::path& dir)
{
    std::vector<fs::path> children;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        children.push_back(it->path());
    return children;
}

bool HasNoUart(const fs::path& ttyDir)
{
    std::ifstream in(ttyDir / "type");
    std::string type;
    return in >> type && type == kUnknownUartType;
}

// "/dev/ttyUSB0" for each serial device of the tree.
std::vector<std::string> SysDevices(const fs::path& root)
{
    std::vector<std::string> devices;
    for (const fs::path& tty : Children(root / kSysTty)) {
        std::error_code ec;
        if (!fs::exists(tty / "device", ec) || HasNoUart(tty)) continue;
        devices.push_back(kDevDir + tty.filename().string());
    }
    return devices;
}

// The absolute path inside the tree a by-id link names, as seen from the root.
std::string LinkTarget(const fs::path& root, const fs::path& link)
{
    std::error_code ec;
    const fs::path target = fs::read_symlink(link, ec);
    if (ec) return {};
    const fs::path inTree = target.is_absolute() ? root / target.relative_path() : link.parent_path() / target;
    const fs::path relative = inTree.lexically_normal().lexically_relative(root.lexically_normal());
    if (relative.empty() || *relative.begin() == "..") return {};
    return "/" + relative.generic_string();
}

struct Device {
    std::string path;
    std::string byId; // the by-id link's path, or empty
};

std::vector<Device> FindDevices(const fs::path& root)
{
    std::map<std::string, std::string> byIdOf;
    std::vector<std::string> loose; // by-id entries naming no device found above
    const std::vector<std::string> sys = SysDevices(root);
    for (const fs::path& link : Children(root / kById)) {
        const std::string linkPath = "/" + fs::path(kById).generic_string() + "/" + link.filename().string();
        const std::string target = LinkTarget(root, link);
        if (std::find(sys.begin(), sys.end(), target) != sys.end()) byIdOf.emplace(target, linkPath);
        else loose.push_back(linkPath);
    }
    std::vector<Device> devices;
    for (const std::string& path : sys) devices.push_back({path, byIdOf.count(path) ? byIdOf[path] : ""});
    for (const std::string& path : loose) devices.push_back({path, ""});
    return devices;
}

// ttyS2 before ttyS10: the trailing numbers compare as numbers.
bool NaturalLess(const std::string& a, const std::string& b)
{
    auto split = [](const std::string& s) {
        std::size_t digits = s.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(s[digits - 1]))) --digits;
        const std::string number = s.substr(digits);
        return std::make_tuple(s.substr(0, digits), number.size(), number);
    };
    return split(a) < split(b);
}

bool ProcessMayOpen(const fs::path& device)
{
#ifdef _WIN32
    (void)device;
    return true;
#else
    return ::access(device.c_str(), R_OK | W_OK) == 0;
#endif
}

std::string Label(const Device& d)
{
    if (d.byId.empty()) return d.path;
    return d.path + " (" + fs::path(d.byId).filename().string() + ")";
}

} // namespace

bool PortDisallowed(std::string_view disallowPorts, std::string_view path)
{
    constexpr std::string_view kSeparators = ":;, \t";
    std::size_t start = 0;
    while (start < disallowPorts.size()) {
        std::size_t end = disallowPorts.find_first_of(kSeparators, start);
        if (end == std::string_view::npos) end = disallowPorts.size();
        if (end > start && disallowPorts.substr(start, end - start) == path) return true;
        start = end + 1;
    }
    return false;
}

std::vector<PortEntry> ListPorts(const PortScan& scan)
{
    const PortAccessCheck mayOpen = scan.mayOpen ? scan.mayOpen : PortAccessCheck(ProcessMayOpen);
    auto reasonFor = [&](const std::string& path) {
        return mayOpen(scan.root / fs::path(path).relative_path()) ? std::string() : kNoPermissionReason;
    };

    std::vector<Device> devices = FindDevices(scan.root);
    std::sort(devices.begin(), devices.end(), [](const Device& a, const Device& b) { return NaturalLess(a.path, b.path); });

    std::vector<PortEntry> entries;
    bool savedListed = scan.savedPort.empty() || PortDisallowed(scan.disallowPorts, scan.savedPort);
    for (const Device& d : devices) {
        if (PortDisallowed(scan.disallowPorts, d.path) || (!d.byId.empty() && PortDisallowed(scan.disallowPorts, d.byId)))
            continue;
        PortEntry entry{PortKind::kDevice, d.path, Label(d), true, "", false};
        if (!scan.savedPort.empty() && (scan.savedPort == d.path || scan.savedPort == d.byId)) {
            // The saved port is not checked, and keeps the path it was saved with.
            entry.path = scan.savedPort;
            entry.selected = true;
            savedListed = true;
        } else {
            entry.reason = reasonFor(d.path);
            entry.enabled = entry.reason.empty();
        }
        entries.push_back(std::move(entry));
    }
    if (!savedListed)
        entries.push_back({PortKind::kSaved, scan.savedPort, scan.savedPort, true, "", true});
    entries.push_back({PortKind::kVirtualNode, "", kVirtualNodeLabel, true, "", false});
    return entries;
}

std::string PortMenuText(const PortEntry& entry)
{
    std::string text = EscapeMnemonics(entry.label);
    if (!entry.reason.empty()) text += " - " + EscapeMnemonics(entry.reason);
    return text;
}

} // namespace mnm::app
