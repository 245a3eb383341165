// The endpoint the monitor watches: what the endpoint edit and the Input
// button say, read into one channel or a range of on/off channels.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace mnm::tools {

struct MonitoredEndpoint {
    char kind = '\0'; // lower case for an input
    int card = 0;
    int first = 0;
    int last = 0; // equal to first for a single channel

    bool IsRange() const { return last > first; }
    bool operator==(const MonitoredEndpoint&) const = default;
};

// Whether the letter is digital or status (either case): the kinds whose
// readings carry every channel of the card, so a range can be shown.
bool KindHoldsRange(char kind);

// The text read as an endpoint or range of this node, the letter in lower
// case when `input`. Nothing for a text that is no endpoint, names another
// node, or whose card or channels do not fit the node's bytes. A range of
// an analog or pulse kind is taken as its first channel alone.
std::optional<MonitoredEndpoint> ParseMonitoredEndpoint(std::string_view text, bool input);

} // namespace mnm::tools
