#include "app/model/MRUList.h"

#include <gtest/gtest.h>

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

TEST(MRUList, MenuTextEscapesAmpersands)
{
    EXPECT_EQ("&1  /nodes/a.mnc", RecentFileMenuText(1, "/nodes/a.mnc"));
    EXPECT_EQ("&6  /R&&D/x&&&&y.mnc", RecentFileMenuText(6, "/R&D/x&&y.mnc"));
}
