// mnm: the command-line tool beside the desktop program.
#include "cli/Commands.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    const char* summary;
};

const Command kCommands[] = {
    {"dump", mnm::cli::RunDump, "print every field of a configuration file (--json for JSON)"},
    {"verify", mnm::cli::RunVerify, "check configuration files as Verify does"},
    {"build", mnm::cli::RunBuild, "build a configuration file from JSON, after the check of Save"},
    {"receive", mnm::cli::RunReceive, "receive the configuration of a node into a file"},
    {"send", mnm::cli::RunSend, "check a configuration file and send it to a node"},
    {"info", mnm::cli::RunInfo, "print a node's number, name, software and hardware (--json for JSON)"},
    {"node-sim", mnm::cli::RunNodeSim, "run a virtual node on a new pseudo-terminal"},
};

void PrintHelp(std::FILE* to)
{
    std::fprintf(to, "usage: mnm COMMAND [OPTIONS] ...\n       mnm --version\n\ncommands:\n");
    for (const Command& c : kCommands) std::fprintf(to, "  %-10s %s\n", c.name, c.summary);
    std::fprintf(to, "\n'mnm COMMAND --help' shows a command's usage.\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintHelp(stderr);
        return mnm::cli::kExitUsage;
    }
    const std::string first = argv[1];
    if (first == "--version") {
        std::printf("%s\n", MNM_VERSION_TEXT);
        return mnm::cli::kExitOk;
    }
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp(stdout);
        return mnm::cli::kExitOk;
    }
    for (const Command& c : kCommands)
        if (first == c.name) return c.run(std::vector<std::string>(argv + 2, argv + argc));
    std::fprintf(stderr, "mnm: unknown command '%s'\n", first.c_str());
    PrintHelp(stderr);
    return mnm::cli::kExitUsage;
}
