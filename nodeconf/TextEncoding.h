// The record, the files and the node hold Windows-1252 bytes; these convert
// where text meets the screen, the terminal or JSON.
#pragma once

#include <string>
#include <string_view>

namespace mnm {

std::string Cp1252ToUtf8(std::string_view text);

// A character Windows-1252 cannot hold (or malformed UTF-8) becomes '?';
// `lossy`, when given, is set when that happened.
std::string Utf8ToCp1252(std::string_view text, bool* lossy = nullptr);

} // namespace mnm
