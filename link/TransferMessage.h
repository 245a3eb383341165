// The failure text of a transfer sequence, composed printf-style.
#pragma once

#include <string>

namespace mnm {

// Writes the text into `message` (at most 512 characters) and returns -1000.
int TransferFailure(std::string& message, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace mnm
