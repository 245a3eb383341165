// Backup names, a second backup in the same second, and the file loading
// back as the record it was written from.
#include "fleet/BackupFile.h"

#include "nodeconf/ConfigFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>

using namespace mnm;
namespace fs = std::filesystem;

namespace {

// A fixed moment in local time, so the expected stamp does not depend on the zone.
std::time_t LocalMoment()
{
    std::tm local{};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 4;
    local.tm_mday = 1;
    local.tm_hour = 13;
    local.tm_min = 45;
    local.tm_sec = 7;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

NodeConf Named(const char* network, int node)
{
    NodeConf c = NewNodeConf();
    std::strcpy(c.networkName, network);
    c.nodeNumber = node;
    c.radioChannel = 9;
    return c;
}

} // namespace

TEST(BackupFile, NamesAreSafeAndStamped)
{
    const std::time_t when = LocalMoment();
    EXPECT_EQ(BackupFileName(Named("NORTH", 12), when), "NORTH-12-20240501T134507.mnc");
    EXPECT_EQ(BackupFileName(Named("a/b c", 3), when), "a_b_c-3-20240501T134507.mnc");
    EXPECT_EQ(BackupFileName(Named("\xE9t-_", 3), when), "_t-_-3-20240501T134507.mnc");
    EXPECT_EQ(BackupFileName(Named("", 4), when), "node-4-20240501T134507.mnc");
}

TEST(BackupFile, WritesBesideEarlierBackupsAndLoadsBack)
{
    const fs::path dir = fs::temp_directory_path() / ("mnm-backup-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::time_t when = LocalMoment();
    const NodeConf conf = Named("a/b", 5);

    std::string first, second, error;
    ASSERT_TRUE(WriteBackup(dir.string(), conf, when, first, error)) << error;
    ASSERT_TRUE(WriteBackup(dir.string(), conf, when, second, error)) << error;
    EXPECT_EQ(first, (dir / "a_b-5-20240501T134507.mnc").string());
    EXPECT_EQ(second, (dir / "a_b-5-20240501T134507-2.mnc").string());

    NodeConf loaded;
    ASSERT_TRUE(LoadFromPath(loaded, second).ok());
    EXPECT_EQ(std::memcmp(&loaded, &conf, sizeof conf), 0);

    const std::string missing = (dir / "none").string();
    std::string path;
    EXPECT_FALSE(WriteBackup(missing, conf, when, path, error));
    EXPECT_EQ(error, "backup folder " + missing + ": No such file or directory");
    EXPECT_TRUE(path.empty());
    EXPECT_FALSE(WriteBackup(first, conf, when, path, error));
    EXPECT_EQ(error, "backup folder " + first + ": not a folder");

    if (::geteuid() != 0) { // root writes anywhere
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WriteBackup(dir.string(), conf, when + 1, path, error));
        EXPECT_EQ(error, "backup folder " + dir.string() + ": Permission denied");
        fs::permissions(dir, fs::perms::owner_all);
    }
    fs::remove_all(dir);
}
