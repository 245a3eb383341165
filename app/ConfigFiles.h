// Reading and writing a configuration file for the window's commands.
#pragma once

#include <QString>

#include "nodeconf/NodeConf.h"

namespace mnm::app {

// 0, -2101 when the path is no readable regular file (a directory, FIFO or
// device is refused without blocking), or the reader's code.
int ReadConfiguration(const QString& path, NodeConf& conf);

// Writes through a temporary file beside the target that replaces it only
// when every byte is written: 0, or -2102 with the old file untouched (full
// disk, read-only folder, a directory or device in the way).
int WriteConfiguration(const NodeConf& conf, const QString& path);

} // namespace mnm::app
