// Writing a configuration file so that a failure leaves no partial file and
// an existing file untouched: the bytes go to FILE.partial, then replace FILE.
#pragma once

#include <string>

#include "nodeconf/NodeConf.h"
#include "nodeconf/RegularFile.h"

namespace mnm {

// Whether `path` can take a new file: its folder exists and may be written,
// and what is at the path now, if anything, is a regular file. A command
// checks this before work that takes long (a receive).
FileStatus CheckOutputPath(const std::string& path);

// The folder a file's path names: "." for a bare name, "/" at the root.
std::string FolderOf(const std::string& path);

// Has the folder entry of the file at `path` on the disk, so that a file
// just made or renamed there survives a power loss. False when the flush
// fails; a folder that cannot be opened for it (write-only) or a file system
// that cannot flush folders counts as done.
bool SyncFolderOf(const std::string& path);

// Writes `conf` to `path` whole. On any fault nothing is left behind and an
// existing file keeps its bytes; the status says why, for "PATH: reason".
FileStatus SaveWhole(const NodeConf& conf, const std::string& path);

} // namespace mnm
