// Reading a whole input file that has to be a regular file of bounded size.
// Directories, FIFOs and devices are refused by their type before anything is
// read, so a FIFO without a writer or an endless device never blocks a reader.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace mnm {

enum class FileFault {
    None,
    CannotOpen,  // the system's reason is in systemError
    Directory,
    Fifo,
    Device,
    NotRegular,  // a socket or another special file
    TooLarge,
    ReadFailed,  // the system's reason is in systemError
    WriteFailed, // the system's reason is in systemError
};

struct FileStatus {
    FileFault fault = FileFault::None;
    std::error_code systemError; // for CannotOpen, ReadFailed and WriteFailed
    std::uintmax_t size = 0;     // for TooLarge: the size found
    std::uintmax_t limit = 0;    // for TooLarge: the most that was allowed
};

// A fault with the system's reason, an errno value.
FileStatus SystemFileFault(FileFault fault, int error);

// Reads the regular file at `path` whole into `bytes`, refusing one larger
// than `maxBytes` without reading it.
FileStatus ReadRegularFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes);

// For a path that is about to be replaced: None when nothing is there yet or
// it is a regular file, otherwise what is there instead.
FileStatus CheckReplaceable(const std::string& path);

// The fault in a few words for "PATH: reason", e.g. "is a directory".
std::string FileFaultText(const FileStatus& status);

} // namespace mnm
