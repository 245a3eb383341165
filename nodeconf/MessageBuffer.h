// The one program-wide buffer for composed messages: a result of -1000 means
// "the text is already in here". Guarded so the worker and the window can
// both use it; readers get a copy.
#pragma once

#include <string>

namespace mnm {

inline constexpr int kComposedMessage = -1000;

// Stores the text and returns -1000, so a rule can write `return Compose(...)`.
int SetComposedMessage(std::string text);
std::string ComposedMessage();

// printf-style composition into the buffer; returns -1000.
int ComposeMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace mnm
