// Reading and writing a configuration file for the window's commands.
#pragma once

#include <QString>

#include "nodeconf/NodeConf.h"
#include "nodeconf/Report.h"

namespace mnm::app {

// Success, -2101 when the path is no readable regular file (a directory, FIFO
// or device is refused without blocking), or the reader's report.
Report ReadConfiguration(const QString& path, NodeConf& conf);

// Writes with the program's whole-file writer (as mnm does): 0, or -2102
// with the old file untouched and nothing left behind (full disk, read-only
// folder, a directory or device in the way).
int WriteConfiguration(const NodeConf& conf, const QString& path);

} // namespace mnm::app
