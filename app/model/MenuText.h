// Outside text (a path) placed in a menu item's text.
#pragma once

#include <string>
#include <string_view>

namespace mnm::app {

// Each "&" doubled, so it shows as itself and marks no mnemonic.
std::string EscapeMnemonics(std::string_view text);

} // namespace mnm::app
