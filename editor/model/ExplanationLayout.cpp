#include "editor/model/ExplanationLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace mnm::editor {

namespace {

struct Word {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Only the space separates words: a tab stays part of its word.
std::vector<Word> Words(std::string_view segment)
{
    std::vector<Word> words;
    std::size_t at = 0;
    while ((at = segment.find_first_not_of(' ', at)) != std::string_view::npos) {
        const std::size_t end = std::min(segment.find(' ', at), segment.size());
        words.push_back({at, end});
        at = end;
    }
    return words;
}

// Words [first, last) as the text spells them, spacing between them kept.
std::string_view Span(std::string_view segment, const std::vector<Word>& words, std::size_t first, std::size_t last)
{
    return segment.substr(words[first].begin, words[last - 1].end - words[first].begin);
}

std::size_t WordsThatFit(std::string_view segment, const std::vector<Word>& words, std::size_t first, int limit,
                         const std::function<int(std::string_view)>& measure)
{
    std::size_t last = first;
    while (last < words.size() && measure(Span(segment, words, first, last + 1)) <= limit) ++last;
    return last - first;
}

std::string JoinedWords(std::string_view segment, const std::vector<Word>& words)
{
    std::string joined;
    for (const Word& w : words) {
        if (!joined.empty()) joined += ' ';
        joined += segment.substr(w.begin, w.end - w.begin);
    }
    return joined;
}

// False when the next line's top would not fit in an int: the layout ends.
bool Advance(int& top, int lineHeight)
{
    if (top > std::numeric_limits<int>::max() - lineHeight) return false;
    top += lineHeight;
    return true;
}

} // namespace

ExplanationLayout LayOutExplanation(std::string_view text, int clientWidth, int lineHeight,
                                    const std::function<int(std::string_view)>& measure)
{
    ExplanationLayout layout;
    if (clientWidth <= 0 || lineHeight <= 0 || lineHeight > std::numeric_limits<int>::max() / kLinkWidthLines)
        return layout;
    const int width = static_cast<int>(static_cast<std::int64_t>(clientWidth) * kExplanationWidthEighths /
                                       kExplanationWidthDivisor);
    if (width <= 0) return layout;

    const auto placeLink = [&](int top, std::string words) {
        if (static_cast<int>(layout.links.size()) >= kMaxLinkPlaces) return;
        layout.links.push_back({kExplanationMargin + width - kLinkInset, top, kLinkWidthLines * lineHeight,
                                lineHeight, std::move(words)});
    };

    int top = kExplanationMargin;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find_first_of("@\n", start);
        const bool separated = end != std::string_view::npos;
        const bool isLink = separated && text[end] == '@';
        const std::string_view segment = text.substr(start, separated ? end - start : std::string_view::npos);
        const std::vector<Word> words = Words(segment);

        if (words.empty()) {
            if (!separated) break;
            layout.lines.push_back({"", kExplanationMargin, top});
            // The place still belongs to this "@": the links keep their order.
            if (isLink) placeLink(top, "");
            if (!Advance(top, lineHeight)) break;
        }
        for (std::size_t first = 0; first < words.size();) {
            std::size_t count = WordsThatFit(segment, words, first, width, measure);
            // A link line's last part leaves room for its button; what does
            // not fit beside it goes down to a line of its own.
            if (isLink && first + count == words.size() &&
                measure(Span(segment, words, first, first + count)) > width - kLinkReserve)
                --count;
            if (count == 0) return layout;
            const std::size_t last = first + count;
            layout.lines.push_back({std::string(Span(segment, words, first, last)), kExplanationMargin, top});
            if (isLink && last == words.size()) placeLink(top, JoinedWords(segment, words));
            if (!Advance(top, lineHeight)) return layout;
            first = last;
        }
        if (!separated) break;
        start = end + 1;
    }
    return layout;
}

} // namespace mnm::editor
