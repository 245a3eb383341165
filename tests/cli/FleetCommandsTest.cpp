// The fleet commands as separate processes: diff, check-network, and send
// with a backup and a read-back, against virtual nodes of this test program.
#include <gtest/gtest.h>

#include <dirent.h>

#include <nlohmann/json.hpp>

#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <regex>

#include "nodeconf/ConfigFile.h"
#include "records/RecordDiff.h"
#include "settings/Settings.h"
#include "sim/SampleConfigurations.h"
#include "sim/VirtualNode.h"
#include "wire/NodeCodes.h"
#include "tests/cli/RunTool.h"

namespace mnm {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::vector<std::string> FolderNames(const std::string& dir)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* e = readdir(d))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        closedir(d);
    }
    return names;
}

class FleetCommands : public NodeToolTest {
protected:
    std::string Save(const std::string& name, const NodeConf& conf) const
    {
        EXPECT_EQ(SaveToPath(conf, Path(name)), 0);
        return Path(name);
    }
};

TEST_F(FleetCommands, DiffOfFilesListsOneLinePerChangeAndExitsByResult)
{
    const NodeConf a = EditedConfiguration();
    const std::string fileA = Save("a.mnc", a);
    const ToolResult same = RunTool({"diff", fileA, Save("same.mnc", a)});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");

    // One change in each table, and one inserted connection in the middle.
    NodeConf b = a;
    ASSERT_GE(a.connectionCount, 2);
    std::memmove(&b.connections[2], &b.connections[1], (a.connectionCount - 1) * sizeof(Connection));
    MakeConnection(b.connections[1], 0, 'd', 3, 7, 0, 'D', 4, 7);
    b.connections[1].connFlags |= kConnOnInterval;
    ++b.connectionCount;
    b.primaryRoutes[0] ^= 1; // another repeater
    b.smsConnections[0].limit = 123;
    b.dialupConnections[0].interval = 45;
    b.transmitInterval = 1200;
    const ToolResult diff = RunTool({"diff", fileA, Save("b.mnc", b)});
    EXPECT_EQ(diff.status, 1) << diff.err;
    const std::vector<std::string> lines = Lines(diff.out);
    ASSERT_EQ(lines.size(), 5u) << diff.out;
    EXPECT_EQ(lines[0], "transmitInterval: 10m -> 20m");
    EXPECT_TRUE(lines[1].starts_with("connections[D3.7 to D4.7]: (no entry) -> ")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with("primaryRoutes[")) << lines[2];
    EXPECT_TRUE(lines[3].starts_with("smsConnections[")) << lines[3];
    EXPECT_TRUE(lines[4].starts_with("dialupConnections[")) << lines[4];

    const ToolResult json = RunTool({"diff", "--json", fileA, Path("b.mnc")});
    EXPECT_EQ(json.status, 1);
    const nlohmann::json list = nlohmann::json::parse(json.out);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[1]["path"], "connections[D3.7 to D4.7]");
    EXPECT_TRUE(list[1]["a"].is_null());

    EXPECT_EQ(RunTool({"diff", fileA}).status, 2);
    const ToolResult missing = RunTool({"diff", fileA, Path("none.mnc")});
    EXPECT_EQ(missing.status, 2) << "unreadable is not 'different'";
    EXPECT_TRUE(missing.err.starts_with("mnm: " + Path("none.mnc") + ": ")) << missing.err;
    std::ofstream(Path("empty.mnc")).flush();
    const ToolResult empty = RunTool({"diff", Path("empty.mnc"), fileA});
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.err, "mnm: " + Path("empty.mnc") + ": Missing Signature: Not a valid Configuration File\n");
}

TEST_F(FleetCommands, DiffAgainstANodeComparesWhatTheNodeHolds)
{
    VirtualNode node;
    ASSERT_TRUE(node.Start());
    const NodeConf conf = EditedConfiguration();
    node.WithState([&](NodeModel& s) { s.SetConfig(conf); });
    const std::string file = Save("node.mnc", conf);
    const std::string side = "node:" + node.DevicePath();

    const ToolResult same = RunTool({"diff", file, side});
    EXPECT_EQ(same.status, 0) << same.out << same.err;
    node.WithState([&](NodeModel& s) {
        NodeConf changed = conf;
        changed.radioChannel = conf.radioChannel + 1;
        s.SetConfig(changed);
    });
    const ToolResult differs = RunTool({"diff", side, file});
    EXPECT_EQ(differs.status, 1) << differs.err;
    EXPECT_EQ(differs.out, "radioChannel: " + std::to_string(conf.radioChannel + 1) + " -> " +
                               std::to_string(conf.radioChannel) + "\n");
}

TEST_F(FleetCommands, CheckNetworkReadsFoldersAndNamesEveryFinding)
{
    NodeConf one = EditedConfiguration();
    one.connectionCount = 0; // no remote destinations or routes in this small network
    one.primaryRouteCount = one.secondaryRouteCount = 0;
    one.smsConnectionCount = one.dialupConnectionCount = 0;
    NodeConf two = one;
    two.nodeNumber = one.nodeNumber + 1;
    const std::string clean = Path("clean");
    ASSERT_EQ(mkdir(clean.c_str(), 0700), 0);
    Save("clean/one.mnc", one);
    Save("clean/two.mnc", two);
    const ToolResult ok = RunTool({"check-network", clean});
    EXPECT_EQ(ok.status, 0) << ok.out << ok.err;
    EXPECT_EQ(ok.out, "2 configurations, no findings\n");
    EXPECT_EQ(RunTool({"check-network", clean, clean + "/../clean/one.mnc"}).out, "2 configurations, no findings\n")
        << "a file named twice is one node";

    // A node number used twice, and a file that is no configuration.
    const std::string twice = Save("clean/twice.mnc", one);
    std::ofstream(Path("clean/broken.mnc")) << "not a configuration";
    const ToolResult found = RunTool({"check-network", clean});
    EXPECT_EQ(found.status, 1);
    const std::vector<std::string> lines = Lines(found.out);
    ASSERT_EQ(lines.size(), 2u) << found.out;
    EXPECT_TRUE(lines[0].starts_with(Path("clean/broken.mnc") + ": ")) << lines[0];
    EXPECT_EQ(lines[1], twice + ": node number " + std::to_string(one.nodeNumber) + " is already held by " +
                            Path("clean/one.mnc"));

    // A link to nowhere is said, not passed over; a name in capitals is a
    // configuration too.
    ASSERT_EQ(unlink(twice.c_str()), 0);
    ASSERT_EQ(unlink(Path("clean/broken.mnc").c_str()), 0);
    ASSERT_EQ(symlink("nowhere.mnc", Path("clean/0gone.mnc").c_str()), 0);
    ASSERT_EQ(rename(Path("clean/two.mnc").c_str(), Path("clean/TWO.MNC").c_str()), 0);
    const ToolResult gone = RunTool({"check-network", clean});
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(gone.out, "") << "the two that load are a clean network";
    EXPECT_EQ(gone.err, "mnm: " + Path("clean/0gone.mnc") + ": No such file or directory\n");
    ASSERT_EQ(unlink(Path("clean/0gone.mnc").c_str()), 0);
    EXPECT_EQ(RunTool({"check-network", clean}).out, "2 configurations, no findings\n");
}

TEST_F(FleetCommands, SendBacksUpFirstAndVerifiesWhatTheNodeHolds)
{
    VirtualNode node;
    ASSERT_TRUE(node.Start());
    NodeConf old = EditedConfiguration();
    std::strcpy(old.networkName, "OLD");
    old.nodeNumber = 7;
    node.WithState([&](NodeModel& s) { s.SetConfig(old); });
    const std::string file = Save("new.mnc", EditedConfiguration());
    const std::string backups = Path("backups");
    ASSERT_EQ(mkdir(backups.c_str(), 0700), 0);

    const ToolResult sent =
        RunTool({"send", "--port", node.DevicePath(), "--backup-dir", backups, "--verify", file});
    EXPECT_EQ(sent.status, 0) << sent.err;
    const std::vector<std::string> names = FolderNames(backups);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(std::regex_match(names[0], std::regex(R"(OLD-7-20\d{6}T\d{6}\.mnc)"))) << names[0];
    EXPECT_EQ(sent.out, "backed up to " + backups + "/" + names[0] + "\nsent and verified\n");
    NodeConf backedUp;
    ASSERT_TRUE(LoadFromPath(backedUp, backups + "/" + names[0]).ok());
    EXPECT_EQ(DiffRecords(old, backedUp), std::vector<FieldDifference>{}) << "the backup holds what the node held";

    // A node that keeps another value than it was given is caught by the read-back.
    node.WithState([](NodeModel& s) { s.SetCommitFault([](NodeConf& held) { held.maxRetries = 9; }); });
    const ToolResult changed = RunTool({"send", "--port", node.DevicePath(), "--verify", file});
    EXPECT_EQ(changed.status, 1);
    EXPECT_EQ(changed.err, "mnm: the node holds another configuration than was sent: maxRetries: " +
                               std::to_string(EditedConfiguration().maxRetries) + " -> 9\n");

    // A backup that cannot be read sends nothing.
    node.WithState([](NodeModel& s) { s.SetCommitFault({}); });
    const int commits = [&] {
        int n = 0;
        node.WithState([&](NodeModel& s) { n = s.CommitCount(); });
        return n;
    }();
    node.InjectFault({kTypeQuery, query::kNetworkName}, {Fault::kDrop});
    const ToolResult refused = RunTool({"send", "--port", node.DevicePath(), "--backup-dir", backups, file});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.starts_with("mnm: the node's configuration could not be backed up, nothing was sent: "))
        << refused.err;
    node.WithState([&](NodeModel& s) { EXPECT_EQ(s.CommitCount(), commits); });
    EXPECT_EQ(FolderNames(backups).size(), 1u);

    const ToolResult noFolder = RunTool({"send", "--port", node.DevicePath(), "--backup-dir", Path("none"), file});
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_EQ(noFolder.err, "mnm: backup folder " + Path("none") + ": no such folder\n");
}

} // namespace
} // namespace mnm
