#include "nodeconf/Telephone.h"

#include "nodeconf/NumberText.h"
#include "nodeconf/ResultCodes.h"

#include <cstring>

namespace mnm {

namespace {

bool IsMark(char c) { return c == '-' || c == '.' || c == '/'; }
bool IsAllowed(char c) { return IsDigit(c) || IsMark(c) || c == ' '; }

} // namespace

int ValidateTelephoneNumber(std::string_view text, int maxLength, int maxDigits)
{
    std::string_view core = text;
    while (!core.empty() && IsSpace(core.front())) core.remove_prefix(1);
    while (!core.empty() && IsSpace(core.back())) core.remove_suffix(1);
    const bool surrounded = core.size() != text.size();

    if (core.empty()) return surrounded ? kTelephoneOnlySpaces : kTelephoneEmpty;
    if (core.size() > static_cast<std::size_t>(maxLength)) return surrounded ? kTelephoneTooLongTrimmed : kTelephoneTooLong;
    if (!IsDigit(core[0]) && core[0] != '+') return kTelephoneBadFirstCharacter;
    if (core[0] == '+' && (core.size() < 2 || !IsDigit(core[1]))) return kTelephoneNonDigitAfterPlus;
    for (std::size_t i = 1; i < core.size(); ++i) {
        if (!IsAllowed(core[i])) return kTelephoneBadCharacter;
        if (IsMark(core[i]) && i + 1 < core.size() && IsMark(core[i + 1])) return kTelephoneDoublePunctuation;
    }
    if (!IsDigit(core.back())) return kTelephoneEndsWithNonDigit;
    int digits = 0;
    for (char c : core) digits += IsDigit(c) ? 1 : 0;
    if (digits == 0) return kTelephoneNoDigits;
    if (digits > maxDigits) return kTelephoneTooManyDigits;
    return 0;
}

} // namespace mnm
