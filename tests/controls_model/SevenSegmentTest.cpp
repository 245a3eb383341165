#include "controls/model/SevenSegment.h"

#include <gtest/gtest.h>

namespace mnm::controls {
namespace {

TEST(SevenSegmentLayout, UnitAndCellsFollowTheSize)
{
    const SegmentLayout tall = LayoutSegments(100, 46);
    EXPECT_EQ(tall.unit, 2);
    EXPECT_EQ(tall.top, 3);
    EXPECT_EQ(tall.cells, 4);  // (100 - 2) / 12 / 2
    EXPECT_EQ(tall.right, 99);

    // 45 leaves a 5-pixel margin at unit 2, so the unit drops to 1.
    const SegmentLayout cramped = LayoutSegments(100, 45);
    EXPECT_EQ(cramped.unit, 1);
    EXPECT_EQ(cramped.top, 12);
    EXPECT_EQ(cramped.cells, 8);

    EXPECT_EQ(LayoutSegments(100, 26).unit, 1);
    for (int height : {25, 0, -40}) {
        const SegmentLayout none = LayoutSegments(100, height);
        EXPECT_EQ(none.unit, 0) << height;
        EXPECT_EQ(none.cells, 0) << height;
    }
}

TEST(SevenSegmentText, PointRidesOnTheDigitBeforeIt)
{
    const SegmentLayout layout = LayoutSegments(100, 46);
    const std::vector<SegmentCell> cells = SegmentCells("12.5", 0, layout);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], (SegmentCell{99, 0x6D}));
    EXPECT_EQ(cells[1], (SegmentCell{75, 0x5B | kPointBit}));
    EXPECT_EQ(cells[2], (SegmentCell{51, 0x06}));
}

TEST(SevenSegmentText, ShorterTextBlanksTheCellsTheOldOneUsed)
{
    const SegmentLayout layout = LayoutSegments(100, 46);
    const int blank = CellCharacterCount("8888") - CellCharacterCount("1");
    EXPECT_EQ(blank, 3);
    const std::vector<SegmentCell> cells = SegmentCells("1", blank, layout);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].pattern, 0x06);
    for (std::size_t i = 1; i < cells.size(); ++i) EXPECT_EQ(cells[i].pattern, kBlankPattern);
    EXPECT_EQ(cells[3].right, 99 - 3 * 24);
}

TEST(SevenSegmentText, KeepsTheRightmostCharactersWhenCellsRunOut)
{
    const SegmentLayout layout = LayoutSegments(100, 46);  // 4 cells
    const std::vector<SegmentCell> cells = SegmentCells("123456", 2, layout);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[3].pattern, SegmentPattern('3'));
    EXPECT_TRUE(SegmentCells("8", 0, LayoutSegments(100, 10)).empty());
}

TEST(SevenSegmentPatterns, DigitsSignsAndUnknownCharacters)
{
    EXPECT_EQ(SegmentPattern('7'), 0x27);  // with the upper-left segment
    EXPECT_EQ(SegmentPattern('8'), 0x7F);
    EXPECT_EQ(SegmentPattern(' '), 0x00);
    EXPECT_EQ(SegmentPattern('-'), 0x40);
    EXPECT_EQ(SegmentPattern('o'), 0x5C);
    EXPECT_EQ(SegmentPattern('f'), 0x71);
    EXPECT_EQ(SegmentPattern('x'), 0x08);
    EXPECT_EQ(SegmentPattern('F'), 0x08);
}

TEST(SevenSegmentPolygons, CornersScaleFromTheCellsTopRight)
{
    EXPECT_EQ(SegmentPolygon(0, 100, 10, 2), (Polygon{{96, 10}, {92, 14}, {80, 14}, {76, 10}, {96, 10}}));
    EXPECT_EQ(SegmentPolygon(7, 100, 10, 2), (Polygon{{100, 46}, {96, 46}, {96, 50}, {100, 50}}));
    EXPECT_EQ(SegmentPolygon(6, 0, 0, 1).size(), 7u);
    EXPECT_TRUE(SegmentPolygon(8, 0, 0, 1).empty());
}

} // namespace
} // namespace mnm::controls
