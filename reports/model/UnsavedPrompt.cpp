#include "reports/model/UnsavedPrompt.h"

#include "controls/model/TextLines.h"

namespace mnm::reports {

UnsavedAnswer AnswerFromResult(int result)
{
    switch (result) {
    case static_cast<int>(UnsavedAnswer::Save): return UnsavedAnswer::Save;
    case static_cast<int>(UnsavedAnswer::Discard): return UnsavedAnswer::Discard;
    default: return UnsavedAnswer::Cancel;
    }
}

std::string PromptText(std::string_view utf8)
{
    if (controls::CharacterCount(utf8) > kMaxPromptCharacters) return std::string(kOverlongPromptText);
    return std::string(utf8);
}

} // namespace mnm::reports
