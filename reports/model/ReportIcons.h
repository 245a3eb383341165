// Which picture the error report shows beside its OK button.
#pragma once

#include "nodeconf/ResultCodes.h"

namespace mnm::reports {

inline constexpr int kIconWarning = 12006;  // the low-power warnings point at it
inline constexpr int kIconSuccess = 12013;
inline constexpr int kIconError = 12018;

// Codes whose messages refer to the icon "as below".

int IconForCode(int code);

// What the picture means, for a screen reader.
const char* IconMeaning(int icon);

} // namespace mnm::reports
