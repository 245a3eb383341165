#include "app/model/Caption.h"

#include <cstddef>

namespace mnm::app {
namespace {

constexpr char kUntitled[] = "<Untitled>";
constexpr char kNameTooLong[] = "{NameTooLong}";
constexpr char kShortenedMark[] = "...";

// Paths are UTF-8: the limit counts characters, and a cut never splits one.
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text) count += IsContinuationByte(c) ? 0 : 1;
    return count;
}

// The last `limit` characters.
std::string_view Tail(std::string_view text, std::size_t limit)
{
    std::size_t start = text.size();
    for (std::size_t kept = 0; start > 0 && kept < limit;) {
        --start;
        if (!IsContinuationByte(text[start])) ++kept;
    }
    return text.substr(start);
}

bool IsSeparator(char c) { return c == ':' || c == '/' || c == '\\'; }

// Length of the first component with its separator ("//" or "\\" count as
// one); 0 when the text holds no separator, that is one component alone.
std::size_t FirstComponentLength(std::string_view name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (!IsSeparator(name[i])) continue;
        const bool doubled = name[i] != ':' && i + 1 < name.size() && name[i + 1] == name[i];
        return i + (doubled ? 2 : 1);
    }
    return 0;
}

struct ShownName {
    std::string text;
    bool shortened = false;
};

ShownName CutName(std::string_view name, bool showFullPath)
{
    const auto limit = static_cast<std::size_t>(kCaptionNameLimit);
    if (!showFullPath) return {CharacterCount(name) > limit ? kNameTooLong : std::string(name), false};
    bool shortened = false;
    while (CharacterCount(name) > limit) {
        const std::size_t cut = FirstComponentLength(name);
        shortened = true;
        // The last component is never dropped: a name of nothing would read
        // as no configuration at all.
        if (cut == 0 || cut == name.size()) {
            name = Tail(name, limit);
            break;
        }
        name.remove_prefix(cut);
    }
    return {std::string(name), shortened};
}

std::string_view ShownVersion(std::string_view version, bool trinomial)
{
    if (trinomial) return version;
    const std::size_t dot = version.rfind('.');
    return dot == std::string_view::npos ? version : version.substr(0, dot);
}

std::string_view NameOrUntitled(const ConfigState& state)
{
    if (!state.fileName.empty()) return state.fileName;
    return state.openState != kNoConfiguration ? kUntitled : "";
}

} // namespace

std::string CaptionName(const ConfigState& state, bool showFullPath)
{
    ShownName shown = CutName(NameOrUntitled(state), showFullPath);
    return shown.shortened ? kShortenedMark + shown.text : shown.text;
}

std::string CaptionText(std::string_view programTitle, std::string_view versionText,
                        const CaptionSettings& settings, const ConfigState& state)
{
    std::string caption(programTitle);
    if (settings.showVersion) {
        caption += ' ';
        caption += ShownVersion(versionText, settings.trinomialVersions);
    }
    const std::string name = CaptionName(state, settings.showFullPath);
    if (!name.empty()) caption += " - " + name;
    if (state.modified) caption += " *";
    return caption;
}

} // namespace mnm::app
