// The connections page's Connect button: from the page's inputs to the
// connections to add.
#pragma once

#include "nodeconf/NodeConf.h"

#include <string>
#include <vector>

namespace mnm {

inline constexpr int kMaxPulsesPerMinute = 6000;
inline constexpr int kMaxChangePercent = 100;

struct ConnectionInput {
    std::string input;      // origin endpoint or range, "a1.1-8"
    std::string output;     // destination endpoint, "12A2.1"
    bool onChange = false;  // the EV box
    std::string percentage; // change threshold, percent or pulse count
    std::string maxPpm;     // pulse input to analog output only
    bool offset = false;    // 4 mA offset, pulse input to analog output only
};

// code 0 with one entry per channel of the input (stepping origin and
// destination channel together), or the Connect button's code. When a step
// passes channel 255 the code is -2004 and entries holds those before it,
// which the page adds before reporting, as it does when its list fills up.
struct ConnectionAdd {
    int code = 0;
    std::vector<Connection> entries;
};

ConnectionAdd BuildConnections(const ConnectionInput& in);

} // namespace mnm
