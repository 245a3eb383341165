#include "app/model/MenuText.h"

namespace mnm::app {

std::string EscapeMnemonics(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '&') escaped += '&';
        escaped += c;
    }
    return escaped;
}

} // namespace mnm::app
