#include "app/model/CommandIds.h"
#include "app/model/MenuEnabling.h"

#include <gtest/gtest.h>

using namespace mnm::app;

namespace {

// Columns of the expected patterns below.
constexpr int kGuarded[] = {kCmdNew, kCmdOpen, kCmdClose, kCmdSave, kCmdSaveAs, kCmdResume, kCmdVerify,
                            kCmdRecentFileBase + 1, kCmdSend};
constexpr int kAlways[] = {kCmdReceive, kCmdExit, kCmdMonitor, kCmdTest, kCmdStatusIndicator,
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
        // New Open Close Save SaveAs Resume Verify recent-file Send; Send only with a
        // configuration open, so a closed one can never overwrite a node
        const char* enabled;
    };
    const Case cases[] = {
        {kNoConfiguration, false, false, "110000010"}, {kNoConfiguration, false, true, "110000010"},
        {kNoConfiguration, true, false, "000000000"},  {kNoConfiguration, true, true, "000000000"},
        {kEditorShown, false, false, "111010111"},     {kEditorShown, false, true, "111110111"},
        {kEditorShown, true, false, "000000001"},      {kEditorShown, true, true, "000000001"},
        {kLiveToolShown, false, false, "000001011"},   {kLiveToolShown, false, true, "000001011"},
        {kLiveToolShown, true, false, "000000001"},    {kLiveToolShown, true, true, "000000001"},
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
