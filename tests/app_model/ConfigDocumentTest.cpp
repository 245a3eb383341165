// The open configuration without any widget: what each command changes, and
// that a failed open, save or transfer changes nothing.
#include "app/model/ConfigDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/model/Transfer.h"
#include "nodeconf/ConfigFile.h"
#include "nodeconf/ResultCodes.h"
#include "sim/SampleConfigurations.h"

using namespace mnm;
using namespace mnm::app;
namespace fs = std::filesystem;

namespace {

class Document : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("mnm-document-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string File(const char* name) const { return (dir_ / name).string(); }
    std::string Saved(const char* name, const NodeConf& record) const
    {
        const std::string path = File(name);
        EXPECT_EQ(0, SaveToPath(record, path));
        return path;
    }

    fs::path dir_;
};

std::string NetworkName(const ConfigDocument& d) { return d.Contents().networkName; }

} // namespace

TEST_F(Document, OpenAndSaveTakeTheFileOnlyWhenTheyComplete)
{
    const std::string edited = Saved("edited.mnc", EditedConfiguration());
    ConfigDocument d({"/older.mnc"});
    EXPECT_FALSE(d.IsOpen());

    DocumentResult r = d.Open(File("missing.mnc"));
    EXPECT_EQ(kCannotReadFile, r.report.code);
    EXPECT_EQ(DocumentChange{}, r.changed);
    std::ofstream(File("bad.mnc")) << "not a configuration\r\r\n";
    EXPECT_FALSE(d.Open(File("bad.mnc")).report.ok());
    EXPECT_FALSE(d.IsOpen());
    EXPECT_EQ(1, d.RecentFiles().Count());

    r = d.Open(edited);
    ASSERT_TRUE(r.report.ok());
    EXPECT_EQ((DocumentChange{true, true, true}), r.changed);
    EXPECT_EQ((ConfigState{kEditorShown, false, edited}), d.State());
    EXPECT_EQ((std::vector<std::string>{edited, "/older.mnc"}), d.RecentFiles().Entries());
    const std::string loadedName = NetworkName(d);

    EXPECT_TRUE(d.Edit([](editor::EditorContents& e) { e.networkName = "SOUTH"; }));
    EXPECT_FALSE(d.Edit([](editor::EditorContents& e) { e.networkName = "NORTH"; })) << "only the first edit marks";
    NodeConf record;
    ASSERT_TRUE(d.Store(record).ok());
    EXPECT_EQ(std::string("NORTH"), record.networkName);

    // A folder that is not there: the old file, the mark and the list stay.
    r = d.SaveTo(record, File("no-such-folder/x.mnc"));
    EXPECT_EQ(kCannotWriteFile, r.report.code);
    EXPECT_TRUE(d.State().modified);
    EXPECT_EQ(edited, d.State().fileName);
    EXPECT_EQ(2, d.RecentFiles().Count());
    NodeConf onDisk{};
    ASSERT_TRUE(LoadFromPath(onDisk, edited).ok());
    EXPECT_EQ(loadedName, std::string(onDisk.networkName));

    const std::string copy = File("copy.mnc");
    r = d.SaveTo(record, copy);
    ASSERT_TRUE(r.report.ok());
    EXPECT_EQ((DocumentChange{false, true, true}), r.changed);
    EXPECT_EQ((ConfigState{kEditorShown, false, copy}), d.State());
    EXPECT_EQ(copy, *d.RecentFiles().Entry(1));
    ASSERT_TRUE(LoadFromPath(onDisk, copy).ok());
    EXPECT_EQ(std::string("NORTH"), onDisk.networkName);
}

TEST_F(Document, TheCommandLineFileStaysOutOfTheRecentFilesAndSaysWhyItCannotOpen)
{
    const std::string path = Saved("cmd.mnc", SampleConfiguration());
    ConfigDocument d;
    DocumentResult r = d.OpenCommandLine(path);
    ASSERT_TRUE(r.report.ok());
    EXPECT_FALSE(r.changed.recentFiles);
    EXPECT_EQ((ConfigState{kEditorShown, false, path}), d.State());
    EXPECT_EQ(0, d.RecentFiles().Count());

    r = d.OpenCommandLine(File("missing.mnc"));
    EXPECT_TRUE(r.fileMissing);
    EXPECT_FALSE(r.report.text);
    r = d.OpenCommandLine(dir_.string());
    EXPECT_FALSE(r.fileMissing);
    EXPECT_EQ(kCannotReadFile, r.report.code);
    EXPECT_EQ(std::optional<std::string>(dir_.string() + ": is a directory"), r.report.text);
    EXPECT_EQ(path, d.State().fileName) << "nothing changed";
}

TEST_F(Document, AnUnsavedConfigurationIsKeptAndComesBackUnsaved)
{
    ConfigDocument d;
    ASSERT_TRUE(d.Open(Saved("kept.mnc", EditedConfiguration())).report.ok());
    EXPECT_FALSE(d.HasUnsaved());
    d.Edit([](editor::EditorContents& e) { e.networkName = "KEPT"; });
    EXPECT_TRUE(d.HasUnsaved());
    const std::string recovery = File("recovery.mnc");
    ASSERT_TRUE(d.KeepUnsaved(recovery).ok());
    d.Edit([](editor::EditorContents& e) { e.networkName.clear(); });
    EXPECT_FALSE(d.KeepUnsaved(File("not-kept.mnc")).ok()) << "a configuration failing the check cannot be written";
    EXPECT_FALSE(fs::exists(File("not-kept.mnc")));

    ConfigDocument next;
    const DocumentResult r = next.OpenRecovered(recovery);
    ASSERT_TRUE(r.report.ok());
    EXPECT_EQ((ConfigState{kEditorShown, true, ""}), next.State());
    EXPECT_EQ("KEPT", NetworkName(next));
    EXPECT_EQ(0, next.RecentFiles().Count());
}

TEST_F(Document, NewCloseLiveToolsAndTheUnsavedQuestion)
{
    ConfigDocument d;
    EXPECT_FALSE(d.PrepareUnsavedPrompt()) << "nothing open";
    d.New();
    EXPECT_EQ((ConfigState{kEditorShown, false, ""}), d.State());
    EXPECT_FALSE(d.PrepareUnsavedPrompt()) << "nothing changed";
    d.Edit([](editor::EditorContents& e) { e.networkName = "EAST"; });
    d.CoverWithLiveTool();
    EXPECT_EQ(kLiveToolShown, d.State().openState);
    EXPECT_TRUE(d.PrepareUnsavedPrompt());
    EXPECT_EQ(kEditorShown, d.State().openState) << "the question is asked over the editor";
    d.CoverWithLiveTool();
    d.Resume();
    EXPECT_EQ(kEditorShown, d.State().openState);
    EXPECT_TRUE(d.Close().changed.state);
    EXPECT_EQ(ConfigState{}, d.State());
    d.CoverWithLiveTool();
    EXPECT_EQ(kNoConfiguration, d.State().openState) << "a live tool over nothing opens nothing";
}

TEST_F(Document, AReceiveReplacesTheConfigurationOnlyWhenItBroughtOne)
{
    const std::string path = Saved("kept.mnc", EditedConfiguration());
    ConfigDocument d;
    ASSERT_TRUE(d.Open(path).report.ok());
    d.Edit([](editor::EditorContents& e) { e.networkName = "KEPT"; });

    const ReceivedRecord failed{{RequestStatus::kFailed, Rejected("Unable to upload Node Number")}, std::nullopt};
    DocumentResult r = d.ReceiveEnded(failed);
    EXPECT_EQ(std::optional<std::string>("Unable to upload Node Number"), r.report.text);
    EXPECT_EQ("KEPT", NetworkName(d));
    EXPECT_EQ(path, d.State().fileName);
    EXPECT_EQ(kUploadFailed, d.ReceiveEnded({{RequestStatus::kFailed, {}}, std::nullopt}).report.code);
    EXPECT_EQ(std::optional<std::string>("Nothing has been received"), d.ReceiveEnded({}).report.text);
    EXPECT_TRUE(d.ReceiveEnded({{RequestStatus::kFailed, Rejected("Transfer cancelled"), true}, std::nullopt}).report.ok());
    EXPECT_EQ("KEPT", NetworkName(d));
    EXPECT_EQ(std::optional<std::string>("A Reception is already in progress"),
              d.ReceiveEnded({{RequestStatus::kRunning, {}}, std::nullopt}).report.text);

    NodeConf received = SampleConfiguration();
    r = d.ReceiveEnded({{RequestStatus::kDone, {}}, received});
    ASSERT_TRUE(r.report.ok());
    EXPECT_EQ((DocumentChange{true, true, false}), r.changed);
    EXPECT_EQ((ConfigState{kEditorShown, false, ""}), d.State()) << "untitled and unmodified";
    EXPECT_EQ(std::string(received.networkName), NetworkName(d));
}

TEST(DocumentSend, AFinishedSendChangesNothingAndSaysWhyItFailed)
{
    ConfigDocument d;
    d.New();
    const ConfigState before = d.State();
    EXPECT_TRUE(d.SendEnded({RequestStatus::kDone, {}}).ok());
    const Report failed = d.SendEnded({RequestStatus::kFailed, Report{kDownloadFailed, "The Download Failed"}});
    EXPECT_EQ(kDownloadFailed, failed.code);
    EXPECT_EQ(-4001, d.SendEnded({RequestStatus::kFailed, {-4001, std::nullopt}}).code);
    EXPECT_EQ(kDownloadFailed, d.SendEnded({RequestStatus::kFailed, {}}).code) << "never shown as success";
    EXPECT_EQ(std::optional<std::string>("Nothing was successfully sent"), d.SendEnded({}).text);
    EXPECT_TRUE(d.SendEnded({RequestStatus::kFailed, Rejected("Transfer cancelled"), true}).ok())
        << "a stop the user asked for is no failure to report";
    EXPECT_FALSE(d.SendEnded({RequestStatus::kFailed, Rejected("Transfer cancelled\nReset the Node"), true, true}).ok())
        << "unless the node is left needing a power cycle";
    EXPECT_EQ(before, d.State());
}

TEST(DocumentNames, ASuffixIsAddedOnlyWhereThereIsNoneAndKeptFilesHaveNamesOfTheirOwn)
{
    const std::vector<std::string> kept = RecoveryFileNames("/c/M N.recovery.mnc");
    ASSERT_EQ(9u, kept.size());
    EXPECT_EQ("/c/M N.recovery.mnc", kept[0]);
    EXPECT_EQ("/c/M N.recovery-2.mnc", kept[1]);
    EXPECT_EQ("/c/M N.recovery-9.mnc", kept[8]);
    EXPECT_EQ("/n/second.mnc", WithDefaultSuffix("/n/second"));
    EXPECT_EQ("/n/second.cfg", WithDefaultSuffix("/n/second.cfg"));
    EXPECT_EQ("/n.d/second.mnc", WithDefaultSuffix("/n.d/second"));
}
