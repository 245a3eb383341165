// The journal's lines, reading them back, which nodes a resumed run skips,
// and appends from several threads at once.
#include "fleet/ProvisionJournal.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

using namespace mnm;
namespace fs = std::filesystem;

namespace {

class ProvisionJournalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("mnm-journal-" + std::to_string(::getpid()) + "-" + info->name());
        fs::create_directories(dir_);
        path_ = JournalPath((dir_ / "nodes.csv").string());
    }
    void TearDown() override { fs::remove_all(dir_); }

    void WriteText(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

    fs::path dir_;
    std::string path_;
};

JournalEntry Entry(std::string network, int node, ProvisionOutcome outcome, std::string detail = "")
{
    return JournalEntry{"2024-05-01T13:45:12", std::move(network), node, node + 1, "/dev/ttyUSB0", outcome,
                        std::move(detail)};
}

} // namespace

TEST_F(ProvisionJournalTest, LinesRoundTripAndResumeByNetworkAndNode)
{
    EXPECT_TRUE(path_.ends_with("nodes.csv.journal"));
    std::vector<JournalEntry> entries;
    std::string error;
    ASSERT_TRUE(ReadJournal(path_, entries, error)) << "a missing journal is an empty one: " << error;
    EXPECT_TRUE(entries.empty());

    const JournalEntry odd = Entry("N,1", 7, ProvisionOutcome::Failed, "no answer, \"twice\"\nthen gave up");
    EXPECT_EQ(JournalLine(odd),
              "2024-05-01T13:45:12,\"N,1\",7,8,/dev/ttyUSB0,failed,\"no answer, \"\"twice\"\" then gave up\"");

    const JournalEntry written[] = {
        odd,
        Entry("N,1", 7, ProvisionOutcome::Done),     // failed, then done: skipped
        Entry("N,1", 8, ProvisionOutcome::Done),
        Entry("N,1", 8, ProvisionOutcome::Stopped),  // done, then stopped mid-way: sent again
        Entry("SOUTH", 7, ProvisionOutcome::Failed), // the same number in another network
        Entry("SOUTH", 9, ProvisionOutcome::Done),
    };
    for (const JournalEntry& e : written) ASSERT_TRUE(AppendJournal(path_, e, error)) << error;

    ASSERT_TRUE(ReadJournal(path_, entries, error)) << error;
    ASSERT_EQ(entries.size(), std::size(written));
    EXPECT_EQ(entries[0].network, "N,1");
    EXPECT_EQ(entries[0].node, 7);
    EXPECT_EQ(entries[0].row, 8);
    EXPECT_EQ(entries[0].port, "/dev/ttyUSB0");
    EXPECT_EQ(entries[0].outcome, ProvisionOutcome::Failed);
    EXPECT_EQ(entries[0].detail, "no answer, \"twice\" then gave up");
    EXPECT_EQ(entries[3].outcome, ProvisionOutcome::Stopped);

    const std::set<std::pair<std::string, int>> done = DoneNodes(entries);
    EXPECT_EQ(done, (std::set<std::pair<std::string, int>>{{"N,1", 7}, {"SOUTH", 9}}));
}

TEST_F(ProvisionJournalTest, BrokenLinesRefuseTheJournal)
{
    const std::string good = JournalLine(Entry("N", 1, ProvisionOutcome::Done)) + "\n";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {good + "2024-05-01T13:45:12,N,2,3,/dev/ttyS0,done\n", "line 2: 6 cells where a journal line has 7"},
        {good + "\n" + "2024-05-01T13:45:12,N,x,3,/dev/ttyS0,done,\n", "line 3: the node number \"x\" is not a number"},
        {good + "2024-05-01T13:45:12,N,2,3,/dev/ttyS0,maybe,\n", "line 2: unknown outcome \"maybe\""},
        {good + "2024-05-01T13:45:12,N,2,3,/dev/ttyS0,done,\"cut off", "line 2: a quoted cell is not closed"},
    };
    for (const auto& c : cases) {
        WriteText(c.text);
        std::vector<JournalEntry> entries;
        std::string error;
        EXPECT_FALSE(ReadJournal(path_, entries, error)) << c.error;
        EXPECT_EQ(error, path_ + ": " + c.error);
        EXPECT_TRUE(entries.empty());
    }

    // A last line without its line end (an editor took it) is not glued to
    // the next one.
    WriteText(JournalLine(Entry("N", 1, ProvisionOutcome::Done)));
    std::vector<JournalEntry> entries;
    std::string error;
    ASSERT_TRUE(AppendJournal(path_, Entry("N", 2, ProvisionOutcome::Done), error)) << error;
    ASSERT_TRUE(ReadJournal(path_, entries, error)) << error;
    EXPECT_EQ(DoneNodes(entries), (std::set<std::pair<std::string, int>>{{"N", 1}, {"N", 2}}));

    EXPECT_FALSE(ReadJournal(dir_.string(), entries, error));
    EXPECT_EQ(error, dir_.string() + ": is a directory");
    EXPECT_FALSE(AppendJournal((dir_ / "missing" / "t.journal").string(), Entry("N", 1, ProvisionOutcome::Done), error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

TEST_F(ProvisionJournalTest, ThreadsAppendWholeLines)
{
    constexpr int kThreads = 4;
    constexpr int kLinesEach = 50;
    const std::string detail(200, 'x'); // long lines show any interleaving
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kLinesEach; ++i) {
                std::string error;
                EXPECT_TRUE(AppendJournal(path_, Entry("N" + std::to_string(t), i, ProvisionOutcome::Done, detail), error));
            }
        });
    for (std::thread& t : threads) t.join();

    std::vector<JournalEntry> entries;
    std::string error;
    ASSERT_TRUE(ReadJournal(path_, entries, error)) << error;
    EXPECT_EQ(entries.size(), std::size_t(kThreads * kLinesEach));
    EXPECT_EQ(DoneNodes(entries).size(), std::size_t(kThreads * kLinesEach));
}
