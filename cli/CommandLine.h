// The tool's command line: one parser for every command, so help, usage
// lines and errors look the same everywhere.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace mnm::cli {

// What a command does once its arguments have been read: the exit status.
using CommandRun = std::function<int()>;

class CommandLine {
public:
    CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // A command: its one-line summary for the list, its usage line (as
    // "mnm NAME ..."), and the explanation its help shows.
    CLI::App* AddCommand(const std::string& name, const std::string& summary, const std::string& usage,
                         const std::string& about);
    // What `command` runs when it is the one given.
    void OnChosen(CLI::App* command, CommandRun run);

    // Parses and runs: 0 after help or the version, 2 after a usage error
    // (the message and the command's usage line on stderr), otherwise the
    // command's own status.
    int Run(int argc, char** argv);

private:
    const CLI::App* FindCommand(const std::string& name) const;
    int UsageFailure(const CLI::App& where, const std::string& message) const;
    void AddHelpCommand();

    CLI::App app_;
    std::shared_ptr<class UsageFormatter> formatter_;
    CommandRun chosen_;
};

} // namespace mnm::cli
