#include "editor/model/AlertRow.h"
#include "editor/model/PageRules.h"

#include <gtest/gtest.h>


using namespace mnm;
using namespace mnm::editor;

namespace {

constexpr int kCharWidth = 6;

int FixedWidth(std::string_view text) { return static_cast<int>(text.size()) * kCharWidth; }

// Letters wider than digits, as in a proportional font: "OFF" outgrows "0000", "mA" outgrows "V".
int Proportional(std::string_view text)
{
    int w = 0;
    for (char c : text) w += c == 'O' || c == 'm' ? 10 : c == 'F' || c == 'N' ? 8 : c == '.' ? 3 : kCharWidth;
    return w;
}

// The cell starting at `left`; one saying so when there is none.
RowCell CellAt(const std::vector<RowCell>& cells, int left)
{
    for (const RowCell& c : cells)
        if (c.left == left) return c;
    return {left, left, "(no cell here)", {}, 0};
}

std::vector<std::string> Icons(const std::vector<RowCell>& cells)
{
    std::vector<std::string> icons;
    for (const RowCell& c : cells)
        if (!c.icon.empty()) icons.push_back(c.icon);
    return icons;
}

std::vector<std::string> Texts(const std::vector<RowCell>& cells)
{
    std::vector<std::string> texts;
    for (const RowCell& c : cells)
        if (c.icon.empty()) texts.push_back(c.text);
    return texts;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(AlertRow, CellsStandSideBySideAtTheirWidths)
{
    const auto edges = AlertCellEdges(FixedWidth);
    // 2 gap, 8 icon, "W", "000.", "00", 8 icon, "0000", ".00", "mA", 2 gap, 8 icon, "0000", ".00", 2 gap,
    // "00", 8 icon, "00".
    const std::array<int, kAlertCellCount> expected = {0,   2,   10,  16,  40,  52,  60,  84,  102,
                                                       114, 116, 124, 148, 166, 168, 180, 188, 200};
    EXPECT_EQ(expected, edges);

    const auto proportional = AlertCellEdges(Proportional);
    EXPECT_EQ(26, proportional[kAlertLimitDecimals] - proportional[kAlertLimitWhole]) << "\"OFF\" is the widest";
    EXPECT_EQ(16, proportional[kAlertUnitsGap] - proportional[kAlertUnits]) << "\"mA\" is the widest";
}

TEST(AlertRow, AnalogValuesSplitAtTheirPoint)
{
    EXPECT_EQ((AlertValueParts{"4", ".50"}), SplitAlertValue("450", 2));
    EXPECT_EQ((AlertValueParts{"0", ".05"}), SplitAlertValue("5", 2));
    EXPECT_EQ((AlertValueParts{"100", ".00"}), SplitAlertValue("10000", 2));
    EXPECT_EQ((AlertValueParts{"0", ""}), SplitAlertValue("0", 0));
    EXPECT_EQ((AlertValueParts{"4095", ""}), SplitAlertValue("4095", 0));

    const auto edges = AlertCellEdges(FixedWidth);
    const auto cells = AlertRowCells("a\t1.\t1\t>\t450\tV\t|\t400\t3\t!\t1", FixedWidth);
    // The whole part ends at the decimals cell, where the point and decimals start.
    EXPECT_EQ("4", CellAt(cells, edges[kAlertLimitDecimals] - kCharWidth).text);
    EXPECT_EQ(".50", CellAt(cells, edges[kAlertLimitDecimals]).text);
    EXPECT_EQ("V", CellAt(cells, edges[kAlertUnits]).text);
    EXPECT_EQ("4", CellAt(cells, edges[kAlertHysteresisDecimals] - kCharWidth).text);
    EXPECT_EQ(".00", CellAt(cells, edges[kAlertHysteresisDecimals]).text);
    EXPECT_EQ((Strings{"A", "1.", "1", "4", ".50", "V", "4", ".00", "3", "1"}), Texts(cells));

    // Counts have no decimals; the digits stay right-aligned in the whole-part cell.
    const auto counts = AlertRowCells("a\t2.\t3\t#\t100\t\t\t\t1\t!\t1", FixedWidth);
    EXPECT_EQ("100", CellAt(counts, edges[kAlertLimitDecimals] - 3 * kCharWidth).text);
    EXPECT_EQ((Strings{"A", "2.", "3", "100", "1", "1"}), Texts(counts));
}

TEST(AlertRow, TextsAlignInTheirCells)
{
    const auto edges = AlertCellEdges(FixedWidth);
    const auto cells = AlertRowCells("D\t12.\t3\t1\t\t\t\t\t4\t!\t25", FixedWidth);
    EXPECT_EQ("D", CellAt(cells, edges[kAlertKind]).text) << "one letter fills the \"W\" cell";
    EXPECT_EQ("12.", CellAt(cells, edges[kAlertChannel] - 3 * kCharWidth).text) << "right-aligned";
    EXPECT_EQ("3", CellAt(cells, edges[kAlertConditionIcon] - kCharWidth).text) << "right-aligned";
    EXPECT_EQ("ON", CellAt(cells, edges[kAlertLimitDecimals] - 2 * kCharWidth).text);
    EXPECT_EQ("4", CellAt(cells, edges[kAlertMessage] + kCharWidth / 2).text) << "centred";
    EXPECT_EQ("25", CellAt(cells, edges[kAlertTelephone]).text) << "centred, filling its cell";
    EXPECT_EQ(edges[kAlertChannel], CellAt(cells, edges[kAlertChannel] - 3 * kCharWidth).right)
        << "a text's cell still ends at its column's edge";

    const auto off = AlertRowCells("s\t1.\t1\t0\t\t\t\t\t1\t!\t1", FixedWidth);
    EXPECT_EQ("OFF", CellAt(off, edges[kAlertLimitDecimals] - 3 * kCharWidth).text);
    EXPECT_TRUE(AlertRowCells("d\t1.\t1", FixedWidth).empty()) << "a line that does not read draws nothing";
}

TEST(AlertRow, PicturesFollowTheKindConditionAndHysteresis)
{
    const auto edges = AlertCellEdges(FixedWidth);
    const auto over = AlertRowCells("a\t1.\t1\t>\t450\tV\t|\t400\t3\t!\t1", FixedWidth);
    EXPECT_EQ((Strings{"AlertInputIcon", "AlertGoesAboveIcon", "AlertHysteresisIcon", "AlertChangesToIcon"}),
              Icons(over));
    for (const RowCell& c : over) {
        if (c.icon.empty()) continue;
        EXPECT_EQ(kAlertIconSide, c.iconSide);
        EXPECT_EQ(kAlertIconSide, c.right - c.left);
    }
    EXPECT_EQ("AlertInputIcon", CellAt(over, edges[kAlertKindIcon]).icon);
    EXPECT_EQ("AlertGoesAboveIcon", CellAt(over, edges[kAlertConditionIcon]).icon);
    EXPECT_EQ("AlertHysteresisIcon", CellAt(over, edges[kAlertHysteresisIcon]).icon);
    EXPECT_EQ("AlertChangesToIcon", CellAt(over, edges[kAlertSendToIcon]).icon);

    struct Case {
        const char* line;
        Strings icons;
    };
    const Case cases[] = {
        {"D\t1.\t2\t*\t\t\t\t\t1\t!\t1", {"AlertOutputIcon", "AlertChangesStateIcon", "AlertChangesToIcon"}},
        {"d\t1.\t2\t1\t\t\t\t\t1\t!\t1", {"AlertInputIcon", "AlertChangesToIcon", "AlertChangesToIcon"}},
        {"a\t1.\t2\t#\t5\tmA\t\t\t1\t!\t1", {"AlertInputIcon", "AlertChangesByIcon", "AlertChangesToIcon"}},
        {"A\t1.\t2\t+\t5\t%\t\t\t1\t!\t1", {"AlertOutputIcon", "AlertIncreasesIcon", "AlertChangesToIcon"}},
        {"a\t1.\t2\t-\t5\t%\t\t\t1\t!\t1", {"AlertInputIcon", "AlertDecreasesIcon", "AlertChangesToIcon"}},
        {"a\t1.\t2\t<\t5\t%\t|\t9\t1\t!\t1",
         {"AlertInputIcon", "AlertGoesBelowIcon", "AlertHysteresisIcon", "AlertChangesToIcon"}},
        {"a\t1.\t2\t?\t5\t%\t\t\t1\t!\t1", {"AlertInputIcon", "AlertChangesToIcon"}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.icons, Icons(AlertRowCells(c.line, FixedWidth))) << c.line;
}

TEST(AlertRow, SpokenInWords)
{
    EXPECT_EQ("Input D1.2 turns ON, send message 1 to number 2", SpokenAlertRow("d\t1.\t2\t1\t\t\t\t\t1\t!\t2"));
    EXPECT_EQ("Input A1.1 goes over 4.50 V, reset at 4.00, send message 3 to number 1",
              SpokenAlertRow("a\t1.\t1\t>\t450\tV\t|\t400\t3\t!\t1"));
    EXPECT_EQ("Output S3.4 changes state, send message 12 to number 30",
              SpokenAlertRow("S\t3.\t4\t*\t\t\t\t\t12\t!\t30"));
    EXPECT_EQ("Input A2.1 decreases by 0.05 %, send message 1 to number 1",
              SpokenAlertRow("a\t2.\t1\t-\t5\t%\t\t\t1\t!\t1"));
    EXPECT_EQ("Input A2.1 goes under 100, reset at 120, send message 1 to number 1",
              SpokenAlertRow("a\t2.\t1\t<\t100\t\t|\t120\t1\t!\t1"));
    EXPECT_EQ("", SpokenAlertRow("a\t2.\t1"));
}

TEST(AlertCopyBack, AnAlertWithoutValuesEmptiesThem)
{
    EditorContents e;
    AlertInput in;
    in.endpoint = "a1.1";
    in.direction = 0;
    in.analogCondition = 3; // goes over
    in.unit = 1;            // V
    in.limit = "4.5";
    in.hysteresis = "4";
    ASSERT_EQ("", AddAlertFromControls(e, in));
    AlertInput digital;
    digital.endpoint = "d1.2";
    digital.direction = 1;
    digital.digitalCondition = 1;
    ASSERT_EQ("", AddAlertFromControls(e, digital));
    AlertInput changes = in;
    changes.analogCondition = 0; // changes by: a limit, no hysteresis
    ASSERT_EQ("", AddAlertFromControls(e, changes));

    AlertInput shown;
    e.alerts.selected = 0;
    ASSERT_TRUE(CopyBackAlert(e, shown));
    EXPECT_EQ("4.50", shown.limit);
    EXPECT_EQ("4.00", shown.hysteresis);
    e.alerts.selected = 2;
    ASSERT_TRUE(CopyBackAlert(e, shown));
    EXPECT_EQ("4.50", shown.limit);
    EXPECT_EQ("", shown.hysteresis) << "the previous alert's hysteresis is not kept";
    e.alerts.selected = 0;
    ASSERT_TRUE(CopyBackAlert(e, shown));
    e.alerts.selected = 1;
    ASSERT_TRUE(CopyBackAlert(e, shown));
    EXPECT_EQ("D1.2", shown.endpoint);
    EXPECT_EQ(1, shown.direction);
    EXPECT_EQ("", shown.limit);
    EXPECT_EQ("", shown.hysteresis);
}
