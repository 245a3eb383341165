// The unsaved-configuration prompt's answers and texts.
#pragma once

#include <string>
#include <string_view>

namespace mnm::reports {

enum class UnsavedAnswer { Save = 6, Discard = 7, Cancel = 2 };

inline constexpr std::string_view kUnsavedTitle = "Unsaved File";
inline constexpr std::string_view kSaveButtonText = "&Yes - Save Configuration";
inline constexpr std::string_view kDiscardButtonText = "&No (Lose Changes)";
inline constexpr std::size_t kMaxPromptCharacters = 64;
inline constexpr std::string_view kOverlongPromptText = "???";

// A dialog result that is no answer (the window went away) cancels: nothing
// is saved or lost.
UnsavedAnswer AnswerFromResult(int result);

// The text as the prompt shows it: "???" for one too long to show.
std::string PromptText(std::string_view utf8);

} // namespace mnm::reports
