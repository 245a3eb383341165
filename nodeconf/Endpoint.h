// Endpoint notation: kind letter, card and channel, optionally preceded by a
// node number (a1.3, 12D2.1, d1.1-8), and how each page turns a text into an
// endpoint or its own message.
#pragma once

#include "nodeconf/NodeConf.h"
#include "nodeconf/Report.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace mnm {

inline constexpr int kMaxNodeNumber = 254;
inline constexpr int kMaxCardNumber = 255;
inline constexpr int kMaxChannelNumber = 255;

struct Endpoint {
    std::uint32_t node = absent; // absent when no node number was written
    char letter = '\0';
    int card = 0;
    int channel = 0;
    int count = 0; // channels named: 1, or last - first + 1 for a range
};

// 0, or -2..-6 / -101..-105 for the first thing that does not fit. Numbers
// are not range-checked (they saturate at kNumberCap); callers do that.
int ParseEndpoint(std::string_view text, bool allowRange, Endpoint& out);

// "Digital Input", "Analog Output", ...; empty for a letter that is no kind.
std::string KindName(char letter);

// Connections page. The origin (ranges allowed) must be local and comes back
// with node 0 and a lower-case letter; gives -2001, -2002, -2011..-2013.
int ParseConnectionOrigin(std::string_view text, Endpoint& out);
// The destination (no range, never a status point) comes back with node 0
// when none was written and an upper-case letter; gives -2003.
int ParseConnectionDestination(std::string_view text, Endpoint& out);

// Alerts page: a local endpoint, no range; gives -4301 or -4302.
int ParseAlertEndpoint(std::string_view text, Endpoint& out);

// The two endpoints of a dialup connection as the dialup page reads them.
struct DialupEndpoints {
    char localLetter = '\0'; // lower case when the local point is an input
    int localCard = 0;
    int localChannel = 0;
    int remoteNode = 0;
    char remoteLetter = '\0'; // upper case
    int remoteCard = 0;
    int remoteChannel = 0;
};

// Reads the local ("a1.2") and remote ("12D2.1") texts; the report's text is
// the message of the first test that fails.
Report ParseDialupEndpoints(std::string_view local, std::string_view remote, bool localIsInput,
                            DialupEndpoints& out);

} // namespace mnm
