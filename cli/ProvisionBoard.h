// What `mnm provision` shows while several ports work at once: one status
// line per port, redrawn in place on a terminal (off one, only the prompts
// for the operator, each a line), and the outcome of each node as a line of
// its own. The port threads only post texts; the thread
// that waits for them draws, so no thread writes to the terminal while
// holding the board's lock.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace mnm::cli {

class ProvisionBoard {
public:
    // `live`: the port lines are drawn and redrawn (stderr is a terminal).
    ProvisionBoard(std::vector<std::string> ports, bool live);

    // What a status is: progress, or a prompt that waits for the operator
    // (put a node on, take it off), which is said even off a terminal.
    enum Status { kProgress, kPrompt };
    // The status of port `index`, replacing its last one.
    void SetStatus(std::size_t index, const std::string& text, Status kind = kProgress);
    enum Stream { kOutput, kError };
    // A line that stays: a node's outcome, a skipped row (standard output),
    // or a fault (standard error).
    void Announce(const std::string& line, Stream stream = kOutput);

    // Prints the announcements that came since the last call, and redraws the
    // port lines when live. `last`: the port lines are left on the screen.
    void Draw(bool last = false);

private:
    std::vector<std::string> ports_;
    bool live_;
    std::size_t drawnLines_ = 0;     // port lines on the screen below the announcements
    std::vector<std::string> drawn_; // the statuses last drawn
    std::mutex lock_;            // guards status_ and announced_
    std::vector<std::string> status_;
    std::vector<std::pair<Stream, std::string>> announced_;
};

} // namespace mnm::cli
