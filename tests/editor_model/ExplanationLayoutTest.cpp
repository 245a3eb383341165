#include "editor/model/ExplanationLayout.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

using namespace mnm::editor;

namespace {

constexpr int kCharWidth = 6;
constexpr int kLineHeight = 12;
// 64 px of client give 56 px of line: nine characters, or five beside a link.
constexpr int kNarrow = 64;
constexpr int kNarrowLinkX = 10 + 56 - 14;

ExplanationLayout LayOut(std::string_view text, int clientWidth = kNarrow, int lineHeight = kLineHeight)
{
    return LayOutExplanation(text, clientWidth, lineHeight,
                             [](std::string_view s) { return static_cast<int>(s.size()) * kCharWidth; });
}

using Lines = std::vector<ExplanationLine>;

} // namespace

TEST(ExplanationLayout, WrapsAtSpacesAndStartsLinesAtLineFeeds)
{
    EXPECT_EQ((Lines{{"aaaa bbbb", 10, 10}, {"cccc  dd", 10, 22}, {"ee", 10, 34}}),
              LayOut("aaaa bbbb   cccc  dd\n  ee").lines)
        << "spacing inside a line kept, at its start dropped";
    EXPECT_EQ((Lines{{"aaaa\tbbbb", 10, 10}}), LayOut("aaaa\tbbbb").lines) << "a tab does not separate words";
    EXPECT_TRUE(LayOut("aaaa bbbb").links.empty());
}

TEST(ExplanationLayout, LinkLineCarriesItsPlaceBesideItsLastPart)
{
    const ExplanationLayout fits = LayOut("ab cd@");
    EXPECT_EQ((Lines{{"ab cd", 10, 10}}), fits.lines);
    ASSERT_EQ(1u, fits.links.size());
    EXPECT_EQ(kNarrowLinkX, fits.links[0].x);
    EXPECT_EQ(10, fits.links[0].top);
    EXPECT_EQ(2 * kLineHeight, fits.links[0].width);
    EXPECT_EQ(kLineHeight, fits.links[0].height);
    EXPECT_EQ("ab cd", fits.links[0].lineText);

    // Nine characters fit the line but not beside the link: the last word
    // moves down and takes the link with it.
    const ExplanationLayout broken = LayOut("aaaa  bbbb@");
    EXPECT_EQ((Lines{{"aaaa", 10, 10}, {"bbbb", 10, 22}}), broken.lines);
    ASSERT_EQ(1u, broken.links.size());
    EXPECT_EQ(22, broken.links[0].top);
    EXPECT_EQ("aaaa bbbb", broken.links[0].lineText) << "the whole link line, for a screen reader";
}

TEST(ExplanationLayout, WordlessSegmentsGiveEmptyLinesExceptAtTheEnd)
{
    EXPECT_EQ((Lines{{"a", 10, 10}, {"", 10, 22}, {"b", 10, 34}}), LayOut("a\n\nb").lines);
    EXPECT_EQ((Lines{{"a", 10, 10}, {"", 10, 22}, {"b", 10, 34}}), LayOut("a@\nb@").lines)
        << "the line feed after a link line is a segment of its own";
    EXPECT_EQ((Lines{{"a", 10, 10}}), LayOut("a\n   ").lines);
    EXPECT_EQ((Lines{{"a", 10, 10}}), LayOut("a@").lines);
    EXPECT_TRUE(LayOut("").lines.empty());
}

TEST(ExplanationLayout, AtMostFourLinkPlaces)
{
    const ExplanationLayout layout = LayOut("a@b@c@d@e@");
    EXPECT_EQ(5u, layout.lines.size()) << "the fifth link line is still drawn";
    ASSERT_EQ(4u, layout.links.size());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(10 + i * kLineHeight, layout.links[i].top);
        EXPECT_EQ(std::string(1, static_cast<char>('a' + i)), layout.links[i].lineText);
    }
}

TEST(ExplanationLayout, WordTooWideEndsTheLayout)
{
    EXPECT_EQ((Lines{{"aa", 10, 10}}), LayOut("aa\nbbbbbbbbbb cc\ndd").lines);
    const ExplanationLayout link = LayOut("aa@\nbbbbbb@\ncc@");
    EXPECT_EQ(2u, link.lines.size()) << "six characters fit the line but not beside the link";
    EXPECT_EQ(1u, link.links.size());
}

TEST(ExplanationLayout, NoRoomLaysOutNothing)
{
    for (const auto& [width, height] : {std::pair{0, kLineHeight}, {-5, kLineHeight}, {1, kLineHeight}, {kNarrow, 0},
                                        {kNarrow, -1}, {kNarrow, std::numeric_limits<int>::max()}}) {
        const ExplanationLayout layout = LayOut("a@\nb", width, height);
        EXPECT_TRUE(layout.lines.empty() && layout.links.empty()) << width << " x " << height;
    }
    // A link line whose line is narrower than the button's reserve.
    EXPECT_TRUE(LayOut("a@", 20).lines.empty());
}
