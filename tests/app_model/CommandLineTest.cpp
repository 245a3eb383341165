#include "app/model/CommandLine.h"
#include "app/model/UnsavedPrompt.h"

#include <gtest/gtest.h>

using namespace mnm::app;

TEST(CommandLine, FirstPlainArgumentNamesTheFile)
{
    const std::string tooLong(kMaxCommandLinePath + 1, 'x');
    const std::string longest(kMaxCommandLinePath, 'y');
    const std::string flag(1, kSwitchPrefix);
    struct Case {
        std::vector<std::string> arguments;
        CommandLine expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{flag + "x", "a.mnc", "b.mnc"}, {"a.mnc", false}},
        {{"", tooLong, "b.mnc"}, {"b.mnc", false}},
        {{longest}, {longest, false}},
        {{kVirtualNodeSwitch}, {"", true}},
        {{"a.mnc", kVirtualNodeSwitch}, {"a.mnc", true}},
        {{flag + flag + "other", kVirtualNodeSwitch, "c.mnc"}, {"c.mnc", true}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, ScanCommandLine(c.arguments)) << testing::PrintToString(c.arguments);
}

#ifndef _WIN32
TEST(CommandLine, AbsolutePathsAreFilesOnPosix)
{
    EXPECT_EQ("/srv/a.mnc", ScanCommandLine({"-x", "/srv/a.mnc"}).file);
}
#endif

TEST(UnsavedPrompt, TextsPerCommand)
{
    EXPECT_STREQ("Continue Editing (Don't perform \"New\")", PromptTextsFor(Leaving::kNew).cancel);
    EXPECT_STREQ("Save Configuration before Re-opening another one ?", PromptTextsFor(Leaving::kReopen).question);
    EXPECT_STREQ("Continue Editing (Don't Receive from Node)", PromptTextsFor(Leaving::kReceive).cancel);
    EXPECT_STREQ("Save Configuration before Exiting ?", PromptTextsFor(Leaving::kExit).question);
}

TEST(UnsavedPrompt, AskedOverModifiedAndYesGoesOnOnlyAfterASave)
{
    ConfigState unmodified{kEditorShown, false, "a.mnc"};
    EXPECT_FALSE(PrepareUnsavedPrompt(unmodified));
    ConfigState behindTool{kLiveToolShown, true, "a.mnc"};
    EXPECT_TRUE(PrepareUnsavedPrompt(behindTool));
    EXPECT_EQ(kEditorShown, behindTool.openState) << "Save and Verify must work over the shown editor";

    EXPECT_TRUE(PromptGoesOn(mnm::reports::UnsavedAnswer::Save, 0));
    EXPECT_FALSE(PromptGoesOn(mnm::reports::UnsavedAnswer::Save, -2)) << "Save As cancelled";
    EXPECT_FALSE(PromptGoesOn(mnm::reports::UnsavedAnswer::Save, -2102));
    EXPECT_TRUE(PromptGoesOn(mnm::reports::UnsavedAnswer::Discard, -2));
    EXPECT_FALSE(PromptGoesOn(mnm::reports::UnsavedAnswer::Cancel, 0));
}

TEST(CommandLine, HelpAndVersionAreSwitchesWherever)
{
    const CommandLine line = ScanCommandLine({"a.mnc", "--version"});
    EXPECT_TRUE(line.version);
    EXPECT_FALSE(line.help);
    EXPECT_EQ("a.mnc", line.file);
    EXPECT_TRUE(ScanCommandLine({"--help"}).help);
    EXPECT_TRUE(CommandLineUsage("prog").starts_with("usage: prog [--virtual-node] [FILE.mnc]\n"));
}
