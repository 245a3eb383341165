// The question asked before a command would discard unsaved changes: its
// texts for each command, when it is asked, and what its answer means.
#pragma once

#include "app/model/ConfigState.h"
#include "reports/model/UnsavedPrompt.h"

namespace mnm::app {

// What the user is leaving the configuration for. Exit also covers closing
// the window by any other means.
enum class Leaving { kNew, kOpen, kReopen, kReceive, kClose, kExit };

struct PromptTexts {
    const char* question;
    const char* cancel; // the cancel button's label
};

PromptTexts PromptTextsFor(Leaving leaving);

// True when the question must be asked: a configuration is open and
// modified. The editor is then shown for it, so the state becomes "editor
// shown" (Save and Verify must work over a visible editor).
bool PrepareUnsavedPrompt(ConfigState& state);

// Whether the command goes on. Save has run Save As first; its result is
// `saveAsResult` (0 saved, negative failed or cancelled).
bool PromptGoesOn(reports::UnsavedAnswer answer, int saveAsResult);

} // namespace mnm::app
