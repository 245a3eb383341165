// Backups of a node's configuration taken before it is overwritten: one
// configuration file each, named by network, node and time, never replacing
// an earlier backup.
#pragma once

#include "nodeconf/NodeConf.h"

#include <ctime>
#include <string>

namespace mnm {

// "NETWORK-NODE-YYYYmmddTHHMMSS.mnc" (local time). Characters of the network
// name that are not safe in a file name (anything but letters, digits, '-'
// and '_') become '_'; an empty name becomes "node".
std::string BackupFileName(const NodeConf& conf, std::time_t when);

// Writes `conf` with the configuration file writer into `dir` under that
// name, never over an existing file: a second backup in the same second gets
// "-2", "-3", ... before ".mnc". Gives the path written, or false with a
// message naming the folder (missing, not a folder, not writable) or the file.
bool WriteBackup(const std::string& dir, const NodeConf& conf, std::time_t when, std::string& writtenPath,
                 std::string& error);

} // namespace mnm
