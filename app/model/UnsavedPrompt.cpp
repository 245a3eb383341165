#include "app/model/UnsavedPrompt.h"

#include <array>
#include <cstddef>

namespace mnm::app {
namespace {

// In the order of Leaving.
constexpr std::array<PromptTexts, 6> kPromptTexts{{
    {"Save Configuration before creating a New one ?", "Continue Editing (Don't perform \"New\")"},
    {"Save Configuration before Opening a new one ?", "Continue Editing (Don't Open)"},
    {"Save Configuration before Re-opening another one ?", "Continue Editing (Don't Re-open)"},
    {"Save Configuration before Receiving a new one from the Node ?",
     "Continue Editing (Don't Receive from Node)"},
    {"Save Configuration before Closing ?", "Continue Editing (Don't Close)"},
    {"Save Configuration before Exiting ?", "Continue Editing (Don't Exit)"},
}};

} // namespace

PromptTexts PromptTextsFor(Leaving leaving) { return kPromptTexts[static_cast<std::size_t>(leaving)]; }

bool PrepareUnsavedPrompt(ConfigState& state)
{
    if (state.openState == kNoConfiguration || !state.modified) return false;
    state.openState = kEditorShown;
    return true;
}

bool PromptGoesOn(reports::UnsavedAnswer answer, int saveAsResult)
{
    switch (answer) {
    case reports::UnsavedAnswer::Save: return saveAsResult == 0;
    case reports::UnsavedAnswer::Discard: return true;
    case reports::UnsavedAnswer::Cancel: break;
    }
    return false;
}

} // namespace mnm::app
