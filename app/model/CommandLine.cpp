#include "app/model/CommandLine.h"

namespace mnm::app {

CommandLine ScanCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (const std::string& argument : arguments) {
        if (argument == kVirtualNodeSwitch) {
            line.virtualNode = true;
            continue;
        }
        const bool namesFile = !argument.empty() && argument.size() <= static_cast<std::size_t>(kMaxCommandLinePath) &&
                               argument.front() != kSwitchPrefix;
        if (namesFile && line.file.empty()) line.file = argument;
    }
    return line;
}

} // namespace mnm::app
