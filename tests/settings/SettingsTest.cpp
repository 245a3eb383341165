// The settings store against a real configuration file in a temporary
// XDG_CONFIG_HOME.
#include "settings/ProgramSettings.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace mnm;
namespace fs = std::filesystem;

namespace {

fs::path gConfigHome;

// The store's location is fixed for the process at its first use, so the
// folder is set before any test runs.
class ConfigHome : public ::testing::Environment {
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/mnm-settings-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        gConfigHome = pattern;
        setenv("XDG_CONFIG_HOME", pattern, 1);
    }
    void TearDown() override { fs::remove_all(gConfigHome); }
};
const auto* const kConfigHome = ::testing::AddGlobalTestEnvironment(new ConfigHome);

fs::path CompanyDir()
{
    return gConfigHome / "Orvendel";
}
fs::path StoreFile()
{
    return CompanyDir() / "Morvane Node Manager.conf";
}

std::string FileText()
{
    std::ifstream in(StoreFile());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string RunProbe(const std::string& args)
{
    const std::string command = std::string("'") + MNM_SETTINGS_PROBE + "' " + args;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "<no probe>";
    std::string out;
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    EXPECT_EQ(0, pclose(pipe));
    return out;
}

// Every test starts as on a machine that never ran the program.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(CompanyDir()); }
};

struct Default {
    const char* name;
    const char* value;
};
const Default kDefaults[] = {
    {"AllowPortDeselection", "0"},
    {"AllowEngineeringDialog", "0"},
    {"DisallowPorts", ""},
    {"DisplayVersionInCaption", "1"},
    {"ShowFullPathInCaption", "1"},
    {"AllowUserToReorderRoutingEntries", "0"},
    {"AllowUserToSetRoutesForRangesOfDestinations", "0"},
    {"NIPQueryTimeout(ms)", "800"},
    {"MonitorConnectedNodeIdentity", "1"},
    {"DisplayVersionNumbersAsTrinomials", "0"},
    {"AllowDeepDiagnostics", "0"},
    {"EndpointMonitorTimeout(ms)", "1500"},
    {"NCPWriteFlashTimeout(ms)", "1500"},
    {"CommitToFlashOnDownload", "1"},
};
const char* const kDeletedAtStart[] = {
    "AllowUserToSetRoutingMetric", "EndpointMonitoringTimeout(ms)", "NCPFlashWriteTimeout(ms)"};

} // namespace

TEST_F(SettingsStore, FirstStartWritesTheFourteenDefaultsAndDeletesRetiredNames)
{
    ASSERT_EQ(0, EnsureSettingsKey());
    ASSERT_TRUE(fs::is_regular_file(StoreFile()));
    for (const char* name : kDeletedAtStart)
        WriteSetting(name, "1");
    ASSERT_EQ("1", ReadSetting("AllowUserToSetRoutingMetric"));

    WriteSettingDefaults();
    static_assert(std::size(kDefaults) == 14);
    for (const Default& d : kDefaults)
        EXPECT_EQ(d.value, ReadSetting(d.name)) << d.name;
    const std::string text = FileText();
    for (const char* name : {"AllowUserToSetRoutingMetric", "EndpointMonitoringTimeout",
                             "NCPFlashWriteTimeout", "\nPort=", "MRUF"})
        EXPECT_EQ(std::string::npos, text.find(name)) << name;
    // The empty default is a value of its own in the file.
    EXPECT_NE(std::string::npos, text.find("DisallowPorts")) << text;
    EXPECT_FALSE(ReadSettingFlag(kSettingAllowUserToSetRoutingMetric));
    EXPECT_EQ(800, ReadSettingNumber(kSettingNipQueryTimeout));
}

TEST_F(SettingsStore, DefaultsLeaveNonEmptyValuesAlone)
{
    ASSERT_EQ(0, EnsureSettingsKey());
    WriteSetting(kSettingAllowPortDeselection, "yes");
    WriteSetting(kSettingEndpointMonitorTimeout, "2500");
    WriteSetting(kSettingDisplayVersionInCaption, "");
    WriteSettingDefaults();
    EXPECT_EQ("yes", ReadSetting(kSettingAllowPortDeselection));
    EXPECT_FALSE(ReadSettingFlag(kSettingAllowPortDeselection));
    EXPECT_EQ(2500, ReadSettingNumber(kSettingEndpointMonitorTimeout));
    EXPECT_EQ("1", ReadSetting(kSettingDisplayVersionInCaption)); // empty counts as unset
}

TEST_F(SettingsStore, TextsRoundTripUpToTheLengthLimit)
{
    ASSERT_EQ(0, EnsureSettingsKey());
    const std::string texts[] = {
        "COM1:COM3:", "a,b, c", " padded ", "@at", "quote\"s and \\ back", "/dev/ttyUSB0",
        "/home/b\xC3\xA9renice/Noeud 7.mnc", std::string(kMaxSettingLength, 'x')};
    for (const std::string& t : texts) {
        WriteSetting(kSettingPort, t);
        EXPECT_EQ(t, ReadSetting(kSettingPort));
    }
    WriteSetting(kSettingPort, std::string(kMaxSettingLength + 1, 'x'));
    EXPECT_EQ("", ReadSetting(kSettingPort));
    // Bytes, not characters, count.
    std::string wide;
    while (wide.size() < static_cast<size_t>(kMaxSettingLength))
        wide += "\xC3\xA9";
    WriteSetting(kSettingPort, wide);
    EXPECT_EQ("", ReadSetting(kSettingPort));
}

TEST_F(SettingsStore, WritingNoTextDeletesAndAMissingKeyKeepsNothing)
{
    // No key yet: writes are dropped and no file appears.
    WriteSetting(kSettingPort, "/dev/ttyS0");
    EXPECT_FALSE(fs::exists(StoreFile()));
    EXPECT_EQ("", ReadSetting(kSettingPort));

    ASSERT_EQ(0, EnsureSettingsKey());
    WriteSetting(kSettingPort, "/dev/ttyS0");
    EXPECT_EQ("/dev/ttyS0", ReadSetting(kSettingPort));
    WriteSetting(kSettingPort, std::nullopt);
    EXPECT_EQ("", ReadSetting(kSettingPort));
    WriteSetting(kSettingPort, "/dev/ttyS1");
    DeleteSetting(kSettingPort);
    EXPECT_EQ(std::string::npos, FileText().find("\nPort="));
    EXPECT_EQ(0, EnsureSettingsKey()); // an existing key is fine
}

TEST_F(SettingsStore, AnUnreachableKeyReadsEmptyAndIsNotReported)
{
    // A file where the company level belongs: nothing can be created below it.
    std::ofstream(CompanyDir()) << "in the way";
    EXPECT_EQ(-2, EnsureSettingsKey());
    WriteSetting(kSettingPort, "/dev/ttyS0");
    WriteSettingDefaults();
    EXPECT_EQ("", ReadSetting(kSettingPort));
    EXPECT_EQ("", ReadSetting(kSettingNipQueryTimeout));
    EXPECT_EQ(0, ReadSettingNumber(kSettingNipQueryTimeout));
    fs::remove(CompanyDir());

    fs::create_directories(StoreFile()); // a folder where the file belongs
    EXPECT_EQ(-3, EnsureSettingsKey());
    EXPECT_EQ("", ReadSetting(kSettingPort));
}

TEST_F(SettingsStore, ValuesPersistAcrossProcesses)
{
    ASSERT_EQ("", RunProbe("read Port"));
    RunProbe("write Port /dev/ttyUSB3");
    EXPECT_EQ("/dev/ttyUSB3", ReadSetting(kSettingPort));
    WriteSetting(kSettingPort, "/dev/pts/9");
    EXPECT_EQ("/dev/pts/9", RunProbe("read Port"));
    RunProbe("delete Port");
    EXPECT_EQ("", ReadSetting(kSettingPort));
}

TEST_F(SettingsStore, TwoThreadsReadAtOnce)
{
    ASSERT_EQ(0, EnsureSettingsKey());
    WriteSettingDefaults();
    WriteSetting(kSettingPort, "/dev/ttyACM0");
    auto reader = [](const char* name, const char* expected, int* wrong) {
        for (int i = 0; i < 300; ++i)
            if (ReadSetting(name) != expected)
                ++*wrong;
    };
    int wrongA = 0, wrongB = 0;
    std::thread a(reader, kSettingPort, "/dev/ttyACM0", &wrongA);
    std::thread b(reader, kSettingNipQueryTimeout, "800", &wrongB);
    a.join();
    b.join();
    EXPECT_EQ(0, wrongA);
    EXPECT_EQ(0, wrongB);
}

TEST(SettingValues, FlagIsOnOnlyForExactlyOne)
{
    EXPECT_TRUE(SettingFlagOn("1"));
    for (const char* off : {"", "0", "01", "1 ", " 1", "true", "yes", "2"})
        EXPECT_FALSE(SettingFlagOn(off)) << off;
}

TEST(SettingValues, NumbersAreReadLeniently)
{
    struct Case { const char* text; int value; };
    const Case cases[] = {
        {"800", 800},     {"  1500", 1500}, {"\t+42ms", 42},     {"-7", -7},
        {"12 34", 12},    {"", 0},          {"abc", 0},          {"-", 0},
        {"+", 0},         {" - 5", 0},      {"0x10", 0},         {"007", 7},
        {"2147483647", INT_MAX},            {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},           {"-99999999999999999999", INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, SettingNumber(c.text)) << '"' << c.text << '"';
}

// The typed settings: every field read by its name, and only what changed
// written back.
TEST(ProgramSettings, ReadsEveryFieldAndWritesOnlyWhatChanged)
{
    ASSERT_EQ(0, EnsureSettingsKey());
    WriteSettingDefaults();
    WriteSetting(kSettingPort, "/dev/ttyUSB1");
    WriteSetting(kSettingNipQueryTimeout, "250");
    WriteSetting(kSettingAllowEngineeringDialog, "1");
    for (int n = 1; n <= kRecentFileSettings; ++n) DeleteSetting(RecentFileSettingName(n));
    WriteSetting("MRUF#1", "/a.mnc");
    WriteSetting("MRUF#2", "/b & c.mnc");
    WriteSetting("MRUF#4", "/after-a-gap.mnc"); // the list ends at the first empty name

    const ProgramSettings read = ReadProgramSettings();
    EXPECT_EQ("/dev/ttyUSB1", read.port);
    EXPECT_EQ(250, read.nipQueryTimeoutMs);
    EXPECT_EQ(1500, read.ncpWriteFlashTimeoutMs);
    EXPECT_TRUE(read.allowEngineeringDialog);
    EXPECT_FALSE(read.allowPortDeselection);
    EXPECT_TRUE(read.commitToFlashOnDownload);
    EXPECT_TRUE(read.displayVersionInCaption);
    EXPECT_EQ((std::vector<std::string>{"/a.mnc", "/b & c.mnc"}), read.recentFiles);

    // Someone else changes a setting this program leaves alone: it stays.
    WriteSetting(kSettingNipQueryTimeout, "900");
    ProgramSettings changed = read;
    changed.port = "/dev/ttyS0";
    changed.displayVersionInCaption = false;
    changed.recentFiles = {"/new.mnc"};
    WriteChangedSettings(read, changed);
    EXPECT_EQ("/dev/ttyS0", ReadSetting(kSettingPort));
    EXPECT_EQ("0", ReadSetting(kSettingDisplayVersionInCaption));
    EXPECT_EQ("900", ReadSetting(kSettingNipQueryTimeout));
    EXPECT_EQ("/new.mnc", ReadSetting("MRUF#1"));
    EXPECT_EQ("", ReadSetting("MRUF#2"));
    EXPECT_EQ("", ReadSetting("MRUF#4")) << "every name after the list is deleted";
    EXPECT_EQ((std::vector<std::string>{"/new.mnc"}), ReadProgramSettings().recentFiles);
}

// A time-out is held to its range; a recent file too long to be a path is
// dropped alone, and the valid ones after it stay, also in the store.
TEST(ProgramSettings, TimeOutsAreBoundedAndABadRecentFileIsDroppedAlone)
{
    ASSERT_EQ(0, EnsureSettingsKey());
    WriteSettingDefaults();
    WriteSetting(kSettingNipQueryTimeout, "2147483648");
    WriteSetting(kSettingNcpWriteFlashTimeout, "-5");
    WriteSetting(kSettingEndpointMonitorTimeout, "99999999");
    for (int n = 1; n <= kRecentFileSettings; ++n) DeleteSetting(RecentFileSettingName(n));
    WriteSetting("MRUF#1", std::string(300, 'x'));
    WriteSetting("MRUF#2", "/b.mnc");
    WriteSetting("MRUF#3", "/c.mnc");
    WriteSetting("MRUF#4", "/d.mnc");

    WriteSetting(kSettingCommitToFlashOnDownload, "2"); // as the worker always read it: a number
    WriteSetting(kSettingMonitorConnectedNodeIdentity, "0");
    const ProgramSettings read = ReadProgramSettings();
    EXPECT_TRUE(read.commitToFlashOnDownload);
    EXPECT_FALSE(read.monitorConnectedNodeIdentity);
    EXPECT_EQ(kHighestQueryTimeoutMs, read.nipQueryTimeoutMs);
    EXPECT_EQ(kLowestTimeoutMs, read.ncpWriteFlashTimeoutMs);
    EXPECT_EQ(kHighestTimeoutMs, read.endpointMonitorTimeoutMs);
    EXPECT_EQ((std::vector<std::string>{"/b.mnc", "/c.mnc", "/d.mnc"}), read.recentFiles);

    WriteChangedSettings(read, read); // an exit that changed nothing
    EXPECT_EQ("/d.mnc", ReadSetting("MRUF#4"));
    ProgramSettings opened = read;
    opened.recentFiles.insert(opened.recentFiles.begin(), "/a.mnc");
    WriteChangedSettings(read, opened);
    EXPECT_EQ((std::vector<std::string>{"/a.mnc", "/b.mnc", "/c.mnc", "/d.mnc"}), ReadProgramSettings().recentFiles);
    EXPECT_EQ("/a.mnc", ReadSetting("MRUF#1"));

    // The monitor's time-out: 0, negative or unreadable is its default, a small one the lowest.
    for (const char* text : {"0", "-20", "soon"}) {
        WriteSetting(kSettingEndpointMonitorTimeout, text);
        EXPECT_EQ(kDefaultMonitorTimeoutMs, ReadProgramSettings().endpointMonitorTimeoutMs) << text;
    }
    WriteSetting(kSettingEndpointMonitorTimeout, "7");
    EXPECT_EQ(kLowestTimeoutMs, ReadProgramSettings().endpointMonitorTimeoutMs);
}

// A store that can be read but not written is read all the same, and says
// why it cannot be saved. Root writes anything, so the check runs as nobody.
TEST(ProgramSettings, AReadOnlyStoreIsReadAndSaysWhyItCannotBeSaved)
{
    constexpr uid_t kNobody = 65534;
    ASSERT_EQ(0, EnsureSettingsKey());
    WriteSettingDefaults();
    WriteSetting(kSettingPort, "/dev/ttyUSB3");
    WriteSetting(kSettingDisplayVersionInCaption, "1");
    EXPECT_EQ("", SettingsUnwritableReason());
    fs::permissions(gConfigHome, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(CompanyDir(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(StoreFile(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(10);
        const ProgramSettings read = ReadProgramSettings();
        if (read.port != "/dev/ttyUSB3") _exit(11);
        if (!read.displayVersionInCaption) _exit(12);
        const std::string why = SettingsUnwritableReason();
        if (why.find("Morvane Node Manager.conf: Permission denied") == std::string::npos) _exit(13);
        _exit(0);
    }
    int status = -1;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    fs::permissions(CompanyDir(), fs::perms::owner_all);
    fs::permissions(StoreFile(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status)) << "10 no other user, 11 port, 12 flag, 13 reason";
}
