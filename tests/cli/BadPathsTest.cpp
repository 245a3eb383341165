// Every path a command reads or writes, given something it cannot use: one
// line "mnm: PATH: reason", status 1, within a second, and nothing written.
#include "records/RecordJson.h"
#include "nodeconf/ConfigFile.h"
#include "sim/SampleConfigurations.h"
#include "tests/cli/RunTool.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

using namespace mnm;
namespace fs = std::filesystem;

namespace {

constexpr long kAnswerWithinMs = 1000;
constexpr off_t kHugeFileBytes = 600L * 1024 * 1024; // sparse: takes no room

struct BadPath {
    const char* what;
    std::string path;
    std::string reason;        // the line is "mnm: PATH: " followed by this
    bool unprivileged = false; // a permission fault, which root would not meet
};

struct PathUse {
    const char* what;
    std::function<std::vector<std::string>(const std::string&)> args;
};

class BadPaths : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = TempDir();
        // Readable for the unprivileged runs.
        chmod(dir_.c_str(), 0755);
        std::ofstream(Path("good.json")) << RecordToJson(EditedConfiguration()).dump();
        ASSERT_EQ(0, SaveToPath(EditedConfiguration(), Path("good.mnc")));
        fs::create_directory(Path("folder"));
        ASSERT_EQ(0, mkfifo(Path("fifo").c_str(), 0644));
        std::ofstream(Path("gone.mnc")) << "about to vanish";
        fs::remove(Path("gone.mnc"));
        std::ofstream(Path("huge")).close();
        ASSERT_EQ(0, truncate(Path("huge").c_str(), kHugeFileBytes));
        std::ofstream(Path("secret.mnc")) << "no one may read this";
        chmod(Path("secret.mnc").c_str(), 0);
        fs::create_directory(Path("locked"));
        chmod(Path("locked").c_str(), 0555);
    }

    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

    // Runs each use with each bad path; `after` checks what the run left.
    void Expect(const std::vector<PathUse>& uses, const std::vector<BadPath>& paths,
                const std::function<void(const BadPath&)>& after = nullptr)
    {
        const bool canDrop = CanRunUnprivileged();
        for (const PathUse& use : uses) {
            for (const BadPath& bad : paths) {
                if (bad.unprivileged && !canDrop) {
                    std::printf("note: %s %s skipped: cannot run the tool unprivileged as root here\n", use.what,
                                bad.what);
                    continue;
                }
                const ToolResult r = RunTool(use.args(bad.path), bad.unprivileged);
                const std::string line = "mnm: " + bad.path + ": " + bad.reason;
                EXPECT_EQ(1, r.status) << use.what << " " << bad.what;
                EXPECT_TRUE(r.err.starts_with(line)) << use.what << " " << bad.what << ": " << r.err;
                EXPECT_EQ(1, std::count(r.err.begin(), r.err.end(), '\n')) << use.what << " " << bad.what;
                EXPECT_EQ("", r.out) << use.what << " " << bad.what;
                EXPECT_LT(r.milliseconds, kAnswerWithinMs) << use.what << " " << bad.what;
                if (after) after(bad);
            }
        }
    }

    std::string dir_;
};

TEST_F(BadPaths, InputsThatAreNoReadableRegularFile)
{
    const std::vector<PathUse> uses = {
        {"dump", [](const std::string& p) { return std::vector<std::string>{"dump", p}; }},
        {"dump --json", [](const std::string& p) { return std::vector<std::string>{"dump", "--json", p}; }},
        {"verify", [](const std::string& p) { return std::vector<std::string>{"verify", p}; }},
        {"build", [&](const std::string& p) { return std::vector<std::string>{"build", p, "-o", Path("out.mnc")}; }},
        // The file is read before the port is looked at.
        {"send", [](const std::string& p) { return std::vector<std::string>{"send", "--port", "/dev/null", p}; }},
    };
    const std::vector<BadPath> paths = {
        {"directory", Path("folder"), "is a directory\n"},
        {"FIFO", Path("fifo"), "is a FIFO, not a regular file\n"},
        {"device", "/dev/zero", "is a device, not a regular file\n"},
        {"vanished", Path("gone.mnc"), "No such file or directory\n"},
        {"huge", Path("huge"), "too large (629145600 bytes; the limit is "},
        {"unreadable", Path("secret.mnc"), "Permission denied\n", true},
    };
    Expect(uses, paths);
    EXPECT_FALSE(fs::exists(Path("out.mnc")));
}

TEST_F(BadPaths, OutputsThatCannotTakeAFile)
{
    const std::vector<PathUse> uses = {
        {"build", [&](const std::string& p) { return std::vector<std::string>{"build", Path("good.json"), "-o", p}; }},
        // The output is checked before the port, so a receive never starts.
        {"receive", [](const std::string& p) { return std::vector<std::string>{"receive", "--port", "/dev/null", "-o", p}; }},
    };
    const std::vector<BadPath> paths = {
        {"directory", Path("folder"), "is a directory\n"},
        {"FIFO", Path("fifo"), "is a FIFO, not a regular file\n"},
        {"device", "/dev/null", "is a device, not a regular file\n"},
        {"vanished folder", Path("gone/out.mnc"), "No such file or directory\n"},
        {"file as folder", Path("good.mnc/out.mnc"), "Not a directory\n"},
        {"folder without write permission", Path("locked/out.mnc"), "Permission denied\n", true},
    };
    const auto typeOf = [](const std::string& p) { return fs::symlink_status(p).type(); };
    const auto before = std::map<std::string, fs::file_type>{
        {Path("folder"), typeOf(Path("folder"))}, {Path("fifo"), typeOf(Path("fifo"))}, {"/dev/null", typeOf("/dev/null")}};
    Expect(uses, paths, [&](const BadPath& bad) {
        if (const auto was = before.find(bad.path); was != before.end())
            EXPECT_EQ(was->second, typeOf(bad.path)) << bad.what << " must be left as it was";
        else
            EXPECT_FALSE(fs::exists(bad.path)) << bad.what;
        EXPECT_FALSE(fs::exists(bad.path + ".partial")) << bad.what;
    });
    EXPECT_EQ(fs::file_type::character, typeOf("/dev/null"));
}

// A configuration file's size has a bound that the longest file stays far
// below; the JSON limit likewise keeps room over the fullest record.
TEST(SizeLimits, LeaveRoomForTheLargestConfiguration)
{
    const NodeConf full = MaximalConfiguration();
    std::stringstream file(std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_EQ(0, SaveToFile(full, file));
    EXPECT_EQ(kLargestConfigFile, file.str().size());

    const std::string json = RecordToJson(full).dump(2);
    EXPECT_LT(json.size() * 4, kMaxRecordJsonBytes) << json.size();
}

} // namespace
