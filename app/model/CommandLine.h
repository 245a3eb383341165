// The program's command line, read after Qt has taken its own options: the
// configuration file to open at start and the virtual node switch.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mnm::app {

inline constexpr int kMaxCommandLinePath = 256;
inline constexpr char kVirtualNodeSwitch[] = "--virtual-node";
inline constexpr char kHelpSwitch[] = "--help";
inline constexpr char kVersionSwitch[] = "--version";
// An argument starting with this is a switch and names no file ("/" starts
// an absolute path on POSIX).
#ifdef _WIN32
inline constexpr char kSwitchPrefix = '/';
#else
inline constexpr char kSwitchPrefix = '-';
#endif

struct CommandLine {
    std::string file; // empty when none was given
    bool virtualNode = false;
    bool help = false;    // print the usage and end, before any window
    bool version = false; // print the version and end

    bool operator==(const CommandLine&) const = default;
};

// `arguments` without the program name. The first argument that is
// non-empty, at most 256 characters and no switch names the file; the others
// are ignored, apart from the virtual node switch wherever it stands.
CommandLine ScanCommandLine(const std::vector<std::string>& arguments);

// What --help prints.
std::string CommandLineUsage(std::string_view programName);

} // namespace mnm::app
