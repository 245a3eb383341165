#include "fleet/BackupFile.h"

#include "nodeconf/ConfigFile.h"
#include "nodeconf/RegularFile.h"
#include "nodeconf/WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mnm {

namespace {

constexpr std::string_view kExtension = ".mnc";
constexpr std::string_view kEmptyNetworkName = "node";
constexpr char kUnsafeReplacement = '_';
constexpr mode_t kBackupMode = 0666; // less the user's umask
// Numbered names tried after the plain one before giving up.
constexpr int kMostNumberedNames = 999;

bool IsSafeInFileName(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

std::string WithNumber(const std::string& name, int number)
{
    if (number <= 1) return name;
    return name.substr(0, name.size() - kExtension.size()) + "-" + std::to_string(number) + std::string(kExtension);
}

std::string SystemText(int fault) { return FileFaultText(SystemFileFault(FileFault::CannotOpen, fault)); }

// Has the written file on the disk: the node is overwritten right after, so
// its name in the folder must be there too.
bool Sync(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

} // namespace

std::string BackupFileName(const NodeConf& conf, std::time_t when)
{
    std::string network(conf.networkName, strnlen(conf.networkName, sizeof conf.networkName));
    if (network.empty()) network = kEmptyNetworkName;
    for (char& c : network)
        if (!IsSafeInFileName(c)) c = kUnsafeReplacement;

    std::tm local{};
    localtime_r(&when, &local);
    char stamp[sizeof "20240501T134512"];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%S", &local);
    return network + "-" + std::to_string(conf.nodeNumber) + "-" + stamp + std::string(kExtension);
}

bool WriteBackup(const std::string& dir, const NodeConf& conf, std::time_t when, std::string& writtenPath,
                 std::string& error)
{
    writtenPath.clear();
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0) {
        error = "backup folder " + dir + ": " + SystemText(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = "backup folder " + dir + ": not a folder";
        return false;
    }

    // O_EXCL takes the name or fails: two runs never write to one file, and
    // an earlier backup is never replaced.
    const std::string name = BackupFileName(conf, when);
    std::string path;
    int fd = -1;
    for (int number = 1; fd < 0 && number <= kMostNumberedNames + 1; ++number) {
        path = dir + "/" + WithNumber(name, number);
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kBackupMode);
        if (fd < 0 && errno != EEXIST) {
            error = "backup folder " + dir + ": " + SystemText(errno);
            return false;
        }
    }
    if (fd < 0) {
        error = "backup folder " + dir + ": every name for " + name + " is taken";
        return false;
    }
    ::close(fd);

    // The file writer marks the file incomplete until its last record is
    // written; a failure removes the file, so no partial backup is left.
    if (SaveToPath(conf, path) != 0 || !Sync(path) || !SyncFolderOf(path)) {
        const int fault = errno;
        std::remove(path.c_str());
        error = path + ": cannot be written";
        if (fault != 0) error += " (" + SystemText(fault) + ")";
        return false;
    }
    writtenPath = path;
    return true;
}

} // namespace mnm
