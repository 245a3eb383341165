// Where the Network page's explanatory window draws its text and its link
// buttons. Kept apart from the window so the wrapping can be tested with a
// fixed-width measure.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

inline constexpr int kExplanationMargin = 10;        // left edge and first line's top
inline constexpr int kExplanationWidthEighths = 28;  // usable width: 28/32 of the client width
inline constexpr int kExplanationWidthDivisor = 32;
inline constexpr int kLinkReserve = 24;              // kept free at the end of a link line
inline constexpr int kLinkInset = 14;                // link place: this far left of the usable width's end
inline constexpr int kLinkWidthLines = 2;            // link place: two line heights wide, one high
inline constexpr int kMaxLinkPlaces = 4;

struct ExplanationLine {
    std::string text;
    int x = 0;
    int top = 0;
    bool operator==(const ExplanationLine&) const = default;
};

struct LinkPlace {
    int x = 0, top = 0, width = 0, height = 0;
    std::string lineText; // the words of the link segment, for a screen reader
};

struct ExplanationLayout {
    std::vector<ExplanationLine> lines;
    std::vector<LinkPlace> links;
};

// "@" ends a link line, a line feed a plain one; long lines wrap at spaces.
// `measure` gives the drawn width of a text in pixels. A word too wide for
// its line ends the layout there.
ExplanationLayout LayOutExplanation(std::string_view text, int clientWidth, int lineHeight,
                                    const std::function<int(std::string_view)>& measure);

} // namespace mnm::editor
