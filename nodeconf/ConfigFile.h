// The configuration file: fixed-length hexadecimal text records with a
// signature, an incomplete marker, a format version and an end marker.
#pragma once

#include "nodeconf/NodeConf.h"
#include "nodeconf/RegularFile.h"
#include "nodeconf/Report.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace mnm {

inline constexpr std::uint32_t kFileSignature = 0x1F9E23C7u;
inline constexpr std::uint32_t kOldFileSignature = 0x1F5322A9u; // files without a version record
inline constexpr std::uint32_t kFileVersion = 0x02040041u;

// Writes the whole record to a binary, seekable stream. The incomplete marker
// is cleared by rewriting the first two records in place at the end.
// Returns 0, or -1 when a write fails (the file is then left marked incomplete).
int SaveToFile(const NodeConf& conf, std::ostream& out);

// Reads a record from a binary stream into `conf` (made fresh first).
// Reports -2101, -2151, -2152, -2153, -2171 (catalogue codes, no text), or
// for a fault inside the body its own code with the text
// "Error %d whilst loading .MNC file.".
// The caller discards `conf` on any failure.
Report LoadFromFile(NodeConf& conf, std::istream& in);

// The size of the longest file SaveToFile writes (every table full, every
// text at its longest). LoadFromPath refuses a file many times this size by
// its size alone.
extern const std::uintmax_t kLargestConfigFile;

// Open-and-call conveniences: -2102 / -2101 when the file cannot be opened.
// LoadFromPath reads only a regular file (never blocking on a FIFO or a
// device) and, when `status` is given, tells there why a path gave -2101.
int SaveToPath(const NodeConf& conf, const std::string& path);
Report LoadFromPath(NodeConf& conf, const std::string& path, FileStatus* status = nullptr);

} // namespace mnm
