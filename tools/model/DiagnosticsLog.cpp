#include "tools/model/DiagnosticsLog.h"

namespace mnm::tools {

namespace {
constexpr unsigned char kFirstPrintable = ' ';
} // namespace

std::string DiagnosticLine(std::string_view text)
{
    text = text.substr(0, kMaxDiagnosticLength);
    // Compared as bytes: the node's accented letters are above 127, not below 32.
    while (!text.empty() && static_cast<unsigned char>(text.back()) < kFirstPrintable) text.remove_suffix(1);
    return std::string(text);
}

int DiagnosticsLog::Add(std::string_view text)
{
    lines_.push_back(DiagnosticLine(text));
    int pushedOut = 0;
    while (static_cast<int>(lines_.size()) > kMaxDiagnosticLines) {
        lines_.pop_front();
        ++pushedOut;
    }
    return pushedOut;
}

} // namespace mnm::tools
