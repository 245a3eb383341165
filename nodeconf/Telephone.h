// The telephone number rule shared by the SMS and dialup number lists.
#pragma once

#include <string_view>

namespace mnm {

// 0, or the base code (-4201..-4211) of the first fault; the caller adds the
// number's position with ItemCode. Surrounding white space is allowed and
// kept; maxLength applies to the number without it.
int ValidateTelephoneNumber(std::string_view text, int maxLength, int maxDigits);

} // namespace mnm
