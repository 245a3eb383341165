#include "controls/model/DisplayState.h"
#include "controls/model/TextLines.h"

#include <gtest/gtest.h>

namespace mnm::controls {
namespace {

// Ten pixels a character keeps the expected breaks easy to read.
int TenPerCharacter(std::string_view text) { return static_cast<int>(text.size()) * 10; }

std::vector<std::string> Lines(std::string_view text, int width)
{
    std::vector<std::string> out;
    for (const TextLine& line : BreakLines(text, width, TenPerCharacter))
        out.emplace_back(text.substr(line.start, line.length));
    return out;
}

TEST(TextLines, LineFeedsStartLinesButATrailingOneAddsNone)
{
    EXPECT_EQ(Lines("ab\ncd\nef", 100), (std::vector<std::string>{"ab", "cd", "ef"}));
    EXPECT_EQ(Lines("ab\n", 100), (std::vector<std::string>{"ab"}));
    EXPECT_EQ(Lines("a\n\nb", 100), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(Lines("", 100).empty());
}

TEST(TextLines, LongLinesBreakAtTheLastSpaceThatFits)
{
    EXPECT_EQ(Lines("hello world foo", 110), (std::vector<std::string>{"hello world", "foo"}));
    EXPECT_EQ(Lines("hello world foo", 100), (std::vector<std::string>{"hello", "world foo"}));
}

TEST(TextLines, AWordWiderThanTheAreaStaysOneLine)
{
    EXPECT_EQ(Lines("abcdefghijklmnopqrstuvwxyz", 50), (std::vector<std::string>{"abcdefghijklmnopqrstuvwxyz"}));
    // A leading space is no place to break.
    EXPECT_EQ(Lines(" abcdefgh", 50), (std::vector<std::string>{" abcdefgh"}));
}

TEST(TextLines, CountsAndCutsCharactersNotBytes)
{
    std::string accented;
    for (int i = 0; i < 401; ++i) accented += "\xC3\xA8";
    EXPECT_EQ(CharacterCount(accented), 401u);
    const std::string cut = FirstCharacters(accented, kMaxMessageCharacters);
    EXPECT_EQ(CharacterCount(cut), 400u);
    EXPECT_EQ(cut.size(), 800u);
    EXPECT_EQ(FirstCharacters("abc", 10), "abc");
}

TEST(DisplayState, OnlyZeroAndOneAreStates)
{
    EXPECT_EQ(ShownState(0), 0);
    EXPECT_EQ(ShownState(1), 1);
    EXPECT_EQ(ShownState(5), -1);
    EXPECT_EQ(ShownState(-7), -1);
}

TEST(DisplayState, PictureTakesTheLargestStockSizeThatFits)
{
    EXPECT_EQ(PictureSide(100, 100), 64);
    EXPECT_EQ(PictureSide(100, 47), 40);
    EXPECT_EQ(PictureSide(16, 200), 16);
    EXPECT_EQ(PictureSide(15, 15), 8);
}

} // namespace
} // namespace mnm::controls
