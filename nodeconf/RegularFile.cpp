#include "nodeconf/RegularFile.h"

#include <cerrno>
#include <filesystem>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mnm {

namespace {

FileStatus Fault(FileFault fault) { return FileStatus{fault, {}, 0, 0}; }

FileStatus TypeFault(std::filesystem::file_type type)
{
    using std::filesystem::file_type;
    switch (type) {
    case file_type::regular: return Fault(FileFault::None);
    case file_type::directory: return Fault(FileFault::Directory);
    case file_type::fifo: return Fault(FileFault::Fifo);
    case file_type::block:
    case file_type::character: return Fault(FileFault::Device);
    default: return Fault(FileFault::NotRegular);
    }
}

FileStatus SizeFault(std::uintmax_t size, std::uintmax_t maxBytes)
{
    FileStatus status = Fault(size > maxBytes ? FileFault::TooLarge : FileFault::None);
    status.size = size;
    status.limit = maxBytes;
    return status;
}

#ifdef _WIN32

// Without O_NONBLOCK the type is checked first; a device name such as CON is
// no regular file and never reaches the open.
FileStatus ReadPlatformFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error) return FileStatus{FileFault::CannotOpen, error, 0, 0};
    if (FileStatus type = TypeFault(status.type()); type.fault != FileFault::None) return type;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return FileStatus{FileFault::CannotOpen, error, 0, 0};
    if (FileStatus tooLarge = SizeFault(size, maxBytes); tooLarge.fault != FileFault::None) return tooLarge;
    std::ifstream in(path, std::ios::binary);
    if (!in) return SystemFileFault(FileFault::CannotOpen, errno);
    bytes.assign(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return SystemFileFault(FileFault::ReadFailed, EIO);
    return Fault(FileFault::None);
}

FileStatus PlatformReplaceable(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return Fault(FileFault::None);
    if (error) return FileStatus{FileFault::CannotOpen, error, 0, 0};
    return TypeFault(status.type());
}

#else

std::filesystem::file_type TypeOfMode(mode_t mode)
{
    using std::filesystem::file_type;
    if (S_ISREG(mode)) return file_type::regular;
    if (S_ISDIR(mode)) return file_type::directory;
    if (S_ISFIFO(mode)) return file_type::fifo;
    if (S_ISCHR(mode)) return file_type::character;
    if (S_ISBLK(mode)) return file_type::block;
    return file_type::unknown;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
// The type is taken from the open descriptor, so nothing can be swapped in
// between the check and the read.
FileStatus ReadPlatformFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes)
{
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return SystemFileFault(FileFault::CannotOpen, errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return SystemFileFault(FileFault::CannotOpen, errno);
    if (FileStatus type = TypeFault(TypeOfMode(info.st_mode)); type.fault != FileFault::None) return type;
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (FileStatus tooLarge = SizeFault(size, maxBytes); tooLarge.fault != FileFault::None) return tooLarge;

    // A file that grows while it is read is cut off one byte past the limit.
    constexpr std::size_t kChunk = 64 * 1024;
    char chunk[kChunk];
    while (true) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return SystemFileFault(FileFault::ReadFailed, errno);
        if (n == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes) return SizeFault(bytes.size(), maxBytes);
    }
    return Fault(FileFault::None);
}

FileStatus PlatformReplaceable(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? Fault(FileFault::None) : SystemFileFault(FileFault::CannotOpen, errno);
    return TypeFault(TypeOfMode(info.st_mode));
}

#endif

} // namespace

FileStatus SystemFileFault(FileFault fault, int error)
{
    return FileStatus{fault, std::error_code(error, std::generic_category()), 0, 0};
}

FileStatus ReadRegularFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes)
{
    bytes.clear();
    FileStatus status = ReadPlatformFile(path, maxBytes, bytes);
    if (status.fault != FileFault::None) bytes.clear();
    return status;
}

FileStatus CheckReplaceable(const std::string& path) { return PlatformReplaceable(path); }

std::string FileFaultText(const FileStatus& status)
{
    switch (status.fault) {
    case FileFault::None: return "";
    case FileFault::CannotOpen:
    case FileFault::ReadFailed:
    case FileFault::WriteFailed: return status.systemError.message();
    case FileFault::Directory: return "is a directory";
    case FileFault::Fifo: return "is a FIFO, not a regular file";
    case FileFault::Device: return "is a device, not a regular file";
    case FileFault::NotRegular: return "not a regular file";
    case FileFault::TooLarge:
        return "too large (" + std::to_string(status.size) + " bytes; the limit is " +
               std::to_string(status.limit) + ")";
    }
    return "";
}

} // namespace mnm
