// What the whole-file reader refuses, and that LoadFromPath reports every
// path that is no readable regular file as -2101 without blocking.
#include "nodeconf/ConfigFile.h"
#include "nodeconf/RegularFile.h"
#include "nodeconf/ResultCodes.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

using namespace mnm;

namespace {

std::string Folder()
{
    char name[] = "/tmp/mnm-regular-XXXXXX";
    const char* dir = mkdtemp(name);
    return dir ? dir : "/tmp";
}

} // namespace

TEST(RegularFile, RefusesByTypeAndSizeBeforeReading)
{
    const std::string dir = Folder();
    ASSERT_EQ(0, mkfifo((dir + "/fifo").c_str(), 0600));
    std::ofstream(dir + "/small") << "0123456789";
    std::ofstream(dir + "/sparse").close();
    ASSERT_EQ(0, truncate((dir + "/sparse").c_str(), 1L << 30));

    const struct {
        std::string path;
        FileFault fault;
        std::string text;
    } cases[] = {
        {dir, FileFault::Directory, "is a directory"},
        {dir + "/fifo", FileFault::Fifo, "is a FIFO, not a regular file"},
        {"/dev/zero", FileFault::Device, "is a device, not a regular file"},
        {dir + "/missing", FileFault::CannotOpen, "No such file or directory"},
        {dir + "/small/x", FileFault::CannotOpen, "Not a directory"},
        {dir + "/sparse", FileFault::TooLarge, "too large (1073741824 bytes; the limit is 10)"},
    };
    for (const auto& c : cases) {
        std::string bytes = "stale";
        const FileStatus status = ReadRegularFile(c.path, 10, bytes);
        EXPECT_EQ(c.fault, status.fault) << c.path;
        EXPECT_EQ(c.text, FileFaultText(status)) << c.path;
        EXPECT_EQ("", bytes) << c.path;

        NodeConf conf;
        FileStatus why;
        EXPECT_EQ(kCannotReadFile, LoadFromPath(conf, c.path, &why).code) << c.path;
        EXPECT_EQ(c.fault, why.fault) << c.path;
    }

    std::string bytes;
    EXPECT_EQ(FileFault::None, ReadRegularFile(dir + "/small", 10, bytes).fault);
    EXPECT_EQ("0123456789", bytes);
    EXPECT_EQ(FileFault::TooLarge, ReadRegularFile(dir + "/small", 9, bytes).fault);

    EXPECT_EQ(FileFault::None, CheckReplaceable(dir + "/small").fault);
    EXPECT_EQ(FileFault::None, CheckReplaceable(dir + "/missing").fault);
    EXPECT_EQ(FileFault::Fifo, CheckReplaceable(dir + "/fifo").fault);
    EXPECT_EQ(FileFault::Directory, CheckReplaceable(dir).fault);
}

// A file stream opened on a directory throws from its buffer on the first
// read; the reader reports that as a file it cannot read.
TEST(RegularFile, AStreamThatThrowsIsAFileThatCannotBeRead)
{
    std::ifstream in(Folder(), std::ios::binary);
    ASSERT_TRUE(in.is_open());
    NodeConf conf;
    EXPECT_EQ(kCannotReadFile, LoadFromFile(conf, in).code);
}
