// The message for every result code, and the separate small catalogue of the
// connections page's Connect button.
#pragma once

#include "nodeconf/Report.h"
#include "nodeconf/ResultCodes.h"

#include <string>
#include <vector>

namespace mnm {

// A code that carries an item number (a telephone number's position, a list
// capacity) in the upper bits of its magnitude: -(item * 65536 + base).
int ItemCode(int code, int item);
int BaseOfCode(int code);  // e.g. -4211, for any item number
int ItemOfCode(int code);

// The catalogue text; anything not in the catalogue "Unknown Error: <code>".
std::string MessageForCode(int code);

// The text to show for a report: its own text when it has one, otherwise its
// code's catalogue text.
std::string MessageOf(const Report& report);

// The Connect button's catalogue (-2001..-2014); "Unknown Error: <code>"
// otherwise.
std::string AddConnectionMessage(int code);

// Caption of the Connect button's message box for a code.
const char* AddConnectionBoxTitle(int code);

// Every code of each catalogue, in catalogue order (for listings and checks).
std::vector<int> CatalogueCodes();
std::vector<int> AddConnectionCodes();

} // namespace mnm
