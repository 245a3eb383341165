#include "app/model/CommandIds.h"
#include "app/model/MenuEnabling.h"

#include <gtest/gtest.h>

using namespace mnm::app;

namespace {

// Columns of the expected patterns below.
constexpr int kGuarded[] = {kCmdNew, kCmdOpen, kCmdClose, kCmdSave, kCmdSaveAs, kCmdResume, kCmdVerify,
                            kCmdRecentFileBase + 1};
constexpr int kAlways[] = {kCmdReceive, kCmdSend, kCmdExit, kCmdMonitor, kCmdTest, kCmdStatusIndicator,
                           kCmdPortFirst, kCmdPortLast};

std::string Pattern(const MenuInputs& in, const MenuSettings& settings = {})
{
    std::string pattern;
    for (int id : kGuarded) pattern += MenuCommandState(id, in, settings).enabled ? '1' : '0';
    return pattern;
}

} // namespace

TEST(MenuEnabling, ByOpenStateBusyAndModified)
{
    struct Case {
        int openState;
        bool busy;
        bool modified;
        const char* enabled; // New Open Close Save SaveAs Resume Verify recent-file
    };
    const Case cases[] = {
        {kNoConfiguration, false, false, "11000001"}, {kNoConfiguration, false, true, "11000001"},
        {kNoConfiguration, true, false, "00000000"},  {kNoConfiguration, true, true, "00000000"},
        {kEditorShown, false, false, "11101011"},     {kEditorShown, false, true, "11111011"},
        {kEditorShown, true, false, "00000000"},      {kEditorShown, true, true, "00000000"},
        {kLiveToolShown, false, false, "00000101"},   {kLiveToolShown, false, true, "00000101"},
        {kLiveToolShown, true, false, "00000000"},    {kLiveToolShown, true, true, "00000000"},
    };
    for (const Case& c : cases) {
        const MenuInputs in{c.openState, c.busy, c.modified};
        SCOPED_TRACE(testing::Message() << "state " << c.openState << " busy " << c.busy << " modified " << c.modified);
        EXPECT_EQ(c.enabled, Pattern(in));
        EXPECT_EQ(!c.busy, DropAccepted(in));
        for (int id : kAlways) EXPECT_EQ((CommandState{true, true}), MenuCommandState(id, in, {})) << id;
    }
}

TEST(MenuEnabling, SettingsRemoveEngineeringAndNone)
{
    const MenuInputs in{};
    const CommandState absent{false, false};
    EXPECT_EQ(absent, MenuCommandState(kCmdEngineering, in, {false, true}));
    EXPECT_EQ(absent, MenuCommandState(kCmdPortNone, in, {true, false}));
    EXPECT_EQ((CommandState{true, true}), MenuCommandState(kCmdEngineering, in, {true, false}));
    EXPECT_EQ((CommandState{true, true}), MenuCommandState(kCmdPortNone, in, {false, true}));
    EXPECT_EQ((CommandState{true, false}), MenuCommandState(kCmdPicture, in, {}));
    EXPECT_EQ(absent, MenuCommandState(kCmdRecentFileBase, in, {}));
    EXPECT_EQ(absent, MenuCommandState(4242, in, {}));
}
