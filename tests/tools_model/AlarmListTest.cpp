#include "tools/model/AlarmList.h"
#include "tools/model/DiagnosticsLog.h"

#include <gtest/gtest.h>

using namespace mnm;
using namespace mnm::tools;

namespace {

constexpr std::uint16_t kNone = 65535;

LiveValues NoValues()
{
    LiveValues values;
    values.fill(kNone);
    return values;
}

TEST(AlarmList, OneLinePerNodeHeardFrom)
{
    LiveValues values = NoValues();
    values[7] = 0;
    values[9] = 15;
    values[255] = 65534;
    EXPECT_EQ(AlarmLines(values), (std::vector<std::string>{"Node 7:\tALARM", "Node 9:\t30 s", "Node 255:\t131068 s"}));
    EXPECT_TRUE(AlarmLines(NoValues()).empty());
}

TEST(AlarmList, ColumnsSplitAtTheTab)
{
    const AlarmColumns columns = SplitAlarmLine("Node 9:\t30 s");
    EXPECT_EQ(columns.node, "Node 9:");
    EXPECT_EQ(columns.state, "30 s");
    EXPECT_EQ(SpokenAlarmLine("Node 7:\tALARM"), "Node 7: ALARM");
}

TEST(Diagnostics, LinesAreCutAndLoseTrailingControlCharacters)
{
    EXPECT_EQ(DiagnosticLine("Node 3: supply low\r\n"), "Node 3: supply low");
    EXPECT_EQ(DiagnosticLine("tab inside\tstays\x01"), "tab inside\tstays");
    // Windows-1252 letters are bytes above 127, never control characters.
    EXPECT_EQ(DiagnosticLine("milliamp\xE8res"), "milliamp\xE8res");
    const std::string longText = std::string(254, 'x') + "yz";
    EXPECT_EQ(DiagnosticLine(longText), std::string(254, 'x') + "y");
    // The cut comes first: what ends the 255 characters is trimmed.
    EXPECT_EQ(DiagnosticLine(std::string(250, 'x') + std::string(10, '\n')), std::string(250, 'x'));
}

TEST(Diagnostics, TheFiftyFirstLinePushesOutTheFirst)
{
    DiagnosticsLog log;
    for (int i = 1; i <= kMaxDiagnosticLines; ++i) EXPECT_EQ(log.Add("text " + std::to_string(i)), 0);
    EXPECT_EQ(log.Lines().front(), "text 1");
    EXPECT_EQ(log.Add("text 51\n"), 1);
    ASSERT_EQ(log.Lines().size(), 50u);
    EXPECT_EQ(log.Lines().front(), "text 2");
    EXPECT_EQ(log.Lines().back(), "text 51");
    log.Clear();
    EXPECT_EQ(log.Add("again"), 0);
    EXPECT_EQ(log.Lines().size(), 1u);
}

} // namespace
