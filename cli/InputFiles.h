// The files a command reads. A path that is no readable regular file (a
// directory, a FIFO, a device, a missing or unreadable file, one far too
// large) is reported here as "mnm: PATH: reason", once.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "nodeconf/NodeConf.h"
#include "nodeconf/Report.h"

namespace mnm::cli {

// The file reader's report for the configuration file at `path`, or nothing
// after the path has been reported.
std::optional<Report> LoadConfigPath(NodeConf& conf, const std::string& path);

// True after loading; false after printing why not: the path's fault or the
// file reader's message.
bool LoadConfigFile(NodeConf& conf, const std::string& path);

// The path by which two names of one file compare equal (through "..",
// links); the name as given when it cannot be resolved.
std::filesystem::path SamePathKey(const std::string& path);

// The whole text of a JSON record file, or nothing after the path has been
// reported.
std::optional<std::string> ReadJsonPath(const std::string& path);

} // namespace mnm::cli
