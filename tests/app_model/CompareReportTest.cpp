#include "app/model/CommandIds.h"
#include "app/model/CompareReport.h"
#include "app/model/MenuEnabling.h"

#include <gtest/gtest.h>

using namespace mnm::app;

TEST(CompareReport, TextsAndEnabling)
{
    const CompareReportTexts differing = CompareReport({kEditorShown, true, "/op/north.mnc"}, "/dev/ttyUSB0",
                                                       {"networkName: \"A\" -> \"B\"", "radioChannel: 5 -> 7"});
    EXPECT_FALSE(differing.same);
    EXPECT_EQ("Configuration /op/north.mnc -> the node on /dev/ttyUSB0", differing.heading);
    EXPECT_EQ("Configuration /op/north.mnc -> the node on /dev/ttyUSB0\nnetworkName: \"A\" -> \"B\"\n"
              "radioChannel: 5 -> 7\n",
              CompareClipboardText(differing));

    const CompareReportTexts same = CompareReport({kLiveToolShown, false, ""}, "", {});
    EXPECT_TRUE(same.same);
    EXPECT_EQ("Configuration Untitled -> the node", same.heading);
    EXPECT_EQ(std::vector<std::string>{"The node holds the same configuration."}, same.lines);

    // An open configuration, and no transfer running.
    const auto enabled = [](int openState, bool busy) { return MenuCommandState(kCmdCompare, {openState, busy}, {}).enabled; };
    EXPECT_TRUE(enabled(kEditorShown, false) && enabled(kLiveToolShown, false));
    EXPECT_FALSE(enabled(kNoConfiguration, false) || enabled(kEditorShown, true));
}
