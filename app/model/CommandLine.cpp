#include "app/model/CommandLine.h"

namespace mnm::app {

CommandLine ScanCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (const std::string& argument : arguments) {
        if (argument == kVirtualNodeSwitch || argument == kHelpSwitch || argument == kVersionSwitch) {
            line.virtualNode = line.virtualNode || argument == kVirtualNodeSwitch;
            line.help = line.help || argument == kHelpSwitch;
            line.version = line.version || argument == kVersionSwitch;
            continue;
        }
        const bool namesFile = !argument.empty() && argument.size() <= static_cast<std::size_t>(kMaxCommandLinePath) &&
                               argument.front() != kSwitchPrefix;
        if (namesFile && line.file.empty()) line.file = argument;
    }
    return line;
}

std::string CommandLineUsage(std::string_view programName)
{
    const std::string name(programName);
    return "usage: " + name + " [--virtual-node] [FILE.mnc]\n"
           "Edits, sends and receives the configuration of a telemetry radio node.\n"
           "  FILE.mnc        a configuration file to open at start\n"
           "  --virtual-node  start with the built-in virtual node chosen as the port\n"
           "  --help          show this and end\n"
           "  --version       show the version and end\n"
           "Qt's own options (for example -platform offscreen) are taken as well.\n";
}

} // namespace mnm::app
