#include "cli/ProvisionBoard.h"

namespace mnm::cli {

namespace {
// Terminal controls: up one line, and clear to the end of the line.
constexpr const char* kLineUp = "\033[A";
constexpr const char* kClearLine = "\r\033[K";
} // namespace

ProvisionBoard::ProvisionBoard(std::vector<std::string> ports, bool live)
    : ports_(std::move(ports)), live_(live), status_(ports_.size())
{
}

void ProvisionBoard::SetStatus(std::size_t index, const std::string& text, Status kind)
{
    std::lock_guard<std::mutex> guard(lock_);
    // Without a terminal to redraw on, what asks for the operator is still
    // said: as a line of its own, once.
    if (!live_ && kind == kPrompt && status_.at(index) != text)
        announced_.emplace_back(kError, ports_[index] + ": " + text);
    status_.at(index) = text;
}

void ProvisionBoard::Announce(const std::string& line, Stream stream)
{
    std::lock_guard<std::mutex> guard(lock_);
    announced_.emplace_back(stream, line);
}

void ProvisionBoard::Draw(bool last)
{
    std::vector<std::string> status;
    std::vector<std::pair<Stream, std::string>> announced;
    {
        std::lock_guard<std::mutex> guard(lock_);
        status = status_;
        announced.swap(announced_);
    }
    // Announcements go to stdout for scripts, the port lines to stderr; on a
    // terminal both reach the same screen, so the port lines are taken away
    // first and drawn again below.
    // Redrawn only when something changed, so a terminal is not kept busy.
    if (announced.empty() && status == drawn_ && !last) return;
    drawn_ = status;
    if (live_) {
        for (; drawnLines_ > 0; --drawnLines_) std::fprintf(stderr, "%s%s", kLineUp, kClearLine);
        std::fflush(stderr);
    }
    for (const auto& [stream, line] : announced) {
        std::fprintf(stream == kError ? stderr : stdout, "%s\n", line.c_str());
        std::fflush(stream == kError ? stderr : stdout);
    }
    std::fflush(stdout);
    if (!live_) return;
    for (std::size_t i = 0; i < ports_.size(); ++i)
        std::fprintf(stderr, "%s%s: %s\n", kClearLine, ports_[i].c_str(), status[i].c_str());
    drawnLines_ = ports_.size();
    if (last) drawnLines_ = 0;
    std::fflush(stderr);
}

} // namespace mnm::cli
