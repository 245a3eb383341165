#include "nodeconf/WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "nodeconf/ConfigFile.h"

namespace mnm {

namespace {

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool SyncFolderOf(const std::string& path)
{
    // A folder this user may write but not read, and a file system that
    // cannot flush folders at all, allow nothing better: no failure there.
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno == EACCES;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    return ::close(fd) == 0 && synced;
}

FileStatus CheckOutputPath(const std::string& path)
{
    if (FileStatus there = CheckReplaceable(path); there.fault != FileFault::None) return there;
    const std::string folder = FolderOf(path);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return SystemFileFault(FileFault::CannotOpen, errno);
    if (!S_ISDIR(info.st_mode)) return SystemFileFault(FileFault::CannotOpen, ENOTDIR);
    if (::access(folder.c_str(), W_OK) != 0) return SystemFileFault(FileFault::CannotOpen, errno);
    return {};
}

FileStatus SaveWhole(const NodeConf& conf, const std::string& path)
{
    if (FileStatus usable = CheckOutputPath(path); usable.fault != FileFault::None) return usable;
    std::stringstream file(std::ios::in | std::ios::out | std::ios::binary);
    if (SaveToFile(conf, file) != 0) return SystemFileFault(FileFault::WriteFailed, EIO);
    const std::string bytes = file.str();

    // O_NOFOLLOW and O_NONBLOCK: a link or a FIFO planted at the partial
    // name is neither followed nor waited on.
    const std::string partial = path + ".partial";
    const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return SystemFileFault(FileFault::CannotOpen, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return SystemFileFault(FileFault::CannotOpen, EEXIST);
    }
    // Flushed to the disk before it replaces the file, so a crash leaves the
    // old file or the new one, never a mix.
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        std::remove(partial.c_str());
        return SystemFileFault(FileFault::WriteFailed, written ? EIO : writeError);
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        std::remove(partial.c_str());
        return SystemFileFault(FileFault::WriteFailed, renameError);
    }
    // The new bytes are in place whatever the folder's flush says: a fault
    // there costs only durability, and the old file is gone already.
    SyncFolderOf(path);
    return {};
}

} // namespace mnm
