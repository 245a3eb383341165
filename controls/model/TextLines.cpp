#include "controls/model/TextLines.h"

namespace mnm::controls {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

std::vector<TextLine> BreakLines(std::string_view text, int width, const MeasureWidth& measure)
{
    std::vector<TextLine> lines;
    std::size_t p = 0;
    while (p < text.size()) {
        const std::string_view rest = text.substr(p);
        const std::size_t segment = std::min(rest.find('\n'), rest.size());
        std::size_t n = segment;
        while (n > 0 && measure(rest.substr(0, n)) > width) {
            // Break at the last space before n, but never before the first
            // character: a line must make progress.
            const std::size_t space = n > 1 ? rest.substr(0, n).find_last_of(' ', n - 1) : std::string_view::npos;
            if (space == std::string_view::npos || space < 1) {
                n = segment;
                break;
            }
            n = space;
        }
        lines.push_back({p, n});
        p += n;
        if (p < text.size()) ++p;  // the line feed or the space broken at
    }
    return lines;
}

std::string FirstCharacters(std::string_view text, std::size_t count)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i])) continue;
        if (characters == count) return std::string(text.substr(0, i));
        ++characters;
    }
    return std::string(text);
}

std::size_t CharacterCount(std::string_view text)
{
    std::size_t characters = 0;
    for (char c : text)
        if (!IsContinuationByte(c)) ++characters;
    return characters;
}

} // namespace mnm::controls
