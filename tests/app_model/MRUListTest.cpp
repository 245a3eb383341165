#include "app/model/FileOutcome.h"
#include "app/model/MRUList.h"

#include <gtest/gtest.h>

#include <map>

using namespace mnm::app;

namespace {

std::vector<std::string> Entries(const MRUList& list)
{
    std::vector<std::string> entries;
    for (int n = 1; n <= list.Count(); ++n) entries.push_back(*list.Entry(n));
    return entries;
}

MRUList Touched(std::initializer_list<const char*> paths)
{
    MRUList list;
    for (const char* path : paths) list.Touch(path);
    return list;
}

} // namespace

TEST(MRUList, MostRecentFirstWithoutDuplicates)
{
    MRUList list = Touched({"a", "b", "c"});
    EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), Entries(list));
    list.Touch("a");
    EXPECT_EQ((std::vector<std::string>{"a", "c", "b"}), Entries(list));
    list.Touch("A"); // exact comparison
    EXPECT_EQ(4, list.Count());
    list.Touch("");
    EXPECT_EQ(4, list.Count());
    EXPECT_FALSE(list.Entry(0));
    EXPECT_FALSE(list.Entry(5));
}

TEST(MRUList, SeventhFileDropsTheOldest)
{
    MRUList list = Touched({"1", "2", "3", "4", "5", "6"});
    list.Touch("7");
    EXPECT_EQ((std::vector<std::string>{"7", "6", "5", "4", "3", "2"}), Entries(list));
    EXPECT_EQ(0, list.Append("8")) << "full";
    EXPECT_EQ(6, list.Count());
}

TEST(MRUList, SettingsRoundTrip)
{
    const MRUList list = Touched({"/b & c.mnc", "/a.mnc"});
    const std::vector<SettingChange> changes = list.SaveChanges();
    ASSERT_EQ(6u, changes.size());
    EXPECT_EQ((SettingChange{"MRUF#1", "/a.mnc"}), changes[0]);
    EXPECT_EQ((SettingChange{"MRUF#2", "/b & c.mnc"}), changes[1]);
    EXPECT_EQ((SettingChange{"MRUF#6", std::nullopt}), changes[5]);

    std::map<std::string, std::string, std::less<>> store;
    for (const SettingChange& c : changes)
        if (c.value) store[c.name] = *c.value;
    store["MRUF#4"] = "/after-a-gap.mnc"; // loading stops at the first empty name
    MRUList back;
    back.Touch("/stale.mnc");
    back.Load([&](std::string_view name) {
        auto found = store.find(name);
        return found == store.end() ? std::string() : found->second;
    });
    EXPECT_EQ(list, back);
}

TEST(MRUList, MenuTextEscapesAmpersands)
{
    EXPECT_EQ("&1  /nodes/a.mnc", RecentFileMenuText(1, "/nodes/a.mnc"));
    EXPECT_EQ("&6  /R&&D/x&&&&y.mnc", RecentFileMenuText(6, "/R&D/x&&y.mnc"));
}

TEST(FileOutcome, OnlyACompletedOpenOrSaveTakesTheFile)
{
    MRUList recent = Touched({"/old.mnc"});
    ConfigState state{kLiveToolShown, true, "/old.mnc"};
    const ConfigState before = state;
    const MRUList recentBefore = recent;

    EXPECT_EQ(mnm::kCannotReadFile, FinishOpen(state, recent, "/gone.mnc", mnm::kCannotReadFile));
    EXPECT_EQ(-2151, FinishOpen(state, recent, "/bad.mnc", -2151));
    EXPECT_EQ(mnm::kCannotWriteFile, FinishSave(state, recent, "/full-disk/new.mnc", false));
    EXPECT_EQ(before, state);
    EXPECT_EQ(recentBefore, recent);

    EXPECT_EQ(0, FinishSave(state, recent, "/c.mnc", true));
    EXPECT_EQ((ConfigState{kEditorShown, false, "/c.mnc"}), state);
    EXPECT_EQ((std::vector<std::string>{"/c.mnc", "/old.mnc"}), Entries(recent));
    EXPECT_EQ(0, FinishOpen(state, recent, "/old.mnc", 0));
    EXPECT_EQ("/old.mnc", *recent.Entry(1));
}
