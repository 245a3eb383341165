#include "app/model/Caption.h"

#include <gtest/gtest.h>

using namespace mnm::app;

namespace {

constexpr char kVersion[] = "2.05.0057";

std::string Caption(const ConfigState& state, CaptionSettings settings = {})
{
    return CaptionText(kProgramTitle, kVersion, settings, state);
}

ConfigState Open(std::string file, bool modified = false) { return {kEditorShown, modified, std::move(file)}; }

} // namespace

TEST(Caption, VersionFileAndModifiedMark)
{
    EXPECT_EQ("Morvane Node Manager 2.05 - C:\\Nodes\\North\\site12.mnc *",
              Caption(Open("C:\\Nodes\\North\\site12.mnc", true)));
    EXPECT_EQ("Morvane Node Manager 2.05", Caption({}));
    EXPECT_EQ("Morvane Node Manager 2.05 - <Untitled>", Caption(Open("")));
    EXPECT_EQ("Morvane Node Manager 2.05 - <Untitled>", Caption({kLiveToolShown, false, ""}));
    EXPECT_EQ("Morvane Node Manager 2.05.0057 - a.mnc", Caption(Open("a.mnc"), {true, true, true}));
    EXPECT_EQ("Morvane Node Manager - a.mnc *", Caption(Open("a.mnc", true), {false, false, true}));
    EXPECT_EQ("Morvane Node Manager 7", CaptionText(kProgramTitle, "7", {}, {}));
}

TEST(Caption, LongNameWithoutTheFullPath)
{
    const std::string at40(40, 'n');
    EXPECT_EQ(at40, CaptionName(Open(at40), false));
    EXPECT_EQ("Morvane Node Manager 2.05 - {NameTooLong} *", Caption(Open(at40 + "x", true), {true, false, false}));
}

TEST(Caption, FullPathDropsLeadingComponents)
{
    struct Case {
        const char* path;
        const char* shown;
    };
    const Case cases[] = {
        {"/srv/nodes/north-region/site-0012.mnc", "/srv/nodes/north-region/site-0012.mnc"},
        // 41 characters: only the leading "/" goes.
        {"/srv/nodes/north-region/site-012-main.mnc", "...srv/nodes/north-region/site-012-main.mnc"},
        {"/srv/nodes/north-region/site-0012-main.mnc", "...nodes/north-region/site-0012-main.mnc"},
        {"C:\\Nodes\\North\\Region-7\\site-0012-mainline.mnc", "...North\\Region-7\\site-0012-mainline.mnc"},
        // A doubled separator counts as one.
        {"\\\\fileserver\\nodes\\north\\site-0012-main-x.mnc", "...nodes\\north\\site-0012-main-x.mnc"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.shown, CaptionName(Open(c.path), true)) << c.path;
}

TEST(Caption, LastComponentIsNeverDropped)
{
    const std::string file = "site-0012-with-a-very-long-descriptive-name.mnc"; // 47 characters
    const std::string tail = "..." + file.substr(file.size() - 40);
    EXPECT_EQ(tail, CaptionName(Open("/srv/nodes/" + file), true));
    EXPECT_EQ(tail, CaptionName(Open(file), true));
    EXPECT_EQ("Morvane Node Manager 2.05 - " + tail + " *", Caption(Open("/srv/" + file, true)));
}

TEST(Caption, CountsCharactersNotBytes)
{
    std::string accented;
    for (int i = 0; i < 40; ++i) accented += "\xC3\xA9"; // é
    EXPECT_EQ("..." + accented, CaptionName(Open("/n/" + accented + "\xC3\xA9\xC3\xA9"), true))
        << "the tail starts on a character";
}
