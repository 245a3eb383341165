// Line breaking of the wrapping message text: line feeds start a new line,
// long lines break at the last space that fits, a word wider than the area
// stays whole (and is clipped where it is drawn).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mnm::controls {

inline constexpr std::size_t kMaxMessageCharacters = 400;

struct TextLine {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const TextLine&) const = default;
};

// Width in pixels of a piece of the text, as the font draws it.
using MeasureWidth = std::function<int(std::string_view)>;

// The lines of a UTF-8 text at `width` pixels.
std::vector<TextLine> BreakLines(std::string_view text, int width, const MeasureWidth& measure);

// The first `count` characters (not bytes) of a UTF-8 text.
std::string FirstCharacters(std::string_view text, std::size_t count);

// The number of characters (not bytes) of a UTF-8 text.
std::size_t CharacterCount(std::string_view text);

} // namespace mnm::controls
