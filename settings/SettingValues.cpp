#include "settings/Settings.h"

#include <climits>

namespace mnm {

bool SettingFlagOn(std::string_view text)
{
    return text == "1";
}

int SettingNumber(std::string_view text)
{
    size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // saturate; digits may go on
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool ReadSettingFlag(std::string_view name)
{
    return SettingFlagOn(ReadSetting(name));
}

int ReadSettingNumber(std::string_view name)
{
    return SettingNumber(ReadSetting(name));
}

} // namespace mnm
